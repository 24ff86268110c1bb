#include "core/favourites.h"

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

bool SaveFavourite(const FavouriteRecord& favourite, const Playlist& playlist) {
    std::error_code ec;
    std::filesystem::create_directories(FolderOf(favourite.path), ec);
    const std::string temporary = favourite.path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        for (int i = 0; i < playlist.Count(); ++i) {
            const PlaylistEntry& e = playlist.Entry(i);
            out << (e.isMember() ? FavouriteLine(e) : e.path) << '\n';
        }
        if (!out.flush()) return false;
    }
    std::filesystem::rename(temporary, favourite.path, ec);
    return !ec;
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
