#include "core/lyrics_side_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/display_name.h"

namespace velk::app {

namespace {

// strtol saturates on overflow where atoi would not be defined.
int ClampedInt(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

// The song's path, or for an archive member the archive's folder plus the member's own name,
// without its last three characters; "" when too short.
std::string LyricsFileStem(const std::string& path, const std::string& memberName) {
    std::string base = path;
    if (!memberName.empty()) {
        const std::string folder = FolderOf(path);
        base = (folder.empty() ? "" : folder + "/") + BaseName(memberName);
    }
    if (base.size() < 3) return {};
    base.resize(base.size() - 3);
    return base;
}

}  // namespace

std::string FindLyricsFile(const std::string& path, const std::string& memberName) {
    const std::string stem = LyricsFileStem(path, memberName);
    if (stem.empty()) return {};
    for (const char* extension : {"txt", "lrc", "kra"}) {
        std::error_code ec;
        const std::string candidate = stem + extension;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
    return {};
}

std::string LyricsFileToWrite(const std::string& path, const std::string& memberName) {
    const std::string found = FindLyricsFile(path, memberName);
    if (!found.empty()) return found;
    const std::string stem = LyricsFileStem(path, memberName);
    return stem.empty() ? std::string() : stem + "txt";
}

LyricsTiming ReadLyricsTiming(const std::string& lyricsFile) {
    LyricsTiming timing;
    if (lyricsFile.empty()) return timing;
    std::ifstream in(lyricsFile, std::ios::binary);
    std::string line;
    auto valueAfter = [&line](const std::string& key) -> const char* {
        return line.compare(0, key.size(), key) == 0 ? line.c_str() + key.size() : nullptr;
    };
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != '@') continue;
        if (const char* v = valueAfter("@Offset=")) timing.offsetMs = ClampedInt(v);
        if (const char* v = valueAfter("@TimeRatio=")) timing.timeRatio = std::atof(v);
        if (const char* v = valueAfter("@SilencemSec=")) timing.silenceMs = ClampedInt(v);
    }
    return timing;
}

}  // namespace velk::app
