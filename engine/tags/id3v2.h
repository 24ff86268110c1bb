// ID3v2 tags: only recognised and measured, so that the audio after them can be found.
#pragma once

#include <cstdint>

#include "file.h"

namespace velk {

constexpr size_t kId3v2HeaderSize = 10;

// True when the bytes begin with "ID3".
bool startsId3v2(const uint8_t* bytes);

// The whole tag's length (10 + size) when `header` starts an ID3v2 tag, else 0. Each of the
// four size bytes carries 7 bits; a set top bit is ignored rather than trusted.
int64_t id3v2Length(const uint8_t* header);

// The length of an ID3v2 tag at `offset` of `file`, 0 when there is none (or nothing to read).
int64_t id3v2Probe(const File& file, int64_t offset);

}  // namespace velk
