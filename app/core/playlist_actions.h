// Playlist commands that also touch playback: removing the selection and clearing the list.
#pragma once

#include <functional>
#include <vector>

#include "core/playlist.h"
#include "core/transport.h"

namespace velk::app {

// "選択をｸﾘｱ": removes the rows; removing the playing row while playing starts the song that
// now sits at the current index. `rowsChanged` runs right after the rows are gone, before any
// playback follows, so a view can catch up. Returns true when anything was removed.
bool RemoveSelected(Playlist& playlist, Transport& transport, const std::vector<int>& rows,
                    const std::function<void()>& rowsChanged = {});

// "全てｸﾘｱ": every row goes, playback stops, the current index returns to 0.
void ClearAll(Playlist& playlist, Transport& transport,
              const std::function<void()>& rowsChanged = {});

}  // namespace velk::app
