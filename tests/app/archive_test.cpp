#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "archive_files.h"
#include "core/archive_intake.h"
#include "core/archive_member_info.h"
#include "core/file_intake.h"
#include "core/libarchive_reader.h"
#include "core/playlist.h"
#include "support/lha_writer.h"
#include "support/temp_dir.h"

namespace velk::app {
namespace {

using test::CbrMember;
using test::WithId3v1;
using test::WithId3v2;
using test::WriteZip;
using test::XingMember;
using test::ZipMember;
using velk::test::LhaMember;
using velk::test::TempDir;

// Nothing outside the archives is playable here.
class NoProbe : public MediaProbe {
  public:
    int FileType(const std::string&) override { return 0; }
    bool FileInfo(const std::string&, ProbedFile&) override { return false; }
};

struct ArchiveIntakeFixture : ::testing::Test {
    TempDir dir;
    Playlist playlist;
    NoProbe probe;
    LibArchiveReader reader;
    FileIntake intake{playlist, probe};

    ArchiveIntakeFixture() { intake.SetArchiveReader(&reader); }

    std::vector<std::string> Members() {
        std::vector<std::string> names;
        for (int i = 0; i < playlist.Count(); ++i) names.push_back(playlist.Entry(i).memberName);
        return names;
    }
    std::vector<int> Starts() {
        std::vector<int> starts;
        for (int i = 0; i < playlist.Count(); ++i) starts.push_back(playlist.Entry(i).startOffset);
        return starts;
    }
    std::vector<int> Lengths() {
        std::vector<int> lengths;
        for (int i = 0; i < playlist.Count(); ++i) lengths.push_back(playlist.Entry(i).length);
        return lengths;
    }
};

TEST_F(ArchiveIntakeFixture, ZipMembersInArchiveOrderWithLengthsAndRunningStarts) {
    for (bool deflate : {false, true}) {
        playlist.Clear();
        const std::string zip = dir.file(deflate ? "deflated.zip" : "stored.zip");
        WriteZip(zip, {{"a.mp3", CbrMember(60), deflate},
                       {"notes.txt", {'h', 'i'}, deflate},
                       {"sub/[b].MP3", CbrMember(90), deflate},
                       {"c.mp3", CbrMember(30), deflate}});
        intake.AddPath(zip, true);
        EXPECT_EQ(Members(), (std::vector<std::string>{"a.mp3", "sub/[b].MP3", "c.mp3"}));
        EXPECT_EQ(Lengths(), (std::vector<int>{60, 90, 30}));
        EXPECT_EQ(Starts(), (std::vector<int>{0, 60000, 150000}));
        ASSERT_EQ(playlist.Count(), 3);
        const PlaylistEntry& b = playlist.Entry(1);
        EXPECT_EQ(b.path, zip);
        EXPECT_EQ(b.fileName, "sub/[b].MP3");
        EXPECT_EQ(b.displayName, "[b].MP3");  // name type 1, no tag: the name after its folder
    }
}

TEST_F(ArchiveIntakeFixture, LhaLevel0And2StoredMembersAndShiftJisNames) {
    const std::string sjisName = "\x89\xcc.mp3";  // 歌.mp3 in code page 932
    for (int level : {0, 2}) {
        playlist.Clear();
        const std::string lzh = dir.file("songs" + std::to_string(level) + ".LZH");
        velk::test::writeFileBytes(
            lzh, velk::test::storedLha({{"one.mp3", CbrMember(20)},
                                        {"readme.txt", {'x'}},
                                        {sjisName, WithId3v1(CbrMember(10), "T", "A")}},
                                       level));
        intake.AddPath(lzh, false);
        EXPECT_EQ(Members(), (std::vector<std::string>{"one.mp3", "歌.mp3"})) << level;
        EXPECT_EQ(Lengths(), (std::vector<int>{20, 10}));
        EXPECT_EQ(Starts(), (std::vector<int>{0, 20000}));
    }
}

TEST_F(ArchiveIntakeFixture, Utf8ZipNamesAndEveryArchiveEnding) {
    for (const char* name : {"x.mp3.zip", "x.ZIP.mp3", "y.Zip"}) {
        playlist.Clear();
        WriteZip(dir.file(name), {{"曲/歌.mp3", CbrMember(5)}});
        intake.AddPath(dir.file(name), true);
        EXPECT_EQ(Members(), std::vector<std::string>{"曲/歌.mp3"}) << name;
    }
    EXPECT_TRUE(IsArchivePath("a.mp3.lzh"));
    EXPECT_TRUE(IsArchivePath("a.LZH.MP3"));
    EXPECT_FALSE(IsArchivePath("a.mp3"));
    EXPECT_FALSE(IsArchivePath("a.lha"));
}

TEST_F(ArchiveIntakeFixture, TitlesFromId3v1ElseId3v2AndXingLengths) {
    const std::string zip = dir.file("tags.zip");
    WriteZip(zip, {{"v1.mp3", WithId3v1(CbrMember(3), "\x89\xcc  ", "Singer"), true},
                   {"v2.mp3", WithId3v2(CbrMember(4), "Second", "Band")},
                   {"xing.mp3", XingMember(1000)},
                   {"plain.mp3", CbrMember(2)}});
    intake.AddPath(zip, true);
    ASSERT_EQ(playlist.Count(), 4);
    EXPECT_EQ(playlist.Entry(0).title, "歌");  // trailing spaces cut, Shift-JIS read
    EXPECT_EQ(playlist.Entry(0).artist, "Singer");
    EXPECT_EQ(playlist.Entry(0).displayName, "歌");
    EXPECT_EQ(playlist.Entry(1).title, "Second");
    EXPECT_EQ(playlist.Entry(1).artist, "Band");
    // Tags around the audio do not count toward the play time.
    EXPECT_EQ(Lengths(), (std::vector<int>{3, 4, 1000 * 1152 / 44100, 2}));
    EXPECT_EQ(playlist.Entry(3).startOffset, playlist.Entry(2).startOffset + 26000);
}

TEST_F(ArchiveIntakeFixture, NameTypeZeroLeavesUntaggedMembersUnnamedAndLyricsAreFound) {
    intake.options.nameType = 0;
    WriteZip(dir.file("l.zip"), {{"dir/sung.mp3", CbrMember(1)}, {"plain.mp3", CbrMember(1)}});
    std::ofstream(dir.file("sung.lrc")) << "[00:01:00]la\n";
    intake.AddPath(dir.file("l.zip"), true);
    ASSERT_EQ(playlist.Count(), 2);
    EXPECT_EQ(playlist.Entry(0).displayName, "");
    EXPECT_EQ(playlist.Entry(0).lyricsMark, kLyricsMark);
    EXPECT_EQ(playlist.Entry(1).lyricsMark, "");
}

TEST_F(ArchiveIntakeFixture, AnArchiveWithoutMp3MembersAddsNothingAndNoArchiveIsAnOrdinaryFile) {
    WriteZip(dir.file("docs.zip"), {{"a.txt", {'a'}}});
    intake.AddPath(dir.file("docs.zip"), false);
    EXPECT_EQ(playlist.Count(), 0);

    // Not an archive at all: the ordinary rules apply (quiet: left out; else a row of length 0).
    velk::test::writeFileBytes(dir.file("junk.zip"), std::vector<uint8_t>(5000, 0x5A));
    intake.AddPath(dir.file("junk.zip"), true);
    EXPECT_EQ(playlist.Count(), 0);
    intake.AddPath(dir.file("junk.zip"), false);
    ASSERT_EQ(playlist.Count(), 1);
    EXPECT_FALSE(playlist.Entry(0).isMember());
    intake.AddPath(dir.file("missing.lzh"), true);
    EXPECT_EQ(playlist.Count(), 1);
}

TEST_F(ArchiveIntakeFixture, DamagedArchivesAddWhatTheyCanRead) {
    const std::string whole = dir.file("whole.zip");
    WriteZip(whole,
             {{"a.mp3", CbrMember(2)}, {"b.mp3", CbrMember(3), true}, {"c.mp3", CbrMember(4)}});
    const auto bytes = velk::test::readFileBytes(whole);
    // Every cut of the file: never a crash, never more than the three members, and what is
    // listed is listed in order.
    for (size_t cut = 0; cut < bytes.size(); cut += 997) {
        playlist.Clear();
        const std::string path = dir.file("cut.zip");
        velk::test::writeFileBytes(path, {bytes.begin(), bytes.begin() + static_cast<long>(cut)});
        intake.AddPath(path, true);
        ASSERT_LE(playlist.Count(), 3) << cut;
        for (int i = 0; i < playlist.Count(); ++i) EXPECT_TRUE(playlist.Entry(i).isMember());
    }
    // Cut inside the third member's data: the first two keep their lengths, the third one has
    // none.
    playlist.Clear();
    velk::test::writeFileBytes(dir.file("short.lzh"), [] {
        auto lha = velk::test::storedLha(
            {{"a.mp3", CbrMember(2)}, {"b.mp3", CbrMember(3)}, {"c.mp3", CbrMember(4)}}, 0);
        lha.resize(lha.size() - 30000);
        return lha;
    }());
    intake.AddPath(dir.file("short.lzh"), true);
    EXPECT_EQ(Members(), (std::vector<std::string>{"a.mp3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(Lengths(), (std::vector<int>{2, 3, 0}));
}

TEST_F(ArchiveIntakeFixture, SizeFieldsThatLieAreNotTrusted) {
    // An lha member claiming 3 GiB: it is never read, so it is listed without a length; the
    // walk stops there since nothing after it can be found.
    auto lha = velk::test::storedLha({{"a.mp3", CbrMember(2)}, {"huge.mp3", CbrMember(1)}}, 0);
    const size_t second = lha.size() - 1 - 16000 - (2 + 22 + 8);
    ASSERT_EQ(lha[second + 2], '-');
    for (size_t field : {size_t{7}, size_t{11}}) lha[second + field + 3] = 0xC0;
    uint8_t sum = 0;  // the level-0 header's checksum over its body
    for (size_t i = 0; i < lha[second]; ++i) sum = static_cast<uint8_t>(sum + lha[second + 2 + i]);
    lha[second + 1] = sum;
    velk::test::writeFileBytes(dir.file("lies.lzh"), lha);
    intake.AddPath(dir.file("lies.lzh"), true);
    ASSERT_GE(playlist.Count(), 1);
    EXPECT_EQ(playlist.Entry(0).length, 2);
    for (int i = 1; i < playlist.Count(); ++i) EXPECT_EQ(playlist.Entry(i).length, 0);
}

TEST_F(ArchiveIntakeFixture, ThousandsOfMembers) {
    std::vector<ZipMember> members;
    const auto tiny = CbrMember(1);
    for (int i = 0; i < 3000; ++i)
        members.push_back({"m" + std::to_string(i) + ".mp3", tiny, i % 2 == 1});
    WriteZip(dir.file("many.zip"), members);
    intake.AddPath(dir.file("many.zip"), true);
    ASSERT_EQ(playlist.Count(), 3000);
    EXPECT_EQ(playlist.Entry(2999).memberName, "m2999.mp3");
    EXPECT_EQ(playlist.Entry(2999).startOffset, 2999000);
}

TEST_F(ArchiveIntakeFixture, StoppingTheIntakeEndsTheWalk) {
    WriteZip(dir.file("s.zip"), {{"a.mp3", CbrMember(1)}, {"b.mp3", CbrMember(1)}});
    intake.hooks.stopRequested = [this] { return playlist.Count() >= 1; };
    intake.AddPath(dir.file("s.zip"), true);
    EXPECT_EQ(playlist.Count(), 1);
}

TEST_F(ArchiveIntakeFixture, ArchivesArriveFromPlaylistLinesAndDroppedFolders) {
    std::filesystem::create_directories(dir.file("music"));
    WriteZip(dir.file("music/album.zip"), {{"a.mp3", CbrMember(1)}});
    velk::test::writeFileBytes(dir.file("music/old.lzh"),
                               velk::test::storedLha({{"b.mp3", CbrMember(1)}}, 2));
    std::ofstream(dir.file("music/list.m3u")) << "#EXTM3U\nold.lzh\nalbum.zip\n";
    intake.AddPath(dir.file("music/list.m3u"), false);
    EXPECT_EQ(Members(), (std::vector<std::string>{"b.mp3", "a.mp3"}));
    playlist.Clear();
    std::filesystem::remove(dir.file("music/list.m3u"));
    intake.AddDropped({dir.file("music")});
    auto members = Members();
    std::sort(members.begin(), members.end());
    EXPECT_EQ(members, (std::vector<std::string>{"a.mp3", "b.mp3"}));
}

TEST_F(ArchiveIntakeFixture, FavouriteLinesRestoreMembersWithoutTheArchive) {
    const std::string line = dir.file("gone.zip") + "|dir/b.mp3|Title|Artist|90|60000";
    intake.AddPath(line, false);
    ASSERT_EQ(playlist.Count(), 1);
    const PlaylistEntry& e = playlist.Entry(0);
    EXPECT_EQ(e.path, dir.file("gone.zip"));
    EXPECT_EQ(e.memberName, "dir/b.mp3");
    EXPECT_EQ(e.length, 90);
    EXPECT_EQ(e.startOffset, 60000);
    EXPECT_EQ(FavouriteLine(e), line);
}

TEST(MemberLengthEstimate, HeadersThatGiveNoLength) {
    MemberSample sample;
    sample.complete = true;
    sample.size = 16000;
    EXPECT_FALSE(EstimateMemberLength(sample).found);  // nothing read
    sample.head = {0xFF, 0xFB, 0x00, 0x00};            // bit-rate index 0: free format
    EXPECT_FALSE(EstimateMemberLength(sample).found);
    sample.head = {0xFF, 0xF9, 0x90, 0x00};  // reserved layer
    EXPECT_FALSE(EstimateMemberLength(sample).found);
    sample.head = {0x00, 0xFF, 0xFB, 0x9C, 0x00};  // reserved sampling rate
    EXPECT_FALSE(EstimateMemberLength(sample).found);
    sample.head = {0x00, 0xFF, 0xFB, 0x90, 0x00};  // found after a stray byte
    EXPECT_TRUE(EstimateMemberLength(sample).found);
    sample.complete = false;  // a member that could not be read to its end
    EXPECT_FALSE(EstimateMemberLength(sample).found);
    // An ID3v2 header claiming more than is there: no frame is looked for inside it.
    sample = MemberSample{"x.mp3", true, 100, {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F}, {}};
    EXPECT_FALSE(EstimateMemberLength(sample).found);
    EXPECT_FALSE(ReadMemberTitles(sample).tagged);
}

TEST(ArchiveLibrary, VersionTextNamesLibarchive) {
    EXPECT_EQ(ArchiveLibraryVersion().rfind("libarchive ", 0), 0u);
}

}  // namespace
}  // namespace velk::app
