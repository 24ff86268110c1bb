// Writing INFO lists: field order, empty fields, the trailing-tag modes and round trips through
// every record form.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "velk.h"

namespace velk::test {
namespace {

class RiffInfoWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(audio.size() % 2, 1u);
        velk_setWriteEmptyInfo(0);
        velk_setRiffTagMode(0);
        path = dir.file("tagged.rmp");
    }
    void TearDown() override {
        velk_setWriteEmptyInfo(0);
        velk_setRiffTagMode(0);
    }
    // A RIFF MPEG file with an odd-length audio chunk and an old INFO list.
    Bytes writeRiff(const Bytes& after = {}) {
        const Bytes bytes =
            riff("RMP3", chunk("data", audio) + infoList(infoText("INAM", "old"))) + after;
        writeFileBytes(path, bytes);
        return bytes;
    }
    // The list written after the audio and its pad byte.
    Bytes listOf(const Bytes& file) { return tail(file, 20 + audio.size() + 1); }

    const Bytes audio = mpegAudio(3);  // odd: 3 frames of 417 bytes
    TempDir dir;
    std::string path;
};

TEST_F(RiffInfoWriteTest, BlankFieldsLeaveOnlyIlycAndIid3) {
    writeRiff();
    RiffInfoTag tag;
    std::memset(&tag, ' ', sizeof tag);
    for (auto& field : tag.field) field[127] = 0;
    ASSERT_EQ(velk_setFileRiffInfoShort(path.c_str(), &tag), 1);
    const Bytes file = readFileBytes(path);
    const Bytes expected =
        chunk("LIST", text("INFO") + infoText("ILYC", "") + chunk("IID3", tail(id3v1(""), 0)));
    const Bytes list = listOf(file);
    ASSERT_GE(list.size(), 12u + 10 + 136);
    EXPECT_EQ(Bytes(list.begin(), list.begin() + 22),
              Bytes(expected.begin(), expected.begin() + 22));
    EXPECT_EQ(list.size(), expected.size());
    EXPECT_EQ(le32At(file, 4), file.size() - 8);
}

TEST_F(RiffInfoWriteTest, FileWithoutTrailingTagsEndsInBlankTag) {
    writeRiff();
    RiffInfoTag tag{};
    std::strcpy(tag.field[VELK_RIFF_INAM], "Name");
    ASSERT_EQ(velk_setFileRiffInfoShort(path.c_str(), &tag), 1);
    const Bytes file = readFileBytes(path);
    const Bytes last = tail(file, file.size() - 128);
    EXPECT_EQ(find(last, "TAG"), 0);
    EXPECT_EQ(last.back(), 250);
    EXPECT_EQ(Bytes(last.begin() + 3, last.end() - 1), Bytes(124, ' '));
    // The audio and its pad byte come through untouched.
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), file.begin() + 20));
    EXPECT_EQ(file[20 + audio.size()], 0);
}

TEST_F(RiffInfoWriteTest, FieldsAreWrittenInFixedOrder) {
    writeRiff();
    RiffInfoTagRefs refs{};
    refs.field[VELK_RIFFX_ICRD] = "2020";
    refs.field[VELK_RIFFX_IGNR] = "Pop";
    refs.field[VELK_RIFFX_INAM] = "Title  ";
    refs.field[VELK_RIFFX_IMP3] = "128k";
    ASSERT_EQ(velk_setFileRiffInfoRefs(path.c_str(), &refs), 1);
    const Bytes list = listOf(readFileBytes(path));
    const Bytes expectedStart = text("INFO") + infoText("INAM", "Title") + infoText("IGNR", "Pop") +
                                infoText("ICRD", "2020") + infoText("IMP3", "128k") +
                                infoText("ILYC", "");
    EXPECT_EQ(Bytes(list.begin() + 8, list.begin() + 8 + static_cast<long>(expectedStart.size())),
              expectedStart);
}

TEST_F(RiffInfoWriteTest, WriteEmptyFlagWritesEveryField) {
    writeRiff();
    velk_setWriteEmptyInfo(1);
    RiffInfoTag tag{};
    ASSERT_EQ(velk_setFileRiffInfoShort(path.c_str(), &tag), 1);
    const Bytes list = listOf(readFileBytes(path));
    // Thirteen empty fields of a short record (no IMED, ISBJ, IMP3), then ILYC and IID3.
    EXPECT_EQ(list.size(), 12 + 13 * 10 + 10 + 136u);
    EXPECT_EQ(find(list, "IMED"), -1);
    EXPECT_EQ(find(list, "ICMS"), 12 + 12 * 10);
}

