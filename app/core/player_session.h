// The player as every window shares it: settings, the playlist and the active list, file
// intake, transport and the engine. Windows subscribe to its events and call its commands; no
// window calls another.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/favourites.h"
#include "core/file_intake.h"
#include "core/libarchive_reader.h"
#include "core/player_engine.h"
#include "core/player_settings.h"
#include "core/playlist.h"
#include "core/power_runner.h"
#include "core/session_listener.h"
#include "core/settings_store.h"
#include "core/sleep_timer.h"
#include "core/song_source.h"
#include "core/transport.h"

namespace velk::app {

// What the session needs of the program around it (Qt in the player, a stand-in in tests).
class SessionHost {
  public:
    virtual ~SessionHost() = default;
    // The 1000 ms clock that calls PlayerSession::ClockTick.
    virtual void SetClockRunning(bool running) = 0;
    // Runs `task` on the thread that owns the session; called from the engine's thread.
    virtual void PostToOwner(std::function<void()> task) = 0;
    // Lets pending window events run while many files arrive.
    virtual void PumpEvents() = 0;
    // The clock that paces those pumps.
    virtual std::chrono::steady_clock::time_point Now() { return std::chrono::steady_clock::now(); }
};

struct SessionOptions {
    std::string profileFolder;
    uint32_t systemWindowColour = 0xFFFFFF;  // 0x00BBGGRR
    // A picture run: nothing is written to the settings file or a favourite.
    bool readOnly = false;
};

class PlayerSession : private TransportHost {
  public:
    PlayerSession(PlayerEngine& engine, SessionHost& host, const SessionOptions& options);
    ~PlayerSession() override;
    PlayerSession(const PlayerSession&) = delete;
    PlayerSession& operator=(const PlayerSession&) = delete;

    void Subscribe(SessionListener& listener);
    void Unsubscribe(SessionListener& listener);

    PlayerEngine& Engine() { return engine_; }
    SettingsStore& Store() { return store_; }
    PlayerSettings& Settings() { return settings_; }
    const std::string& ProfileFolder() const { return options_.profileFolder; }
    // A picture run: settings and favourites are shown but never written.
    bool IsReadOnly() const { return options_.readOnly; }
    Playlist& MainList() { return playlist_; }
    // The list transport plays: the main playlist, or the explorer pane's list.
    ActiveList& Active() { return transport_.List(); }
    void SetActiveList(ActiveList* list);
    Transport& Player() { return transport_; }
    const FileIntake& Intake() const { return intake_; }

    // The first selected row of the window showing the active list (-1: none), for play.
    void SetSelectionSource(std::function<int()> source) { selection_ = std::move(source); }

    // Pushes the settings into transport, intake and the engine; every window hears it.
    void ApplySettings();

    // ---- Favourites ---------------------------------------------------------------------
    const std::vector<FavouriteRecord>& Favourites() const { return favourites_; }
    int CurrentFavourite() const { return currentFavourite_; }
    // Makes the favourite of "Select Favorite" current and loads its lines.
    void LoadSelectedFavourite();
    // Saves the playlist into the current favourite, then shows `index` instead.
    void SwitchFavourite(int index);
    void SaveCurrentFavourite();
    // Appends an empty favourite named `name` and makes it current (the old one saved first).
    // False when a favourite of that name exists.
    bool NewFavourite(const std::string& name);
    // Every favourite's name and lines: the current one from the playlist, the others from
    // their files.
    std::vector<FavouriteDraft> FavouriteDrafts() const;
    // "お気に入りに追加" of the explorer pane: `paths` go to the end of favourite `index`. The
    // current favourite's file is the playlist's, so there they become rows and the file is
    // saved from the playlist; any other favourite's file is appended to. False when nothing
    // could be written.
    bool AppendToFavourite(int index, const std::vector<std::string>& paths);
    // Stores `drafts` as the favourites, in their order, in place of all others, and loads the
    // first one.
    void ReplaceFavourites(const std::vector<FavouriteDraft>& drafts);

    // ---- Playlist -------------------------------------------------------------------------
    // Adds paths as the command line and playlists do.
    void AddLines(const std::vector<std::string>& lines);
    // Adds dropped files and folders, then saves the current favourite.
    void AddDropped(const std::vector<std::string>& items);
    void RemoveRows(const std::vector<int>& rows);
    void ClearAll();
    void SortByColumn(int column);
    std::vector<int> MoveRows(const std::vector<int>& rows, int direction);
    // A row's title or artist changed outside the session (tags rewritten).
    void RowsEdited(const std::vector<int>& rows) { RowsEdited(transport_.List(), rows); }
    // The same for rows of `list`, which may be a list that is not the active one.
    void RowsEdited(ActiveList& list, const std::vector<int>& rows);
    bool IsAdding() const { return intake_.IsAdding(); }
    // A second instance's command line: clear, add, play. False when it was dropped.
    bool HandOver(const std::string& path);

