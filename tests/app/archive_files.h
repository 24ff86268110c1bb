// Test archives and the mp3 members that go into them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velk::app::test {

struct ZipMember {
    std::string name;  // UTF-8
    std::vector<uint8_t> data;
    bool deflate = false;
};

// Writes a zip archive, stored and deflated members side by side (libarchive's writer takes
// one method for a whole archive).
void WriteZip(const std::string& path, const std::vector<ZipMember>& members);

// Silent MPEG-1 Layer III frames at 128 kbit/s, 44.1 kHz: `seconds` × 16000 bytes, which the
// constant-bit-rate estimate reads as exactly that many seconds.
std::vector<uint8_t> CbrMember(int seconds);
// One frame carrying a Xing header with `frames` frames, followed by a few silent frames.
std::vector<uint8_t> XingMember(uint32_t frames);
// Appends an ID3v1 tag with these (Shift-JIS) texts.
std::vector<uint8_t> WithId3v1(std::vector<uint8_t> audio, const std::string& title,
                               const std::string& artist);
// Puts an ID3v2.3 tag with a TIT2 and a TPE1 frame (ISO-8859-1 texts) in front.
std::vector<uint8_t> WithId3v2(const std::vector<uint8_t>& audio, const std::string& title,
                               const std::string& artist);

}  // namespace velk::app::test