TEST_F(RiffInfoWriteTest, RoundTripThroughEveryRecordForm) {
    writeRiff(id3v1("Id3 title"));
    auto ex = std::make_unique<RiffInfoTagEx>();
    std::memset(ex.get(), 0, sizeof *ex);
    std::strcpy(ex->field[VELK_RIFFX_IART], "Artist");
    std::strcpy(ex->field[VELK_RIFFX_ISBJ], "Subject");
    std::strcpy(ex->field[VELK_RIFFX_ILYC], "la la");
    ASSERT_EQ(velk_setFileRiffInfoEx(path.c_str(), ex.get()), 1);

    auto back = std::make_unique<RiffInfoTagEx>();
    ASSERT_EQ(velk_getFileRiffInfo(path.c_str(), back.get()), 1);
    EXPECT_STREQ(back->field[VELK_RIFFX_IART], "Artist");
    EXPECT_STREQ(back->field[VELK_RIFFX_ISBJ], "Subject");
    EXPECT_STREQ(back->field[VELK_RIFFX_ILYC], "la la");
    EXPECT_STREQ(back->field[VELK_RIFFX_INAM], "");

    auto small = std::make_unique<RiffInfoTag512>();
    ASSERT_EQ(velk_getFileRiffInfo2(path.c_str(), small.get()), 1);
    EXPECT_STREQ(small->field[VELK_RIFFX_ISBJ], "Subject");
    std::strcpy(small->field[VELK_RIFFX_INAM], "From 512");
    ASSERT_EQ(velk_setFileRiffInfo(path.c_str(), small.get()), 1);
    ASSERT_EQ(velk_getFileRiffInfo(path.c_str(), back.get()), 1);
    EXPECT_STREQ(back->field[VELK_RIFFX_INAM], "From 512");
    EXPECT_STREQ(back->field[VELK_RIFFX_IART], "Artist");

    // The ID3v1 tag survived every rewrite, as the very last bytes.
    Id3Tag id3;
    ASSERT_EQ(velk_getFileTag(path.c_str(), &id3), 1);
    EXPECT_STREQ(id3.title, "Id3 title");
}

TEST_F(RiffInfoWriteTest, NotRiffFailsWithError20) {
    writeFileBytes(path, mpegAudio(3));
    RiffInfoTag tag{};
    EXPECT_EQ(velk_setFileRiffInfoShort(path.c_str(), &tag), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 20);
    auto ex = std::make_unique<RiffInfoTagEx>();
    EXPECT_EQ(velk_getFileRiffInfo(path.c_str(), ex.get()), 0);
}

class TrailingTagModeTest : public RiffInfoWriteTest, public ::testing::WithParamInterface<int> {};

// Audio, INFO list, Lyrics3 block when kept, ID3v1 tag last, in every mode.
TEST_P(TrailingTagModeTest, KeepsTheTrailingTagOrder) {
    const Bytes lyrics = lyrics3("[00:01]hello");
    const Bytes id3 = id3v1("Song");
    writeRiff(lyrics + id3);
    velk_setRiffTagMode(GetParam());
    RiffInfoTag tag{};
    std::strcpy(tag.field[VELK_RIFF_INAM], "Name");
    std::strcpy(tag.field[VELK_RIFF_ILYC], "field lyrics");
    ASSERT_EQ(velk_setFileRiffInfoShort(path.c_str(), &tag), 1);
    const Bytes file = readFileBytes(path);
    EXPECT_TRUE(endsWith(file, id3));
    EXPECT_EQ(le32At(file, 4), file.size() - 8);
    const int64_t list = find(file, "LIST");
    ASSERT_EQ(list, static_cast<int64_t>(20 + audio.size() + 1));
    const int flags = velk_getFileType(path.c_str());
    if (GetParam() == 2) {
        EXPECT_EQ(find(file, "LYRICSBEGIN"), -1);
        EXPECT_EQ(flags & VELK_TYPE_LYRICS3, 0);
        EXPECT_TRUE(endsWith(file, chunk("IID3", id3)));
    } else {
        EXPECT_TRUE(endsWith(file, lyrics + id3));
        EXPECT_NE(flags & VELK_TYPE_LYRICS3, 0);
        // The list's last subchunk header carries the Lyrics3 block and the tag as its data.
        const char* id = GetParam() == 0 ? "ILYC" : "IID3";
        const Bytes header = text(id);
        const int64_t at = static_cast<int64_t>(file.size() - id3.size() - lyrics.size()) -
                           (lyrics.size() & 1) - 8;
        EXPECT_EQ(Bytes(file.begin() + at, file.begin() + at + 4), header);
        EXPECT_EQ(le32At(file, static_cast<size_t>(at + 4)),
                  lyrics.size() + (lyrics.size() & 1) + 128);
    }
    EXPECT_NE(flags & VELK_TYPE_ID3V1, 0);
    RiffInfoTag back{};
    InputInfo info;
    velk_init();
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    velk_getRiffInfo(&back);
    velk_free();
    EXPECT_STREQ(back.field[VELK_RIFF_INAM], "Name");
}

TEST_F(RiffInfoWriteTest, ModeOutsideRangeActsAsModeZero) {
    const Bytes lyrics = lyrics3("[00:02]x");
    writeRiff(lyrics + id3v1("S"));
    velk_setRiffTagMode(7);
    RiffInfoTag tag{};
    ASSERT_EQ(velk_setFileRiffInfoShort(path.c_str(), &tag), 1);
    const Bytes file = readFileBytes(path);
    // Mode 0: the lyrics travel as the data of an "ILYC" header, and no "IID3" is written.
    EXPECT_EQ(find(file, "IID3"), -1);
    EXPECT_NE(find(file, "ILYC"), -1);
    EXPECT_TRUE(endsWith(file, lyrics + id3v1("S")));
}

INSTANTIATE_TEST_SUITE_P(Modes, TrailingTagModeTest, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace velk::test
