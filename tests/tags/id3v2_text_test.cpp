// Title and artist from ID3v2 tags: frames of versions 2.2 to 2.4 in every text encoding,
// unsynchronisation, extended headers, hostile sizes, and where the engine reports them.
#include "tags/id3v2_text.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "tag_files.h"
#include "tags/text_codec.h"
#include "velk.h"

namespace velk::test {
namespace {

Bytes bigEndianSize(uint32_t size, size_t bytes, bool syncsafe) {
    Bytes out;
    for (size_t i = bytes; i-- > 0;) {
        const int shift = static_cast<int>(i) * (syncsafe ? 7 : 8);
        out.push_back(static_cast<uint8_t>((size >> shift) & (syncsafe ? 0x7F : 0xFF)));
    }
    return out;
}

// One frame of a tag of `major` version; `stated` overrides the size field.
Bytes frame(int major, const std::string& id, const Bytes& body, uint8_t format = 0,
            int64_t stated = -1) {
    const auto size = static_cast<uint32_t>(stated >= 0 ? stated : int64_t(body.size()));
    if (major == 2) return text(id) + bigEndianSize(size, 3, false) + body;
    return text(id) + bigEndianSize(size, 4, major == 4) + Bytes{0, format} + body;
}

Bytes latin1(const std::string& s) {
    return Bytes{0} + text(s);
}

std::string sjis(const std::string& utf8) {
    return utf8ToCp932(utf8).value_or("conversion failed");
}

Id3v2Titles read(const Bytes& tag) {
    return readId3v2Titles(tag.data(), tag.size());
}

// "ab" and "夜" in UTF-16, in either byte order, with or without a byte-order mark.
Bytes utf16(bool littleEndian, bool bom, uint8_t encoding = 1) {
    const uint16_t units[] = {'a', 'b', 0x591C};
    Bytes out{encoding};
    if (bom) out = out + (littleEndian ? Bytes{0xFF, 0xFE} : Bytes{0xFE, 0xFF});
    for (uint16_t unit : units) {
        const auto high = static_cast<uint8_t>(unit >> 8);
        const auto low = static_cast<uint8_t>(unit);
        out = out + (littleEndian ? Bytes{low, high} : Bytes{high, low});
    }
    return out + Bytes{0, 0} + text("ignored second value");
}

TEST(Id3v2Titles, EveryVersionNamesItsFrames) {
    const Id3v2Titles v22 =
        read(id3v2Tag(frame(2, "TT2", latin1("Twenty-two")) + frame(2, "TP1", latin1("Old")), 2));
    EXPECT_EQ(v22.title, "Twenty-two");
    EXPECT_EQ(v22.artist, "Old");
    for (uint8_t major : {3, 4}) {
        SCOPED_TRACE(int(major));
        const Bytes frames = frame(major, "TALB", latin1("Album")) +
                             frame(major, "TPE1", latin1("Band")) +
                             frame(major, "TIT2", latin1("Song")) + Bytes(40, 0);  // padding
        const Id3v2Titles titles = read(id3v2Tag(frames, major));
        EXPECT_EQ(titles.title, "Song");
        EXPECT_EQ(titles.artist, "Band");
    }
    // Version 2.2 ids mean nothing in a 2.3 tag, nor the other way round.
    EXPECT_TRUE(read(id3v2Tag(frame(3, "TT2X", latin1("x")), 3)).empty());
    EXPECT_TRUE(read(id3v2Tag(frame(2, "TIT", latin1("x")), 2)).empty());
    EXPECT_TRUE(read(id3v2Tag(frame(3, "TIT2", latin1("x")), 5)).empty());  // unknown version
}

TEST(Id3v2Titles, EveryTextEncodingBecomesShiftJis) {
    const std::string expected = sjis("ab夜");
    struct Case {
        const char* name;
        Bytes body;
    } cases[] = {
        {"UTF-16 LE with BOM", utf16(true, true)},
        {"UTF-16 BE with BOM", utf16(false, true)},
        {"UTF-16 BE without BOM", utf16(false, false)},
        {"UTF-16 LE without BOM", utf16(true, false)},
        {"UTF-16BE", utf16(false, false, 2)},
        {"UTF-8", Bytes{3} + text("ab夜") + Bytes{0} + text("second")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(id3v2Tag(frame(4, "TIT2", c.body), 4)).title, expected);
        EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", c.body), 3)).title, expected);
    }
    // ISO-8859-1: "é" has no Shift-JIS form; broken UTF-8 and an unknown encoding byte.
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", Bytes{0, 'C', 'a', 'f', 0xE9}))).title, "Caf?");
    EXPECT_EQ(read(id3v2Tag(frame(4, "TIT2", Bytes{3, 'a', 0xC3, 'b'}), 4)).title, "a?b");
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", Bytes{0}))).title, "");
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", Bytes{7, 'x'}))).title, "");
    // A character outside Shift-JIS, a lone UTF-16 surrogate, an odd byte left over in UTF-16.
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", Bytes{3} + text("a😀b")))).title, "a?b");
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", Bytes{2, 0xD8, 0, 0, 'b'}))).title, "?b");
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", Bytes{2, 0, 'a', 0}))).title, "a");
}

TEST(Id3v2Titles, UnsynchronisationOfTheTagAndOfAFrame) {
    // FF FE, the byte-order mark, is stored as FF 00 FE when unsynchronised.
    const Bytes stored = {1, 0xFF, 0x00, 0xFE, 'a', 0, 'b', 0};
    // Version 2.3: the whole tag; frame sizes count the bytes once resynchronised.
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", stored, 0, 7), 3, 0x80)).title, "ab");
    // Version 2.4: the frame's own flag, or the tag's; the size counts the stored bytes.
    EXPECT_EQ(read(id3v2Tag(frame(4, "TIT2", stored, 0x02), 4)).title, "ab");
    EXPECT_EQ(read(id3v2Tag(frame(4, "TIT2", stored), 4, 0x80)).title, "ab");
    // Without the flag the 00 stays and the text is not what was meant.
    EXPECT_NE(read(id3v2Tag(frame(4, "TIT2", stored), 4)).title, "ab");
}

TEST(Id3v2Titles, ExtendedHeadersAndFrameFlagsAreSteppedOver) {
    const Bytes title = frame(3, "TIT2", latin1("Title"));
    // 2.3: size of what follows the size field; 2.4: syncsafe size of the whole header.
    EXPECT_EQ(read(id3v2Tag(Bytes{0, 0, 0, 6, 0, 0, 0, 0, 0, 0} + title, 3, 0x40)).title, "Title");
    EXPECT_EQ(
        read(id3v2Tag(Bytes{0, 0, 0, 6, 1, 0} + frame(4, "TIT2", latin1("Four")), 4, 0x40)).title,
        "Four");
    EXPECT_TRUE(read(id3v2Tag(Bytes{0, 0, 0x7F, 0x7F}, 3, 0x40)).empty());
    // A grouping byte and a data length indicator come before the text; compressed and
    // encrypted frames are not text.
    EXPECT_EQ(read(id3v2Tag(frame(4, "TIT2", Bytes{9, 0, 0, 0, 12} + latin1("G"), 0x41), 4)).title,
              "G");
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", Bytes{9} + latin1("G"), 0x20))).title, "G");
    EXPECT_EQ(read(id3v2Tag(frame(3, "TIT2", latin1("zip"), 0x80))).title, "");
    EXPECT_EQ(read(id3v2Tag(frame(4, "TIT2", latin1("zip"), 0x04), 4)).title, "");
    // A plain (not syncsafe) size in a 2.4 tag, as some writers leave them.
    const Bytes long2 = latin1(std::string(200, 'L'));
    Bytes plainSized = text("TIT2") + bigEndianSize(201, 4, false) + Bytes{0, 0} + long2;
    EXPECT_EQ(read(id3v2Tag(plainSized, 4)).title, std::string(200, 'L'));
}

TEST(Id3v2Titles, HostileSizesNeverReadOutsideTheTag) {
    const Bytes artist = frame(3, "TPE1", latin1("Kept"));
    // A title frame whose size runs past the tag: what came before it stays.
    Id3v2Titles titles = read(id3v2Tag(artist + frame(3, "TIT2", latin1("x"), 0, 5000)));
    EXPECT_EQ(titles.artist, "Kept");
    EXPECT_EQ(titles.title, "");
    // A tag whose stated size runs past the bytes present, read at every length.
    Bytes tag = id3v2Tag(artist + frame(3, "TIT2", latin1("Title")));
    tag[6] = 0x7F;
    for (size_t n = 0; n <= tag.size(); ++n) {
        // The title frame is the last one: any shorter span cuts it off.
        EXPECT_EQ(readId3v2Titles(tag.data(), n).title, n == tag.size() ? "Title" : "");
    }
    // A tag with no title frame.
    EXPECT_EQ(read(id3v2Tag(artist)).title, "");
}

class Id3v2TitleFileTest : public ::testing::Test {
  protected:
    void SetUp() override { velk_init(); }
    void TearDown() override { velk_free(); }

