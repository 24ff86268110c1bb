#include "ui/hotkey_sequence.h"

#include <gtest/gtest.h>

#include <QKeySequenceEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/custom_settings.h"
#include "core/file_associations.h"
#include "core/settings_store.h"
#include "dialogs/ui/option_tab4.h"
#include "inline_host.h"
#include "ui/control_ids.h"

namespace velk::app {
namespace {

TEST(HotkeySequence, StoredValuesBecomeKeySequencesAndComeBack) {
    EXPECT_EQ(KeySequenceOfHotkey('P' | (kModCtrl << 8)), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(KeySequenceOfHotkey(0x75 | ((kModShift | kModAlt) << 8)),
              QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_F6));
    EXPECT_EQ(HotkeyOfKeySequence(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right)),
              0x27u | ((kModCtrl | kModShift) << 8));
    // The keypad's digits are their own keys.
    EXPECT_EQ(HotkeyOfKeySequence(QKeySequence(Qt::KeypadModifier | Qt::Key_5)), 0x65u);
    EXPECT_EQ(HotkeyOfKeySequence(QKeySequence(Qt::Key_5)), uint32_t('5'));
    EXPECT_EQ(HotkeyOfKeySequence(QKeySequence(Qt::Key_MediaTogglePlayPause)), 0xB3u);
    // Every code with a key survives the trip, with every modifier set.
    for (uint32_t vk = 1; vk < 256; ++vk) {
        for (uint32_t mods = 0; mods < 8; ++mods) {
            const uint32_t value = vk | (mods << 8);
            const QKeySequence sequence = KeySequenceOfHotkey(value);
            if (sequence.isEmpty()) continue;
            EXPECT_EQ(HotkeyOfKeySequence(sequence), value) << vk << " " << mods;
        }
    }
}

TEST(HotkeySequence, EmptyAndUnknownKeysAreNoHotkey) {
    EXPECT_TRUE(KeySequenceOfHotkey(0).isEmpty());
    EXPECT_TRUE(KeySequenceOfHotkey(0xFF | (kModCtrl << 8)).isEmpty());
    EXPECT_EQ(HotkeyOfKeySequence(QKeySequence()), 0u);
    EXPECT_EQ(HotkeyOfKeySequence(QKeySequence(Qt::CTRL | Qt::Key_Eacute)), 0u);
    // Only the first combination of a sequence counts.
    EXPECT_EQ(HotkeyOfKeySequence(QKeySequence(Qt::Key_A, Qt::Key_B)), uint32_t('A'));
}

// The page shows the stored slots and writes them back only when something changed.
TEST(CustomisePage, HotkeysRoundTripThroughThePage) {
    test::ScriptedSession scripted;
    PlayerSession& session = *scripted.session;
    const DesktopPaths paths{scripted.dir.file("data"), scripted.dir.file("config"),
                             session.ProfileFolder(), "/usr/bin/velkaro"};
    session.Settings().custom.hotkeys[kSlotNext] = 'N' | (kModCtrl << 8);
    {
        COptionTab4 page(session, paths);
        auto* next =
            page.findChild<QKeySequenceEdit*>(ids::ControlObjectName(COptionTab4::kNextKey));
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->keySequence(), QKeySequence(Qt::CTRL | Qt::Key_N));
        page.Apply();  // nothing changed: nothing written
        EXPECT_EQ(ReadCustomSettings(session.Store()).hotkeys[kSlotNext], 0u);
        auto* stop =
            page.findChild<QKeySequenceEdit*>(ids::ControlObjectName(COptionTab4::kStopKey));
        stop->setKeySequence(QKeySequence(Qt::ALT | Qt::Key_S));
        page.Apply();
    }
    const CustomSettings stored = ReadCustomSettings(session.Store());
    EXPECT_EQ(stored.hotkeys[kSlotStop], 'S' | (kModAlt << 8));
    EXPECT_EQ(stored.hotkeys[kSlotNext], 'N' | (kModCtrl << 8));
    EXPECT_EQ(stored.extKeys.size(), size_t(kFileTypeCount));
}

TEST(CustomisePage, SelectAllAssociatesEveryTypeAndClearAllGivesThemUp) {
    test::ScriptedSession scripted;
    PlayerSession& session = *scripted.session;
    const DesktopPaths paths{scripted.dir.file("data"), scripted.dir.file("config"),
                             session.ProfileFolder(), "/usr/bin/velkaro"};
    const FileAssociations associations(paths);
    for (const int button : {COptionTab4::kSelectAll, COptionTab4::kClearAll}) {
        COptionTab4 page(session, paths);
        page.findChild<QPushButton*>(ids::ControlObjectName(button))->click();
        page.Apply();
        const bool all = button == COptionTab4::kSelectAll;
        for (int row = 0; row < kFileTypeCount; ++row) {
            EXPECT_EQ(associations.IsAssociated(ExtensionOfFileType(row)), all) << row;
            EXPECT_EQ(session.Settings().custom.extKeys[row], all ? kTypeAssociated : kTypeFree);
        }
    }
    // A type stored as associated that no longer opens with the player shows the third state.
    session.Settings().custom.extKeys[2] = kTypeAssociated;
    COptionTab4 page(session, paths);
    auto* list = page.findChild<QListWidget*>(ids::ControlObjectName(COptionTab4::kFileTypes));
    EXPECT_EQ(list->item(2)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(list->item(3)->checkState(), Qt::Unchecked);
}

}  // namespace
}  // namespace velk::app
