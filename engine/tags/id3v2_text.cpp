#include "tags/id3v2_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "tags/id3v2.h"
#include "tags/text_codec.h"

namespace velk {
namespace {

constexpr uint8_t kTagUnsync = 0x80;
constexpr uint8_t kTagExtendedHeader = 0x40;
constexpr uint8_t kTagCompressedV22 = 0x40;

// Frame format flags (the second flag byte) of version 2.3 and of version 2.4.
constexpr uint8_t kV23Compressed = 0x80;
constexpr uint8_t kV23Encrypted = 0x40;
constexpr uint8_t kV23Grouped = 0x20;
constexpr uint8_t kV24Grouped = 0x40;
constexpr uint8_t kV24Compressed = 0x08;
constexpr uint8_t kV24Encrypted = 0x04;
constexpr uint8_t kV24Unsync = 0x02;
constexpr uint8_t kV24DataLength = 0x01;

uint32_t bigEndian(const uint8_t* p, size_t bytes) {
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i) value = value << 8 | p[i];
    return value;
}

// Seven bits a byte; some writers put plain sizes into version 2.4 tags, recognisable by a set
// top bit, and those are read as plain.
uint32_t syncsafeOrPlain(const uint8_t* p) {
    if ((p[0] | p[1] | p[2] | p[3]) & 0x80) return bigEndian(p, 4);
    return static_cast<uint32_t>(p[0]) << 21 | p[1] << 14 | p[2] << 7 | p[3];
}

// Undoes unsynchronisation: every FF 00 pair loses its 00.
std::vector<uint8_t> resynchronised(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    out.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        out.push_back(data[i]);
        if (data[i] == 0xFF && i + 1 < size && data[i + 1] == 0x00) ++i;
    }
    return out;
}

// UTF-16 without a byte-order mark: the byte order whose high bytes are the zeros of Latin
// text, big-endian when nothing tells.
bool looksLittleEndian(std::string_view text) {
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        evenZeros += text[i] == 0;
        oddZeros += text[i + 1] == 0;
    }
    return oddZeros > evenZeros;
}

// The first string of a text frame body (encoding byte, then text), in Shift-JIS.
std::string frameText(const uint8_t* body, size_t size) {
    if (size < 2) return {};
    const uint8_t encoding = body[0];
    std::string_view text(reinterpret_cast<const char*>(body + 1), size - 1);
    const bool wide = encoding == 1 || encoding == 2;
    // The string ends at its terminator (one NUL, or a NUL pair on a character boundary).
    size_t end = 0;
    if (wide) {
        while (end + 1 < text.size() && (text[end] != 0 || text[end + 1] != 0)) end += 2;
    } else {
        end = std::min(text.find('\0'), text.size());
    }
    text = text.substr(0, end);
    switch (encoding) {
        case 0:
            return toCp932Replacing(text, "ISO-8859-1", 1);
        case 1:
            if (text.size() >= 2 && static_cast<uint8_t>(text[0]) == 0xFF &&
                static_cast<uint8_t>(text[1]) == 0xFE) {
                return toCp932Replacing(text.substr(2), "UTF-16LE", 2);
            }
            if (text.size() >= 2 && static_cast<uint8_t>(text[0]) == 0xFE &&
                static_cast<uint8_t>(text[1]) == 0xFF) {
                return toCp932Replacing(text.substr(2), "UTF-16BE", 2);
            }
            return toCp932Replacing(text, looksLittleEndian(text) ? "UTF-16LE" : "UTF-16BE", 2);
        case 2:
            return toCp932Replacing(text, "UTF-16BE", 2);
        case 3:
            return toCp932Replacing(text, "UTF-8", 1);
        default:
            return {};
    }
}

struct FrameLayout {
    size_t idBytes;
    size_t sizeBytes;
    size_t flagBytes;
    const char* titleId;
    const char* artistId;
};

constexpr FrameLayout kV22Frames{3, 3, 0, "TT2", "TP1"};
constexpr FrameLayout kV23Frames{4, 4, 2, "TIT2", "TPE1"};

