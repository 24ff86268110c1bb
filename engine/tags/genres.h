// The genre table of ID3v1 tags: 256 names indexed by the genre byte.
#pragma once

#include <cstdint>

namespace velk {

constexpr int kGenreCount = 256;
// Written when a caller's genre lies outside the table.
constexpr uint8_t kGenreOutOfRange = 200;
// The genre byte of a blank ID3v1 block.
constexpr uint8_t kGenreBlank = 250;

// The name of genre `index` ("" for the unnamed entries), or nullptr outside 0..255.
const char* genreName(int64_t index);

}  // namespace velk
