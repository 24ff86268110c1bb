#include "ui/window_picture.h"

#include <QTimer>
#include <cmath>
#include <memory>

#include "ui/main_window.h"

namespace velk::app {

namespace {

constexpr int kPollMs = 10;
// Enough for a song on the null sink to reach any position in a test file, and a bound for a
// file that never plays.
constexpr int kLongestWaitMs = 60000;
// Lets the last repaints land before the picture is taken.
constexpr int kSettleMs = 300;

void SaveAfterSettling(CMainWindow& window, const QString& file, std::function<void(int)> done) {
    QTimer::singleShot(kSettleMs, &window,
                       [&window, file, done] { done(window.grab().save(file, "PNG") ? 0 : 1); });
}

}  // namespace

const QStringList& PictureWindowNames() {
    static const QStringList names{"main"};
    return names;
}

void TakeWindowPicture(CMainWindow& window, const CommandLine& request,
                       std::function<void(int)> done) {
    const QString file = QString::fromStdString(request.pictureFile);
    if (request.atSeconds < 0) {
        SaveAfterSettling(window, file, done);
        return;
    }
    PlayerSession& session = window.Session();
    if (session.EngineState() == kEngineStopped && session.Active().Count() > 0) {
        session.Active().SetCurrentIndex(0);
        session.Player().PlayCurrent(false);
    }
    const int target = static_cast<int>(std::floor(request.atSeconds));
    auto poll = std::make_shared<QTimer>();
    auto waited = std::make_shared<int>(0);
    QObject::connect(
        poll.get(), &QTimer::timeout, &window,
        [&window, &session, poll, waited, target, file, done] {
            int position = 0;
            const int state = session.Engine().State(&position);
            const int start =
                session.Active().HasCurrent()
                    ? session.Active().Entry(session.Active().CurrentIndex()).startSeconds()
                    : 0;
            *waited += kPollMs;
            const bool reached = state == kEnginePlaying && position - start >= target;
            if (!reached && state != kEngineStopped && *waited < kLongestWaitMs) return;
            poll->stop();
            if (reached) {
                session.Player().PlayPause();  // pause
                session.Player().SeekTo(target);
                session.ClockTick();
            }
            SaveAfterSettling(window, file, done);
        });
    poll->start(kPollMs);
}

}  // namespace velk::app
