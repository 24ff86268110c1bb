#include "core/favourites.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/display_name.h"
#include "core/file_intake.h"

namespace velk::app {

std::string FavouritesFolder(const std::string& profileFolder) {
    return profileFolder + "/お気に入り";
}

std::string FavouritePath(const std::string& profileFolder, const std::string& name) {
    return FavouritesFolder(profileFolder) + "/" + name + ".m3u";
}

std::vector<FavouriteRecord> LoadFavourites(const MainWindowSettings& settings,
                                            const std::string& profileFolder) {
    if (!settings.favourites.empty()) return settings.favourites;
    return {{kDefaultFavouriteName, FavouritePath(profileFolder, kDefaultFavouriteName)}};
}

int FindFavourite(const std::vector<FavouriteRecord>& favourites, const std::string& name) {
    for (size_t i = 0; i < favourites.size(); ++i) {
        if (favourites[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

size_t FirstForbiddenCharacter(const std::string& name) {
    return name.find_first_of(kForbiddenNameCharacters);
}

std::string UniqueFavouriteName(const std::vector<std::string>& names,
                                const std::string& candidate) {
    auto taken = [&names](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    if (!taken(candidate)) return candidate;
    for (size_t n = 1;; ++n) {
        std::string numbered = candidate + std::to_string(n);
        if (!taken(numbered)) return numbered;
    }
}

std::vector<std::string> FavouriteLines(const Playlist& playlist) {
    std::vector<std::string> lines;
    lines.reserve(playlist.Count());
    for (int i = 0; i < playlist.Count(); ++i) {
        const PlaylistEntry& e = playlist.Entry(i);
        lines.push_back(e.isMember() ? FavouriteLine(e) : e.path);
    }
    return lines;
}

// The lines go to a side file first, so a full disk or a crash never leaves half a favourite.
bool WriteFavouriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::error_code ec;
    std::filesystem::create_directories(FolderOf(path), ec);
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        for (const auto& line : lines) out << line << '\n';
        if (!out.flush()) {
            out.close();
            std::filesystem::remove(temporary, ec);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

// The file is opened for appending: what it holds stays, even when the writing fails half-way.
bool AppendFavouriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::error_code ec;
    std::filesystem::create_directories(FolderOf(path), ec);
    bool endsInLineBreak = true;
    {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        if (in && in.tellg() > 0) {
            in.seekg(-1, std::ios::end);
            endsInLineBreak = in.get() == '\n';
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) return false;
    // A last line without its line break would run into the first new one.
    if (!endsInLineBreak) out << '\n';
    for (const auto& line : lines) out << line << '\n';
    return static_cast<bool>(out.flush());
}

bool SaveFavourite(const FavouriteRecord& favourite, const Playlist& playlist) {
    return WriteFavouriteLines(favourite.path, FavouriteLines(playlist));
}

std::vector<std::string> ReadFavouriteLines(const FavouriteRecord& favourite) {
    std::vector<std::string> lines;
    std::ifstream in(favourite.path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

}  // namespace velk::app
