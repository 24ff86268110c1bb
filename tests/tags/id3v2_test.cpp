// ID3v2: measuring the tag, skipping it at open, removing it from plain and RIFF files.
#include "tags/id3v2.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "velk.h"

namespace velk::test {
namespace {

TEST(Id3v2Length, SevenBitsPerSizeByte) {
    const uint8_t header[10] = {'I', 'D', '3', 3, 0, 0, 0x00, 0x00, 0x02, 0x01};
    EXPECT_EQ(id3v2Length(header), 267);
}

TEST(Id3v2Length, TopBitsOfSizeBytesAreIgnored) {
    const uint8_t header[10] = {'I', 'D', '3', 3, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(id3v2Length(header), 10 + ((int64_t{1} << 28) - 1));
}

TEST(Id3v2Length, NoTagGivesZero) {
    const uint8_t header[10] = {'I', 'D', '2', 3, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(id3v2Length(header), 0);
}

class Id3v2FileTest : public ::testing::Test {
  protected:
    void SetUp() override { velk_init(); }
    void TearDown() override { velk_free(); }
    TempDir dir;
};

TEST_F(Id3v2FileTest, OpenSkipsTheTag) {
    const std::string path = dir.file("v2.mp3");
    writeFileBytes(path, id3v2(500) + mpegAudio(40) + id3v1("Title", "Artist"));
    InputInfo info;
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_STREQ(info.songName, "Title");
    EXPECT_STREQ(info.artist, "Artist");
    EXPECT_EQ(info.frequency, 44100);
    EXPECT_EQ(velk_getFileType(path.c_str()), VELK_TYPE_ID3V2 | VELK_TYPE_ID3V1);
    velk_close();
}

TEST_F(Id3v2FileTest, HugeTagSizeFailsOpenWithoutReadingPastTheFile) {
    const std::string path = dir.file("huge.mp3");
    Bytes bytes = id3v2(0) + mpegAudio(4);
    bytes[6] = bytes[7] = bytes[8] = bytes[9] = 0x7F;
    writeFileBytes(path, bytes);
    InputInfo info;
    EXPECT_EQ(velk_open(path.c_str(), &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 3);
}

TEST_F(Id3v2FileTest, RemoveFromPlainFileKeepsAudioAndTrailingTag) {
    const std::string path = dir.file("plain.mp3");
    const Bytes rest = mpegAudio(10) + id3v1("Keep");
    writeFileBytes(path, id3v2(300) + rest);
    ASSERT_EQ(velk_removeId3v2(path.c_str()), 1);
    EXPECT_EQ(readFileBytes(path), rest);
}

TEST_F(Id3v2FileTest, RemoveSkipsJunkBetweenTagAndFirstFrame) {
    const std::string path = dir.file("junk.mp3");
    const Bytes audio = mpegAudio(10);
    writeFileBytes(path, id3v2(20) + Bytes(37, 0x11) + audio);
    ASSERT_EQ(velk_removeId3v2(path.c_str()), 1);
    EXPECT_EQ(readFileBytes(path), audio);
}

TEST_F(Id3v2FileTest, RemoveWithoutFrameFailsWithError10AndLeavesFile) {
    const std::string path = dir.file("noframe.mp3");
    const Bytes bytes = id3v2(20) + Bytes(3000, 0x11);
    writeFileBytes(path, bytes);
    EXPECT_EQ(velk_removeId3v2(path.c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 10);
    EXPECT_EQ(readFileBytes(path), bytes);
}

TEST_F(Id3v2FileTest, RemoveFromFileWithoutTagReturnsZero) {
    const std::string path = dir.file("none.mp3");
    const Bytes bytes = mpegAudio(4);
    writeFileBytes(path, bytes);
    EXPECT_EQ(velk_removeId3v2(path.c_str()), 0);
    EXPECT_EQ(readFileBytes(path), bytes);
}

TEST_F(Id3v2FileTest, RemoveFromRiffShrinksDataAndKeepsChunksAfter) {
    const std::string path = dir.file("riff.rmp");
    const Bytes audio = mpegAudio(10);
    const Bytes list = infoList(infoText("INAM", "Name"));
    writeFileBytes(path, riff("RMP3", chunk("data", id3v2(101) + audio) + list));
    ASSERT_EQ(velk_removeId3v2(path.c_str()), 1);
    const Bytes after = readFileBytes(path);
    const Bytes expected = riff("RMP3", chunk("data", audio) + list);
    EXPECT_EQ(after, expected);
    RiffInfoTagEx tag;
    ASSERT_EQ(velk_getFileRiffInfo(path.c_str(), &tag), 1);
    EXPECT_STREQ(tag.field[VELK_RIFFX_INAM], "Name");
}

TEST_F(Id3v2FileTest, RemoveRefusesPcmWave) {
    const std::string path = dir.file("pcm.wav");
    const Bytes bytes = riff("WAVE", formatChunk(1) + chunk("data", id3v2(10) + Bytes(64, 1)));
    writeFileBytes(path, bytes);
    EXPECT_EQ(velk_removeId3v2(path.c_str()), 0);
    EXPECT_EQ(readFileBytes(path), bytes);
}

}  // namespace
}  // namespace velk::test
