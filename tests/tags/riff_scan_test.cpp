// The RIFF reader against well-formed and hostile containers.
#include "tags/riff_scan.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>

#include "file.h"
#include "support/temp_dir.h"
#include "tag_files.h"
#include "velk.h"

namespace velk::test {
namespace {

class RiffScanTest : public ::testing::Test {
  protected:
    RiffLayout scan(const Bytes& bytes, RiffInfoTag* shortTag = nullptr,
                    RiffInfoTagEx* exTag = nullptr) {
        const std::string path = dir.file("scan.wav");
        writeFileBytes(path, bytes);
        File file;
        EXPECT_TRUE(file.open(path, File::Mode::Read));
        return riffScan(file, file.size(), shortTag, exTag);
    }
    TempDir dir;
};

TEST_F(RiffScanTest, PlainMpegIsNotRiff) {
    EXPECT_EQ(scan(mpegAudio(3)).kind, RiffKind::NotRiff);
}

TEST_F(RiffScanTest, WaveWithMpegFormatFindsDataAndInfo) {
    const Bytes audio = mpegAudio(3);
    RiffInfoTag tag{};
    const RiffLayout layout =
        scan(riff("WAVE", formatChunk(0x55) + chunk("data", audio) +
                              infoList(infoText("INAM", "Title") + infoText("IART", "Who"))),
             &tag);
    ASSERT_EQ(layout.kind, RiffKind::Riff);
    EXPECT_FALSE(layout.rmp3);
    EXPECT_FALSE(layout.pcm);
    EXPECT_EQ(layout.dataStart, 12 + 26 + 8);
    EXPECT_EQ(layout.dataLength, static_cast<int64_t>(audio.size()));
    EXPECT_TRUE(layout.hasInfo);
    EXPECT_STREQ(tag.field[VELK_RIFF_INAM], "Title");
    EXPECT_STREQ(tag.field[VELK_RIFF_IART], "Who");
}

TEST_F(RiffScanTest, FormatTags) {
    EXPECT_TRUE(scan(riff("WAVE", formatChunk(0x50) + chunk("data", mpegAudio(1)))).usable());
    const RiffLayout pcm =
        scan(riff("WAVE", formatChunk(1, 1, 22050, 8) + chunk("data", Bytes(10))));
    ASSERT_TRUE(pcm.usable());
    EXPECT_TRUE(pcm.pcm);
    EXPECT_EQ(pcm.format.channels, 1);
    EXPECT_EQ(pcm.format.samplesPerSec, 22050u);
    EXPECT_EQ(pcm.format.bitsPerSample, 8);
    EXPECT_EQ(scan(riff("WAVE", formatChunk(2) + chunk("data", Bytes(10)))).kind,
              RiffKind::Unusable);
}

TEST_F(RiffScanTest, UnknownFormIsUnusable) {
    EXPECT_EQ(scan(riff("AVI ", chunk("data", Bytes(10)))).kind, RiffKind::Unusable);
}

TEST_F(RiffScanTest, MissingDataChunkIsUnusable) {
    EXPECT_EQ(scan(riff("RMP3", chunk("junk", Bytes(30)))).kind, RiffKind::Unusable);
}

TEST_F(RiffScanTest, ChunkSizeRunningFarPastTheFileIsUnusable) {
    EXPECT_EQ(
        scan(riff("RMP3", chunk("junk", Bytes(4), 0xFFFFFFF0) + chunk("data", Bytes(8)))).kind,
        RiffKind::Unusable);
}

TEST_F(RiffScanTest, DataSizeLargerThanFileIsCutToTheFile) {
    const Bytes bytes = riff("RMP3", chunk("data", mpegAudio(2), 0x7FFFFFF0));
    const RiffLayout layout = scan(bytes);
    ASSERT_TRUE(layout.usable());
    EXPECT_EQ(layout.dataLength, static_cast<int64_t>(bytes.size()) - 20);
}

TEST_F(RiffScanTest, DataSizeAllOnesIsCutToTheFile) {
    const Bytes bytes = riff("RMP3", chunk("data", mpegAudio(2), 0xFFFFFFFF));
    const RiffLayout layout = scan(bytes);
    ASSERT_TRUE(layout.usable());
    EXPECT_EQ(layout.dataLength, static_cast<int64_t>(bytes.size()) - 20);
    EXPECT_FALSE(layout.hasInfo);
}

TEST_F(RiffScanTest, DataSizeSlightlyPastTheEndIsCutToo) {
    Bytes bytes = riff("RMP3", chunk("data", Bytes(100, 1)));
    bytes[16] = 110;  // ten bytes more than the file holds
    const RiffLayout layout = scan(bytes);
    EXPECT_EQ(layout.dataLength, 100);
}

TEST_F(RiffScanTest, OddDataHasPadByteAndInfoAfterIt) {
    RiffInfoTag tag{};
    const RiffLayout layout =
        scan(riff("RMP3", chunk("data", Bytes(101, 1)) + infoList(infoText("INAM", "odd"))), &tag);
    EXPECT_EQ(layout.dataLength, 101);
    EXPECT_EQ(layout.dataEnd(), 20 + 102);
    EXPECT_STREQ(tag.field[VELK_RIFF_INAM], "odd");
}

TEST_F(RiffScanTest, ListThatIsNotInfoMeansNoTag) {
    RiffInfoTag tag{};
    const RiffLayout layout =
        scan(riff("RMP3", chunk("data", Bytes(10)) +
                              chunk("LIST", text("adtl") + infoText("INAM", "x")) +
                              infoList(infoText("INAM", "second"))),
             &tag);
    ASSERT_TRUE(layout.usable());
    EXPECT_FALSE(layout.hasInfo);
    EXPECT_STREQ(tag.field[VELK_RIFF_INAM], "");
}

TEST_F(RiffScanTest, SecondListIsNeverRead) {
    RiffInfoTag tag{};
    scan(riff("RMP3", chunk("data", Bytes(10)) + infoList(infoText("IART", "first")) +
                          infoList(infoText("INAM", "second"))),
         &tag);
    EXPECT_STREQ(tag.field[VELK_RIFF_IART], "first");
    EXPECT_STREQ(tag.field[VELK_RIFF_INAM], "");
}

TEST_F(RiffScanTest, OtherChunksBeforeTheListAreSkipped) {
    RiffInfoTag tag{};
    scan(riff("RMP3", chunk("data", Bytes(10)) + chunk("junk", Bytes(6)) +
                          infoList(infoText("ICMT", "after junk"))),
         &tag);
    EXPECT_STREQ(tag.field[VELK_RIFF_ICMT], "after junk");
}

TEST_F(RiffScanTest, LongTextIsCutToTheFieldWidth) {
    auto ex = std::make_unique<RiffInfoTagEx>();
    RiffInfoTag tag{};
    const std::string text200(200, 'x');
    scan(riff("RMP3", chunk("data", Bytes(10)) + infoList(infoText("INAM", text200))), &tag,
         ex.get());
    EXPECT_EQ(std::string(tag.field[VELK_RIFF_INAM]), std::string(127, 'x'));
    EXPECT_EQ(std::string(ex->field[VELK_RIFFX_INAM]), text200);
}

TEST_F(RiffScanTest, SubchunkRunningPastTheFileIsNotStored) {
    RiffInfoTag tag{};
    Bytes list = infoList(infoText("IART", "kept") + infoText("INAM", "cut"));
    const size_t sizeAt = list.size() - 12 + 4;  // the "INAM" subchunk's size field
    list[sizeAt] = 0xF0;
    list[sizeAt + 1] = 0xFF;
    list[sizeAt + 2] = 0xFF;
    list[sizeAt + 3] = 0x7F;
    const RiffLayout layout = scan(riff("RMP3", chunk("data", Bytes(10)) + list), &tag);
    EXPECT_TRUE(layout.usable());
    EXPECT_STREQ(tag.field[VELK_RIFF_IART], "kept");
    EXPECT_STREQ(tag.field[VELK_RIFF_INAM], "");
}

TEST_F(RiffScanTest, ListSizeLargerThanTheFileReadsOnlyWhatIsThere) {
    RiffInfoTag tag{};
    Bytes list = infoList(infoText("IART", "kept"));
    list[4] = list[5] = list[6] = 0xFF;
    scan(riff("RMP3", chunk("data", Bytes(10)) + list), &tag);
    EXPECT_STREQ(tag.field[VELK_RIFF_IART], "kept");
}

TEST_F(RiffScanTest, MacBinaryPrefixedRiff) {
    Bytes header(128, 0);
    header[1] = 5;
    const RiffLayout layout = scan(header + riff("RMP3", chunk("data", Bytes(10))));
    ASSERT_TRUE(layout.usable());
    EXPECT_EQ(layout.base, 128);
    EXPECT_EQ(layout.dataStart, 128 + 20);
}

TEST_F(RiffScanTest, WfltLengthWins) {
    Bytes wflt = chunk("wflt", Bytes(12, 0));
    wflt[8] = 6;
    const RiffLayout layout = scan(riff("RMP3", wflt + chunk("data", Bytes(10))));
    EXPECT_EQ(layout.dataLength, 6);
    EXPECT_GE(layout.wfltOffset, 0);
}

TEST_F(RiffScanTest, FileOf4GiBUsesTheRestOfTheFile) {
    const std::string path = dir.file("big.rmp");
    writeFileBytes(path, riff("RMP3", chunk("data", Bytes(10), 1000)));
    ASSERT_EQ(::truncate(path.c_str(), (int64_t{1} << 32) + 100), 0);  // sparse
    File file;
    ASSERT_TRUE(file.open(path, File::Mode::Read));
    const RiffLayout layout = riffScan(file, file.size());
    EXPECT_EQ(layout.dataLength, (int64_t{1} << 32) + 100 - 20);
}

TEST_F(RiffScanTest, FileTypeFlags) {
    const std::string pcm = dir.file("pcm.wav");
    writeFileBytes(pcm, riff("WAVE", formatChunk(1) + chunk("data", Bytes(200))) + id3v1("x"));
    EXPECT_EQ(velk_getFileType(pcm.c_str()), VELK_TYPE_RIFF_WAVE | VELK_TYPE_PCM_WAVE);

    const std::string rmp = dir.file("v2.rmp");
    writeFileBytes(rmp, riff("RMP3", chunk("data", id3v2(10) + mpegAudio(1))) + id3v1("x"));
    EXPECT_EQ(velk_getFileType(rmp.c_str()),
              VELK_TYPE_RIFF_RMP3 | VELK_TYPE_ID3V2 | VELK_TYPE_ID3V1);

    const std::string mac = dir.file("mac.mp3");
    writeFileBytes(mac, Bytes(128, 0) + mpegAudio(2) + lyrics3("la") + id3v1("x"));
    EXPECT_EQ(velk_getFileType(mac.c_str()),
              VELK_TYPE_MACBINARY | VELK_TYPE_ID3V1 | VELK_TYPE_LYRICS3);

    const std::string bad = dir.file("bad.wav");
    writeFileBytes(bad, riff("WAVE", formatChunk(7) + chunk("data", Bytes(200))));
    EXPECT_EQ(velk_getFileType(bad.c_str()), -1);
}

}  // namespace
}  // namespace velk::test
