// COptionTab6 "その他" (dialog 143): the sleep timer, armed when the sheet is confirmed, and the
// wake timer's time, kind, weekdays and favourite.
#pragma once

#include <array>

#include "dialogs/ui/option_page.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QTimeEdit;

namespace velk::app {

class PlayerSession;

class COptionTab6 : public OptionPage {
    Q_OBJECT
  public:
    enum Control {
        kSleepLimit = 1154,
        kStopRadio = 1158,
        kPowerOffRadio = 1159,
        kStandByRadio = 1160,
        kHibernateRadio = 1161,
        kWakeTime = 1144,
        kFirstWeekday = 1146,  // Monday; Sunday is 1152
        kNoWakeRadio = 1163,
        kOnceRadio = 1164,
        kDailyRadio = 1165,
        kWeekdaysRadio = 1166,
        kWakeFavourite = 1168,
    };

    explicit COptionTab6(PlayerSession& session, QWidget* parent = nullptr);

    QString Caption() const override;
    void Apply() override;

  private:
    QWidget* BuildSleepGroup();
    QWidget* BuildWakeGroup();
    // The weekday boxes count only for the weekday kind.
    void EnableWeekdays();

    PlayerSession& session_;
    QComboBox* sleepLimit_ = nullptr;
    QButtonGroup* sleepKind_ = nullptr;
    QTimeEdit* wakeTime_ = nullptr;
    QButtonGroup* wakeKind_ = nullptr;
    std::array<QCheckBox*, 7> weekdays_{};
    QComboBox* wakeFavourite_ = nullptr;
};

}  // namespace velk::app
