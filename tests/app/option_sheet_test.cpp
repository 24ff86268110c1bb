#include "dialogs/ui/option_sheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/favourites.h"
#include "core/player_session.h"
#include "dialogs/ui/add_favourite_dialog.h"
#include "dialogs/ui/color_picker.h"
#include "dialogs/ui/option_page.h"
#include "dialogs/ui/option_tab5.h"
#include "fake_engine.h"
#include "queue_host.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

// Presses `button` on the next message box and hands back its text once it was shown.
std::shared_ptr<QString> AnswerNextBox(QMessageBox::StandardButton button) {
    auto text = std::make_shared<QString>();
    QTimer::singleShot(0, [text, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        *text = box->text();
        box->button(button)->click();
    });
    return text;
}

template <class T>
T* Control(QWidget& parent, int id) {
    return parent.findChild<T*>(ids::ControlObjectName(id));
}

class Counter : public SessionListener {
  public:
    int applied = 0;
    void SettingsApplied() override { ++applied; }
};

struct SheetFixture : ::testing::Test {
    TempDir dir;
    test::FakeEngine engine;
    QueueHost host;
    std::unique_ptr<PlayerSession> session;

    void SetUp() override {
        SessionOptions options;
        options.profileFolder = dir.file("profile");
        session = std::make_unique<PlayerSession>(engine, host, options);
        session->LoadSelectedFavourite();
    }
    QString Folder() const {
        return QString::fromStdString(FavouritesFolder(session->ProfileFolder()));
    }
};

