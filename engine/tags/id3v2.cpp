#include "tags/id3v2.h"

#include <cstring>

namespace velk {

bool startsId3v2(const uint8_t* bytes) {
    return std::memcmp(bytes, "ID3", 3) == 0;
}

int64_t id3v2Length(const uint8_t* header) {
    if (!startsId3v2(header)) return 0;
    int64_t size = 0;
    for (int i = 6; i < 10; ++i) size = size << 7 | (header[i] & 0x7F);
    return static_cast<int64_t>(kId3v2HeaderSize) + size;
}

int64_t id3v2Probe(const File& file, int64_t offset) {
    uint8_t header[kId3v2HeaderSize];
    if (!file.readExact(offset, header, sizeof header)) return 0;
    return id3v2Length(header);
}

}  // namespace velk
