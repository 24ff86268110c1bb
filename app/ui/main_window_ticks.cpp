// The main window's timers, the speed/pitch/mute buttons and the tray icon's menu.
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <ctime>

#include "core/favourites.h"
#include "core/speed_pitch.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {

void CMainWindow::ClickSpeed() {
    ChooseSpeed(NextSpeedIndex(settings_.speed));
}

void CMainWindow::ClickPitch() {
    ChoosePitch(NextPitchIndex(settings_.pitch));
}

void CMainWindow::ChooseSpeed(int index) {
    settings_.speed = index;
    engine_.SetPlaySpeed(SpeedMultiplier(index));
    speed_->setText(QString::fromStdString(SpeedLabel(index)));
}

void CMainWindow::ChoosePitch(int index) {
    settings_.pitch = index;
    engine_.SetPitch(PitchPercent(index));
    pitch_->setText(QString::fromStdString(PitchLabel(index)));
}

void CMainWindow::ToggleMute(bool muted) {
    const int level = muted ? 0 : volume_->value();
    engine_.SetVolume(level, level);
}

// The six-page options sheet comes later; until then the button says what it will hold.
void CMainWindow::ShowOptions() {
    QMessageBox::information(this, QString::fromUtf8("ｵﾌﾟｼｮﾝ設定"),
                             QString::fromUtf8("ｵﾌﾟｼｮﾝ設定は準備中です。"));
}

// Named favourites beyond "ノーマル" come with the favourites dialog.
void CMainWindow::ShowNewFavourite() {
    QMessageBox::information(this, QString::fromUtf8("お気に入りの追加"),
                             QString::fromUtf8("お気に入りの追加は準備中です。"));
}

void CMainWindow::ToggleTrayVisibility() {
    if (isVisible() && !isMinimized()) {
        windowShown_ = false;
        hide();
    } else {
        windowShown_ = true;
        showNormal();
        raise();
        activateWindow();
    }
}

void CMainWindow::ShowTrayMenu() {
    QMenu* menu = tray_->contextMenu();
    menu->clear();
    auto add = [this, menu](const char* text, int command, auto action) {
        QAction* item = menu->addAction(QString::fromUtf8(text));
        item->setData(command);
        connect(item, &QAction::triggered, this, action);
    };
    add("再生/一時停止(&P)", ids::kTrayPlayPause, [this] { transport_.PlayPause(); });
    add("停止(&S)", ids::kTrayStop, [this] { transport_.Stop(); });
    add("前の曲(&B)", ids::kTrayPrevious, [this] { transport_.Previous(); });
    add("次の曲(&N)", ids::kTrayNext, [this] { transport_.Next(); });
    menu->addSeparator();
    ActiveList& list = transport_.List();
    for (int i = 0; i < list.Count(); ++i) {
        const QString text = QString::fromStdString(list.Entry(i).displayName).left(260);
        const QByteArray caption = (text.isEmpty() ? QStringLiteral(" ") : text).toUtf8();
        add(caption.constData(), ids::kFirstSongItem + i, [this, i] {
            if (i >= transport_.List().Count()) return;
            transport_.List().SetCurrentIndex(i);
            transport_.PlayCurrent(true);
        });
    }
    menu->addSeparator();
    add("ﾀｽｸﾄﾚｲへ収納/戻す(&T)", ids::kTrayToggle, [this] { ToggleTrayVisibility(); });
    add("ｵﾌﾟｼｮﾝ設定(&O)...", ids::kTrayOptions, [this] { ShowOptions(); });
    add("ﾊﾞｰｼﾞｮﾝ情報(&V)...", ids::kAbout, [this] {
        QMessageBox::about(this, QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("Velkaro"));
    });
    add("終了(&X)", ids::kExit, [this] { close(); });
}

void CMainWindow::ClockTick() {
    transport_.ClockTick();
}

void CMainWindow::AdvanceTick() {
    advanceTimer_.stop();
    transport_.AdvanceAfterEnd();
}

void CMainWindow::HousekeepingTick() {
    keys_->Sample();
    const bool leftDown = keys_->LeftButtonDown();
    QWidget* focus = QApplication::focusWidget();
    const QWidget* transportControls[] = {play_,     stop_,  previous_, next_,          loop_,
                                          random_,   mute_,  detail_,   optionsButton_, volume_,
                                          position_, speed_, pitch_};
    if (!leftDown && focus) {
        for (const QWidget* control : transportControls) {
            if (focus == control) list_->setFocus();
        }
    }
    transport_.CheckMemberEnd();
    PollHotkeys();
    CheckWake();
}

void CMainWindow::PollHotkeys() {
    const ModifierState mods = keys_->Modifiers();
    const bool hasSongs = transport_.List().Count() > 0;
    for (int slot = 0; slot < kHotkeySlotCount; ++slot) {
        const uint32_t value = settings_.hotkeys[slot];
        if (!HotkeyFires(value, keys_->KeyDown(PolledKeyCode(value)), mods)) continue;
        switch (slot) {
            case kSlotPlayPause:
                if (hasSongs) transport_.PlayPause();
                break;
            case kSlotStop:
                transport_.Stop();
                break;
            case kSlotPrevious:
                if (hasSongs) transport_.Previous();
                break;
            case kSlotNext:
                if (hasSongs) transport_.Next();
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
    if (!WakeCheck(settings_.wake, lastWakeMinute_, {local.tm_hour, local.tm_min, local.tm_wday}))
        return;
    const int found = FindFavourite(favourites_, settings_.wake.playlist);
    if (found >= 0 && found != currentFavourite_) {
        SaveFavourite(favourites_[currentFavourite_], playlist_);
        ClearAllRows();
        currentFavourite_ = found;
        favouritesCombo_->setCurrentIndex(found);
        AddLines(ReadFavouriteLines(favourites_[found]));
        UpdateTotals();
    }
    transport_.PlayCurrent(true);
}

}  // namespace velk::app
