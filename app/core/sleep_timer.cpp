#include "core/sleep_timer.h"

#include <array>

namespace velk::app {

namespace {

constexpr std::array<int, kSleepChoiceCount> kLimits{0, 15, 30, 45, 60, 90, 120};

const char* SleepActionWord(int kind) {
    switch (kind) {
        case kSleepPowerOff:
            return "電源を切る";
        case kSleepHibernate:
            return "休止状態";
        case kSleepStandBy:
            return "スタンバイ";
        default:
            return "演奏を停止";
    }
}

}  // namespace

int SleepLimitOfChoice(int choice) {
    return choice >= 0 && choice < kSleepChoiceCount ? kLimits[choice] : 0;
}

int SleepChoiceOfLimit(int limit) {
    for (int i = 0; i < kSleepChoiceCount; ++i) {
        if (kLimits[i] == limit) return i;
    }
    return 0;
}

std::string SleepTitle(const std::string& productName, int remainingMinutes, int kind) {
    return productName + " 【" + std::to_string(remainingMinutes) + "分後に" +
           SleepActionWord(kind) + "】";
}

void SleepTimer::Arm(int limitMinutes, int kind) {
    limit_ = limitMinutes > 0 ? limitMinutes : 0;
    elapsed_ = 0;
    kind_ = kind;
}

SleepStep SleepTimer::Tick(bool counting, const std::string& productName) {
    if (!Armed()) return {productName, false, kind_};
    if (counting) ++elapsed_;
    SleepStep step{SleepTitle(productName, limit_ - elapsed_, kind_), false, kind_};
    if (elapsed_ >= limit_) {
        limit_ = 0;
        step.title = productName;
        step.due = true;
    }
    return step;
}

}  // namespace velk::app
