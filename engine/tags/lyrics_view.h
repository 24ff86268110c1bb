// Finding the current row of the lyrics table at a lyrics-clock time, and the view of the lines
// around it that the lyrics window draws.
#pragma once

#include <cstdint>

#include "tags/lyrics_settings.h"
#include "tags/lyrics_table.h"
#include "velk.h"

namespace velk {

// Whether row `index` takes part in finding the current row and in the joined texts.
bool isEligibleRow(const LyricsTable& table, const LyricsSettings& settings, size_t index);

// The current row at time `t`, or -1 before the first row. `lastReportedMs` is the play
// position the engine last reported: when the last row is not after it, the last row is current.
int findCurrentRow(const LyricsTable& table, const LyricsSettings& settings, int64_t t,
                   int64_t lastReportedMs);

// Fills `view` (zeroed first) around row `row`; a row of -1 leaves it zeroed.
void fillLyricsView(const LyricsTable& table, const LyricsSettings& settings, int row,
                    LyricsView& view);

}  // namespace velk
