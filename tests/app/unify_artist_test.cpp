#include "core/unify_artist.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "core/velk_tag_port.h"
#include "dialogs/ui/unify_artist_dialog.h"
#include "support/temp_dir.h"
#include "tags/tag_files.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;
using velk::test::Bytes;
using velk::test::operator+;
using velk::test::readFileBytes;
using velk::test::TempDir;

// A tag with every field in use, an ID3v1.1 track among them, so that a rewrite that loses or
// shifts one shows.
Bytes FullTag(const std::string& artist) {
    Bytes tag = velk::test::id3v1("Title", artist, 17);
    const std::string album = "Album";
    std::copy(album.begin(), album.end(), tag.begin() + 63);
    const std::string comment = "Comment";
    std::copy(comment.begin(), comment.end(), tag.begin() + 97);
    tag[125] = 0;
    tag[126] = 7;
    return tag;
}

// Sets the time of the last change well into the past, so that any write shows in it.
void Backdate(const std::string& path) {
    fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(24));
}

Id3TagEx TagOf(const std::string& path) {
    Id3TagEx tag{};
    EXPECT_EQ(velk_getFileTagV2(path.c_str(), &tag), 1) << path;
    return tag;
}

class UnifyArtistFixture : public ::testing::Test {
  protected:
    const Bytes audio = velk::test::mpegAudio(12);

    // A row for a file of the test's audio followed by `tail` (a tag, or nothing).
    std::string AddSong(const std::string& name, const Bytes& tail, const std::string& artist) {
        const std::string path = dir.file(name);
        velk::test::writeFileBytes(path, audio + tail);
        Backdate(path);
        auto entry = std::make_unique<PlaylistEntry>();
        entry->path = path;
        entry->fileName = name;
        entry->artist = artist;
        playlist.Append(std::move(entry));
        return path;
    }

    bool AudioKept(const std::string& path) const {
        const Bytes bytes = readFileBytes(path);
        return bytes.size() >= audio.size() &&
               std::equal(audio.begin(), audio.end(), bytes.begin());
    }

    TempDir dir;
    Playlist playlist;
    VelkTagPort tags;
};

TEST_F(UnifyArtistFixture, ReadOnlyFileFailsWhileTheOthersAreRewrittenWithTheirOtherFieldsKept) {
    const std::string tagged = AddSong("tagged.mp3", FullTag("Old"), "Old");
    const std::string locked = AddSong("locked.mp3", FullTag("Old"), "Old");
    const std::string untagged = AddSong("untagged.mp3", {}, "");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const Bytes lockedBefore = readFileBytes(locked);
    const Id3TagEx before = TagOf(tagged);

    const UnifyResult result = UnifyArtist(playlist, {0, 1, 2}, "New Artist", -1, tags);

    EXPECT_TRUE(result.anyFailed);
    EXPECT_EQ(result.changedRows, (std::vector<int>{0, 2}));
    EXPECT_EQ(playlist.Entry(0).artist, "New Artist");
    EXPECT_EQ(playlist.Entry(1).artist, "Old");
    EXPECT_EQ(playlist.Entry(2).artist, "New Artist");
    EXPECT_EQ(readFileBytes(locked), lockedBefore);

    const Id3TagEx after = TagOf(tagged);
    EXPECT_STREQ(after.artist, "New Artist");
    EXPECT_STREQ(after.title, before.title);
    EXPECT_STREQ(after.album, before.album);
    EXPECT_STREQ(after.year, before.year);
    EXPECT_STREQ(after.comment, before.comment);
    EXPECT_EQ(after.track, 7);
    EXPECT_EQ(after.genre, 17u);
    EXPECT_EQ(readFileBytes(tagged).size(), audio.size() + 128);
    EXPECT_TRUE(AudioKept(tagged));

    EXPECT_STREQ(TagOf(untagged).artist, "New Artist");
    EXPECT_EQ(readFileBytes(untagged).size(), audio.size() + 128);
    EXPECT_TRUE(AudioKept(untagged));
}

TEST_F(UnifyArtistFixture, VanishedFileAndArchiveMemberFailWithoutStoppingTheRest) {
    const std::string gone = AddSong("gone.mp3", FullTag("Old"), "Old");
    const std::string archive = AddSong("songs.zip", {}, "Old");
    playlist.Entry(1).memberName = "inner.mp3";
    const std::string kept = AddSong("kept.mp3", FullTag("Old"), "Old");
    fs::remove(gone);
    const Bytes archiveBefore = readFileBytes(archive);

    const UnifyResult result = UnifyArtist(playlist, {0, 1, 2}, "New", -1, tags);

    EXPECT_TRUE(result.anyFailed);
    EXPECT_EQ(result.changedRows, std::vector<int>{2});
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(readFileBytes(archive), archiveBefore);
    EXPECT_EQ(playlist.Entry(0).artist, "Old");
    EXPECT_STREQ(TagOf(kept).artist, "New");
}