    // The title and artist as velk_open and the file information query report them.
    std::pair<std::string, std::string> opened(const Bytes& bytes) {
        const std::string path = dir.file("song.mp3");
        writeFileBytes(path, bytes);
        InputInfo info{};
        EXPECT_EQ(velk_open(path.c_str(), &info), 1);
        velk_close();
        Id3Tag tag{};
        MpegInfo14 mpeg{};
        EXPECT_EQ(velk_getFileInfo(path.c_str(), &tag, &mpeg), 1);
        EXPECT_STREQ(tag.title, info.songName);
        EXPECT_STREQ(tag.artist, info.artist);
        return {info.songName, info.artist};
    }
    TempDir dir;
};

TEST_F(Id3v2TitleFileTest, FileWithoutId3v1ShowsTheId3v2Texts) {
    const Bytes tag = id3v2Tag(frame(4, "TIT2", Bytes{3} + text("夜に駆ける")) +
                                   frame(4, "TPE1", Bytes{3} + text("YOASOBI")),
                               4);
    EXPECT_EQ(opened(tag + mpegAudio(20)), std::make_pair(sjis("夜に駆ける"), sjis("YOASOBI")));
    // An empty tag ahead of the real one, as some taggers leave them.
    EXPECT_EQ(opened(id3v2(0) + tag + mpegAudio(20)).first, sjis("夜に駆ける"));
    // A tag with no title frame leaves the title empty.
    EXPECT_EQ(opened(id3v2Tag(frame(3, "TPE1", latin1("Solo"))) + mpegAudio(20)),
              std::make_pair(std::string(), std::string("Solo")));
}

TEST_F(Id3v2TitleFileTest, Id3v1TextWinsWhenBothArePresent) {
    const Bytes tag = id3v2Tag(frame(3, "TIT2", latin1("Version two")));
    EXPECT_EQ(opened(tag + mpegAudio(20) + id3v1("Version one", "One")),
              std::make_pair(std::string("Version one"), std::string("One")));
    Id3Tag v1{};
    const std::string path = dir.file("song.mp3");
    ASSERT_EQ(velk_getFileTag(path.c_str(), &v1), 1);
    EXPECT_STREQ(v1.title, "Version one");
}

TEST_F(Id3v2TitleFileTest, LongTextsAreCutOnACharacterBoundary) {
    std::string kana;
    for (int i = 0; i < 100; ++i) kana += "あ";  // 200 bytes in Shift-JIS
    const Bytes tag = id3v2Tag(frame(3, "TIT2", Bytes{3} + text(kana)) +
                               frame(3, "TPE1", latin1(std::string(300, 'x'))));
    const auto [title, artist] = opened(tag + mpegAudio(20));
    EXPECT_EQ(title.size(), 126u);
    EXPECT_EQ(title, sjis(kana).substr(0, 126));
    EXPECT_EQ(artist, std::string(127, 'x'));
}

}  // namespace
}  // namespace velk::test
