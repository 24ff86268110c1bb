#include "dialogs/ui/option_tab6.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "core/custom_settings.h"
#include "core/player_session.h"
#include "core/sleep_timer.h"
#include "ui/control_ids.h"

namespace velk::app {

namespace {

struct RadioChoice {
    int id;
    int value;
    const char* text;
};

// Adds one radio button per choice to `layout` and `group`, each keyed by its value.
void AddRadios(QWidget* parent, QBoxLayout* layout, QButtonGroup* group,
               std::initializer_list<RadioChoice> choices, int current) {
    for (const RadioChoice& choice : choices) {
        auto* radio = new QRadioButton(QString::fromUtf8(choice.text), parent);
        radio->setObjectName(ids::ControlObjectName(choice.id));
        radio->setChecked(choice.value == current);
        group->addButton(radio, choice.value);
        layout->addWidget(radio);
    }
}

}  // namespace

COptionTab6::COptionTab6(PlayerSession& session, QWidget* parent)
    : OptionPage(parent), session_(session) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSleepGroup());
    layout->addWidget(BuildWakeGroup());
    layout->addStretch(1);
    EnableWeekdays();
}

QString COptionTab6::Caption() const {
    return QString::fromUtf8("その他");
}

QWidget* COptionTab6::BuildSleepGroup() {
    auto* group = new QGroupBox(QString::fromUtf8("おやすみﾀｲﾏｰ"), this);
    auto* layout = new QVBoxLayout(group);
    sleepLimit_ = new QComboBox(group);
    sleepLimit_->setObjectName(ids::ControlObjectName(kSleepLimit));
    sleepLimit_->addItem(QString::fromUtf8("なし"));
    for (int choice = 1; choice < kSleepChoiceCount; ++choice) {
        sleepLimit_->addItem(QString::fromUtf8("%1分後").arg(SleepLimitOfChoice(choice)));
    }
    sleepLimit_->setCurrentIndex(SleepChoiceOfLimit(session_.Sleep().Limit()));
    layout->addWidget(sleepLimit_);
    auto* kinds = new QHBoxLayout;
    sleepKind_ = new QButtonGroup(group);
    AddRadios(group, kinds, sleepKind_,
              {{kStopRadio, kSleepStop, "演奏の停止"},
               {kPowerOffRadio, kSleepPowerOff, "電源を切る"},
               {kHibernateRadio, kSleepHibernate, "休止状態"},
               {kStandByRadio, kSleepStandBy, "ｽﾀﾝﾊﾞｲ"}},
              session_.Settings().etc.sleepKind);
    layout->addLayout(kinds);
    return group;
}

QWidget* COptionTab6::BuildWakeGroup() {
    const WakeSettings& wake = session_.Settings().etc.wake;
    auto* group = new QGroupBox(QString::fromUtf8("おはようﾀｲﾏｰ"), this);
    auto* layout = new QVBoxLayout(group);
    wakeTime_ = new QTimeEdit(group);
    wakeTime_->setObjectName(ids::ControlObjectName(kWakeTime));
    wakeTime_->setDisplayFormat(QStringLiteral("H:mm"));
    const int minutes = wake.minutesAfterMidnight;
    wakeTime_->setTime(minutes >= 0 && minutes < 24 * 60 ? QTime(minutes / 60, minutes % 60)
                                                         : QTime(0, 0));
    layout->addWidget(wakeTime_);
    auto* kinds = new QHBoxLayout;
    wakeKind_ = new QButtonGroup(group);
    AddRadios(group, kinds, wakeKind_,
              {{kNoWakeRadio, kWakeNone, "なし"},
               {kOnceRadio, kWakeOnce, "今回だけ"},
               {kDailyRadio, kWakeDaily, "毎日"},
               {kWeekdaysRadio, kWakeWeekdays, "曜日毎"}},
              wake.kind);
    connect(wakeKind_, &QButtonGroup::idToggled, this, [this] { EnableWeekdays(); });
    layout->addLayout(kinds);
    auto* days = new QHBoxLayout;
    const char* names[] = {"月曜", "火曜", "水曜", "木曜", "金曜", "土曜", "日曜"};
    for (size_t i = 0; i < weekdays_.size(); ++i) {
        weekdays_[i] = new QCheckBox(QString::fromUtf8(names[i]), group);
        weekdays_[i]->setObjectName(ids::ControlObjectName(kFirstWeekday + static_cast<int>(i)));
        weekdays_[i]->setChecked((wake.weekdayMask & (1 << i)) != 0);
        days->addWidget(weekdays_[i]);
    }
    layout->addLayout(days);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8("再生するお気に入り"), group));
    wakeFavourite_ = new QComboBox(group);
    wakeFavourite_->setObjectName(ids::ControlObjectName(kWakeFavourite));
    for (const FavouriteRecord& favourite : session_.Favourites()) {
        wakeFavourite_->addItem(QString::fromStdString(favourite.name));
    }
    wakeFavourite_->setCurrentIndex(
        wakeFavourite_->findText(QString::fromStdString(wake.playlist), Qt::MatchExactly));
    row->addWidget(wakeFavourite_, 1);
    layout->addLayout(row);
    return group;
}

void COptionTab6::EnableWeekdays() {
    const bool byWeekday = wakeKind_->checkedId() == kWakeWeekdays;
    for (QCheckBox* day : weekdays_) day->setEnabled(byWeekday);
}

void COptionTab6::Apply() {
    EtcSettings& etc = session_.Settings().etc;
    const int limit = SleepLimitOfChoice(sleepLimit_->currentIndex());
    etc.sleepKind = std::max(sleepKind_->checkedId(), 0);
    const QTime time = wakeTime_->time();
    etc.wake.minutesAfterMidnight = time.hour() * 60 + time.minute();
    etc.wake.kind = std::max(wakeKind_->checkedId(), 0);
    etc.wake.weekdayMask = 0;
    for (size_t i = 0; i < weekdays_.size(); ++i) {
        if (weekdays_[i]->isChecked()) etc.wake.weekdayMask |= 1 << i;
    }
    etc.wake.playlist = wakeFavourite_->currentText().toStdString();
    if (!session_.IsReadOnly()) WriteEtcSettings(session_.Store(), etc);
    session_.ArmSleepTimer(limit, etc.sleepKind);
    session_.ApplySettings();
}

}  // namespace velk::app
