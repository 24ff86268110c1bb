#include "ui/qt_session_host.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "ui/control_ids.h"

namespace velk::app {

QtSessionHost::QtSessionHost() {
    clock_.setInterval(ids::kClockTimerMs);
    connect(&clock_, &QTimer::timeout, this, [this] {
        if (session_) session_->ClockTick();
    });
}

void QtSessionHost::SetClockRunning(bool running) {
    if (running) {
        clock_.start();
    } else {
        clock_.stop();
    }
}

void QtSessionHost::PostToOwner(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void QtSessionHost::PumpEvents() {
    QCoreApplication::processEvents();
}

}  // namespace velk::app
