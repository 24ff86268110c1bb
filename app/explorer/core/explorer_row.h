// One row of the explorer list: the song's playlist record with what the folder listing says of
// the file, and the texts of the six columns.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/playlist_entry.h"

namespace velk::app {

enum ExplorerColumn {
    kExplorerName = 0,
    kExplorerLyrics = 1,
    kExplorerTime = 2,
    kExplorerSize = 3,
    kExplorerType = 4,
    kExplorerModified = 5,
};
constexpr int kExplorerColumnCount = 6;

// The headers without sort arrows, and the widths the columns start with.
const std::array<const char*, kExplorerColumnCount>& ExplorerHeaders();
inline constexpr std::array<int, kExplorerColumnCount> kExplorerColumnWidths{160, 25,  50,
                                                                             70,  100, 110};

struct ExplorerRow {
    PlaylistEntry entry;
    uint64_t size = 0;     // bytes
    int64_t modified = 0;  // last write, seconds since the epoch
    bool hidden = false;   // a dot file, drawn ghosted
    std::string typeName;  // the desktop's name for the file's type
};

// The text `column` shows for `row`: the file name, the lyrics mark, the play time, the size in
// kilobytes, the type name or the local modification time.
std::string ExplorerCellText(const ExplorerRow& row, int column);

}  // namespace velk::app
