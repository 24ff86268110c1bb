// The Lyrics3 version 2 block in memory: parsing its fields into a Lyrics3Tag and building a
// block from one.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "velk.h"

namespace velk {

// Parses a whole block (from "LYRICSBEGIN" through "LYRICS200") into `tag`, zeroed first.
// Unknown field ids are skipped; a field longer than its capacity keeps what fits, cut on a
// character boundary. False, with `tag` zeroed, when the block is malformed: a bad marker, size
// digits that are not digits, or a field running past the block.
bool parseLyrics3Block(std::string_view block, Lyrics3Tag& tag);

// The block for `tag`: "LYRICSBEGIN", "IND" with its two flags, then "LYR", "INF", "AUT", "EAL",
// "EAR", "ETT", "IMG" (each written, empty ones with size 00000; text without trailing blanks
// and NULs), the six size digits and "LYRICS200".
std::vector<uint8_t> buildLyrics3Block(const Lyrics3Tag& tag);

}  // namespace velk
