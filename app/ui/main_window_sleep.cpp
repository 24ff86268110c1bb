// The main window's part of the sleep timer: the minute clock, the title and the tray tip.
#include <QMessageBox>

#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {

void CMainWindow::SleepTimerArmed() {
    sleepTimer_.stop();
    setWindowTitle(ids::kProductName);
    if (tray_) tray_->setToolTip(ids::kProductName);
    if (!session_.Sleep().Armed()) return;
    SleepTick(false);
    sleepTimer_.start();
}

void CMainWindow::SleepTick(bool counting) {
    const SleepStep step = session_.SleepTick(counting, ids::kProductName);
    const QString title = QString::fromStdString(step.title);
    setWindowTitle(title);
    if (tray_) tray_->setToolTip(title);
    if (!step.due) return;
    sleepTimer_.stop();
    if (step.refused) {
        QMessageBox::warning(this, ids::kProductName,
                             QString::fromUtf8("電源の操作が拒否されました。演奏は停止しました。"));
    }
}

}  // namespace velk::app
