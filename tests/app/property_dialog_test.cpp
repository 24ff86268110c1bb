// The property dialog and the About box as the user meets them: stepping with wrap-around and
// the save question, what enables "適用(&A)", the read-only flag, and the About box's text.
#include "dialogs/ui/property_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "core/velk_player_engine.h"
#include "dialogs/ui/about_box.h"
#include "support/temp_dir.h"
#include "tags/tag_files.h"
#include "ui/control_ids.h"
#include "ui/player_app.h"

namespace velk::app {
namespace {

using velk::test::operator+;
using velk::test::TempDir;

template <typename Widget>
Widget* Control(QWidget& window, int id) {
    return window.findChild<Widget*>(ids::ControlObjectName(id));
}

// Answers the next message box with `button` once it is up.
void AnswerNextMessage(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(button)->click();
        }
    });
}

class PropertyDialogFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("VELKARO_AUDIO", "null:50", 1);
        options.profileFolder = dir.file("profile");
        const auto audio = velk::test::mpegAudio(20);
        velk::test::writeFileBytes(dir.file("a.mp3"), audio + velk::test::id3v1("A", "X", 17));
        velk::test::writeFileBytes(dir.file("b.mp3"), audio);
        velk::test::writeFileBytes(
            dir.file("c.wav"),
            velk::test::riff("WAVE", velk::test::formatChunk(1) +
                                         velk::test::chunk("data", velk::test::Bytes(176400))));
        player = std::make_unique<PlayerApp>(engine, options, StartOptions{});
        player->Window().AddDroppedPaths({QString::fromStdString(dir.file("a.mp3")),
                                          QString::fromStdString(dir.file("b.mp3")),
                                          QString::fromStdString(dir.file("c.wav"))});
    }

    std::unique_ptr<PropertyDialog> Open(int row, bool readOnly = false) {
        return std::make_unique<PropertyDialog>(player->Session(), player->Session().MainList(),
                                                row, readOnly, [this](int r) { selected = r; });
    }

    TempDir dir;
    VelkPlayerEngine engine;
    SessionOptions options;
    std::unique_ptr<PlayerApp> player;
    int selected = -1;
};

TEST_F(PropertyDialogFixture, StepsWrapAroundAndSelectTheRow) {
    ASSERT_EQ(player->Session().MainList().Count(), 3);
    auto dialog = Open(0);
    Control<QPushButton>(*dialog, PropertyDialog::kPrevious)->click();
    EXPECT_EQ(dialog->Row(), 2);
    EXPECT_EQ(selected, 2);
    // The wave file shows its audio but no tag.
    EXPECT_TRUE(Control<QGroupBox>(*dialog, PropertyDialog::kTagGroup)->isHidden());
    EXPECT_FALSE(Control<QGroupBox>(*dialog, PropertyDialog::kAudioGroup)->isHidden());
    EXPECT_EQ(Control<QLineEdit>(*dialog, PropertyDialog::kChannels)->text(),
              QString::fromUtf8("2 (ｽﾃﾚｵ)"));
    EXPECT_EQ(Control<QLineEdit>(*dialog, PropertyDialog::kPlayTime)->text(), "0:01");
    Control<QPushButton>(*dialog, PropertyDialog::kNext)->click();
    EXPECT_EQ(dialog->Row(), 0);
    EXPECT_FALSE(Control<QGroupBox>(*dialog, PropertyDialog::kTagGroup)->isHidden());
    EXPECT_EQ(Control<QLineEdit>(*dialog, PropertyDialog::kTitle)->text(), "A");
}

TEST_F(PropertyDialogFixture, OnlyRealEditsEnableApply) {
    auto dialog = Open(0);
    auto* apply = Control<QPushButton>(*dialog, PropertyDialog::kApply);
    auto* genre = Control<QComboBox>(*dialog, PropertyDialog::kGenre);
    EXPECT_EQ(genre->count(), 153);
    EXPECT_EQ(genre->currentText(), "Rock");
    EXPECT_FALSE(apply->isEnabled());
    Control<QCheckBox>(*dialog, PropertyDialog::kFullPath)->click();
    EXPECT_EQ(Control<QLineEdit>(*dialog, PropertyDialog::kFileName)->text(),
              QString::fromStdString(dir.file("a.mp3")));
    EXPECT_FALSE(apply->isEnabled());
    emit genre->activated(genre->currentIndex());
    EXPECT_FALSE(apply->isEnabled());
    emit genre->activated(0);
    EXPECT_TRUE(apply->isEnabled());
}

TEST_F(PropertyDialogFixture, SaveQuestionYesWritesBeforeMovingNoMovesWithout) {
    auto dialog = Open(0);
    auto* title = Control<QLineEdit>(*dialog, PropertyDialog::kTitle);
    title->setText("Kept");
    emit title->textEdited("Kept");
    AnswerNextMessage(QMessageBox::No);
    dialog->Step(1);
    EXPECT_EQ(dialog->Row(), 1);
    EXPECT_EQ(player->Session().MainList().Entry(0).title, "A");

    title->setText("Saved");
    emit title->textEdited("Saved");
    AnswerNextMessage(QMessageBox::Yes);
    dialog->Step(-1);
    EXPECT_EQ(dialog->Row(), 0);
    const PlaylistEntry& saved = player->Session().MainList().Entry(1);
    EXPECT_EQ(saved.title, "Saved");
    EXPECT_EQ(saved.displayName, "Saved");
}

TEST_F(PropertyDialogFixture, ReadOnlyFlagLocksNameAndTag) {
    auto dialog = Open(0, true);
    EXPECT_TRUE(Control<QLineEdit>(*dialog, PropertyDialog::kFileName)->isReadOnly());
    EXPECT_TRUE(Control<QLineEdit>(*dialog, PropertyDialog::kComment)->isReadOnly());
    EXPECT_FALSE(Control<QComboBox>(*dialog, PropertyDialog::kGenre)->isEnabled());
    EXPECT_TRUE(Control<QLineEdit>(*dialog, PropertyDialog::kChannels)->isReadOnly());
}

TEST(AboutBox, NamesTheLibraries) {
    AboutBox box;
    const QString text = Control<QPlainTextEdit>(box, AboutBox::kLibraryText)->toPlainText();
    EXPECT_TRUE(text.contains("Qt ")) << text.toStdString();
    EXPECT_TRUE(text.contains("libarchive")) << text.toStdString();
    EXPECT_TRUE(text.contains("ALSA")) << text.toStdString();
    EXPECT_TRUE(text.contains("LAME")) << text.toStdString();
}

}  // namespace
}  // namespace velk::app
