// The spectrum page of the options sheet (dialog 222, "ｽﾍﾟｸﾄﾙ"): the "Spec Window" options.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <array>

#include "core/player_session.h"
#include "dialogs/ui/color_picker.h"
#include "dialogs/ui/option_page.h"

namespace velk::app {

namespace spec_page_ids {
enum Control {
    kTopMost = 1052,
    kFit = 1058,
    kTrans = 1051,
    kTransSpin = 1101,
    kTransValue = 1102,
    kTransLabel = 1103,
    kTransNote = 1104,
    kSaveStatus = 1105,
    kBackColor = 1110,
    kBackColor2 = 1111,
    kMouseTrans = 1178,
    kShow = 1192,
    kPlaying = 1193,
    kForeColor = 1196,
    kForeColor2 = 1198,
    kTopColor = 1200,
    kWaveColor = 1202,
};
}  // namespace spec_page_ids

class COptionTab3 : public OptionPage {
    Q_OBJECT
  public:
    COptionTab3(PlayerSession& session, QWidget* parent);
    QString Caption() const override;
    void Apply() override;
    bool Modified() const { return modified_; }

  private:
    QCheckBox* AddCheck(int id, const char* text, bool on);
    CCJColorPicker* AddColour(int id, uint32_t colour);
    // A group of a start and an end colour.
    QGroupBox* ColourPair(const char* title, QWidget* start, QWidget* end);
    // A colour picker with its caption beside it.
    QWidget* Captioned(const char* text, QWidget* picker);
    void UpdateEnabled();
    void MarkModified() { modified_ = true; }

    PlayerSession& session_;
    bool modified_ = false;
    QCheckBox* show_ = nullptr;
    QCheckBox* playing_ = nullptr;
    QCheckBox* topMost_ = nullptr;
    QCheckBox* fit_ = nullptr;
    QCheckBox* trans_ = nullptr;
    QCheckBox* mouseTrans_ = nullptr;
    QCheckBox* saveStatus_ = nullptr;
    CCJColorPicker* foreColor_ = nullptr;
    CCJColorPicker* foreColor2_ = nullptr;
    CCJColorPicker* topColor_ = nullptr;
    CCJColorPicker* waveColor_ = nullptr;
    CCJColorPicker* backColor_ = nullptr;
    CCJColorPicker* backColor2_ = nullptr;
    QSpinBox* transValue_ = nullptr;
    QLabel* transLabel_ = nullptr;
    QLabel* transNote_ = nullptr;
};

}  // namespace velk::app
