// The main window's housekeeping tick, the speed/pitch/mute buttons and the tray icon's menu.
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <ctime>

#include "core/favourites.h"
#include "core/speed_pitch.h"
#include "dialogs/ui/about_box.h"
#include "dialogs/ui/help_file.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {

// A click steps the cycle and shows the new value; a choice from the list sets the engine and
// leaves the button's label as it was.
void CMainWindow::ChooseSpeed(int index, bool fromList) {
    session_.SetSpeedIndex(index);
    if (!fromList) speed_->setText(QString::fromStdString(SpeedLabel(Main().speed)));
}

void CMainWindow::ChoosePitch(int index, bool fromList) {
    session_.SetPitchIndex(index);
    if (!fromList) pitch_->setText(QString::fromStdString(PitchLabel(Main().pitch)));
}

void CMainWindow::ToggleMute(bool muted) {
    session_.SetVolume(muted ? 0 : volume_->value());
}

void CMainWindow::RestoreFromTray() {
    windowShown_ = true;
    showNormal();
    raise();
    activateWindow();
}

void CMainWindow::ToggleTrayVisibility() {
    if (windowShown_ && isVisible() && !isMinimized()) {
        windowShown_ = false;
        hide();
    } else {
        RestoreFromTray();
    }
}

void CMainWindow::ShowTrayMenu() {
    QMenu* menu = tray_->contextMenu();
    menu->clear();
    Transport& transport = session_.Player();
    auto add = [this, menu](const QString& text, int command, auto action) {
        QAction* item = menu->addAction(text);
        item->setData(command);
        connect(item, &QAction::triggered, this, action);
        return item;
    };
    auto addText = [&add](const char* text, int command, auto action) {
        return add(QString::fromUtf8(text), command, action);
    };
    addText("再生/一時停止(&P)", ids::kTrayPlayPause, [&transport] { transport.PlayPause(); });
    addText("停止(&S)", ids::kTrayStop, [&transport] { transport.Stop(); });
    const bool editing = InLyricsEdit();
    addText("前の曲(&B)", ids::kTrayPrevious, [&transport] {
        transport.Previous();
    })->setEnabled(!editing);
    addText("次の曲(&N)", ids::kTrayNext, [&transport] { transport.Next(); })->setEnabled(!editing);
    menu->addSeparator();
    ActiveList& list = session_.Active();
    for (int i = 0; i < list.Count(); ++i) {
        // The lyrics editor plays only the song it edits.
        if (editing && i != list.CurrentIndex()) continue;
        const QString text = QString::fromStdString(list.Entry(i).displayName).left(260);
        add(text.isEmpty() ? QStringLiteral(" ") : text, ids::kFirstSongItem + i, [this, i] {
            if (i >= session_.Active().Count()) return;
            session_.Active().SetCurrentIndex(i);
            session_.Player().PlayCurrent(true);
        });
    }
    menu->addSeparator();
    addText("ﾀｽｸﾄﾚｲへ収納/戻す(&T)", ids::kTrayToggle, [this] { ToggleTrayVisibility(); });
    addText("ｵﾌﾟｼｮﾝ設定(&O)...", ids::kTrayOptions, [this] { ShowOptions(); });
    addText("ﾊﾞｰｼﾞｮﾝ情報(&V)...", ids::kAbout, [this] { AboutBox::Show(this); });
    addText("ﾍﾙﾌﾟ(&H)", ids::kHelp, [] { OpenHelp(); });
    addText("終了(&X)", ids::kExit, [this] { close(); });
}

void CMainWindow::HousekeepingTick() {
    keys_->Sample();
    if (leaveRefused_) {
        leaveRefused_ = false;
        for (QPushButton* tab : {favouritesTab_, explorerTab_, geqTab_}) tab->setChecked(false);
        lyricsEditTab_->setChecked(true);
    }
    lyricsEditTab_->setEnabled(ActiveSelection().size() == 1);
    const bool leftDown = keys_->LeftButtonDown();
    QWidget* focus = QApplication::focusWidget();
    const QWidget* transportControls[] = {play_,     stop_,  previous_, next_,          loop_,
                                          random_,   mute_,  detail_,   optionsButton_, volume_,
                                          position_, speed_, pitch_};
    if (!leftDown && focus) {
        for (const QWidget* control : transportControls) {
            if (focus != control) continue;
            if (explorerMode_) {
                explorer_->ListView().setFocus();
            } else {
                list_->setFocus();
            }
        }
    }
    session_.Player().CheckMemberEnd();
    PollHotkeys();
    CheckWake();
}

void CMainWindow::PollHotkeys() {
    const ModifierState mods = keys_->Modifiers();
    const bool hasSongs = session_.Active().Count() > 0;
    const bool mayStep = hasSongs && !InLyricsEdit();
    Transport& transport = session_.Player();
    const auto& hotkeys = session_.Settings().custom.hotkeys;
    for (int slot = 0; slot < kHotkeySlotCount; ++slot) {
        const uint32_t value = hotkeys[slot];
        if (!HotkeyFires(value, keys_->KeyDown(PolledKeyCode(value)), mods)) continue;
        switch (slot) {
            case kSlotPlayPause:
                if (hasSongs) transport.PlayPause();
                break;
            case kSlotStop:
                transport.Stop();
                break;
            case kSlotPrevious:
                if (mayStep) transport.Previous();
                break;
            case kSlotNext:
                if (mayStep) transport.Next();
                break;
            default:
                ToggleTrayVisibility();
                break;
        }
    }
}

void CMainWindow::CheckWake() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    WakeSettings& wake = session_.Settings().etc.wake;
    if (!WakeCheck(wake, lastWakeMinute_, {local.tm_hour, local.tm_min, local.tm_wday})) return;
    // The wake favourite plays in the favourites list, whatever list was active.
    if (explorerMode_) {
        LeaveExplorerMode();
        favouritesTab_->setChecked(!geqPanel_->IsOpen() && !InLyricsEdit());
    }
    const int found = FindFavourite(session_.Favourites(), wake.playlist);
    if (found >= 0) SwitchFavourite(found);
    session_.Player().PlayCurrent(true);
}

}  // namespace velk::app
