// ID3v1: reading with its trimming rules and the v1.1 track, writing in place and appended,
// the genre table.
#include <gtest/gtest.h>

#include <cstring>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "velk.h"

namespace velk::test {
namespace {

Id3Tag record(const char* title, const char* artist, uint32_t genre) {
    Id3Tag tag{};
    std::strcpy(tag.title, title);
    std::strcpy(tag.artist, artist);
    std::strcpy(tag.album, "Album");
    std::memcpy(tag.year, "1999", 4);
    std::strcpy(tag.comment, "note");
    tag.genre = genre;
    return tag;
}

class Id3v1Test : public ::testing::Test {
  protected:
    std::string write(const Bytes& bytes) {
        const std::string path = dir.file("song.mp3");
        writeFileBytes(path, bytes);
        return path;
    }
    TempDir dir;
};

TEST_F(Id3v1Test, TitleOfSpacesIsEmptyAndTrailingSpacesGo) {
    const std::string path = write(mpegAudio() + id3v1("", "abc"));
    Id3Tag tag;
    ASSERT_EQ(velk_getFileTag(path.c_str(), &tag), 1);
    EXPECT_STREQ(tag.title, "");
    EXPECT_STREQ(tag.artist, "abc");
    EXPECT_STREQ(tag.year, "2001");
    EXPECT_STREQ(tag.genreName, "Other");
}

TEST_F(Id3v1Test, SpacesBeforeNulBytesStay) {
    Bytes block = id3v1("ab  ");
    std::memset(&block[3 + 4], 0, 26);
    const std::string path = write(mpegAudio() + block);
    Id3Tag tag;
    ASSERT_EQ(velk_getFileTag(path.c_str(), &tag), 1);
    EXPECT_STREQ(tag.title, "ab  ");
}

TEST_F(Id3v1Test, TrackNumberComesOutOfTheComment) {
    Bytes block = id3v1("t");
    std::memcpy(&block[97], "comment", 7);
    block[97 + 28] = 0;
    block[97 + 29] = 7;
    const std::string path = write(mpegAudio() + block);
    Id3TagEx ex;
    ASSERT_EQ(velk_getFileTagV2(path.c_str(), &ex), 1);
    EXPECT_EQ(ex.track, 7);
    EXPECT_STREQ(ex.comment, "comment");
    Id3Tag plain;
    ASSERT_EQ(velk_getFileTag(path.c_str(), &plain), 1);
    // Without the track rule, the spaces before the NUL at byte 28 stay.
    EXPECT_EQ(std::strlen(plain.comment), 28u);
}

TEST_F(Id3v1Test, NoTrackGivesMinusOne) {
    const std::string path = write(mpegAudio() + id3v1("t"));
    Id3TagEx ex;
    ASSERT_EQ(velk_getFileTagV2(path.c_str(), &ex), 1);
    EXPECT_EQ(ex.track, -1);
}

TEST_F(Id3v1Test, FileWithoutTagReadsAsZeroedRecord) {
    const std::string path = write(mpegAudio());
    Id3Tag tag;
    std::memset(&tag, 'x', sizeof tag);
    ASSERT_EQ(velk_getFileTag(path.c_str(), &tag), 1);
    EXPECT_EQ(tag.title[0], 0);
    EXPECT_EQ(tag.genre, 0u);
}

TEST_F(Id3v1Test, MissingFileFailsWithError1) {
    Id3Tag tag;
    EXPECT_EQ(velk_getFileTag(dir.file("none.mp3").c_str(), &tag), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
    EXPECT_EQ(velk_getFileTag("", &tag), 0);
}

TEST_F(Id3v1Test, FileOf127BytesHasNoTag) {
    const std::string path = write(Bytes(127, 'T'));
    Id3Tag tag;
    EXPECT_EQ(velk_getFileTag(path.c_str(), &tag), 1);
    EXPECT_EQ(tag.title[0], 0);
    EXPECT_EQ(velk_getFileType(path.c_str()), -1);
}

TEST_F(Id3v1Test, WriteOverwritesExistingTagInPlace) {
    const Bytes audio = mpegAudio();
    const std::string path = write(audio + id3v1("old"));
    const Id3Tag tag = record("New title", "Someone", 17);
    ASSERT_EQ(velk_writeTag(path.c_str(), &tag, 0, 0), 1);
    const Bytes after = readFileBytes(path);
    ASSERT_EQ(after.size(), audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), after.begin()));
    Id3Tag back;
    ASSERT_EQ(velk_getFileTag(path.c_str(), &back), 1);
    EXPECT_STREQ(back.title, "New title");
    EXPECT_STREQ(back.artist, "Someone");
    EXPECT_STREQ(back.album, "Album");
    EXPECT_STREQ(back.year, "1999");
    EXPECT_STREQ(back.comment, "note");
    EXPECT_STREQ(back.genreName, "Rock");
}

TEST_F(Id3v1Test, WriteWithoutTagAndWithoutAppendFailsAndLeavesFile) {
    const Bytes audio = mpegAudio();
    const std::string path = write(audio);
    const Id3Tag tag = record("a", "b", 1);
    EXPECT_EQ(velk_writeTag(path.c_str(), &tag, 0, 0), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 4);
    EXPECT_EQ(readFileBytes(path), audio);
}

TEST_F(Id3v1Test, AppendAddsBlockAtTheEnd) {
    const Bytes audio = mpegAudio();
    const std::string path = write(audio);
    const Id3Tag tag = record("a", "b", 1);
    ASSERT_EQ(velk_writeTag(path.c_str(), &tag, 0, 1), 1);
    const Bytes after = readFileBytes(path);
    ASSERT_EQ(after.size(), audio.size() + 128);
    EXPECT_EQ(find(after, "TAG"), static_cast<int64_t>(audio.size()));
}

TEST_F(Id3v1Test, GenreOutsideTableIsStoredAs200AndNamesNothing) {
    const std::string path = write(mpegAudio() + id3v1("x"));
    const Id3Tag tag = record("a", "b", 300);
    ASSERT_EQ(velk_writeTag(path.c_str(), &tag, 0, 0), 1);
    EXPECT_EQ(readFileBytes(path).back(), 200);
    Id3Tag back;
    ASSERT_EQ(velk_getFileTag(path.c_str(), &back), 1);
    EXPECT_EQ(back.genre, 200u);
    EXPECT_STREQ(back.genreName, "");
}

TEST_F(Id3v1Test, TrackIsWrittenByTheV2Writer) {
    const std::string path = write(mpegAudio() + id3v1("x"));
    Id3TagEx ex{};
    std::strcpy(ex.title, "with track");
    ex.track = 12;
    ASSERT_EQ(velk_writeTagV2(path.c_str(), &ex, 0, 0), 1);
    Id3TagEx back;
    ASSERT_EQ(velk_getFileTagV2(path.c_str(), &back), 1);
    EXPECT_EQ(back.track, 12);
    EXPECT_STREQ(back.title, "with track");
}

TEST(GenreName, TableEntriesAndBounds) {
    Id3Tag tag{};
    std::strcpy(tag.title, "cleared");
    tag.genre = 251;
    ASSERT_EQ(velk_getGenreName(&tag), 1);
    EXPECT_STREQ(tag.genreName, "Seiyu(J)");
    EXPECT_STREQ(tag.title, "");
    tag.genre = 0;
    velk_getGenreName(&tag);
    EXPECT_STREQ(tag.genreName, "Blues");
    tag.genre = 147;
    velk_getGenreName(&tag);
    EXPECT_STREQ(tag.genreName, "Synthpop");
    tag.genre = 136;
    velk_getGenreName(&tag);
    EXPECT_STREQ(tag.genreName, "Chiristian Gangsta Rap");
    tag.genre = 148;
    velk_getGenreName(&tag);
    EXPECT_STREQ(tag.genreName, "");
    tag.genre = 255;
    velk_getGenreName(&tag);
    EXPECT_STREQ(tag.genreName, "Anime(J)");
    tag.genre = 256;
    EXPECT_EQ(velk_getGenreName(&tag), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 18);
}

}  // namespace
}  // namespace velk::test
