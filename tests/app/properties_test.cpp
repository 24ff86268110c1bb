// The property dialog's windowless rules: texts, genres, loading rows and applying edits to
// real files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/grouped_digits.h"
#include "core/grouped_digits.h"
#include "core/tag_field.h"
#include "core/text_codec.h"
#include "core/velk_tag_port.h"
#include "dialogs/core/genre_list.h"
#include "dialogs/core/property_apply.h"
#include "dialogs/core/property_texts.h"
#include "dialogs/core/song_properties.h"
#include "support/temp_dir.h"
#include "tags/tag_files.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;
using velk::test::Bytes;
using velk::test::operator+;
using velk::test::readFileBytes;
using velk::test::TempDir;
using velk::test::writeFileBytes;

const std::string kA = "\xE3\x81\x82";  // "あ": two bytes in Shift-JIS

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

TEST(PropertyTexts, AudioPropertiesAsTheDialogShowsThem) {
    EXPECT_EQ(ChannelsText(1), "1 (ﾓﾉﾗﾙ)");
    EXPECT_EQ(ChannelsText(2), "2 (ｽﾃﾚｵ)");
    EXPECT_EQ(ChannelsText(6), "6");
    EXPECT_EQ(ChannelsText(0), "0");
    EXPECT_EQ(BitRateText(128), "128 Kbps");
    EXPECT_EQ(SampleRateText(44100), "44 KHz");
    EXPECT_EQ(SampleRateText(999), "0 KHz");
    EXPECT_EQ(FileSizeText(1234567), "1,205 KB");
    EXPECT_EQ(FileSizeText(0), "0 KB");
    EXPECT_EQ(FileSizeText(999 * 1024 + 1023), "999 KB");
    EXPECT_EQ(FileSizeText(1000 * 1024), "1,000 KB");
    EXPECT_EQ(GroupThousands(1234567890123), "1,234,567,890,123");
    EXPECT_EQ(GroupThousands(100000), "100,000");
    EXPECT_EQ(GroupThousands(-1000), "-1,000");
    EXPECT_EQ(GroupThousands(INT64_MIN), "-9,223,372,036,854,775,808");
    EXPECT_EQ(PlayTimeText(59), "0:59");
    EXPECT_EQ(PlayTimeText(3599), "59:59");
    EXPECT_EQ(PlayTimeText(3600), "1:00:00");
    EXPECT_EQ(PlayTimeText(3723), "1:02:03");
}

TEST(PropertyTexts, FileNameFieldForFilesAndArchiveMembers) {
    PlaylistEntry song;
    song.path = "/music/a.mp3";
    song.fileName = "a.mp3";
    EXPECT_EQ(ShownFileName(song, false), "a.mp3");
    EXPECT_EQ(ShownFileName(song, true), "/music/a.mp3");
    PlaylistEntry member;
    member.path = "/music/set.zip";
    member.fileName = member.memberName = "disc1/b.mp3";
    EXPECT_EQ(ShownFileName(member, false), "b.mp3");
    EXPECT_EQ(ShownFileName(member, true), "/music/set.zip/disc1/b.mp3");
}

TEST(GenreList, EveryNamedGenreInNumberOrder) {
    const auto& genres = GenreChoices();
    ASSERT_EQ(genres.size(), 153u);
    EXPECT_EQ(genres.front().number, 0);
    EXPECT_EQ(genres.front().name, "Blues");
    for (size_t i = 1; i < genres.size(); ++i) {
        EXPECT_LT(genres[i - 1].number, genres[i].number);
        EXPECT_FALSE(genres[i].name.empty());
    }
    const int rock = FindGenreChoice("Rock");
    ASSERT_GE(rock, 0);
    EXPECT_EQ(genres[rock].number, 17);
    EXPECT_EQ(FindGenreChoice(""), -1);
    EXPECT_EQ(FindGenreChoice("rock"), -1);
}

TEST(PropertySteps, PreviousAndNextWrapAroundTheEnds) {
    EXPECT_EQ(NeighbourRow(0, 3, -1), 2);
    EXPECT_EQ(NeighbourRow(2, 3, 1), 0);
    EXPECT_EQ(NeighbourRow(1, 3, -1), 0);
    EXPECT_EQ(NeighbourRow(1, 3, 1), 2);
    EXPECT_EQ(NeighbourRow(0, 1, 1), 0);
    EXPECT_EQ(NeighbourRow(0, 1, -1), 0);
    EXPECT_EQ(NeighbourRow(0, 0, 1), -1);
}

TEST(TagTextEncoding, CharactersShiftJisCannotHoldAreNamed) {
    EXPECT_EQ(EncodeTagTextExactly(kA + "A?").bytes,
              "\x82\xA0"
              "A?");
    EXPECT_TRUE(EncodeTagTextExactly("").unencodable.empty());
    EXPECT_EQ(EncodeTagTextExactly("abc\xE2\x82\xAC").unencodable, "\xE2\x82\xAC");  // €
    const std::string emoji = "\xF0\x9F\x8E\xB5";
    const TagTextEncoding withEmoji = EncodeTagTextExactly(kA + emoji + "x");
    EXPECT_EQ(withEmoji.unencodable, emoji);
    EXPECT_TRUE(withEmoji.bytes.empty());
    EXPECT_EQ(EncodeTagTextExactly("a\xFF"
                                   "b")
                  .unencodable,
              "\xFF");  // not UTF-8 at all
}

