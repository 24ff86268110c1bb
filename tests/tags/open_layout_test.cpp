// Opening and querying files in every container: RIFF WAVE with MPEG or PCM data, RMP3, ID3v2
// prefixes, MacBinary headers, and the failures of unsupported or truncated files.
#include <gtest/gtest.h>

#include <cstring>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "velk.h"

namespace velk::test {
namespace {

class OpenLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override { velk_init(); }
    void TearDown() override { velk_free(); }
    std::string write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir.file(name);
        writeFileBytes(path, bytes);
        return path;
    }
    TempDir dir;
    const Bytes audio = mpegAudio(40);
};

TEST_F(OpenLayoutTest, RiffWaveWithMpegData) {
    const std::string path =
        write("a.wav", riff("WAVE", formatChunk(0x55) + chunk("data", audio) +
                                        infoList(infoText("INAM", "Riff name"))) +
                           id3v1("Id3 name", "Id3 artist"));
    InputInfo info;
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_EQ(info.frequency, 44100);
    EXPECT_EQ(info.bitRate, 128);
    EXPECT_STREQ(info.songName, "Id3 name");
    EXPECT_STREQ(info.artist, "Id3 artist");
    MpegInfo mpeg;
    ASSERT_EQ(velk_getMpegInfoEx(&mpeg), 1);
    EXPECT_EQ(mpeg.frames, 40);
    RiffInfoTag riffTag;
    ASSERT_EQ(velk_getRiffInfo(&riffTag), 1);
    EXPECT_STREQ(riffTag.field[VELK_RIFF_INAM], "Riff name");
    Id3Tag id3;
    ASSERT_EQ(velk_getTag(&id3), 1);
    EXPECT_STREQ(id3.title, "Id3 name");
    velk_close();
}

TEST_F(OpenLayoutTest, QueryReportsRiffTagsAndFlags) {
    const std::string path = write(
        "b.rmp",
        riff("RMP3", chunk("data", id3v2(300) + audio) + infoList(infoText("IART", "Someone"))) +
            id3v1("T"));
    Id3Tag tag;
    MpegInfo mpeg;
    RiffInfoTag riffTag;
    int32_t flags = 0;
    FileTimes times;
    ASSERT_EQ(velk_getFileInfo3Ex(path.c_str(), &tag, &mpeg, &riffTag, &flags, &times), 1);
    EXPECT_EQ(flags, VELK_TYPE_RIFF_RMP3 | VELK_TYPE_ID3V2 | VELK_TYPE_ID3V1);
    EXPECT_STREQ(riffTag.field[VELK_RIFF_IART], "Someone");
    EXPECT_STREQ(tag.title, "T");
    EXPECT_EQ(mpeg.frequency, 44100);
    EXPECT_EQ(mpeg.frames, 40);
    EXPECT_EQ(times.fileSize, static_cast<int64_t>(readFileBytes(path).size()));
}

TEST_F(OpenLayoutTest, PcmWave) {
    // Whole 4096-byte frames, so both ways of computing the play time agree: 2.04 s.
    const Bytes samples(4096 * 44, 0);
    const std::string path =
        write("pcm.wav", riff("WAVE", formatChunk(1, 2, 22050, 16) + chunk("data", samples)));
    InputInfo info;
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_STREQ(info.songName, "WAVE_FORMAT_PCM");
    EXPECT_STREQ(info.artist, "WAVE_FORMAT_PCM");
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.bitRate, 16);
    EXPECT_EQ(info.frequency, 22050);
    EXPECT_EQ(info.playTime, 2);
    EXPECT_EQ(velk_getBitrate(), 16);
    velk_close();

    Id3Tag tag;
    MpegInfo mpeg;
    RiffInfoTag riffTag;
    int32_t flags = 0;
    ASSERT_EQ(velk_getFileInfo3Ex(path.c_str(), &tag, &mpeg, &riffTag, &flags, nullptr), 1);
    EXPECT_EQ(flags & (VELK_TYPE_RIFF_WAVE | VELK_TYPE_PCM_WAVE),
              VELK_TYPE_RIFF_WAVE | VELK_TYPE_PCM_WAVE);
    EXPECT_EQ(mpeg.protectionBit, 1);
    EXPECT_EQ(mpeg.layer, 0);
    EXPECT_EQ(mpeg.bitRate, 16);
    EXPECT_EQ(mpeg.frames, static_cast<int64_t>(samples.size() / 4096));
    EXPECT_EQ(mpeg.playTime, 2);
}

