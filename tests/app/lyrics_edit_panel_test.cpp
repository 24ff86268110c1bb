#include "lyrics/ui/lyrics_edit_panel.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <deque>
#include <filesystem>

#include "core/playlist.h"
#include "fake_engine.h"
#include "inline_host.h"
#include "ui/control_ids.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct EditPanelFixture : ::testing::Test, test::ScriptedSession {
    std::unique_ptr<LyricsEditPanel> panel;
    std::vector<QString> questions;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<QString> notices;
    QString clipboard;
    std::string song;

    void SetUp() override {
        song = dir.file("song.wav");
        velk::test::writeFileBytes(dir.file("song.txt"), {'a', '\n', 'b', '\n'});
        auto entry = std::make_unique<PlaylistEntry>();
        entry->path = song;
        session->MainList().Append(std::move(entry));
        session->MainList().SetCurrentIndex(0);
        panel = std::make_unique<LyricsEditPanel>(*session, nullptr);
        panel->SetAsker([this](const QString& q, QMessageBox::StandardButtons) {
            questions.push_back(q);
            if (answers.empty()) return QMessageBox::Cancel;
            const auto answer = answers.front();
            answers.pop_front();
            return answer;
        });
        panel->SetTeller([this](const QString& m) { notices.push_back(m); });
        panel->SetClipboardSource([this] { return clipboard; });
        panel->resize(400, 200);
        panel->show();
        panel->Enter(0);
    }
    LyricsLineList* List() {
        return panel->findChild<LyricsLineList*>(
            ids::ControlObjectName(lyrics_edit_ids::kLineList));
    }
    QLineEdit* Field() {
        return panel->findChild<QLineEdit*>(ids::ControlObjectName(lyrics_edit_ids::kEditField));
    }
    QPushButton* Button(int id) {
        return panel->findChild<QPushButton*>(ids::ControlObjectName(id));
    }
    std::string SideFile() {
        const auto bytes = velk::test::readFileBytes(dir.file("song.txt"));
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(EditPanelFixture, EnteringLoadsTheSideFileWithNothingToSaveOrStamp) {
    EXPECT_EQ(panel->Editor().Lines(), (Lines{"[--:--:--]a", "[--:--:--]b"}));
    EXPECT_EQ(List()->count(), 2);
    EXPECT_FALSE(Button(lyrics_edit_ids::kSave)->isEnabled());
    EXPECT_FALSE(Button(lyrics_edit_ids::kDeleteLine)->isEnabled());
    EXPECT_FALSE(Button(lyrics_edit_ids::kTimeTag)->isEnabled());
    // Space while stopped stamps nothing.
    List()->setCurrentRow(0);
    QTest::keyClick(List(), Qt::Key_Space);
    EXPECT_EQ(panel->Editor().Lines()[0], "[--:--:--]a");
    EXPECT_EQ(Field()->text(), QString("[--:--:--]a"));
}

TEST_F(EditPanelFixture, SpaceStampsThePlayTimeAndCtrlSSavesAndReloads) {
    engine.state = kEnginePlaying;
    engine.position = 65;
    List()->setCurrentRow(0);
    QTest::keyClick(List(), Qt::Key_Space);
    EXPECT_EQ(panel->Editor().Lines()[0].substr(0, 7), "[01:05:");
    EXPECT_EQ(List()->currentRow(), 1);
    EXPECT_TRUE(Button(lyrics_edit_ids::kSave)->isEnabled());

    answers = {QMessageBox::No};
    QTest::keyClick(List(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(questions.back(), QString::fromUtf8("保存してよろしいですか？"));
    EXPECT_TRUE(panel->Editor().Modified());

    answers = {QMessageBox::Yes};
    QTest::keyClick(List(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(panel->Editor().Modified());
    EXPECT_FALSE(Button(lyrics_edit_ids::kSave)->isEnabled());
    EXPECT_EQ(SideFile().substr(0, 7), "[01:05:");
    EXPECT_EQ(SideFile().substr(10), "a\nb\n");
    EXPECT_EQ(session->MainList().Entry(0).lyricsMark, kLyricsMark);
    ASSERT_EQ(engine.reloadedLyrics.size(), 1u);
    EXPECT_EQ(engine.reloadedLyrics[0], SideFile());
}

TEST_F(EditPanelFixture, PasteAsksToClearThenWhereWithTheFirstLineSelected) {
    clipboard = "x\r\ny";
    answers = {QMessageBox::Cancel};
    QTest::keyClick(List(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(panel->Editor().Lines().size(), 2u);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QString::fromUtf8("表示内容をクリアしてから貼り付けますか？"));

    List()->setCurrentRow(0);
    answers = {QMessageBox::No, QMessageBox::No};
    QTest::keyClick(List(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(questions.back(), QString::fromUtf8("先頭に貼り付けますか？"));
    EXPECT_EQ(panel->Editor().Lines(),
              (Lines{"[--:--:--]a", "[--:--:--]x", "[--:--:--]y", "[--:--:--]b"}));
    EXPECT_EQ(Field()->text(), QString("[--:--:--]y"));
    EXPECT_EQ(List()->currentRow(), 2);

    answers = {QMessageBox::Yes};
    clipboard = "z";
    Button(lyrics_edit_ids::kPaste)->click();
    EXPECT_EQ(panel->Editor().Lines(), (Lines{"[--:--:--]z"}));
}

TEST_F(EditPanelFixture, FailedSaveTellsAndKeepsTheChanges) {
    fs::permissions(dir.file("song.txt"), fs::perms::owner_read);
    List()->setCurrentRow(1);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(panel->Editor().Lines(), (Lines{"[--:--:--]a"}));
    answers = {QMessageBox::Yes};
    Button(lyrics_edit_ids::kSave)->click();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], QString::fromUtf8("保存に失敗しました。"));
    EXPECT_TRUE(panel->Editor().Modified());
    EXPECT_TRUE(Button(lyrics_edit_ids::kSave)->isEnabled());
    EXPECT_EQ(SideFile(), "a\nb\n");
}

TEST_F(EditPanelFixture, LeavingWithChangesAsksAndNoKeepsTheEditor) {
    Button(lyrics_edit_ids::kAddLine)->click();
    EXPECT_EQ(panel->Editor().Lines().front(), "");
    answers = {QMessageBox::No};
    EXPECT_FALSE(panel->Leave());
    EXPECT_EQ(questions.back(), QString::fromUtf8("変更内容が破棄されますがよろしいですか？"));
    EXPECT_TRUE(panel->IsEditing());
    answers = {QMessageBox::Yes};
    EXPECT_TRUE(panel->Leave());
    EXPECT_FALSE(panel->IsEditing());
}

TEST_F(EditPanelFixture, DirectEditReplacesTheLineWhenTheFieldLosesTheFocus) {
    List()->setCurrentRow(1);
    Field()->setText("changed");
    panel->CommitEdit();
    EXPECT_EQ(List()->item(1)->text(), QString("[--:--:--]changed"));
    EXPECT_TRUE(Button(lyrics_edit_ids::kSave)->isEnabled());
}

}  // namespace
}  // namespace velk::app
