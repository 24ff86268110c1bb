#include "core/file_intake.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "core/archive_intake.h"
#include "core/playlist_file.h"
#include "core/song_probe.h"
#include "velk.h"

namespace velk::app {

namespace {

std::string LowerTail(const std::string& path, size_t count) {
    std::string tail = path.size() >= count ? path.substr(path.size() - count) : path;
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail;
}

int ParseClampedInt(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

struct FileIntake::AddingScope {
    explicit AddingScope(int& counter) : counter_(counter) { ++counter_; }
    ~AddingScope() { --counter_; }
    int& counter_;
};

bool ParseFavouriteLine(const std::string& line, PlaylistEntry& entry) {
    if (line.find('|') == std::string::npos) return false;
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const auto bar = line.find('|', start);
        fields.push_back(line.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    fields.resize(std::max<size_t>(fields.size(), 6));
    entry = PlaylistEntry{};
    entry.path = fields[0];
    entry.fileName = entry.memberName = fields[1];
    entry.title = fields[2];
    entry.artist = fields[3];
    entry.length = std::max(ParseClampedInt(fields[4]), 0);
    entry.startOffset = std::max(ParseClampedInt(fields[5]), 0);
    return true;
}

std::string FavouriteLine(const PlaylistEntry& e) {
    return e.path + "|" + e.memberName + "|" + e.title + "|" + e.artist + "|" +
           std::to_string(e.length) + "|" + std::to_string(e.startOffset);
}

void FileIntake::AddPath(const std::string& path, bool quiet) {
    AddingScope scope(adding_);
    if (hooks.beforeEachPath) hooks.beforeEachPath();
    if (path.empty() || (hooks.stopRequested && hooks.stopRequested())) return;
    if (archives_ && IsArchivePath(path) && AddArchive(path)) return;

    if (path.find('|') != std::string::npos) {
        AddFavouriteLine(path);
        return;
    }

    PlaylistEntry entry;
    const SongProbe song = ProbeSong(probe_, path, entry);
    if (!song.readable) {
        // A wave file is never read as a playlist.
        const std::string tail = LowerTail(path, 4);
        if (!(song.typeFlags & VELK_TYPE_PCM_WAVE) && (tail == ".m3u" || tail == ".pls")) {
            const std::string key = MakeAbsolute(path);
            if (!expanding_.insert(key).second) return;
            for (const auto& line : ReadPlaylistLines(path)) AddPath(line, false);
            expanding_.erase(key);
            return;
        }
        if (quiet) return;
    }
    Append(std::move(entry), song.typeFlags);
}

bool FileIntake::AddArchive(const std::string& path) {
    return ReadArchive(path, *archives_, [this](PlaylistEntry entry) {
        if (hooks.stopRequested && hooks.stopRequested()) return false;
        Append(std::move(entry), 0);
        // Members arrive like the files of a drop: the window keeps up between them.
        if (hooks.beforeEachPath) hooks.beforeEachPath();
        return true;
    });
}

void FileIntake::AddFavouriteLine(const std::string& line) {
    PlaylistEntry entry;
    ParseFavouriteLine(line, entry);
    // A line of bars alone names no file.
    if (entry.path.empty() && entry.memberName.empty()) return;
    Append(std::move(entry), 0);
}

void FileIntake::Append(PlaylistEntry entry, int typeFlags) {
    FinishEntry(entry, typeFlags, options.nameType);
    playlist_.Append(std::make_unique<PlaylistEntry>(std::move(entry)));
    if (hooks.rowAdded) hooks.rowAdded(playlist_.Count() - 1);
}

void FileIntake::AddDropped(const std::vector<std::string>& items) {
    std::vector<std::string> paths;
    for (const auto& item : items) {
        std::error_code ec;
        if (std::filesystem::is_directory(item, ec)) {
            CollectFolder(item, paths);
        } else {
            paths.push_back(item);
        }
    }
    for (const auto& p : paths) AddPath(p, true);
}

}  // namespace velk::app
