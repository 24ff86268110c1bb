// Files for the lyrics tests: MPEG audio with or without trailing tags, and small byte helpers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "velk.h"

namespace velk::test {

using Bytes = std::vector<uint8_t>;

// `frames` silent MPEG-1 Layer III frames, 128 kbit/s, 44.1 kHz.
Bytes silentAudio(int frames = 20);
Bytes bytesOf(const std::string& text);
Bytes joined(Bytes a, const Bytes& b);
// An ID3v1 block with this title, the other fields blank, genre 12.
Bytes id3v1WithTitle(const std::string& title);
// A raw Lyrics3 block: "LYRICSBEGIN", `fields` as given, the size digits and "LYRICS200".
Bytes rawLyrics3(const std::string& fields);
// The text of a Lyrics3 field: id, five size digits, data.
std::string field(const std::string& id, const std::string& data);
std::string lastBytes(const Bytes& bytes, size_t count);

// A zeroed Lyrics3Tag on the heap (it is some 180 KB).
std::unique_ptr<Lyrics3Tag> emptyLyrics3Tag();

}  // namespace velk::test
