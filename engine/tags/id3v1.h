// ID3v1 tags: the 128-byte block at the end of a file, its reading into the caller's records
// and its building from them.
#pragma once

#include <array>
#include <cstdint>

#include "file.h"
#include "velk.h"

namespace velk {

constexpr size_t kId3v1Size = 128;
using Id3v1Block = std::array<uint8_t, kId3v1Size>;

bool isId3v1(const uint8_t* block);

// Fills `tag` (zeroed first) from a block that starts with "TAG". With `track`, the ID3v1.1
// track number is taken out of the comment (-1 when the block has none).
void parseId3v1(const Id3v1Block& block, Id3Tag& tag, int32_t* track = nullptr);
void parseId3v1(const Id3v1Block& block, Id3TagEx& tag);

// Reads the last 128 bytes of `file`; true with `block` filled when they are an ID3v1 tag.
bool readId3v1Block(const File& file, int64_t fileSize, Id3v1Block& block);

// The block written for `tag`; a `track` of 1..255 goes into comment bytes 28 and 29.
Id3v1Block buildId3v1(const Id3Tag& tag, int32_t track);

// "TAG", 124 spaces and the blank genre byte: what a RIFF file carries when it has no tag.
Id3v1Block blankId3v1();

// Copies the record's texts trimmed of trailing spaces, its year and genre: the open file's
// copy after a tag write.
void refreshFromRecord(const Id3Tag& from, Id3Tag& to);

}  // namespace velk
