#include "tags/lyrics3_probe.h"

#include <cstring>

namespace velk {
namespace {

bool parseSizeDigits(const char* digits, int64_t& size) {
    size = 0;
    for (int i = 0; i < 6; ++i) {
        if (digits[i] < '0' || digits[i] > '9') return false;
        size = size * 10 + (digits[i] - '0');
    }
    return true;
}

}  // namespace

Lyrics3Location lyrics3Probe(const File& file, int64_t fileSize) {
    Lyrics3Location where;
    char last[kId3v1Length];
    if (fileSize < kId3v1Length || !file.readExact(fileSize - kId3v1Length, last, sizeof last)) {
        return where;
    }
    where.id3v1 = std::memcmp(last, "TAG", 3) == 0;
    const int64_t blockEnd = fileSize - (where.id3v1 ? kId3v1Length : 0);
    if (blockEnd < kLyrics3TrailerLength + kLyrics3BeginLength) return where;

    char trailer[kLyrics3TrailerLength];
    if (!file.readExact(blockEnd - kLyrics3TrailerLength, trailer, sizeof trailer)) return where;
    int64_t size = 0;
    if (std::memcmp(trailer + 6, "LYRICS200", 9) != 0 || !parseSizeDigits(trailer, size)) {
        return where;
    }
    const int64_t length = size + kLyrics3TrailerLength;
    const int64_t start = blockEnd - length;
    if (size < kLyrics3BeginLength || start < 0) return where;

    char begin[kLyrics3BeginLength];
    if (!file.readExact(start, begin, sizeof begin) ||
        std::memcmp(begin, "LYRICSBEGIN", sizeof begin) != 0) {
        return where;
    }
    where.found = true;
    where.start = start;
    where.length = length;
    return where;
}

}  // namespace velk
