#include "tag_files.h"

#include <algorithm>
#include <cstdio>

#include "support/mpeg_frames.h"

namespace velk::test {

Bytes mpegAudio(int frames) {
    return silentStream(HeaderFields{}, frames);
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

void appendLe32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t le32At(const Bytes& b, size_t at) {
    return static_cast<uint32_t>(b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16) |
           static_cast<uint32_t>(b.at(at + 3)) << 24;
}

Bytes chunk(const std::string& id, const Bytes& data, int64_t size) {
    Bytes out = text(id);
    appendLe32(out, static_cast<uint32_t>(size >= 0 ? size : static_cast<int64_t>(data.size())));
    out = out + data;
    if (data.size() & 1) out.push_back(0);
    return out;
}

Bytes formatChunk(uint16_t formatTag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes f;
    auto le16 = [&](uint16_t v) {
        f.push_back(static_cast<uint8_t>(v));
        f.push_back(static_cast<uint8_t>(v >> 8));
    };
    le16(formatTag);
    le16(channels);
    appendLe32(f, rate);
    appendLe32(f, rate * channels * bits / 8);
    le16(static_cast<uint16_t>(channels * bits / 8));
    le16(bits);
    le16(0);
    return chunk("fmt ", f);
}

Bytes riff(const std::string& form, const Bytes& chunks) {
    Bytes out = text("RIFF");
    appendLe32(out, static_cast<uint32_t>(chunks.size() + 4));
    return out + text(form) + chunks;
}

Bytes infoList(const Bytes& subchunks) {
    return chunk("LIST", text("INFO") + subchunks);
}

Bytes infoText(const std::string& id, const std::string& value) {
    Bytes data = text(value);
    data.push_back(0);
    return chunk(id, data);
}

Bytes id3v1(const std::string& title, const std::string& artist, uint8_t genre) {
    Bytes block(128, ' ');
    std::copy_n("TAG", 3, block.begin());
    std::copy(title.begin(), title.begin() + std::min<size_t>(title.size(), 30), block.begin() + 3);
    std::copy(artist.begin(), artist.begin() + std::min<size_t>(artist.size(), 30),
              block.begin() + 33);
    std::copy_n("2001", 4, block.begin() + 93);
    block[127] = genre;
    return block;
}

Bytes id3v2(uint32_t bodySize) {
    return id3v2Tag(Bytes(bodySize, 0));
}

Bytes id3v2Tag(const Bytes& body, uint8_t major, uint8_t flags) {
    Bytes out = text("ID3");
    out.insert(out.end(), {major, 0, flags});
    const auto size = static_cast<uint32_t>(body.size());
    for (int shift = 21; shift >= 0; shift -= 7) {
        out.push_back(static_cast<uint8_t>((size >> shift) & 0x7F));
    }
    return out + body;
}

Bytes lyrics3(const std::string& lyrics) {
    char size[8];
    std::snprintf(size, sizeof size, "%05zu", lyrics.size());
    const std::string body = "LYRICSBEGIN" + std::string("IND00002") + "10" + "LYR" + size + lyrics;
    char total[8];
    std::snprintf(total, sizeof total, "%06zu", body.size());
    return text(body + total + "LYRICS200");
}

Bytes tail(const Bytes& bytes, size_t offset) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(std::min(offset, bytes.size())),
                 bytes.end());
}

bool endsWith(const Bytes& bytes, const Bytes& end) {
    return bytes.size() >= end.size() &&
           std::equal(end.begin(), end.end(), bytes.end() - end.size());
}

int64_t find(const Bytes& bytes, const std::string& needle, size_t from) {
    auto it = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(),
                          needle.begin(), needle.end());
    return it == bytes.end() ? -1 : it - bytes.begin();
}

}  // namespace velk::test
