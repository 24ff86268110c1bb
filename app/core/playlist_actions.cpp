#include "core/playlist_actions.h"

#include <algorithm>

namespace velk::app {

bool RemoveSelected(Playlist& playlist, Transport& transport, const std::vector<int>& rows,
                    const std::function<void()>& rowsChanged) {
    const bool wasPlaying = transport.EngineState() == kEnginePlaying;
    const bool currentSelected =
        std::find(rows.begin(), rows.end(), playlist.CurrentIndex()) != rows.end();
    const RemovalResult result = playlist.RemoveRows(rows);
    if (rowsChanged) rowsChanged();
    if (result.currentRemoved) transport.Stop();
    if (wasPlaying && playlist.Count() > 0 && currentSelected) transport.PlayCurrent(true);
    return result.removedAny;
}

void ClearAll(Playlist& playlist, Transport& transport, const std::function<void()>& rowsChanged) {
    playlist.Clear();
    if (rowsChanged) rowsChanged();
    transport.Stop();
}

}  // namespace velk::app
