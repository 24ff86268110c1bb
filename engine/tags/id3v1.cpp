#include "tags/id3v1.h"

#include <algorithm>
#include <cstring>

#include "tags/genres.h"

namespace velk {
namespace {

constexpr size_t kTextWidth = 30;
constexpr size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;
constexpr size_t kGenreAt = 127;

// Trailing spaces of the 30 bytes go; NUL bytes stay, as the text ends at its first NUL anyway.
void copyTrimmedSpaces(char* out, const uint8_t* in) {
    size_t n = kTextWidth;
    while (n > 0 && in[n - 1] == ' ') --n;
    std::memcpy(out, in, n);
    out[n] = '\0';
}

void copyField(uint8_t* out, const char* in) {
    std::memcpy(out, in, kTextWidth);
}

void trimRecordText(char* out, const char* in, size_t capacity) {
    size_t n = strnlen(in, capacity - 1);
    while (n > 0 && in[n - 1] == ' ') --n;
    std::memmove(out, in, n);
    out[n] = '\0';
}

}  // namespace

bool isId3v1(const uint8_t* block) {
    return std::memcmp(block, "TAG", 3) == 0;
}

void parseId3v1(const Id3v1Block& block, Id3Tag& tag, int32_t* track) {
    tag = Id3Tag{};
    copyTrimmedSpaces(tag.title, &block[kTitleAt]);
    copyTrimmedSpaces(tag.artist, &block[kArtistAt]);
    copyTrimmedSpaces(tag.album, &block[kAlbumAt]);
    std::memcpy(tag.year, &block[kYearAt], 4);
    uint8_t comment[kTextWidth];
    std::memcpy(comment, &block[kCommentAt], kTextWidth);
    if (track) {
        *track = -1;
        if (comment[28] == 0 && comment[29] != 0) {
            *track = comment[29];
            comment[28] = comment[29] = ' ';
        }
    }
    copyTrimmedSpaces(tag.comment, comment);
    tag.genre = block[kGenreAt];
    std::strcpy(tag.genreName, genreName(tag.genre));
}

void parseId3v1(const Id3v1Block& block, Id3TagEx& tag) {
    static_assert(offsetof(Id3TagEx, track) == sizeof(Id3Tag), "Id3TagEx extends Id3Tag");
    Id3Tag plain;
    int32_t track = -1;
    parseId3v1(block, plain, &track);
    std::memcpy(&tag, &plain, sizeof plain);
    tag.track = track;
}

bool readId3v1Block(const File& file, int64_t fileSize, Id3v1Block& block) {
    if (fileSize < static_cast<int64_t>(kId3v1Size)) return false;
    return file.readExact(fileSize - static_cast<int64_t>(kId3v1Size), block.data(), kId3v1Size) &&
           isId3v1(block.data());
}

Id3v1Block buildId3v1(const Id3Tag& tag, int32_t track) {
    Id3v1Block block{};
    std::memcpy(&block[0], "TAG", 3);
    copyField(&block[kTitleAt], tag.title);
    copyField(&block[kArtistAt], tag.artist);
    copyField(&block[kAlbumAt], tag.album);
    std::memcpy(&block[kYearAt], tag.year, 4);
    copyField(&block[kCommentAt], tag.comment);
    if (track >= 1 && track <= 255) {
        block[kCommentAt + 28] = 0;
        block[kCommentAt + 29] = static_cast<uint8_t>(track);
    }
    block[kGenreAt] = tag.genre < 256 ? static_cast<uint8_t>(tag.genre) : kGenreOutOfRange;
    return block;
}

Id3v1Block blankId3v1() {
    Id3v1Block block;
    block.fill(' ');
    std::memcpy(&block[0], "TAG", 3);
    block[kGenreAt] = kGenreBlank;
    return block;
}

void refreshFromRecord(const Id3Tag& from, Id3Tag& to) {
    trimRecordText(to.title, from.title, sizeof to.title);
    trimRecordText(to.artist, from.artist, sizeof to.artist);
    trimRecordText(to.album, from.album, sizeof to.album);
    trimRecordText(to.comment, from.comment, sizeof to.comment);
    std::memcpy(to.year, from.year, 4);
    to.year[4] = '\0';
    to.genre = from.genre;
    const char* name = genreName(from.genre);
    std::strcpy(to.genreName, name ? name : "");
}

}  // namespace velk
