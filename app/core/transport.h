// The transport rules: starting the current song, what follows the end of a song, Next,
// Previous, play/pause, stop, and the random cycle. Windowless: the window supplies a host.
#pragma once

#include <atomic>
#include <string>

#include "core/player_engine.h"
#include "core/playlist_entry.h"
#include "core/song_source.h"

namespace velk::app {

// What the rules ask of the window.
class TransportHost {
  public:
    virtual ~TransportHost() = default;
    virtual void StartClock() = 0;
    virtual void StopClock() = 0;
    // true: the play button reads "一時停止"; false: "再生".
    virtual void SetPauseCaption(bool paused) = 0;
    virtual void SetSliderPosition(int seconds) = 0;
    virtual void SetSliderMaximum(int seconds) = 0;
    virtual void ShowTitle(const std::string& text) = 0;
    virtual void UpdateTimeDisplay() = 0;
    virtual void UpdateButtons() = 0;
    // Scroll the current row into view and redraw the list.
    virtual void ShowCurrentRow() = 0;
    virtual void RedrawList() = 0;
    // Index of the first selected row, or -1.
    virtual int FirstSelectedRow() = 0;
    // The engine's end-of-song notice arrived (engine thread): start the advance timer.
    virtual void EndNoticeArrived() = 0;

    // True once the player is ending: a run of songs that fail to open stops at once.
    virtual bool Abandoned() { return false; }

    // What happened to the song, for whoever follows playback beside the window.
    virtual void SongStarted(const PlaylistEntry&) {}
    virtual void Paused() {}
    virtual void Resumed() {}
    virtual void Stopped() {}
    // The song was moved to another position.
    virtual void Repositioned() {}
};

struct TransportFlags {
    bool loop = true;
    bool random = false;
    bool silentSkip = false;
    int timeType = 0;
    bool useLyrics3 = true;  // the lyrics window's "Lyrics3" choice
    // The lyrics editor is shown: the current song repeats and nothing else is chosen.
    bool lyricsEdit = false;
};

class Transport {
  public:
    Transport(ActiveList& list, PlayerEngine& engine, TransportHost& host)
        : list_(&list), engine_(engine), host_(host) {}

    TransportFlags flags;

    void SetActiveList(ActiveList& list) { list_ = &list; }
    // Where archive members are played from; without it every row plays from its own path.
    void SetSongSources(SongSources* sources) { sources_ = sources; }
    ActiveList& List() { return *list_; }

    void PlayCurrent(bool chooseRandom);
    void AdvanceAfterEnd();
    void PlayPause();
    void Stop();
    // Closes the engine's file and lets go of whatever was made to play it.
    void CloseSong();
    void Next();
    void Previous();
    // A double-click on a row: exactly that row plays, random or not.
    void PlayRow(int row);
    // Before Next, Previous and a fresh play: with random on and every entry played, a new cycle.
    void ResetPlayedIfNeeded();

    int EngineState() { return engine_.State(nullptr); }
    // The play button shows "一時停止".
    bool ShowsPause() const { return showsPause_; }

    // The 1000 ms clock tick: time display and slider.
    void ClockTick();
    // The slider was released at `seconds` (relative to the song's start).
    void SeekTo(int seconds);
    // The 100 ms check of archive members, which end by position, not by the engine.
    void CheckMemberEnd();
    // The time display's text for the current state ("" when stopped).
    std::string TimeText();
    // Where the open song begins in the opened file, in whole seconds.
    int OpenStartSeconds() const { return openStart_; }
    // Whether the lyrics file beside the current song was loaded.
    bool LyricsFileLoaded() const { return lyricsFileLoaded_; }
    // From the start of a song until Stop: the engine's end-of-song notice is honoured only
    // then. Written on the window thread, read on the engine's.
    bool Playing() const { return playing_.load(); }
    // The player is ending: a notice already on its way is dropped.
    void IgnoreEndNotices() { playing_ = false; }

  private:
    enum class StartResult { Started, NothingToStart, OpenFailed };
    enum class AfterEnd { Stopped, PlayNext };
    StartResult StartSong(bool chooseRandom);
    AfterEnd StepAfterEnd();
    bool ChooseRandomIndex();
    bool AllPlayed();
    bool AllFailed();

    SongSources* sources_ = nullptr;
    // Where the open song begins in the opened file, in seconds.
    int openStart_ = 0;
    ActiveList* list_;
    PlayerEngine& engine_;
    TransportHost& host_;
    bool showsPause_ = false;
    bool lyricsFileLoaded_ = false;
    std::atomic<bool> playing_{false};
};

// True when an archive member, opened with its start at `startSeconds`, has played its length
// at engine position `position`.
bool MemberSongEnded(const PlaylistEntry& entry, int position, int startSeconds);

}  // namespace velk::app
