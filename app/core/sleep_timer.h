// The sleep timer ("おやすみﾀｲﾏｰ"): counts whole minutes once armed and, when the count reaches
// the limit, says which action is due. The window owns the minute clock; this is its state.
#pragma once

#include <string>

namespace velk::app {

enum SleepKind { kSleepStop = 0, kSleepPowerOff = 1, kSleepHibernate = 2, kSleepStandBy = 3 };

// The limits the timer page offers, by combo row ("なし", "15分後", ... "120分後").
constexpr int kSleepChoiceCount = 7;
int SleepLimitOfChoice(int choice);
// The row showing `limit`; row 0 ("なし") for a limit that is not offered.
int SleepChoiceOfLimit(int limit);

// "<product> 【<n>分後に<action>】", the title and tray tip while the timer runs (UTF-8).
std::string SleepTitle(const std::string& productName, int remainingMinutes, int kind);

struct SleepStep {
    std::string title;  // what the title and tray tip show now
    bool due = false;   // the time is up: the timer has disarmed itself and `kind` is to run
    int kind = kSleepStop;
    bool refused = false;  // the system refused the power action; playback is stopped
};

class SleepTimer {
  public:
    // A limit of 0 disarms; any other limit starts the count again from 0.
    void Arm(int limitMinutes, int kind);
    bool Armed() const { return limit_ > 0; }
    int Limit() const { return limit_; }
    int Elapsed() const { return elapsed_; }

    // One minute passed (`counting`), or only the display is wanted (just armed). Once due,
    // the title is the bare product name again.
    SleepStep Tick(bool counting, const std::string& productName);

  private:
    int limit_ = 0;
    int elapsed_ = 0;
    int kind_ = kSleepStop;
};

}  // namespace velk::app
