// Favourites as stored objects: the "お気に入り" folder, the start-up default, the names a
// favourite may take and the line files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/main_window_settings.h"
#include "core/playlist.h"

namespace velk::app {

inline constexpr const char* kDefaultFavouriteName = "ノーマル";
// A favourite's name becomes its file's name: these characters cannot be part of it.
inline constexpr std::string_view kForbiddenNameCharacters = "\\/:*?\"<>|";

// A favourite as the favourites page edits it: its name and its lines, not yet stored.
struct FavouriteDraft {
    std::string name;
    std::vector<std::string> lines;
};

std::string FavouritesFolder(const std::string& profileFolder);
std::string FavouritePath(const std::string& profileFolder, const std::string& name);

// The favourites of the settings, or the one "ノーマル" favourite when there are none.
std::vector<FavouriteRecord> LoadFavourites(const MainWindowSettings& settings,
                                            const std::string& profileFolder);
// Index of the favourite named exactly `name`, or -1.
int FindFavourite(const std::vector<FavouriteRecord>& favourites, const std::string& name);

// Byte offset of the first forbidden character of `name`, or npos.
size_t FirstForbiddenCharacter(const std::string& name);
// `candidate`, or the first of candidate1, candidate2, ... that none of `names` is.
std::string UniqueFavouriteName(const std::vector<std::string>& names,
                                const std::string& candidate);

// One line per row: member rows as "path|member|title|artist|length|offset", others as the path.
std::vector<std::string> FavouriteLines(const Playlist& playlist);
// Writes the lines, creating the folder first. A file that cannot be written is left as it was.
bool WriteFavouriteLines(const std::string& path, const std::vector<std::string>& lines);
// Adds the lines at the end of the file, creating it (and its folder) when missing; never
// truncates it.
bool AppendFavouriteLines(const std::string& path, const std::vector<std::string>& lines);
bool SaveFavourite(const FavouriteRecord& favourite, const Playlist& playlist);
// The lines of a favourite's file; an unreadable file gives none.
std::vector<std::string> ReadFavouriteLines(const FavouriteRecord& favourite);

}  // namespace velk::app