TEST_F(SheetFixture, NameModeRefusesForbiddenCharactersAndAsksBeforeOverwriting) {
    AddFavouriteDialog dialog(AddFavouriteDialog::Mode::kName, Folder());
    auto* name = Control<QLineEdit>(dialog, AddFavouriteDialog::kNameEdit);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->maxLength(), AddFavouriteDialog::kLongestPath - Folder().size());
    EXPECT_EQ(dialog.findChild<QComboBox*>(), nullptr);

    name->setText(QString::fromUtf8("ソa?b"));
    auto refused = AnswerNextBox(QMessageBox::Ok);
    dialog.accept();
    EXPECT_EQ(*refused, QString::fromUtf8("\\/:*?\"<>|は使用できません。"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(name->selectionStart(), 2);
    EXPECT_EQ(name->selectedText(), "?");

    std::filesystem::create_directories(Folder().toStdString());
    std::ofstream((Folder() + "/old.m3u").toStdString()) << "/x.mp3\n";
    name->setText("old");
    auto question = AnswerNextBox(QMessageBox::No);
    dialog.accept();
    EXPECT_EQ(*question,
              QString::fromUtf8("old.m3uは既に存在します。\r\n上書きしてよろしいですか。"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    AnswerNextBox(QMessageBox::Yes);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), "old");
}

TEST_F(SheetFixture, ChoosingModesNeedAFavouriteAndTheFolderModeAsksAboutSubfolders) {
    AddFavouriteDialog none(AddFavouriteDialog::Mode::kChoose, Folder(), {"a", "b"}, -1);
    auto* list = Control<QComboBox>(none, AddFavouriteDialog::kFavouriteList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(none.ChosenIndex(), -1);
    none.accept();
    EXPECT_NE(none.result(), QDialog::Accepted);
    EXPECT_EQ(Control<QCheckBox>(none, AddFavouriteDialog::kSubfolders), nullptr);
    list->setCurrentIndex(0);
    none.accept();
    EXPECT_EQ(none.result(), QDialog::Accepted);

    AddFavouriteDialog folder(AddFavouriteDialog::Mode::kChooseWithSubfolders, Folder(), {"a", "b"},
                              1);
    EXPECT_EQ(folder.ChosenIndex(), 1);
    auto* subfolders = Control<QCheckBox>(folder, AddFavouriteDialog::kSubfolders);
    ASSERT_NE(subfolders, nullptr);
    EXPECT_FALSE(folder.IncludeSubfolders());
    subfolders->setChecked(true);
    EXPECT_TRUE(folder.IncludeSubfolders());
    EXPECT_EQ(Control<QLineEdit>(folder, AddFavouriteDialog::kNameEdit), nullptr);
}

TEST_F(SheetFixture, TheSheetHasSixPagesAndLeavesOutFavouritesWhileTheListIsBusy) {
    const QStringList captions = {"ﾒｲﾝｳｲﾝﾄﾞｳ", "歌詞ｳｲﾝﾄﾞｳ", "ｽﾍﾟｸﾄﾙ",
                                  "ｶｽﾀﾏｲｽﾞ",   "お気に入り", "その他"};
    COptionSheet sheet(*session, {});
    EXPECT_EQ(sheet.windowTitle(), QString::fromUtf8("ｵﾌﾟｼｮﾝ設定"));
    ASSERT_EQ(sheet.PageCount(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(sheet.Tabs()->tabText(i), captions[i]);
    EXPECT_TRUE(sheet.ShowPageNumber(5));
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 4);

    const std::pair<OptionSheetState, const char*> busy[] = {
        {{true, false}, "歌詞編集モードの時はお気に入りの編集は行えません。"},
        {{false, true}, "ファイルの追加中はお気に入りの編集は行えません。"},
    };
    for (const auto& [state, message] : busy) {
        auto text = AnswerNextBox(QMessageBox::Ok);
        COptionSheet locked(*session, state);
        EXPECT_EQ(*text, QString::fromUtf8(message));
        ASSERT_EQ(locked.PageCount(), 5);
        for (int i = 0; i < 5; ++i) EXPECT_NE(locked.Tabs()->tabText(i), captions[4]);
        EXPECT_FALSE(locked.ShowPageNumber(5));
    }
}

TEST_F(SheetFixture, TheMainWindowPageStoresWritesAndAppliesItsOptions) {
    session->AddLines({"/music/untitled.mp3"});
    ASSERT_EQ(session->MainList().Entry(0).displayName, "untitled.mp3");
    Counter counter;
    session->Subscribe(counter);
    COptionSheet sheet(*session, {});
    QWidget& page = *sheet.Page(0);
    page.findChild<QCheckBox*>("Name Type")->setChecked(false);
    page.findChild<QComboBox*>("Time Type")->setCurrentIndex(2);
    page.findChild<QCheckBox*>("Fade In")->setChecked(true);
    page.findChild<QCheckBox*>("Fade Out")->setChecked(true);
    page.findChild<QCheckBox*>("Silent Skip")->setChecked(true);
    page.findChild<CCJColorPicker*>("Back Color")->SetColour(QColor(0x11, 0x22, 0x33));
    page.findChild<CCJColorPicker*>("Current Line Color")->SetColorRef(0x010203);
    auto* transValue = page.findChild<QSpinBox*>("Trans Value");
    EXPECT_FALSE(transValue->isEnabled());
    page.findChild<QCheckBox*>("Trans")->setChecked(true);
    EXPECT_TRUE(transValue->isEnabled());
    transValue->setValue(300);  // kept within 0..255
    page.findChild<QCheckBox*>("High Mode")->setChecked(true);
    page.findChild<QCheckBox*>("Save Status")->setChecked(true);
    sheet.accept();

    const MainWindowSettings& m = session->Settings().main;
    EXPECT_EQ(m.nameType, 0);
    EXPECT_EQ(m.timeType, 2);
    EXPECT_EQ(m.backColor, 0x332211u);
    EXPECT_EQ(m.currentLineColor, 0x010203u);
    EXPECT_EQ(m.transValue, 255);
    EXPECT_TRUE(engine.fadeIn && engine.fadeOut);
    EXPECT_EQ(session->Player().flags.timeType, 2);
    EXPECT_TRUE(session->Player().flags.silentSkip);
    EXPECT_EQ(session->MainList().Entry(0).displayName, "");
    EXPECT_GE(counter.applied, 1);

    SettingsStore store(dir.file("profile/velkaro.INI"));
    EXPECT_EQ(store.ReadInt("Main Window", "Name Type", 1), 0);
    EXPECT_EQ(store.ReadInt("Main Window", "Time Type", 0), 2);
    EXPECT_EQ(store.ReadInt("Main Window", "Fade In", 0), 1);
    EXPECT_EQ(store.ReadInt("Main Window", "Back Color", 0), 0x332211);
    EXPECT_EQ(store.ReadInt("Main Window", "Trans", 0), 1);
    EXPECT_EQ(store.ReadInt("Main Window", "Trans Value", 0), 255);
    EXPECT_EQ(store.ReadInt("Main Window", "High Mode", 0), 1);
    EXPECT_EQ(store.ReadInt("Main Window", "Save Status", 0), 1);
    session->Unsubscribe(counter);
}

TEST_F(SheetFixture, CancellingTheSheetChangesNothing) {
    {
        COptionSheet sheet(*session, {});
        sheet.Page(0)->findChild<QCheckBox*>("Fade In")->setChecked(true);
        sheet.reject();
    }
    EXPECT_FALSE(session->Settings().main.fadeIn);
    EXPECT_FALSE(std::filesystem::exists(dir.file("profile/velkaro.INI")));
}

TEST_F(SheetFixture, TheFavouritesPageRenamesAddsFromPlaylistsAndRebuildsOnConfirmation) {
    session->AddLines({"/now.mp3"});
    COptionSheet sheet(*session, {});
    auto* page = dynamic_cast<COptionTab5*>(sheet.Page(4));
    ASSERT_NE(page, nullptr);
    auto* favourites = Control<QTreeWidget>(*page, COptionTab5::kFavouriteList);
    auto* songs = Control<QTreeWidget>(*page, COptionTab5::kSongList);
    ASSERT_EQ(favourites->topLevelItemCount(), 1);
    EXPECT_EQ(songs->topLevelItem(0)->text(0), "now.mp3");
    Control<QPushButton>(*page, COptionTab5::kFullPaths)->click();
    EXPECT_EQ(songs->topLevelItem(0)->text(0), "/now.mp3");

    page->AddNewFavourite("a");
    page->AddNewFavourite("a1");
    auto exists = AnswerNextBox(QMessageBox::Ok);
    page->AddNewFavourite("a");
    EXPECT_EQ(*exists, QString::fromUtf8("「a」は既に存在します。"));
    EXPECT_EQ(favourites->topLevelItemCount(), 3);

    std::ofstream(dir.file("a.m3u")) << "/p1.mp3\n/p2.mp3\n";
    auto renamed = AnswerNextBox(QMessageBox::Ok);
    page->AddFromPlaylistFile(QString::fromStdString(dir.file("a.m3u")));
    EXPECT_EQ(*renamed, QString::fromUtf8("同じ名前が存在するためリネームされました。"));
    EXPECT_EQ(favourites->currentItem()->text(0), "a2");
    EXPECT_EQ(songs->topLevelItemCount(), 2);

    auto refused = AnswerNextBox(QMessageBox::Ok);
    favourites->topLevelItem(1)->setText(0, "a2");  // as the in-place editor ends
    EXPECT_EQ(*refused, QString::fromUtf8("同じ名前が存在するため変更できません。"));
    EXPECT_EQ(favourites->topLevelItem(1)->text(0), "a");

    sheet.accept();
    const auto& stored = session->Favourites();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[3].name, "a2");
    EXPECT_EQ(ReadFavouriteLines(stored[3]), (std::vector<std::string>{"/p1.mp3", "/p2.mp3"}));
    EXPECT_EQ(ReadFavouriteLines(stored[0]), std::vector<std::string>{"/now.mp3"});
    EXPECT_EQ(session->CurrentFavourite(), 0);
    EXPECT_EQ(session->MainList().Count(), 1);
}

}  // namespace
}  // namespace velk::app
