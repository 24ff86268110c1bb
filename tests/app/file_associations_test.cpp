#include "core/file_associations.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <fstream>
#include <sstream>

#include "box_answerer.h"
#include "core/keyed_lines.h"
#include "core/player_session.h"
#include "core/startup_entry.h"
#include "dialogs/ui/option_tab4.h"
#include "inline_host.h"
#include "ui/control_ids.h"

namespace velk::app {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

struct XdgTree : ::testing::Test {
    velk::test::TempDir dir;
    DesktopPaths paths{dir.file("data"), dir.file("config"), dir.file("profile"),
                       "/opt/velk aro/velkaro"};
    FileAssociations associations{paths};
};

TEST_F(XdgTree, AssociatingKeepsThePreviousDefaultAndUnassociatingRestoresIt) {
    const std::string original =
        "# user's own\n"
        "[Default Applications]\n"
        "audio/mpeg=other.desktop;\n"
        "this line is damaged\n"
        "video/mpeg=mpv.desktop;\n"
        "\n"
        "[Added Associations]\n"
        "audio/mpeg=other.desktop;\n";
    WriteText(associations.MimeAppsPath(), original);

    ASSERT_TRUE(associations.AssociateExtension(".MP3"));
    EXPECT_TRUE(associations.IsAssociated(".mp3"));
    EXPECT_FALSE(associations.IsAssociated(".mpg"));
    // Associating twice keeps the first previous default, not the player's own entry.
    ASSERT_TRUE(associations.AssociateExtension(".mp3"));
    const std::string associated = ReadText(associations.MimeAppsPath());
    EXPECT_NE(associated.find("audio/mpeg=velkaro.desktop;\nthis line is damaged\n"),
              std::string::npos);
    EXPECT_NE(associated.find("[Added Associations]\naudio/mpeg=other.desktop;"),
              std::string::npos);

    ASSERT_TRUE(associations.UnassociateExtension(".mp3"));
    EXPECT_EQ(ReadText(associations.MimeAppsPath()), original);
    EXPECT_FALSE(associations.IsAssociated(".mp3"));
    // Nothing kept any more: a second unassociation leaves the file alone.
    ASSERT_TRUE(associations.UnassociateExtension(".mp3"));
    EXPECT_EQ(ReadText(associations.MimeAppsPath()), original);
}

TEST_F(XdgTree, ATypeWithoutADefaultLosesItsLineAgainAndUnknownTypesAreRefused) {
    ASSERT_TRUE(associations.AssociateExtension(".m3u"));
    EXPECT_TRUE(associations.IsAssociated(".m3u"));
    EXPECT_NE(ReadText(associations.MimeAppsPath())
                  .find("[Default Applications]\naudio/x-mpegurl=velkaro.desktop;"),
              std::string::npos);
    ASSERT_TRUE(associations.UnassociateExtension(".m3u"));
    EXPECT_EQ(ReadText(associations.MimeAppsPath()).find("audio/x-mpegurl"), std::string::npos);
    EXPECT_FALSE(associations.AssociateExtension(".ogg"));
    EXPECT_FALSE(associations.IsAssociated(".ogg"));
}

TEST_F(XdgTree, TheDesktopEntryQuotesTheProgramAndGoesAway) {
    ASSERT_TRUE(associations.RegisterProgId());
    const std::string entry = ReadText(associations.DesktopEntryPath());
    EXPECT_NE(entry.find("Exec=\"/opt/velk aro/velkaro\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("audio/mpeg;"), std::string::npos);
    EXPECT_EQ(DesktopExecLine("/a\"b$c", "-tray"), "\"/a\\\"b\\$c\" -tray");
    ASSERT_TRUE(associations.RemoveProgId());
    EXPECT_FALSE(std::filesystem::exists(associations.DesktopEntryPath()));
}

TEST_F(XdgTree, TakenOverTypesAreMarkedAndLeftAloneWhenApplied) {
    ASSERT_TRUE(associations.AssociateExtension(".wav"));
    ASSERT_TRUE(associations.AssociateExtension(".zip"));
    // Another program takes .zip over.
    std::string text = ReadText(associations.MimeAppsPath());
    text.replace(text.find("application/zip=velkaro.desktop;"),
                 std::string("application/zip=velkaro.desktop;").size(),
                 "application/zip=ark.desktop;");
    WriteText(associations.MimeAppsPath(), text);

    std::vector<int> states(kFileTypeCount, kTypeFree);
    states[4] = kTypeAssociated;  // wav
    states[7] = kTypeAssociated;  // zip
    MarkTakenOverTypes(associations, states);
    EXPECT_EQ(states[4], kTypeAssociated);
    EXPECT_EQ(states[7], kTypeTakenOver);

    states[2] = kTypeAssociated;  // mp3 newly asked for
    EXPECT_TRUE(ApplyFileTypeStates(associations, states));
    EXPECT_TRUE(associations.IsAssociated(".mp3"));
    EXPECT_TRUE(associations.IsAssociated(".wav"));
    EXPECT_NE(ReadText(associations.MimeAppsPath()).find("application/zip=ark.desktop;"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(associations.DesktopEntryPath()));
    EXPECT_EQ(ExtensionOfFileType(0), ".mp1");
    EXPECT_EQ(ExtensionOfFileType(9), ".pls");
    EXPECT_EQ(ExtensionOfFileType(10), "");

    states.assign(kFileTypeCount, kTypeFree);
    EXPECT_TRUE(ApplyFileTypeStates(associations, states));
    EXPECT_FALSE(associations.IsAssociated(".mp3"));
    EXPECT_FALSE(std::filesystem::exists(associations.DesktopEntryPath()));
}

TEST_F(XdgTree, TheStartupEntryStartsInTheTray) {
    EXPECT_FALSE(StartupEntryExists(paths));
    ASSERT_TRUE(AddStartupEntry(paths));
    EXPECT_TRUE(StartupEntryExists(paths));
    EXPECT_NE(ReadText(StartupEntryPath(paths)).find("Exec=\"/opt/velk aro/velkaro\" -tray\n"),
              std::string::npos);
    // A file where the folder should be makes it fail.
    DesktopPaths blocked = paths;
    blocked.configHome = dir.file("blocked");
    WriteText(blocked.configHome, "x");
    EXPECT_FALSE(AddStartupEntry(blocked));
}

// Presses the page's startup button and returns the text of the box that answers.
QString PressStartupButton(COptionTab4& page) {
    test::BoxAnswerer answerer;
    page.findChild<QPushButton*>(ids::ControlObjectName(COptionTab4::kStartupShortcut))->click();
    return answerer.Text();
}

TEST_F(XdgTree, TheStartupButtonSaysWhetherItWorkedAndIsDisabledOnceTheEntryExists) {
    test::ScriptedSession scripted;
    DesktopPaths blocked = paths;
    blocked.configHome = dir.file("blocked");
    WriteText(blocked.configHome, "x");
    COptionTab4 failing(*scripted.session, blocked);
    EXPECT_EQ(PressStartupButton(failing), QString::fromUtf8("登録に失敗しました。"));

    COptionTab4 page(*scripted.session, paths);
    auto* button =
        page.findChild<QPushButton*>(ids::ControlObjectName(COptionTab4::kStartupShortcut));
    ASSERT_TRUE(button->isEnabled());
    EXPECT_EQ(PressStartupButton(page),
              QString::fromUtf8("ｽﾀｰﾄｱｯﾌﾟﾒﾆｭｰにﾌﾟﾛｸﾞﾗﾑのｼｮｰﾄｶｯﾄを追加しました。\r\n"
                                "次回Windowsの起動時にﾀｽｸﾄﾚｲに表示されます。"));
    EXPECT_FALSE(button->isEnabled());
    COptionTab4 reopened(*scripted.session, paths);
    EXPECT_FALSE(
        reopened.findChild<QPushButton*>(ids::ControlObjectName(COptionTab4::kStartupShortcut))
            ->isEnabled());
}

}  // namespace
}  // namespace velk::app

namespace velk::app {
namespace {

TEST(KeyedLinesFile, KeysAreFoundInTheirGroupOnlyAndNewGroupsGoAtTheEnd) {
    velk::test::TempDir dir;
    const std::string path = dir.file("sub/list");
    WriteText(path, "top=1\r\n[A]\nk = v\n=\n[B]\nk=w\n\n[C]\n");
    KeyedLines lines;
    ASSERT_TRUE(lines.Load(path));
    EXPECT_EQ(lines.Get("A", "k"), "v");
    EXPECT_EQ(lines.Get("B", "k"), "w");
    EXPECT_EQ(lines.Get("C", "k"), std::nullopt);
    EXPECT_EQ(lines.Get("", "top"), std::nullopt);  // before any group
    lines.Set("B", "n", "x");
    lines.Set("D", "k", "y");
    lines.Remove("A", "k");
    lines.Remove("A", "missing");
    ASSERT_TRUE(lines.Save(path));
    EXPECT_EQ(ReadText(path), "top=1\n[A]\n=\n[B]\nk=w\nn=x\n\n[C]\n\n[D]\nk=y\n");
    EXPECT_TRUE(lines.Load(dir.file("absent")));  // a missing file is an empty one
    EXPECT_EQ(lines.Get("D", "k"), std::nullopt);
}

}  // namespace
}  // namespace velk::app
