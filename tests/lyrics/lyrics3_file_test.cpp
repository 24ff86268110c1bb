// The Lyrics3 block of files: read, write, remove, the tail order, hostile blocks, RIFF files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "file.h"
#include "lyrics/lyrics_files.h"
#include "support/temp_dir.h"
#include "tags/lyrics3_probe.h"
#include "velk.h"

namespace velk {
namespace {

using test::Bytes;
using test::bytesOf;
using test::field;
using test::joined;
using test::rawLyrics3;

const std::string kBlankId3v1 = "TAG" + std::string(124, ' ') + "\xFA";

class Lyrics3FileTest : public ::testing::Test {
  protected:
    void SetUp() override { velk_init(); }
    void TearDown() override { velk_free(); }

    std::string song(const Bytes& bytes, const std::string& name = "song.mp3") {
        const std::string path = dir.file(name);
        test::writeFileBytes(path, bytes);
        return path;
    }
    Bytes bytes(const std::string& path) { return test::readFileBytes(path); }

    std::unique_ptr<Lyrics3Tag> sampleTag() {
        auto tag = test::emptyLyrics3Tag();
        tag->ind[0] = '1';
        tag->ind[1] = '1';
        std::strcpy(tag->lyr, "[00:01:00]\x83\x89\x81\x5B\r\n[00:02:00]two");
        std::strcpy(tag->inf, "info");
        std::strcpy(tag->aut, "author");
        std::strcpy(tag->eal, "album");
        std::strcpy(tag->ear, "artist");
        std::strcpy(tag->ett, "title");
        std::strcpy(tag->img, "img");
        return tag;
    }

    test::TempDir dir;
    const Bytes audio = test::silentAudio(20);
};

TEST_F(Lyrics3FileTest, WriteThenReadGivesTheSameFields) {
    const std::string path = song(joined(audio, test::id3v1WithTitle("Song")));
    auto tag = sampleTag();
    ASSERT_EQ(velk_writeFileLyrics(path.c_str(), tag.get()), 1);
    auto back = test::emptyLyrics3Tag();
    ASSERT_EQ(velk_getFileLyricsInfo(path.c_str(), back.get()), 1);
    EXPECT_EQ(std::memcmp(tag.get(), back.get(), sizeof *tag), 0);
}

TEST_F(Lyrics3FileTest, BlockSitsBetweenAudioAndTheOldId3v1Tag) {
    const Bytes id3 = test::id3v1WithTitle("Song");
    const std::string path = song(joined(audio, id3));
    auto tag = sampleTag();
    ASSERT_EQ(velk_writeFileLyrics(path.c_str(), tag.get()), 1);
    ASSERT_EQ(velk_writeFileLyrics(path.c_str(), tag.get()), 1);  // replaces, never stacks
    const Bytes after = bytes(path);
    ASSERT_GT(after.size(), audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), after.begin()));
    EXPECT_EQ(test::lastBytes(after, 128), std::string(id3.begin(), id3.end()));
    const std::string middle(after.begin() + static_cast<std::ptrdiff_t>(audio.size()),
                             after.end() - 128);
    EXPECT_EQ(middle.rfind("LYRICSBEGIN", 0), 0u);
    EXPECT_EQ(middle.substr(middle.size() - 9), "LYRICS200");
    EXPECT_EQ(middle.find("LYRICSBEGIN", 1), std::string::npos);
    EXPECT_EQ(std::stoul(middle.substr(middle.size() - 15, 6)), middle.size() - 15);
}

TEST_F(Lyrics3FileTest, WriteWithoutId3v1LeavesABlankOneLast) {
    const std::string path = song(audio);
    auto tag = sampleTag();
    ASSERT_EQ(velk_writeFileLyrics(path.c_str(), tag.get()), 1);
    EXPECT_EQ(test::lastBytes(bytes(path), 128), kBlankId3v1);
    EXPECT_EQ(velk_getFileType(path.c_str()) & (VELK_TYPE_ID3V1 | VELK_TYPE_LYRICS3),
              VELK_TYPE_ID3V1 | VELK_TYPE_LYRICS3);
}

