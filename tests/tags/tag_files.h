// Byte-level builders for the files the tag tests work on: MPEG audio, RIFF containers, INFO
// lists, ID3 and Lyrics3 tags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "velk.h"

namespace velk::test {

using Bytes = std::vector<uint8_t>;

// `frames` silent MPEG-1 Layer III frames at 128 kbit/s, 44.1 kHz: the audio of most tests.
Bytes mpegAudio(int frames = 20);

Bytes operator+(Bytes a, const Bytes& b);
Bytes text(const std::string& s);

void appendLe32(Bytes& out, uint32_t value);
uint32_t le32At(const Bytes& bytes, size_t at);

// A chunk: id, size (`size` when given, else the data length), data, pad byte for odd data.
Bytes chunk(const std::string& id, const Bytes& data, int64_t size = -1);
// "fmt " chunk with a wave format of this tag (18 bytes).
Bytes formatChunk(uint16_t formatTag, uint16_t channels = 2, uint32_t rate = 44100,
                  uint16_t bits = 16);
// "RIFF", size of the rest, form, then the chunks.
Bytes riff(const std::string& form, const Bytes& chunks);
// "LIST" "INFO" holding the given subchunks.
Bytes infoList(const Bytes& subchunks);
// An INFO text subchunk: the text and its NUL.
Bytes infoText(const std::string& id, const std::string& value);

// An ID3v1 block with these fields (each padded with spaces) and genre byte.
Bytes id3v1(const std::string& title, const std::string& artist = "", uint8_t genre = 12);
// An ID3v2 header with a body of `bodySize` zero bytes.
Bytes id3v2(uint32_t bodySize);
// An ID3v2 tag of this major version and header flags around `body` (frames, padding).
Bytes id3v2Tag(const Bytes& body, uint8_t major = 3, uint8_t flags = 0);
// A Lyrics3 version 2 block with a "LYR" field.
Bytes lyrics3(const std::string& lyrics);

// The tail of `bytes` from `offset`.
Bytes tail(const Bytes& bytes, size_t offset);
bool endsWith(const Bytes& bytes, const Bytes& end);
// Offset of the first `needle` in `bytes`, or -1.
int64_t find(const Bytes& bytes, const std::string& needle, size_t from = 0);

}  // namespace velk::test
