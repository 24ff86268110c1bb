#include "core/player_session.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <utility>

#include "core/display_name.h"
#include "core/playlist_actions.h"
#include "core/speed_pitch.h"

namespace velk::app {

namespace {

// While files arrive, the window catches up and takes its events this often: often enough to
// stay responsive and to end within a second when asked, rarely enough to cost nothing.
constexpr auto kPumpInterval = std::chrono::milliseconds(50);
constexpr auto kBulkPumpInterval = std::chrono::milliseconds(250);

}  // namespace

PlayerSession::PlayerSession(PlayerEngine& engine, SessionHost& host, const SessionOptions& options)
    : engine_(engine),
      host_(host),
      options_(options),
      store_(options.profileFolder + "/velkaro.INI"),
      settings_(LoadAll(store_, options.systemWindowColour)),
      intake_(playlist_, engine),
      transport_(playlist_, engine, *this),
      favourites_(LoadFavourites(settings_.main, options.profileFolder)),
      alive_(std::make_shared<std::atomic<bool>>(true)) {
    intake_.hooks.beforeEachPath = [this] { CatchUpWhileAdding(); };
    intake_.hooks.rowAdded = [this](int row) {
        if (firstPendingRow_ < 0) firstPendingRow_ = row;
    };
    intake_.hooks.stopRequested = [this] { return quitting_.load(); };
    intake_.SetArchiveReader(&archives_);
    transport_.SetSongSources(&songSources_);
}

PlayerSession::~PlayerSession() {
    *alive_ = false;
}

void PlayerSession::Subscribe(SessionListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void PlayerSession::Unsubscribe(SessionListener& listener) {
    std::erase(listeners_, &listener);
}

// A listener may subscribe or leave while it is told something; the others still hear it.
void PlayerSession::Emit(const std::function<void(SessionListener&)>& event) {
    const std::vector<SessionListener*> listeners = listeners_;
    for (SessionListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            event(*listener);
    }
}

void PlayerSession::SetActiveList(ActiveList* list) {
    transport_.SetActiveList(list ? *list : playlist_);
    RowsChanged();
}

void PlayerSession::ApplySettings() {
    const MainWindowSettings& m = settings_.main;
    transport_.flags.loop = m.loop;
    transport_.flags.random = m.random;
    transport_.flags.silentSkip = m.silentSkip;
    transport_.flags.timeType = m.timeType;
    transport_.flags.useLyrics3 = settings_.lyrics.lyrics3;
    intake_.options.nameType = m.nameType;
    intake_.options.highMode = m.highMode;
    engine_.SetFades(m.fadeIn, m.fadeOut);
    engine_.SetPlaySpeed(SpeedMultiplier(m.speed));
    engine_.SetPitch(PitchPercent(m.pitch));
    for (int i = 0; i < playlist_.Count(); ++i) {
        PlaylistEntry& entry = playlist_.Entry(i);
        entry.displayName = MakeDisplayName(entry, m.nameType);
    }
    Emit([](SessionListener& l) { l.SettingsApplied(); });
    RowsChanged();
    UpdateTimeDisplay();
}

// ---- Favourites -----------------------------------------------------------------------------

void PlayerSession::LoadSelectedFavourite() {
    const int found = FindFavourite(favourites_, settings_.main.selectFavorite);
    currentFavourite_ = found >= 0 ? found : 0;
    if (!favourites_.empty())
        LoadCurrentFavourite(ReadFavouriteLines(favourites_[currentFavourite_]));
}

// The window may end the player while the lines arrive (its events run between them), so the
// lines still to come are known to a save at every moment.
void PlayerSession::LoadCurrentFavourite(std::vector<std::string> lines) {
    DropPendingLines();
    AddFavouriteLines(lines);
}

void PlayerSession::AddFavouriteLines(const std::vector<std::string>& lines) {
    pendingFavouriteLines_.insert(pendingFavouriteLines_.end(), lines.begin(), lines.end());
    for (size_t i = firstPendingLine_; i < pendingFavouriteLines_.size() && !quitting_; ++i) {
        const std::string line = pendingFavouriteLines_[i];
        const int before = playlist_.Count();
        intake_.AddPath(line, false);
        // A line the quit request stopped before it became a row stays pending.
        if (!quitting_ || playlist_.Count() != before) firstPendingLine_ = i + 1;
    }
    if (firstPendingLine_ >= pendingFavouriteLines_.size()) DropPendingLines();
    FinishAdding();
}

std::vector<std::string> PlayerSession::CurrentFavouriteLines() const {
    std::vector<std::string> lines = FavouriteLines(playlist_);
    if (firstPendingLine_ < pendingFavouriteLines_.size())
        lines.insert(lines.end(), pendingFavouriteLines_.begin() + firstPendingLine_,
                     pendingFavouriteLines_.end());
    return lines;
}

void PlayerSession::SwitchFavourite(int index) {
    if (index < 0 || index >= static_cast<int>(favourites_.size())) return;
    if (index == currentFavourite_) return;
    playlist_.ClearSortArrows();
    SaveCurrentFavourite();
    ClearAll();
    currentFavourite_ = index;
    playlist_.SetCurrentIndex(0);
    FavouritesChanged();
    LoadCurrentFavourite(ReadFavouriteLines(favourites_[index]));
}

void PlayerSession::ArmSleepTimer(int limitMinutes, int kind) {
    sleep_.Arm(limitMinutes, kind);
    Emit([](SessionListener& l) { l.SleepTimerArmed(); });
}

SleepStep PlayerSession::SleepTick(bool counting, const std::string& productName) {
    SleepStep step = sleep_.Tick(counting, productName);
    if (!step.due) return step;
    transport_.Stop();
    const char* verb = SystemctlVerbOfSleepKind(step.kind);
    if (!verb) return step;
    SaveCurrentFavourite();
    step.refused = !power_->Run(verb);
    return step;
}

void PlayerSession::SaveCurrentFavourite() {
    if (options_.readOnly) return;
    if (currentFavourite_ < 0 || currentFavourite_ >= static_cast<int>(favourites_.size())) return;
    WriteFavouriteLines(favourites_[currentFavourite_].path, CurrentFavouriteLines());
}

void PlayerSession::WriteFavouriteKeysNow() {
    settings_.main.favourites = favourites_;
    if (currentFavourite_ >= 0 && currentFavourite_ < static_cast<int>(favourites_.size()))
        settings_.main.selectFavorite = favourites_[currentFavourite_].name;
    if (!options_.readOnly) WriteFavouriteKeys(store_, settings_.main);
}

bool PlayerSession::NewFavourite(const std::string& name) {
    if (FindFavourite(favourites_, name) >= 0) return false;
    // The list about to be emptied still belongs to the old favourite.
    SaveCurrentFavourite();
    favourites_.push_back({name, FavouritePath(options_.profileFolder, name)});
    ClearAll();
    DropPendingLines();
    currentFavourite_ = static_cast<int>(favourites_.size()) - 1;
    WriteFavouriteKeysNow();
    FavouritesChanged();
    UpdateButtons();
    return true;
}

bool PlayerSession::AppendToFavourite(int index, const std::vector<std::string>& paths) {
    if (options_.readOnly || index < 0 || index >= static_cast<int>(favourites_.size()))
        return false;
    if (index != currentFavourite_) return AppendFavouriteLines(favourites_[index].path, paths);
    AddFavouriteLines(paths);
    SaveCurrentFavourite();
    return true;
}

std::vector<FavouriteDraft> PlayerSession::FavouriteDrafts() const {
    std::vector<FavouriteDraft> drafts;
    for (size_t i = 0; i < favourites_.size(); ++i) {
        FavouriteDraft draft{favourites_[i].name, {}};
        draft.lines = static_cast<int>(i) == currentFavourite_ ? CurrentFavouriteLines()
                                                               : ReadFavouriteLines(favourites_[i]);
        drafts.push_back(std::move(draft));
    }
    return drafts;
}

void PlayerSession::ReplaceFavourites(const std::vector<FavouriteDraft>& drafts) {
    transport_.Stop();
    std::error_code ec;
    if (!options_.readOnly) {
        for (const auto& favourite : favourites_) std::filesystem::remove(favourite.path, ec);
    }
    ClearAll();
    DropPendingLines();
    favourites_.clear();
    // The playlist always belongs to a favourite, so removing them all leaves the default one.
    const std::vector<FavouriteDraft> kept =
        drafts.empty() ? std::vector<FavouriteDraft>{{kDefaultFavouriteName, {}}} : drafts;
    for (const auto& draft : kept) {
        favourites_.push_back({draft.name, FavouritePath(options_.profileFolder, draft.name)});
        if (!options_.readOnly) WriteFavouriteLines(favourites_.back().path, draft.lines);
    }
    currentFavourite_ = 0;
    WriteFavouriteKeysNow();
    FavouritesChanged();
    LoadCurrentFavourite(kept.front().lines);
    playlist_.SetCurrentIndex(0);
}

// ---- Playlist ---------------------------------------------------------------------------------

// Rows appended since the last catch-up are announced in one go, then the window may run.
void PlayerSession::CatchUpWhileAdding() {
    const auto now = host_.Now();
    const auto interval = intake_.options.highMode ? kBulkPumpInterval : kPumpInterval;
    if (now - lastPump_ < interval) return;
    lastPump_ = now;
    if (firstPendingRow_ >= 0 && !intake_.options.highMode) {
        const int first = std::exchange(firstPendingRow_, -1);
        Emit([first](SessionListener& l) { l.RowsAppended(first); });
    }
    host_.PumpEvents();
}

void PlayerSession::FinishAdding() {
    if (firstPendingRow_ >= 0) {
        const int first = std::exchange(firstPendingRow_, -1);
        if (intake_.options.highMode || first > playlist_.Count()) {
            RowsChanged();
        } else {
            Emit([first](SessionListener& l) { l.RowsAppended(first); });
        }
    }
    UpdateButtons();
}

void PlayerSession::AddLines(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        if (quitting_) break;
        intake_.AddPath(line, false);
    }
    FinishAdding();
}

void PlayerSession::AddDropped(const std::vector<std::string>& items) {
    intake_.AddDropped(items);
    FinishAdding();
    SaveCurrentFavourite();
}

void PlayerSession::RemoveRows(const std::vector<int>& rows) {
    firstPendingRow_ = -1;
    RemoveSelected(playlist_, transport_, rows, [this] { RowsChanged(); });
    UpdateButtons();
}

void PlayerSession::ClearAll() {
    firstPendingRow_ = -1;
    velk::app::ClearAll(playlist_, transport_, [this] { RowsChanged(); });
}

void PlayerSession::SortByColumn(int column) {
    playlist_.SortByColumn(column);
    RowsChanged();
}

std::vector<int> PlayerSession::MoveRows(const std::vector<int>& rows, int direction) {
    auto moved = playlist_.MoveRows(rows, direction);
    RedrawList();
    return moved;
}

void PlayerSession::RowsEdited(ActiveList& list, const std::vector<int>& rows) {
    const bool active = &list == &transport_.List();
    for (int row : rows) {
        if (row < 0 || row >= list.Count()) continue;
        PlaylistEntry& entry = list.Entry(row);
        entry.displayName = MakeDisplayName(entry, settings_.main.nameType);
        if (active && row == list.CurrentIndex() && transport_.EngineState() != kEngineStopped)
            ShowTitle(TitleDisplayText(entry));
    }
    RedrawList();
}

bool PlayerSession::HandOver(const std::string& path) {
    if (IsAdding()) return false;
    if (path.empty()) return true;
    currentFavourite_ = 0;
    ClearAll();
    DropPendingLines();
    FavouritesChanged();
    AddLines({path});
    transport_.PlayCurrent(true);
    return true;
}

// ---- Transport ----------------------------------------------------------------------------------

void PlayerSession::ClockTick() {
    transport_.ClockTick();
}

void PlayerSession::SongEndTick() {
    Emit([](SessionListener& l) { l.SongEnded(); });
    transport_.AdvanceAfterEnd();
}

void PlayerSession::SetSpeedIndex(int index) {
    settings_.main.speed = std::clamp(index, 0, kSpeedCount - 1);
    engine_.SetPlaySpeed(SpeedMultiplier(settings_.main.speed));
}

void PlayerSession::SetPitchIndex(int index) {
    settings_.main.pitch = std::clamp(index, 0, kPitchCount - 1);
    engine_.SetPitch(PitchPercent(settings_.main.pitch));
}

void PlayerSession::SetVolume(int level) {
    engine_.SetVolume(level, level);
}

void PlayerSession::Shutdown(int volume) {
    if (shutDown_) return;
    shutDown_ = true;
    quitting_ = true;
    transport_.IgnoreEndNotices();
    host_.SetClockRunning(false);
    engine_.Stop();
    engine_.RegisterEndNotice(nullptr);  // no notice may reach a session that is going away
    engine_.SetVolume(volume, volume);
    transport_.CloseSong();
    settings_.main.loop = transport_.flags.loop;
    settings_.main.random = transport_.flags.random;
    settings_.main.favourites = favourites_;
    if (currentFavourite_ >= 0 && currentFavourite_ < static_cast<int>(favourites_.size()))
        settings_.main.selectFavorite = favourites_[currentFavourite_].name;
    if (options_.readOnly) return;
    SaveOnExit(store_, settings_);
    SaveCurrentFavourite();
}

// ---- TransportHost ----------------------------------------------------------------------------

void PlayerSession::SetPauseCaption(bool) {
    Emit([](SessionListener& l) { l.TransportChanged(); });
}

void PlayerSession::SetSliderPosition(int seconds) {
    Emit([seconds](SessionListener& l) { l.PositionChanged(seconds); });
}

void PlayerSession::ShowTitle(const std::string& text) {
    title_ = text;
    Emit([&text](SessionListener& l) { l.TitleChanged(text); });
}

void PlayerSession::UpdateTimeDisplay() {
    Emit([](SessionListener& l) { l.TransportChanged(); });
}

void PlayerSession::UpdateButtons() {
    Emit([](SessionListener& l) { l.TransportChanged(); });
}

void PlayerSession::ShowCurrentRow() {
    Emit([](SessionListener& l) { l.PlaylistChanged(PlaylistChange::kCurrentRow); });
}

void PlayerSession::RedrawList() {
    Emit([](SessionListener& l) { l.PlaylistChanged(PlaylistChange::kContents); });
}

// Runs on the engine's thread: only hands the event over to the session's own thread.
void PlayerSession::EndNoticeArrived() {
    host_.PostToOwner([this, alive = alive_] {
        if (*alive && transport_.Playing()) SongEndTick();
    });
}

void PlayerSession::SongStarted(const PlaylistEntry& entry) {
    Emit([&entry](SessionListener& l) { l.SongStarted(entry); });
}

void PlayerSession::Paused() {
    Emit([](SessionListener& l) { l.Paused(); });
}

void PlayerSession::Resumed() {
    Emit([](SessionListener& l) { l.Resumed(); });
}

void PlayerSession::Stopped() {
    Emit([](SessionListener& l) { l.Stopped(); });
}

void PlayerSession::Repositioned() {
    Emit([](SessionListener& l) { l.Repositioned(); });
}

void PlayerSession::MainWindowMinimised() {
    Emit([](SessionListener& l) { l.MainWindowMinimised(); });
}

void PlayerSession::LyricsSaved(int row, const std::string& lyricsMark, const std::string& text) {
    ActiveList& list = transport_.List();
    if (row < 0 || row >= list.Count()) return;
    list.Entry(row).lyricsMark = lyricsMark;
    Emit([](SessionListener& l) { l.PlaylistChanged(PlaylistChange::kContents); });
    const int state = engine_.State(nullptr);
    if (row != list.CurrentIndex() || (state != kEnginePlaying && state != kEnginePaused)) return;
    engine_.ReloadLyrics(text);
    const bool hasLyrics = !text.empty();
    Emit([hasLyrics](SessionListener& l) { l.LyricsReloaded(hasLyrics); });
}

bool PlayerSession::SongHasLyrics() {
    constexpr int kLyrics3Flag = 32;  // FileTypeFlags: a Lyrics3 block
    if (transport_.LyricsFileLoaded()) return true;
    ActiveList& list = transport_.List();
    if (!list.HasCurrent()) return false;
    return (engine_.FileType(list.Entry(list.CurrentIndex()).path) & kLyrics3Flag) != 0;
}

}  // namespace velk::app