TEST(TagTextEncoding, CutsFallOnCharacterBoundaries) {
    const std::string sixteen = Utf8ToTagText(Repeat(kA, 16));  // 32 bytes
    EXPECT_EQ(CutToTagField(sixteen, kTagTitleBytes).size(), 30u);
    const std::string odd = Utf8ToTagText("a" + Repeat(kA, 15));  // 31 bytes
    const std::string cut = CutToTagField(odd, kTagTitleBytes);
    EXPECT_EQ(cut.size(), 29u);  // the 15th "あ" would need bytes 30 and 31
    EXPECT_EQ(TagTextToUtf8(cut), "a" + Repeat(kA, 14));
    EXPECT_EQ(CutToTagField("2001AD", kTagYearBytes), "2001");
    EXPECT_EQ(CutToTagField("", kTagYearBytes), "");
}

class PropertyFiles : public ::testing::Test {
  protected:
    PlaylistEntry Row(const std::string& name, const Bytes& bytes) {
        PlaylistEntry entry;
        entry.path = dir.file(name);
        entry.fileName = name;
        writeFileBytes(entry.path, bytes);
        return entry;
    }

    static Bytes PcmWave(uint16_t channels, uint32_t seconds) {
        const uint32_t rate = 44100;
        const uint32_t bytesPerSecond = rate * channels * 2;
        return velk::test::riff("WAVE",
                                velk::test::formatChunk(1, channels, rate, 16) +
                                    velk::test::chunk("data", Bytes(bytesPerSecond * seconds)));
    }

    static PropertyEdits Edits(const std::string& name, const std::string& title) {
        PropertyEdits edits;
        edits.nameField = name;
        edits.tag = {title, "Artist", "Album", "1999", "Comment", {}};
        edits.genre = 17;
        return edits;
    }

    static Id3Tag TagOf(const std::string& path) {
        Id3Tag tag{};
        EXPECT_EQ(velk_getFileTag(path.c_str(), &tag), 1) << path;
        return tag;
    }

    TempDir dir;
    VelkTagPort tags;
    const Bytes audio = velk::test::mpegAudio(40);
};

TEST_F(PropertyFiles, MpegRowsWithAndWithoutTagsReadThroughTheEngine) {
    const SongProperties tagged =
        LoadSongProperties(Row("t.mp3", audio + velk::test::id3v1("Song", "Singer", 17)));
    ASSERT_TRUE(tagged.readable);
    EXPECT_TRUE(tagged.HasTag());
    EXPECT_EQ(tagged.tag.title, "Song");
    EXPECT_EQ(tagged.tag.artist, "Singer");
    EXPECT_EQ(tagged.tag.year, "2001");
    EXPECT_EQ(tagged.tag.genreName, "Rock");
    EXPECT_EQ(tagged.bitRate, 128);
    EXPECT_EQ(tagged.sampleRate, 44100);
    EXPECT_EQ(tagged.frames, 40);
    EXPECT_EQ(tagged.fileSize, static_cast<int64_t>(audio.size() + 128));

    const SongProperties bare = LoadSongProperties(Row("b.mp3", audio));
    ASSERT_TRUE(bare.readable);
    EXPECT_TRUE(bare.HasTag());  // an empty tag to fill in
    EXPECT_EQ(bare.tag.title, "");
    EXPECT_EQ(bare.fileSize, static_cast<int64_t>(audio.size()));
}

TEST_F(PropertyFiles, PcmWaveEmptyAndMemberRows) {
    const SongProperties wave = LoadSongProperties(Row("w.wav", PcmWave(1, 3)));
    ASSERT_TRUE(wave.readable);
    EXPECT_TRUE(wave.pcmWave);
    EXPECT_FALSE(wave.HasTag());
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.sampleRate, 44100);
    EXPECT_EQ(wave.bitRate, 705);
    EXPECT_EQ(wave.playTime, 3);
    EXPECT_EQ(wave.frames, 0);

    EXPECT_FALSE(LoadSongProperties(Row("empty.mp3", {})).readable);
    PlaylistEntry missing;
    missing.path = dir.file("gone.mp3");
    EXPECT_FALSE(LoadSongProperties(missing).readable);
    PlaylistEntry member = Row("set.zip", audio);
    member.memberName = "in.mp3";
    EXPECT_FALSE(LoadSongProperties(member).readable);
}

