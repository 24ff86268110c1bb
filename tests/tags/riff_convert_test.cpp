// Wrapping into RIFF, unwrapping, re-wrapping and MacBinary removal: audio bytes and tags must
// come through every conversion unchanged.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "velk.h"

namespace velk::test {
namespace {

class RiffConvertTest : public ::testing::Test {
  protected:
    void SetUp() override {
        velk_init();
        velk_setRiffTagMode(0);
        path = dir.file("song.mp3");
    }
    void TearDown() override { velk_free(); }
    TempDir dir;
    std::string path;
    const Bytes audio = mpegAudio(25);
};

TEST_F(RiffConvertTest, WrapWaveThenUnwrapGivesTheOriginalBack) {
    const Bytes original = audio + lyrics3("[00:00]words") + id3v1("Title", "Artist");
    writeFileBytes(path, original);
    ASSERT_EQ(velk_convertToRiff(path.c_str()), 1);
    const Bytes wrapped = readFileBytes(path);
    EXPECT_EQ(find(wrapped, "RIFF"), 0);
    EXPECT_EQ(find(wrapped, "WAVE"), 8);
    EXPECT_EQ(le32At(wrapped, 4), wrapped.size() - 8);
    EXPECT_EQ(le32At(wrapped, 16), 30u);  // "fmt " size
    EXPECT_EQ(wrapped[20], 0x55);         // MPEG Layer 3
    EXPECT_EQ(find(wrapped, "data"), 50);
    EXPECT_EQ(le32At(wrapped, 54), audio.size());
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), wrapped.begin() + 58));
    EXPECT_NE(find(wrapped, std::string("ISFT\x05\0\0\0VELK", 12)), -1);
    EXPECT_EQ(velk_getFileType(path.c_str()),
              VELK_TYPE_RIFF_WAVE | VELK_TYPE_ID3V1 | VELK_TYPE_LYRICS3);

    InputInfo info;
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_STREQ(info.songName, "Title");
    velk_close();

    ASSERT_EQ(velk_convertRiffToMpeg(path.c_str()), 1);
    EXPECT_EQ(readFileBytes(path), original);
}

TEST_F(RiffConvertTest, WrapRmp3WithoutTagsAddsBlankTagAtTheEnd) {
    writeFileBytes(path, audio);
    ASSERT_EQ(velk_convertToRmp3(path.c_str()), 1);
    const Bytes wrapped = readFileBytes(path);
    EXPECT_EQ(find(wrapped, "RMP3"), 8);
    EXPECT_EQ(find(wrapped, "data"), 12);
    EXPECT_EQ(wrapped.back(), 250);
    ASSERT_EQ(velk_convertRiffToMpeg(path.c_str()), 1);
    const Bytes unwrapped = readFileBytes(path);
    // The blank tag the list carried stays as the file's ID3v1 tag.
    ASSERT_EQ(unwrapped.size(), audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), unwrapped.begin()));
}

TEST_F(RiffConvertTest, RewrapKeepsInfoTextsAndChangesForm) {
    writeFileBytes(path, audio + id3v1("T"));
    ASSERT_EQ(velk_convertToRiff(path.c_str()), 1);
    RiffInfoTagRefs refs{};
    refs.field[VELK_RIFFX_INAM] = "Kept name";
    refs.field[VELK_RIFFX_IMED] = "CD";
    ASSERT_EQ(velk_setFileRiffInfoRefs(path.c_str(), &refs), 1);
    ASSERT_EQ(velk_convertToRmp3(path.c_str()), 1);
    const Bytes wrapped = readFileBytes(path);
    EXPECT_EQ(find(wrapped, "RMP3"), 8);
    EXPECT_EQ(find(wrapped, "fmt "), -1);
    auto tag = std::make_unique<RiffInfoTagEx>();
    ASSERT_EQ(velk_getFileRiffInfo(path.c_str(), tag.get()), 1);
    EXPECT_STREQ(tag->field[VELK_RIFFX_INAM], "Kept name");
    EXPECT_STREQ(tag->field[VELK_RIFFX_IMED], "CD");
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), wrapped.begin() + 20));
    Id3Tag id3;
    velk_getFileTag(path.c_str(), &id3);
    EXPECT_STREQ(id3.title, "T");
}

