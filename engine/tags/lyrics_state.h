// The engine's lyrics: settings, the table, and the clock source through which the current row
// follows the play position.
#pragma once

#include <string>
#include <string_view>

#include "file.h"
#include "tags/lyrics_clock.h"
#include "tags/lyrics_settings.h"
#include "tags/lyrics_table.h"
#include "velk.h"

namespace velk {

class LyricsState {
  public:
    LyricsSettings settings;
    LyricsTable table;

    // The playback side connects the clock here; tests drive it directly.
    void setPlayClock(PlayClockSource source) { clock_ = std::move(source); }
    bool hasPlayClock() const { return static_cast<bool>(clock_); }
    PlayClock playClock() const { return clock_ ? clock_() : PlayClock{}; }

    // Fills the table from a lyrics text file. 0, or 8 when it cannot be read.
    int loadFile(const std::string& path);
    // Fills the table from the text of a Lyrics3 "LYR" field.
    void loadTagText(std::string_view text);
    // The open of an audio file: with lyrics3Use on, a Lyrics3 block replaces the table.
    void loadAtOpen(const File& file, int64_t fileSize);

    void setNextAdjust(int32_t ms);

    // The current row at the clock's time (stored in the table), -1 when there is none.
    // `clock` must have an open stream.
    int updateCurrentRow(const PlayClock& clock);

  private:
    PlayClockSource clock_;
};

}  // namespace velk