TEST_F(PropertyFiles, ApplyRenamesThenAppendsTheTagAndUpdatesTheEntry) {
    PlaylistEntry entry = Row("old.mp3", audio);
    const ApplyOutcome outcome = ApplyProperties(entry, Edits("new.mp3", "Title"), tags);
    EXPECT_EQ(outcome.result, ApplyOutcome::kApplied);
    EXPECT_TRUE(outcome.rowChanged);
    EXPECT_FALSE(fs::exists(dir.file("old.mp3")));
    EXPECT_EQ(entry.path, dir.file("new.mp3"));
    EXPECT_EQ(entry.fileName, "new.mp3");
    EXPECT_EQ(entry.title, "Title");
    EXPECT_EQ(entry.artist, "Artist");
    const Bytes written = readFileBytes(entry.path);
    ASSERT_EQ(written.size(), audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), written.begin()));
    const Id3Tag tag = TagOf(entry.path);
    EXPECT_STREQ(tag.title, "Title");
    EXPECT_STREQ(tag.album, "Album");
    EXPECT_STREQ(tag.year, "1999");
    EXPECT_STREQ(tag.comment, "Comment");
    EXPECT_EQ(tag.genre, 17u);

    // In full-path mode the field is the whole new path.
    PropertyEdits moved = Edits(dir.file("moved.mp3"), "Title");
    moved.fullPath = true;
    EXPECT_EQ(ApplyProperties(entry, moved, tags).result, ApplyOutcome::kApplied);
    EXPECT_TRUE(fs::exists(dir.file("moved.mp3")));
    EXPECT_EQ(entry.fileName, "moved.mp3");
}

TEST_F(PropertyFiles, LongTextIsCutOnACharacterBoundary) {
    PlaylistEntry entry = Row("a.mp3", audio);
    const std::string title = "a" + Repeat(kA, 20);
    ASSERT_EQ(ApplyProperties(entry, Edits("a.mp3", title), tags).result, ApplyOutcome::kApplied);
    const Id3Tag tag = TagOf(entry.path);
    EXPECT_EQ(std::string(tag.title).size(), 29u);
    EXPECT_EQ(TagTextToUtf8(tag.title), "a" + Repeat(kA, 14));
    EXPECT_EQ(entry.title, "a" + Repeat(kA, 14));
}

TEST_F(PropertyFiles, RefusedCharacterWritesNothing) {
    PlaylistEntry entry = Row("a.mp3", audio);
    entry.title = "Before";
    for (const std::string bad : {"\xE2\x82\xAC", "\xF0\x9F\x8E\xB5"}) {
        PropertyEdits edits = Edits("renamed.mp3", "ok");
        edits.tag.comment = "x" + bad;
        const ApplyOutcome outcome = ApplyProperties(entry, edits, tags);
        EXPECT_EQ(outcome.result, ApplyOutcome::kUnencodable);
        EXPECT_EQ(outcome.unencodable, bad);
        EXPECT_FALSE(outcome.rowChanged);
    }
    EXPECT_EQ(readFileBytes(dir.file("a.mp3")), audio);
    EXPECT_FALSE(fs::exists(dir.file("renamed.mp3")));
    EXPECT_EQ(entry.title, "Before");
    EXPECT_EQ(entry.fileName, "a.mp3");
}

TEST_F(PropertyFiles, ExistingNameAndReadOnlyFileFailWithTheirOwnResults) {
    PlaylistEntry entry = Row("a.mp3", audio);
    entry.title = "Before";
    const Bytes other = audio + velk::test::id3v1("Other");
    writeFileBytes(dir.file("taken.mp3"), other);
    EXPECT_EQ(ApplyProperties(entry, Edits("taken.mp3", "T"), tags).result,
              ApplyOutcome::kRenameFailed);
    EXPECT_EQ(readFileBytes(dir.file("taken.mp3")), other);
    EXPECT_EQ(readFileBytes(dir.file("a.mp3")), audio);
    EXPECT_EQ(entry.path, dir.file("a.mp3"));
    EXPECT_EQ(ApplyProperties(entry, Edits("", "T"), tags).result, ApplyOutcome::kRenameFailed);

    fs::permissions(entry.path, fs::perms::owner_read | fs::perms::group_read);
    const ApplyOutcome locked = ApplyProperties(entry, Edits("a.mp3", "T"), tags);
    EXPECT_EQ(locked.result, ApplyOutcome::kTagFailed);
    EXPECT_EQ(readFileBytes(entry.path), audio);
    EXPECT_EQ(entry.title, "Before");
}

TEST_F(PropertyFiles, WaveIsRenamedWithoutATagAndMembersAreLeftAlone) {
    const Bytes waveBytes = PcmWave(2, 1);
    PlaylistEntry wave = Row("w.wav", waveBytes);
    PropertyEdits edits = Edits("v.wav", "\xE2\x82\xAC");  // no tag: nothing to refuse
    edits.pcmWave = true;
    EXPECT_EQ(ApplyProperties(wave, edits, tags).result, ApplyOutcome::kApplied);
    EXPECT_EQ(readFileBytes(dir.file("v.wav")), waveBytes);
    EXPECT_EQ(wave.title, "");

    PlaylistEntry member = Row("set.zip", audio);
    member.memberName = "in.mp3";
    EXPECT_FALSE(ApplyProperties(member, Edits("other.zip", "T"), tags).rowChanged);
    EXPECT_EQ(readFileBytes(dir.file("set.zip")), audio);
}

}  // namespace
}  // namespace velk::app