// The body of one text frame of version 2.3 or 2.4 once its flags are applied; false for a
// frame that cannot be read as text (compressed, encrypted).
bool frameBody(int major, bool tagUnsync, uint8_t format, const uint8_t*& data, size_t& size,
               std::vector<uint8_t>& scratch) {
    if (major == 3) {
        if (format & (kV23Compressed | kV23Encrypted)) return false;
        const size_t skip = (format & kV23Grouped) ? 1 : 0;
        if (size < skip) return false;
        data += skip;
        size -= skip;
        return true;
    }
    if (format & (kV24Compressed | kV24Encrypted)) return false;
    const size_t skip = ((format & kV24Grouped) ? 1 : 0) + ((format & kV24DataLength) ? 4 : 0);
    if (size < skip) return false;
    data += skip;
    size -= skip;
    if (tagUnsync || (format & kV24Unsync)) {
        scratch = resynchronised(data, size);
        data = scratch.data();
        size = scratch.size();
    }
    return true;
}

void readFrames(int major, bool tagUnsync, const uint8_t* frames, size_t size,
                Id3v2Titles& titles) {
    const FrameLayout& layout = major == 2 ? kV22Frames : kV23Frames;
    const size_t headerBytes = layout.idBytes + layout.sizeBytes + layout.flagBytes;
    std::vector<uint8_t> scratch;
    size_t pos = 0;
    while (size - pos >= headerBytes && frames[pos] != 0) {
        const uint8_t* header = frames + pos;
        const uint8_t* sizeField = header + layout.idBytes;
        const size_t frameSize =
            major == 4 ? syncsafeOrPlain(sizeField) : bigEndian(sizeField, layout.sizeBytes);
        pos += headerBytes;
        if (frameSize > size - pos) return;  // runs past the tag: nothing further is trusted
        const uint8_t* body = frames + pos;
        size_t bodySize = frameSize;
        pos += frameSize;
        std::string* target = nullptr;
        if (std::memcmp(header, layout.titleId, layout.idBytes) == 0) target = &titles.title;
        if (std::memcmp(header, layout.artistId, layout.idBytes) == 0) target = &titles.artist;
        if (!target || !target->empty()) continue;
        const uint8_t format = layout.flagBytes ? header[headerBytes - 1] : 0;
        if (major == 2 || frameBody(major, tagUnsync, format, body, bodySize, scratch)) {
            *target = frameText(body, bodySize);
        }
    }
}

}  // namespace

Id3v2Titles readId3v2Titles(const uint8_t* tag, size_t size) {
    Id3v2Titles titles;
    if (size < kId3v2HeaderSize || !startsId3v2(tag)) return titles;
    const int major = tag[3];
    const uint8_t flags = tag[5];
    if (major < 2 || major > 4 || (major == 2 && (flags & kTagCompressedV22))) return titles;
    const size_t stated = static_cast<size_t>(id3v2Length(tag)) - kId3v2HeaderSize;
    const uint8_t* body = tag + kId3v2HeaderSize;
    size_t bodySize = std::min(stated, size - kId3v2HeaderSize);

    // Versions 2.2 and 2.3 unsynchronise the whole tag, 2.4 each frame on its own.
    std::vector<uint8_t> whole;
    const bool tagUnsync = (flags & kTagUnsync) != 0;
    if (tagUnsync && major < 4) {
        whole = resynchronised(body, bodySize);
        body = whole.data();
        bodySize = whole.size();
    }
    if (major > 2 && (flags & kTagExtendedHeader)) {
        if (bodySize < 4) return titles;
        // 2.3 states the size of what follows the size field, 2.4 the whole extended header.
        const size_t extended = major == 3 ? size_t{4} + bigEndian(body, 4) : syncsafeOrPlain(body);
        if (extended > bodySize) return titles;
        body += extended;
        bodySize -= extended;
    }
    readFrames(major, tagUnsync && major == 4, body, bodySize, titles);
    return titles;
}

}  // namespace velk
