// What a window of the player hears from the session. Every event has an empty default, so a
// window overrides only what it shows.
#pragma once

#include <string>

#include "core/playlist_entry.h"

namespace velk::app {

enum class PlaylistChange {
    kRows,        // rows came, went or were reordered
    kContents,    // flags or the current row changed; the rows stayed
    kCurrentRow,  // the current row is to be brought into view
};

class SessionListener {
  public:
    virtual ~SessionListener() = default;
    virtual void SongStarted(const PlaylistEntry&) {}
    virtual void Paused() {}
    virtual void Resumed() {}
    virtual void Stopped() {}
    // The song played to its end (the next one may follow at once).
    virtual void SongEnded() {}
    // The position to show, in seconds from the song's start.
    virtual void PositionChanged(int) {}
    virtual void TitleChanged(const std::string&) {}
    // The engine state or the play/pause caption changed: buttons and time display follow.
    virtual void TransportChanged() {}
    virtual void PlaylistChanged(PlaylistChange) {}
    // Rows were appended at the end, from `firstRow` on.
    virtual void RowsAppended(int) {}
    virtual void SettingsApplied() {}
    // The sleep timer was armed or disarmed from the options.
    virtual void SleepTimerArmed() {}
    // The playing song was moved to another position.
    virtual void Repositioned() {}
    // The main window went to the tray; floating windows may come into view instead.
    virtual void MainWindowMinimised() {}
    // Favourites were added, renamed, reordered or removed, or another one became current.
    virtual void FavouritesChanged() {}
    // The playing song's lyrics were saved and loaded again; `hasLyrics` is false when they are
    // gone.
    virtual void LyricsReloaded(bool /*hasLyrics*/) {}
};

}  // namespace velk::app
