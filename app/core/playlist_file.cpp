#include "core/playlist_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

#include "core/display_name.h"

namespace velk::app {

namespace fs = std::filesystem;

namespace {

constexpr size_t kLongestPath = 4096;

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

// A .pls entry "File1=x.mp3" stands for x.mp3; its other keys (Title1=, Length1=, Version=)
// are no paths and give an empty line.
void TakePlsValue(std::string& line) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) return;
    line = StartsWithNoCase(line, "file") ? line.substr(equals + 1) : std::string();
}

bool IsPlsFile(const std::string& file) {
    return file.size() >= 4 && StartsWithNoCase(file.substr(file.size() - 4), ".pls");
}

void Collect(const fs::path& folder, std::vector<std::string>& out, std::set<fs::path>& seen) {
    std::error_code ec;
    const fs::path real = fs::canonical(folder, ec);
    if (ec || !seen.insert(real).second) return;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    for (const auto& entry : entries) {
        if (entry.is_directory(ec)) {
            Collect(entry.path(), out, seen);
        } else {
            out.push_back(entry.path().string());
        }
    }
}

}  // namespace

std::string MakeAbsolute(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec) return path;
    const std::string result = absolute.lexically_normal().string();
    return result.size() < kLongestPath ? result : path;
}

std::string PlaylistLineToPath(std::string line, const std::string& baseFolder, bool pls) {
    std::erase(line, '\t');
    std::erase(line, '\r');
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    line.erase(0, first);
    // Windows lists begin with a drive letter or "."; on Linux an absolute line begins with "/".
    if (line[0] != '.' && line[0] != '/' && !IsAsciiLetter(line[0])) return {};
    if (pls) TakePlsValue(line);
    std::replace(line.begin(), line.end(), '\\', '/');
    if (line.empty()) return {};
    if (line[0] != '/') line = baseFolder + "/" + line;
    return MakeAbsolute(line);
}

std::vector<std::string> ReadPlaylistLines(const std::string& file) {
    std::vector<std::string> paths;
    std::ifstream in(file, std::ios::binary);
    const std::string base = FolderOf(MakeAbsolute(file));
    const bool pls = IsPlsFile(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() >= kLongestPath) continue;
        std::string path = PlaylistLineToPath(std::move(line), base, pls);
        if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
}

void CollectFolder(const std::string& folder, std::vector<std::string>& out) {
    std::set<fs::path> seen;
    Collect(folder, out, seen);
}

}  // namespace velk::app