TEST_F(Lyrics3FileTest, RemoveKeepsAudioAndId3v1) {
    const Bytes id3 = test::id3v1WithTitle("Song");
    const std::string path = song(joined(joined(audio, rawLyrics3(field("LYR", "x"))), id3));
    ASSERT_EQ(velk_removeFileLyrics(path.c_str()), 1);
    EXPECT_EQ(bytes(path), joined(audio, id3));
    auto tag = test::emptyLyrics3Tag();
    EXPECT_EQ(velk_getFileLyricsInfo(path.c_str(), tag.get()), 0);
}

TEST_F(Lyrics3FileTest, RemoveWithoutTagsLeavesABlankId3v1) {
    const std::string path = song(audio);
    ASSERT_EQ(velk_removeFileLyrics(path.c_str()), 1);
    EXPECT_EQ(bytes(path), joined(audio, bytesOf(kBlankId3v1)));
}

TEST_F(Lyrics3FileTest, BlockOf138BytesBeforeId3v1) {
    // "LYRICSBEGIN" and 112 bytes of fields: size digits 000123.
    const Bytes block = rawLyrics3(field("LYR", std::string(104, 'a')));
    ASSERT_EQ(block.size(), 138u);
    ASSERT_EQ(test::lastBytes(block, 15), "000123LYRICS200");
    const std::string path = song(joined(joined(audio, block), test::id3v1WithTitle("x")));
    File file;
    ASSERT_TRUE(file.open(path, File::Mode::Read));
    const Lyrics3Location where = lyrics3Probe(file, file.size());
    EXPECT_TRUE(where.found);
    EXPECT_TRUE(where.id3v1);
    EXPECT_EQ(where.length, 138);
    EXPECT_EQ(where.start, static_cast<int64_t>(audio.size()));
}

TEST_F(Lyrics3FileTest, HostileBlocksReadAsNothingAndLeaveTheFile) {
    const Bytes id3 = test::id3v1WithTitle("x");
    Bytes huge = rawLyrics3(field("LYR", "abc"));
    std::memcpy(huge.data() + huge.size() - 15, "999999", 6);
    Bytes letters = rawLyrics3(field("LYR", "abc"));
    std::memcpy(letters.data() + letters.size() - 15, "00a0b0", 6);
    Bytes pastTheBlock = rawLyrics3("LYR00500abc");
    Bytes noBegin = rawLyrics3(field("LYR", "abc"));
    std::memcpy(noBegin.data(), "XXXXXXXXXXX", 11);
    int n = 0;
    for (const Bytes* block : {&huge, &letters, &pastTheBlock, &noBegin}) {
        const Bytes original = joined(joined(audio, *block), id3);
        const std::string path = song(original, "hostile" + std::to_string(n++) + ".mp3");
        auto tag = test::emptyLyrics3Tag();
        EXPECT_EQ(velk_getFileLyricsInfo(path.c_str(), tag.get()), 0);
        EXPECT_EQ(tag->lyr[0], '\0');
        EXPECT_EQ(bytes(path), original);
    }
}

TEST_F(Lyrics3FileTest, TinyFiles) {
    const Bytes twenty = bytesOf("LYRICS200LYRICS200xx");
    const std::string path = song(twenty);
    auto tag = test::emptyLyrics3Tag();
    EXPECT_EQ(velk_getFileLyricsInfo(path.c_str(), tag.get()), 0);
    EXPECT_EQ(bytes(path), twenty);
    ASSERT_EQ(velk_writeFileLyrics(path.c_str(), sampleTag().get()), 1);
    ASSERT_EQ(velk_getFileLyricsInfo(path.c_str(), tag.get()), 1);
    EXPECT_STREQ(tag->aut, "author");
    const Bytes after = bytes(path);
    EXPECT_TRUE(std::equal(twenty.begin(), twenty.end(), after.begin()));
}

