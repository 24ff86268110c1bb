// The "@" header lines of lyrics text ("@Title=...", "@Offset=500", ...) and LyricsHeader.
#pragma once

#include <cstdint>
#include <string_view>

#include "tags/lyrics_text_scan.h"
#include "velk.h"

namespace velk {

inline constexpr uint32_t kNoHeaderLine = 0xFFFFFFFFu;

// Zeroes the record and marks every key as absent (line number -1).
void resetLyricsHeader(LyricsHeader& header);

// Parses `line` (which begins with "@") as "@key=value"; true when the key was recognised and
// its value stored together with `lineNumber`.
bool parseLyricsHeaderLine(std::string_view line, uint32_t lineNumber, TextEncoding encoding,
                           LyricsHeader& header);

}  // namespace velk