TEST_F(OpenLayoutTest, MacBinaryPrefixedMpeg) {
    Bytes header(128, 0);
    header[1] = 9;
    const std::string path = write("mac.mp3", header + audio);
    InputInfo info;
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_EQ(info.frequency, 44100);
    velk_close();
    Id3Tag tag;
    MpegInfo mpeg;
    EXPECT_EQ(velk_getFileInfoEx(path.c_str(), &tag, &mpeg), 1);
    EXPECT_EQ(mpeg.frames, 40);
}

TEST_F(OpenLayoutTest, UnsupportedWaveFormatFailsWithError24) {
    const std::string path =
        write("adpcm.wav", riff("WAVE", formatChunk(2) + chunk("data", audio)));
    InputInfo info;
    EXPECT_EQ(velk_open(path.c_str(), &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 24);
    Id3Tag tag;
    MpegInfo mpeg;
    EXPECT_EQ(velk_getFileInfoEx(path.c_str(), &tag, &mpeg), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 24);
    RiffInfoTag riffTag;
    EXPECT_EQ(velk_getRiffInfo(&riffTag), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
}

TEST_F(OpenLayoutTest, FileOf127BytesFailsWithError3) {
    const std::string path = write("short.mp3", Bytes(audio.begin(), audio.begin() + 127));
    InputInfo info;
    EXPECT_EQ(velk_open(path.c_str(), &info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 3);
    Id3Tag tag;
    MpegInfo mpeg;
    EXPECT_EQ(velk_getFileInfoEx(path.c_str(), &tag, &mpeg), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 3);
}

TEST_F(OpenLayoutTest, SilentFramesAreCountedFromTheAudioStart) {
    Bytes loud = mpegAudio(1);
    loud[100] = 0x5A;
    const Bytes frames = mpegAudio(6) + loud + mpegAudio(3);
    const std::string plain = write("plain.mp3", frames);
    const std::string wrapped =
        write("wrapped.rmp", riff("RMP3", chunk("data", id3v2(200) + frames)) + id3v1("x"));
    const int expected = velk_getSilentFrameCount(plain.c_str());
    EXPECT_GT(expected, 0);
    EXPECT_EQ(velk_getSilentFrameCount(wrapped.c_str()), expected);
    const std::string bad = write("bad.wav", riff("WAVE", formatChunk(3) + chunk("data", frames)));
    EXPECT_EQ(velk_getSilentFrameCount(bad.c_str()), -1);
    EXPECT_EQ(velk_getLastErrorNo(), 24);
}

TEST_F(OpenLayoutTest, TagWriteCanUpdateTheOpenFile) {
    const std::string path = write("c.mp3", audio + id3v1("Before"));
    InputInfo info;
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    Id3Tag tag{};
    std::strcpy(tag.title, "After   ");
    tag.genre = 251;
    ASSERT_EQ(velk_writeTag(path.c_str(), &tag, 1, 0), 1);
    Id3Tag open;
    ASSERT_EQ(velk_getTag(&open), 1);
    EXPECT_STREQ(open.title, "After");
    EXPECT_EQ(open.genre, 251u);
    velk_close();
    EXPECT_EQ(velk_getTag(&open), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 2);
}

}  // namespace
}  // namespace velk::test