TEST_F(RiffConvertTest, OddAudioGetsPadByte) {
    const Bytes odd = mpegAudio(3);
    ASSERT_EQ(odd.size() % 2, 1u);
    writeFileBytes(path, odd);
    ASSERT_EQ(velk_convertToRmp3(path.c_str()), 1);
    const Bytes wrapped = readFileBytes(path);
    EXPECT_EQ(wrapped[20 + odd.size()], 0);
    EXPECT_EQ(find(wrapped, "LIST"), static_cast<int64_t>(20 + odd.size() + 1));
    ASSERT_EQ(velk_convertRiffToMpeg(path.c_str()), 1);
    EXPECT_TRUE(std::equal(odd.begin(), odd.end(), readFileBytes(path).begin()));
}

TEST_F(RiffConvertTest, MacBinaryFileIsRefused) {
    const Bytes bytes = Bytes(128, 0) + audio;
    writeFileBytes(path, bytes);
    EXPECT_EQ(velk_convertToRiff(path.c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 23);
    EXPECT_EQ(readFileBytes(path), bytes);
}

TEST_F(RiffConvertTest, UnwrapOfPlainFileFailsWithError20) {
    writeFileBytes(path, audio);
    EXPECT_EQ(velk_convertRiffToMpeg(path.c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 20);
    EXPECT_EQ(velk_convertToRiff(dir.file("missing.mp3").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
}

TEST_F(RiffConvertTest, RemoveMacBinaryKeepsTheDataForkWithoutItsZeroPadding) {
    Bytes header(128, 0);
    header[1] = 4;
    const Bytes fork = audio + Bytes{7};
    const uint32_t length = static_cast<uint32_t>(fork.size() + 300);  // zero padding counted
    header[83] = static_cast<uint8_t>(length >> 24);
    header[84] = static_cast<uint8_t>(length >> 16);
    header[85] = static_cast<uint8_t>(length >> 8);
    header[86] = static_cast<uint8_t>(length);
    writeFileBytes(path, header + fork + Bytes(300, 0) + text("resource fork"));
    ASSERT_EQ(velk_removeMacBinary(path.c_str()), 1);
    EXPECT_EQ(readFileBytes(path), fork);
}

TEST_F(RiffConvertTest, RemoveMacBinaryWithHostileLengthStopsAtTheFileEnd) {
    Bytes header(128, 0);
    header[1] = 4;
    header[83] = header[84] = header[85] = header[86] = 0xFF;
    const Bytes fork = audio + Bytes{7};
    writeFileBytes(path, header + fork);
    ASSERT_EQ(velk_removeMacBinary(path.c_str()), 1);
    EXPECT_EQ(readFileBytes(path), fork);
}

TEST_F(RiffConvertTest, RemoveMacBinaryWithoutHeaderChangesNothing) {
    writeFileBytes(path, audio);
    EXPECT_EQ(velk_removeMacBinary(path.c_str()), 1);
    EXPECT_EQ(readFileBytes(path), audio);
}

TEST_F(RiffConvertTest, IdTagAppendedInsideTheInfoList) {
    const Bytes list = infoList(infoText("INAM", "n"));
    writeFileBytes(path, riff("RMP3", chunk("data", audio) + list));
    Id3Tag tag{};
    std::strcpy(tag.title, "Appended");
    ASSERT_EQ(velk_writeTag(path.c_str(), &tag, 0, 1), 1);
    const Bytes file = readFileBytes(path);
    EXPECT_EQ(le32At(file, 4), file.size() - 8);
    const size_t listAt = 20 + audio.size() + (audio.size() & 1);
    EXPECT_EQ(le32At(file, listAt + 4), list.size() - 8 + 136);
    EXPECT_EQ(find(file, "IID3"), static_cast<int64_t>(listAt + list.size()));
    Id3Tag back;
    velk_getFileTag(path.c_str(), &back);
    EXPECT_STREQ(back.title, "Appended");
    auto ex = std::make_unique<RiffInfoTagEx>();
    ASSERT_EQ(velk_getFileRiffInfo(path.c_str(), ex.get()), 1);
    EXPECT_STREQ(ex->field[VELK_RIFFX_INAM], "n");
}

TEST_F(RiffConvertTest, IdTagOnRiffWithoutListWritesAList) {
    writeFileBytes(path, riff("RMP3", chunk("data", audio)));
    Id3Tag tag{};
    std::strcpy(tag.title, "Listed");
    ASSERT_EQ(velk_writeTag(path.c_str(), &tag, 0, 1), 1);
    const Bytes file = readFileBytes(path);
    EXPECT_EQ(find(file, "LIST"), static_cast<int64_t>(20 + audio.size() + (audio.size() & 1)));
    Id3Tag back;
    velk_getFileTag(path.c_str(), &back);
    EXPECT_STREQ(back.title, "Listed");
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), file.begin() + 20));
}

}  // namespace
}  // namespace velk::test
