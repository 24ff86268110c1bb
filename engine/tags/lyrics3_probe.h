// Finding the Lyrics3 version 2 block that sits before the ID3v1 tag (or at the very end).
#pragma once

#include <cstdint>

#include "file.h"

namespace velk {

inline constexpr int64_t kId3v1Length = 128;
// "LYRICSBEGIN" ahead of the fields; the 6 size digits and "LYRICS200" after them.
inline constexpr int64_t kLyrics3BeginLength = 11;
inline constexpr int64_t kLyrics3TrailerLength = 15;

struct Lyrics3Location {
    bool found = false;
    bool id3v1 = false;  // the last 128 bytes of the file begin with "TAG"
    int64_t start = 0;   // offset of "LYRICSBEGIN"
    int64_t length = 0;  // whole block: the size digits + 15; 0 when not found
};

// Looks at the end of an open file. The size digits are hostile: a block is reported only when
// they are six decimal digits naming a block that fits in the file and begins with "LYRICSBEGIN".
Lyrics3Location lyrics3Probe(const File& file, int64_t fileSize);

}  // namespace velk
