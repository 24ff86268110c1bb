#include "core/transport.h"

#include <algorithm>
#include <ctime>
#include <random>

#include "core/display_name.h"
#include "core/lyrics_side_file.h"
#include "core/time_text.h"

namespace velk::app {

bool MemberSongEnded(const PlaylistEntry& entry, int position, int startSeconds) {
    return entry.isMember() && position - startSeconds >= entry.length;
}

void Transport::CloseSong() {
    engine_.Close();
    if (sources_) sources_->Release();
    openStart_ = 0;
}

bool Transport::AllPlayed() {
    for (int i = 0; i < list_->Count(); ++i) {
        if (!list_->Entry(i).played) return false;
    }
    return true;
}

bool Transport::AllFailed() {
    for (int i = 0; i < list_->Count(); ++i) {
        if (!list_->Entry(i).failed) return false;
    }
    return true;
}

void Transport::ResetPlayedIfNeeded() {
    if (!flags.random || !AllPlayed()) return;
    for (int i = 0; i < list_->Count(); ++i) list_->Entry(i).played = false;
    host_.RedrawList();
}

bool Transport::ChooseRandomIndex() {
    if (AllPlayed()) {
        if (!flags.loop) return false;
        for (int i = 0; i < list_->Count(); ++i) list_->Entry(i).played = false;
    }
    std::minstd_rand generator(static_cast<unsigned>(std::time(nullptr)));
    int index;
    do {
        index = static_cast<int>(generator() % static_cast<unsigned>(list_->Count()));
    } while (list_->Entry(index).played);
    list_->SetCurrentIndex(index);
    return true;
}

Transport::StartResult Transport::StartSong(bool chooseRandom) {
    host_.StopClock();
    if (engine_.State(nullptr) == kEnginePlaying) engine_.Pause();
    CloseSong();

    showsPause_ = true;
    host_.SetPauseCaption(true);
    host_.SetSliderPosition(0);
    host_.ShowTitle("");
    host_.UpdateTimeDisplay();

    if (list_->Count() == 0 || (!flags.random && list_->CurrentIndex() >= list_->Count())) {
        host_.UpdateButtons();
        return StartResult::NothingToStart;
    }
    if (chooseRandom && flags.random && !flags.lyricsEdit && !ChooseRandomIndex()) {
        showsPause_ = false;
        host_.SetPauseCaption(false);
        host_.UpdateButtons();
        return StartResult::NothingToStart;
    }
    if (!list_->HasCurrent()) list_->SetCurrentIndex(0);
    const int index = list_->CurrentIndex();
    PlaylistEntry& entry = list_->Entry(index);
    entry.played = true;
    host_.ShowCurrentRow();

    playing_ = true;
    engine_.RegisterEndNotice([this] {
        if (playing_) host_.EndNoticeArrived();
    });

    const std::string lyricsFile = FindLyricsFile(entry.path, entry.memberName);
    lyricsFileLoaded_ = engine_.PrepareLyrics(lyricsFile, flags.useLyrics3);
    const LyricsTiming timing = ReadLyricsTiming(lyricsFile);

    const SongSource source = sources_ ? sources_->Acquire(entry) : DirectSource(entry);
    if (source.path.empty() || !engine_.Open(source.path)) {
        if (sources_) sources_->Release();
        entry.failed = true;
        return StartResult::OpenFailed;
    }
    openStart_ = source.startSeconds;
    const bool played = engine_.Play();
    if (entry.isMember()) engine_.Seek(openStart_);
    engine_.SetLyricsTiming(timing.offsetMs + openStart_ * 1000, timing.timeRatio);

    host_.UpdateTimeDisplay();
    host_.ShowTitle(TitleDisplayText(entry));
    host_.SetSliderMaximum(entry.length);
    host_.StartClock();

    if (flags.silentSkip && entry.frames > 0) {
        const int silent = engine_.SilentFrameCount(source.path);
        const int skip =
            static_cast<int>(entry.length * (static_cast<double>(silent) / entry.frames));
        if (skip > 0) host_.SetSliderPosition(skip);
    }
    if (!played) {
        CloseSong();
        entry.failed = true;
        host_.RedrawList();
    } else if (entry.failed) {
        entry.failed = false;
        host_.RedrawList();
    }
    if (played) host_.SongStarted(entry);
    host_.UpdateButtons();
    return StartResult::Started;
}

Transport::AfterEnd Transport::StepAfterEnd() {
    CloseSong();
    if (list_->Count() == 0 || AllFailed()) {
        host_.RedrawList();
        Stop();
        return AfterEnd::Stopped;
    }
    if (flags.lyricsEdit) {
        // The edited song plays again; one that cannot be opened would fail for ever.
        if (list_->HasCurrent() && list_->Entry(list_->CurrentIndex()).failed) {
            Stop();
            return AfterEnd::Stopped;
        }
        return AfterEnd::PlayNext;
    }
    if (list_->CurrentIndex() + 1 >= list_->Count() && !flags.random) {
        list_->SetCurrentIndex(0);
        if (!flags.loop) {
            Stop();
            return AfterEnd::Stopped;
        }
        return AfterEnd::PlayNext;
    }
    list_->SetCurrentIndex(list_->CurrentIndex() + 1);
    return AfterEnd::PlayNext;
}

// A song that fails to open moves on to the next one; this loop does what a chain of nested
// calls would, without growing the stack over a long run of unreadable files.
void Transport::PlayCurrent(bool chooseRandom) {
    while (StartSong(chooseRandom) == StartResult::OpenFailed) {
        if (host_.Abandoned() || StepAfterEnd() == AfterEnd::Stopped) {
            host_.UpdateButtons();
            return;
        }
        chooseRandom = true;
    }
}

void Transport::AdvanceAfterEnd() {
    if (StepAfterEnd() == AfterEnd::PlayNext) PlayCurrent(true);
}

void Transport::PlayPause() {
    if (showsPause_) {
        showsPause_ = false;
        host_.SetPauseCaption(false);
        engine_.Pause();
        host_.StopClock();
        host_.Paused();
        return;
    }
    showsPause_ = true;
    host_.SetPauseCaption(true);
    if (engine_.State(nullptr) == kEnginePaused) {
        engine_.Restart();
        host_.StartClock();
        host_.Resumed();
        return;
    }
    const int selected = host_.FirstSelectedRow();
    if (selected >= 0) list_->SetCurrentIndex(selected);
    ResetPlayedIfNeeded();
    PlayCurrent(true);
}

void Transport::Stop() {
    playing_ = false;
    host_.StopClock();
    engine_.Stop();
    host_.SetSliderPosition(0);
    CloseSong();
    // The lyrics editor keeps showing which song it edits.
    if (!flags.lyricsEdit) host_.ShowTitle("");
    host_.UpdateTimeDisplay();
    showsPause_ = false;
    host_.SetPauseCaption(false);
    host_.UpdateButtons();
    host_.Stopped();
}

void Transport::Next() {
    const int current = list_->CurrentIndex();
    list_->SetCurrentIndex(current < list_->Count() - 1 ? current + 1 : 0);
    ResetPlayedIfNeeded();
    PlayCurrent(true);
}

void Transport::Previous() {
    const int current = list_->CurrentIndex();
    list_->SetCurrentIndex(current > 0 ? current - 1 : list_->Count() - 1);
    ResetPlayedIfNeeded();
    PlayCurrent(true);
}

void Transport::PlayRow(int row) {
    if (row < 0 || row >= list_->Count()) return;
    list_->SetCurrentIndex(row);
    host_.RedrawList();
    PlayCurrent(false);
}

void Transport::ClockTick() {
    host_.UpdateTimeDisplay();
    int position = 0;
    engine_.State(&position);
    if (list_->HasCurrent()) {
        host_.SetSliderPosition(position - openStart_);
    }
}

void Transport::SeekTo(int seconds) {
    const PlaylistEntry* entry =
        list_->HasCurrent() ? &list_->Entry(list_->CurrentIndex()) : nullptr;
    const int start = openStart_;
    // A paused song stays paused: at its very end the engine would finish it, and the next song
    // would start although play was never pressed.
    if (entry && entry->length > 0 && engine_.State(nullptr) == kEnginePaused) {
        seconds = std::min(seconds, entry->length - 1);
    }
    engine_.Seek(start + std::max(seconds, 0));
    host_.Repositioned();
}

void Transport::CheckMemberEnd() {
    if (!list_->HasCurrent()) return;
    int position = 0;
    if (engine_.State(&position) != kEnginePlaying) return;
    if (MemberSongEnded(list_->Entry(list_->CurrentIndex()), position, openStart_))
        AdvanceAfterEnd();
}

std::string Transport::TimeText() {
    int position = 0;
    const int state = engine_.State(&position);
    if (state != kEnginePlaying && state != kEnginePaused) return {};
    if (!list_->HasCurrent()) return FormatTime(position);
    const PlaylistEntry& entry = list_->Entry(list_->CurrentIndex());
    return TimeDisplayText(flags.timeType, position, openStart_, entry.length);
}

}  // namespace velk::app