TEST_F(Lyrics3FileTest, MissingFileIsErrorOne) {
    auto tag = test::emptyLyrics3Tag();
    EXPECT_EQ(velk_getFileLyricsInfo(dir.file("none.mp3").c_str(), tag.get()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
    EXPECT_EQ(velk_writeFileLyrics(dir.file("none.mp3").c_str(), tag.get()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
    EXPECT_EQ(velk_removeFileLyrics(""), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
}

TEST_F(Lyrics3FileTest, PartsFormRoundTrip) {
    const std::string path = song(audio);
    Lyrics3Info info{};
    info.ind[0] = '1';
    std::strcpy(info.aut, "author");
    std::strcpy(info.ett, "title");
    ASSERT_EQ(velk_writeFileLyricsEx(path.c_str(), &info, "[00:01:00]x", nullptr, "img"), 1);
    Lyrics3Info back{};
    std::string lyr(60000, 'z'), inf(60000, 'z'), img(60000, 'z');
    ASSERT_EQ(velk_getFileLyricsInfoEx(path.c_str(), &back, lyr.data(), inf.data(), img.data()), 1);
    EXPECT_EQ(back.ind[0], '1');
    EXPECT_EQ(back.ind[1], '0');  // an unset flag is written as "0"
    EXPECT_STREQ(back.aut, "author");
    EXPECT_STREQ(back.ett, "title");
    EXPECT_STREQ(lyr.c_str(), "[00:01:00]x");
    EXPECT_STREQ(inf.c_str(), "");
    EXPECT_STREQ(img.c_str(), "img");
}

TEST_F(Lyrics3FileTest, RiffFileCarriesTheTailInsideItsInfoList) {
    const std::string path = song(joined(audio, test::id3v1WithTitle("Riff song")), "song.wav");
    ASSERT_EQ(velk_convertToRiff(path.c_str()), 1);
    auto tag = sampleTag();
    ASSERT_EQ(velk_writeFileLyrics(path.c_str(), tag.get()), 1);

    const Bytes after = bytes(path);
    ASSERT_GE(after.size(), 12u);
    uint32_t riffSize = 0;
    std::memcpy(&riffSize, after.data() + 4, 4);
    EXPECT_EQ(riffSize, after.size() - 8);
    EXPECT_EQ(test::lastBytes(after, 128).substr(0, 12), "TAGRiff song");
    const int flags = velk_getFileType(path.c_str());
    EXPECT_EQ(flags & (VELK_TYPE_RIFF_WAVE | VELK_TYPE_ID3V1 | VELK_TYPE_LYRICS3),
              VELK_TYPE_RIFF_WAVE | VELK_TYPE_ID3V1 | VELK_TYPE_LYRICS3);
    auto back = test::emptyLyrics3Tag();
    ASSERT_EQ(velk_getFileLyricsInfo(path.c_str(), back.get()), 1);
    EXPECT_EQ(std::memcmp(tag.get(), back.get(), sizeof *tag), 0);
    InputInfo info{};
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_EQ(info.frequency, 44100);
    velk_close();

    ASSERT_EQ(velk_removeFileLyrics(path.c_str()), 1);
    EXPECT_EQ(velk_getFileType(path.c_str()) & VELK_TYPE_LYRICS3, 0);
    const Bytes removed = bytes(path);
    std::memcpy(&riffSize, removed.data() + 4, 4);
    EXPECT_EQ(riffSize, removed.size() - 8);
    EXPECT_EQ(test::lastBytes(removed, 128).substr(0, 12), "TAGRiff song");
}

TEST_F(Lyrics3FileTest, BlockIsNotCountedAsAudio) {
    // 20 frames of 417 bytes; without a frame count in the stream the frames are the audio
    // length divided by the frame length, so every trailing byte counted as audio shows.
    const std::string path =
        song(joined(joined(audio, rawLyrics3(field("LYR", std::string(3000, 'x')))),
                    test::id3v1WithTitle("x")));
    InputInfo info{};
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    MpegInfo mpeg{};
    ASSERT_EQ(velk_getMpegInfoEx(&mpeg), 1);
    EXPECT_EQ(mpeg.frames, 20);
    velk_close();
    Id3Tag tag{};
    ASSERT_EQ(velk_getFileInfoEx(path.c_str(), &tag, &mpeg), 1);
    EXPECT_EQ(mpeg.frames, 20);
}

}  // namespace
}  // namespace velk