    // ---- Transport --------------------------------------------------------------------------
    void ClockTick();
    // The advance timer's tick after the engine's end notice.
    void SongEndTick();
    bool ShowsPause() const { return transport_.ShowsPause(); }
    int EngineState() { return transport_.EngineState(); }
    std::string TimeText() { return transport_.TimeText(); }
    const std::string& Title() const { return title_; }
    void SetSpeedIndex(int index);
    void SetPitchIndex(int index);
    void SetVolume(int level);
    // The current song has lyrics: a side file was loaded, or the file holds a Lyrics3 block.
    bool SongHasLyrics();
    // The lyrics editor saved `text` (the lyrics file's bytes) for the active list's `row`,
    // whose mark becomes `lyricsMark`; when that song is open its lyrics are loaded again.
    void LyricsSaved(int row, const std::string& lyricsMark, const std::string& text);
    // The main window reports that it was minimised.
    void MainWindowMinimised();

    // ---- Sleep timer -----------------------------------------------------------------------
    // Arms the timer (a limit of 0 disarms it); every window hears SleepTimerArmed.
    void ArmSleepTimer(int limitMinutes, int kind);
    const SleepTimer& Sleep() const { return sleep_; }
    // A minute of the armed timer (`counting`), or its first display. When the time is up it
    // stops playback and, for a power kind, saves the favourite and asks the system.
    SleepStep SleepTick(bool counting, const std::string& productName);
    // Tests put a stand-in here, so that nothing is powered off.
    void SetPowerRunner(PowerRunner& runner) { power_ = &runner; }

    // Ends any long add at once (a signal or the window closing during a drop). The flag may be
    // set from a signal handler.
    std::atomic<bool>& QuitFlag() { return quitting_; }
    // The exit steps: stop and close the engine, write the settings and the favourite.
    void Shutdown(int volume);

  private:
    // TransportHost
    void StartClock() override { host_.SetClockRunning(true); }
    void StopClock() override { host_.SetClockRunning(false); }
    void SetPauseCaption(bool) override;
    void SetSliderPosition(int seconds) override;
    void SetSliderMaximum(int) override {}
    void ShowTitle(const std::string& text) override;
    void UpdateTimeDisplay() override;
    void UpdateButtons() override;
    void ShowCurrentRow() override;
    void RedrawList() override;
    int FirstSelectedRow() override { return selection_ ? selection_() : -1; }
    void EndNoticeArrived() override;
    bool Abandoned() override { return quitting_; }
    void SongStarted(const PlaylistEntry& entry) override;
    void Paused() override;
    void Resumed() override;
    void Stopped() override;
    void Repositioned() override;

    void Emit(const std::function<void(SessionListener&)>& event);
    void FavouritesChanged() {
        Emit([](SessionListener& l) { l.FavouritesChanged(); });
    }
    // Loads the current favourite's lines; those a quit request leaves unread are kept for
    // its next save.
    void LoadCurrentFavourite(std::vector<std::string> lines);
    // Adds `lines` after the current favourite's rows and lines still pending.
    void AddFavouriteLines(const std::vector<std::string>& lines);
    std::vector<std::string> CurrentFavouriteLines() const;
    void DropPendingLines() {
        pendingFavouriteLines_.clear();
        firstPendingLine_ = 0;
    }
    // Writes "Favorite Count", the name/path pairs and "Select Favorite".
    void WriteFavouriteKeysNow();
    void CatchUpWhileAdding();
    void FinishAdding();
    void RowsChanged() {
        Emit([](SessionListener& l) { l.PlaylistChanged(PlaylistChange::kRows); });
    }

    PlayerEngine& engine_;
    SessionHost& host_;
    LibArchiveReader archives_;
    // Declared before the transport that plays from it, so it outlives it.
    ArchiveSongSources songSources_{archives_};
    SessionOptions options_;
    SettingsStore store_;
    PlayerSettings settings_;
    Playlist playlist_;
    FileIntake intake_;
    Transport transport_;
    std::vector<FavouriteRecord> favourites_;
    int currentFavourite_ = 0;
    // The current favourite's lines not yet in the playlist, from `firstPendingLine_` on: those
    // of a load in progress, or those a quit request left unread. Saving keeps them.
    std::vector<std::string> pendingFavouriteLines_;
    size_t firstPendingLine_ = 0;
    std::vector<SessionListener*> listeners_;
    std::function<int()> selection_;
    std::string title_;
    SleepTimer sleep_;
    SystemctlRunner systemctl_;
    PowerRunner* power_ = &systemctl_;
    std::atomic<bool> quitting_{false};
    int firstPendingRow_ = -1;
    std::chrono::steady_clock::time_point lastPump_{};
    bool shutDown_ = false;
    // Cleared when the session ends, so a notice already on its way finds nothing to do.
    std::shared_ptr<std::atomic<bool>> alive_;
};

}  // namespace velk::app
