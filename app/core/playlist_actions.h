// Playlist commands that also touch playback: removing the selection and clearing the list.
#pragma once

#include <vector>

#include "core/playlist.h"
#include "core/transport.h"

namespace velk::app {

// "選択をｸﾘｱ": removes the rows; removing the playing row while playing starts the song that
// now sits at the current index. Returns true when anything was removed.
bool RemoveSelected(Playlist& playlist, Transport& transport, const std::vector<int>& rows);

// "全てｸﾘｱ": every row goes, playback stops, the current index returns to 0.
void ClearAll(Playlist& playlist, Transport& transport);

}  // namespace velk::app
