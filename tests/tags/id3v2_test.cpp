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

// The body of a tag holding a cover picture: JPEG markers and bytes that look like frame syncs
// of no stream (FF E0, FF FB followed by anything but another header at the frame's distance).
Bytes coverArtBody(size_t size) {
    Bytes body = text("APIC") + Bytes{0, 0, 0, 0, 0, 0} + text("image/jpeg") + Bytes{0, 3, 0};
    body = body + Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10} + text("JFIF");
    uint32_t seed = 12345;
    while (body.size() < size) {
        seed = seed * 1103515245 + 12345;
        body.push_back(static_cast<uint8_t>(seed >> 16));
        if (body.size() % 997 == 0) body.insert(body.end(), {0xFF, 0xFB, 0x90, 0x64});
    }
    return body;
}

struct OpenedStream {
    int result = 0;
    int error = 0;
    InputInfo info{};
    int64_t walkedFrames = 0;  // counted by walking the frames from the first one
    MpegInfo14 query{};
    int queryResult = 0;
};

OpenedStream openAndQuery(const std::string& path) {
    OpenedStream out;
    velk_setFrameReadFlag(1);
    out.result = velk_open(path.c_str(), &out.info);
    out.error = out.result ? 0 : velk_getLastErrorNo();
    if (out.result) {
        MpegInfo mpeg{};
        velk_getMpegInfoEx(&mpeg);
        out.walkedFrames = mpeg.frames;
        velk_close();
    }
    velk_setFrameReadFlag(0);
    Id3Tag tag{};
    out.queryResult = velk_getFileInfo(path.c_str(), &tag, &out.query);
    return out;
}

TEST_F(Id3v2FileTest, EveryTagInARowIsSteppedOver) {
    const Bytes audio = mpegAudio(40);
    const Bytes cover = id3v2Tag(coverArtBody(260 * 1024));
    const Bytes layouts[] = {
        id3v2(0) + cover + audio,                      // an empty tag, then the real one
        id3v2(20) + id3v2(0) + cover + audio,          // three tags
        cover + id3v2Tag(coverArtBody(3000)) + audio,  // two tags with pictures
    };
    for (const Bytes& bytes : layouts) {
        SCOPED_TRACE(bytes.size());
        const std::string path = dir.file("tags.mp3");
        writeFileBytes(path, bytes);
        const OpenedStream opened = openAndQuery(path);
        ASSERT_EQ(opened.result, 1) << "error " << opened.error;
        EXPECT_EQ(opened.info.frequency, 44100);
        EXPECT_EQ(opened.info.bitRate, 128);
        EXPECT_EQ(opened.walkedFrames, 40);
        ASSERT_EQ(opened.queryResult, 1);
        EXPECT_EQ(opened.query.frames, 40);
        EXPECT_EQ(opened.query.bitRate, 128);
    }
}

TEST_F(Id3v2FileTest, FalseSyncAfterTheTagIsPassedForTheFirstConfirmedFrame) {
    // A 64 kbit/s header in the junk behind the tag, not followed by another header where its
    // length says; the real 128 kbit/s stream starts 300 bytes later.
    Bytes junk = {0xFF, 0xFB, 0x50, 0x00};
    junk.resize(300, 0x55);
    junk[150] = 0xFF;  // a sync byte pair whose header is invalid (layer bits 00)
    junk[151] = 0xE0;
    const std::string path = dir.file("junk.mp3");
    writeFileBytes(path, id3v2(100) + junk + mpegAudio(30) + id3v1("T"));
    const OpenedStream opened = openAndQuery(path);
    ASSERT_EQ(opened.result, 1) << "error " << opened.error;
    EXPECT_EQ(opened.info.bitRate, 128);
    ASSERT_EQ(opened.queryResult, 1);
    EXPECT_EQ(opened.query.bitRate, 128);
}

TEST_F(Id3v2FileTest, LoneFrameEndingTheDataIsTakenWithoutAFollower) {
    const std::string path = dir.file("one.mp3");
    writeFileBytes(path, id3v2(64) + mpegAudio(1) + id3v1("One"));
    const OpenedStream opened = openAndQuery(path);
    EXPECT_EQ(opened.result, 1);
    EXPECT_EQ(opened.queryResult, 1);
}

TEST_F(Id3v2FileTest, SecondTagRunningPastTheEndFailsWithoutReadingPastIt) {
    Bytes second = id3v2(0) + mpegAudio(3);
    second[6] = 0x7F;  // 254 MiB stated, a few hundred bytes present
    const std::string path = dir.file("cut.mp3");
    writeFileBytes(path, id3v2(30) + second);
    const OpenedStream opened = openAndQuery(path);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.error, 3);
    EXPECT_EQ(opened.queryResult, 0);
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
