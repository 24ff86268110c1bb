// Turning the lyrics table back into text, and converting its times between the Normal and the
// WinAmp time scale.
#pragma once

#include <cstdint>
#include <string>

#include "tags/lyrics_table.h"

namespace velk {

// The "LYR" text of a Lyrics3 block: CR LF between lines and a "[mm:ss:cc]" tag before every
// timed row, lead-in rows included (so each line ends with the next line's lead-in tag).
std::string lyricsTagText(const LyricsTable& table);

// A lyrics text file: LF between lines and at the end, a tag before every timed row; lead-in
// rows are left out.
std::string lyricsFileText(const LyricsTable& table);

// Maps every row time through samples at `sampleRate` and back (both truncated), then scales it
// from the Normal to the WinAmp time scale (`toWinAmp`) or back.
void convertRowTimes(LyricsTable& table, int32_t sampleRate, bool toWinAmp);

}  // namespace velk