TEST_F(UnifyArtistFixture, TagAlreadyHoldingTheArtistIsLeftUntouched) {
    const std::string same = AddSong("same.mp3", FullTag("Same"), "Same");
    const std::string stale = AddSong("stale.mp3", FullTag("Same"), "shown otherwise");
    const Bytes sameBefore = readFileBytes(same);
    const Bytes staleBefore = readFileBytes(stale);
    const auto sameTime = fs::last_write_time(same);
    const auto staleTime = fs::last_write_time(stale);

    const UnifyResult result = UnifyArtist(playlist, {0, 1}, "Same", -1, tags);

    EXPECT_FALSE(result.anyFailed);
    // The file is right already; only the row that showed something else follows it.
    EXPECT_EQ(result.changedRows, std::vector<int>{1});
    EXPECT_EQ(playlist.Entry(1).artist, "Same");
    EXPECT_EQ(readFileBytes(same), sameBefore);
    EXPECT_EQ(readFileBytes(stale), staleBefore);
    EXPECT_EQ(fs::last_write_time(same), sameTime);
    EXPECT_EQ(fs::last_write_time(stale), staleTime);
}

TEST_F(UnifyArtistFixture, LongTextIsCutOnACharacterBoundaryOfTheTagField) {
    AddSong("even.mp3", FullTag("Old"), "Old");
    AddSong("odd.mp3", FullTag("Old"), "Old");
    std::string sixteen;  // 32 bytes of Shift-JIS
    for (int i = 0; i < 16; ++i) sixteen += "ア";
    std::string fifteen;
    for (int i = 0; i < 15; ++i) fifteen += "ア";

    UnifyArtist(playlist, {0}, sixteen, -1, tags);
    // 'a' then 15 double-byte characters is 31 bytes: the last character does not fit whole.
    UnifyArtist(playlist, {1}, "a" + fifteen, -1, tags);

    const std::string fourteen = fifteen.substr(0, fifteen.size() - std::string("ア").size());
    EXPECT_EQ(playlist.Entry(0).artist, fifteen);
    EXPECT_EQ(playlist.Entry(1).artist, "a" + fourteen);
    EXPECT_EQ(strlen(TagOf(playlist.Entry(0).path).artist), 30u);
    EXPECT_EQ(strlen(TagOf(playlist.Entry(1).path).artist), 29u);
    // Cut text the tag already holds needs no second write.
    const UnifyResult again = UnifyArtist(playlist, {0}, sixteen, -1, tags);
    EXPECT_FALSE(again.anyFailed);
    EXPECT_TRUE(again.changedRows.empty());
}

// Passes everything on to the engine and notes which writes were for the player's open file.
class RecordingTagPort : public VelkTagPort {
  public:
    bool Write(const std::string& path, const Id3Tag& tag, bool openInPlayer) override {
        openInPlayerWrites.push_back(openInPlayer);
        return VelkTagPort::Write(path, tag, openInPlayer);
    }
    std::vector<bool> openInPlayerWrites;
};

TEST_F(UnifyArtistFixture, OnlyTheCurrentRowRefreshesThePlayersCopyAndTheTitleDisplay) {
    AddSong("first.mp3", FullTag("Old"), "Old");
    AddSong("current.mp3", FullTag("Old"), "Old");
    RecordingTagPort recording;

    const UnifyResult untouched = UnifyArtist(playlist, {0}, "New", 1, recording);
    EXPECT_FALSE(untouched.currentRowChanged);
    const UnifyResult result = UnifyArtist(playlist, {1}, "New", 1, recording);
    EXPECT_TRUE(result.currentRowChanged);
    EXPECT_EQ(recording.openInPlayerWrites, (std::vector<bool>{false, true}));
}

TEST(UnifyArtistDialogTest, OffersEachArtistOnceSortedAndReturnsTheEditedText) {
    ASSERT_NE(qApp, nullptr);
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* dialog = qobject_cast<UnifyArtistDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("ｱｰﾃｨｽﾄ名の統一"));
        auto* combo = dialog->findChild<QComboBox*>("control1191");
        ASSERT_NE(combo, nullptr);
        for (int i = 0; i < combo->count(); ++i) offered << combo->itemText(i);
        combo->setCurrentText(QString::fromUtf8("新しい名前"));
        dialog->accept();
    });
    const auto chosen = UnifyArtistDialog::Ask({"b", "a", "b", ""}, nullptr);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, QString::fromUtf8("新しい名前"));
    EXPECT_EQ(offered, (QStringList{"a", "b"}));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(UnifyArtistDialog::Ask({"a"}, nullptr).has_value());
}

}  // namespace
}  // namespace velk::app
