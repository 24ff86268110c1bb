// The naming rules for rows and for the title display.
#pragma once

#include <string>

#include "core/playlist_entry.h"

namespace velk::app {

// A field counts as present when it is non-empty and does not begin with a space.
bool IsPresent(const std::string& field);

// Name type 0: the title; name type 1: the title if present, else the file name.
std::string MakeDisplayName(const PlaylistEntry& entry, int nameType);

// "artist / title"; without a title the path's last part less its extension.
std::string TitleDisplayText(const PlaylistEntry& entry);

// The part after the last "/".
std::string BaseName(const std::string& path);
// The part before the last "/" (empty when there is none).
std::string FolderOf(const std::string& path);

}  // namespace velk::app
