// COptionTab4 "ｶｽﾀﾏｲｽﾞ" (dialog 136): the five hotkeys, the file types the player opens and the
// autostart entry that starts it in the tray.
#pragma once

#include <array>

#include "core/file_associations.h"
#include "core/hotkey_match.h"
#include "dialogs/ui/option_page.h"

class QKeySequenceEdit;
class QListWidget;
class QPushButton;

namespace velk::app {

class PlayerSession;

class COptionTab4 : public OptionPage {
    Q_OBJECT
  public:
    enum Control {
        kPlayPauseKey = 1112,
        kStopKey = 1113,
        kTrayKey = 1114,
        kPreviousKey = 1115,
        kNextKey = 1116,
        kFileTypes = 1134,
        kSelectAll = 1135,
        kClearAll = 1136,
        kStartupShortcut = 1167,
    };

    // `paths` says where the desktop files go (the environment's XDG folders in the player).
    COptionTab4(PlayerSession& session, const DesktopPaths& paths, QWidget* parent = nullptr);
    COptionTab4(PlayerSession& session, QWidget* parent = nullptr);

    QString Caption() const override;
    void Apply() override;

    // Button 1167: writes the autostart entry and says whether it worked.
    void AddStartupShortcut();

  private:
    QWidget* BuildHotkeyGroup();
    QWidget* BuildFileTypeGroup();
    void CheckAllFileTypes(bool checked);

    PlayerSession& session_;
    DesktopPaths paths_;
    bool changed_ = false;
    std::array<QKeySequenceEdit*, kHotkeySlotCount> hotkeys_{};
    QListWidget* fileTypes_ = nullptr;
    QPushButton* startup_ = nullptr;
};

}  // namespace velk::app
