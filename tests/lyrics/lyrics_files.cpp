#include "lyrics/lyrics_files.h"

#include <cstdio>
#include <cstring>

#include "support/mpeg_frames.h"

namespace velk::test {

Bytes silentAudio(int frames) {
    return silentStream(HeaderFields{}, frames);
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes joined(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes id3v1WithTitle(const std::string& title) {
    Bytes block = bytesOf("TAG");
    Bytes fields(125, ' ');
    std::memcpy(fields.data(), title.data(), std::min<size_t>(title.size(), 30));
    fields[124] = 12;
    return joined(block, fields);
}

Bytes rawLyrics3(const std::string& fields) {
    const std::string body = "LYRICSBEGIN" + fields;
    char size[8];
    std::snprintf(size, sizeof size, "%06zu", body.size());
    return bytesOf(body + size + "LYRICS200");
}

std::string field(const std::string& id, const std::string& data) {
    char size[8];
    std::snprintf(size, sizeof size, "%05zu", data.size());
    return id + size + data;
}

std::string lastBytes(const Bytes& bytes, size_t count) {
    const size_t n = std::min(count, bytes.size());
    return std::string(bytes.end() - static_cast<std::ptrdiff_t>(n), bytes.end());
}

std::unique_ptr<Lyrics3Tag> emptyLyrics3Tag() {
    auto tag = std::make_unique<Lyrics3Tag>();
    std::memset(tag.get(), 0, sizeof *tag);
    return tag;
}

}  // namespace velk::test
