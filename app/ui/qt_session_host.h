// The session's link to Qt: the 1000 ms clock timer (id 1), hand-over from the engine's thread,
// and letting the window run while files arrive.
#pragma once

#include <QObject>
#include <QTimer>

#include "core/player_session.h"

namespace velk::app {

class QtSessionHost : public QObject, public SessionHost {
    Q_OBJECT
  public:
    QtSessionHost();
    // The session whose clock this host runs; set once, right after the session is made.
    void Attach(PlayerSession& session) { session_ = &session; }

    void SetClockRunning(bool running) override;
    void PostToOwner(std::function<void()> task) override;
    void PumpEvents() override;

  private:
    PlayerSession* session_ = nullptr;
    QTimer clock_;
};

}  // namespace velk::app
