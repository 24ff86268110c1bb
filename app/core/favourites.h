// Favourites as stored objects: the "お気に入り" folder, the start-up default and the line files.
#pragma once

#include <string>
#include <vector>

#include "core/main_window_settings.h"
#include "core/playlist.h"

namespace velk::app {

inline constexpr const char* kDefaultFavouriteName = "ノーマル";

std::string FavouritesFolder(const std::string& profileFolder);
std::string FavouritePath(const std::string& profileFolder, const std::string& name);

// The favourites of the settings, or the one "ノーマル" favourite when there are none.
std::vector<FavouriteRecord> LoadFavourites(const MainWindowSettings& settings,
                                            const std::string& profileFolder);
// Index of the favourite named exactly `name`, or -1.
int FindFavourite(const std::vector<FavouriteRecord>& favourites, const std::string& name);

// Writes one line per row (member rows as "path|member|title|artist|length|offset"),
// creating the folder first. A file that cannot be written is left as it was.
bool SaveFavourite(const FavouriteRecord& favourite, const Playlist& playlist);
// The lines of a favourite's file; an unreadable file gives none.
std::vector<std::string> ReadFavouriteLines(const FavouriteRecord& favourite);

}  // namespace velk::app
