// The options sheet's lyrics window page ("歌詞ｳｲﾝﾄﾞｳ", dialog 133).
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

#include "core/player_session.h"
#include "dialogs/ui/color_picker.h"
#include "dialogs/ui/option_page.h"

namespace velk::app {

class COptionTab2 : public OptionPage {
    Q_OBJECT
  public:
    enum Control {
        kTitlePreview = 1018,
        kShow = 1050,
        kTrans = 1051,
        kTopMost = 1052,
        kLinesSpin = 1055,
        kExist = 1057,
        kFit = 1058,
        kAutoSize = 1059,
        kTransSpin = 1101,
        kTransValue = 1102,
        kSaveStatus = 1105,
        kLines = 1107,
        kBackColour = 1110,
        kBackColour2 = 1111,
        kCurrentColour = 1112,
        kTitleFont = 1123,
        kNormalPreview = 1124,
        kNormalFont = 1125,
        kKaraoke = 1175,
        kMouseTrans = 1178,
        kLyrics3 = 1237,
    };

    COptionTab2(PlayerSession& session, QWidget* parent);
    QString Caption() const override;
    void Apply() override;

  private:
    QCheckBox* Check(Control id, const QString& text, bool checked);
    void UpdateEnabled();
    // The font dialog, then the colour of the text; the preview follows.
    void ChooseFont(std::string& font, uint32_t& colour, const char* fallback, QLabel* preview);
    void ShowPreview(QLabel* preview, const std::string& font, uint32_t colour,
                     const char* fallback);

    PlayerSession& session_;
    std::string titleFont_;
    std::string normalFont_;
    uint32_t titleColour_;
    uint32_t normalColour_;
    QCheckBox* show_;
    QSpinBox* lines_;
    QCheckBox* exist_;
    QCheckBox* topMost_;
    QCheckBox* fit_;
    QCheckBox* autoSize_;
    QCheckBox* karaoke_;
    QCheckBox* lyrics3_;
    QCheckBox* trans_;
    QSpinBox* transValue_;
    QCheckBox* saveStatus_;
    QCheckBox* mouseTrans_;
    QLabel* titlePreview_;
    QLabel* normalPreview_;
    CCJColorPicker* currentColour_;
    CCJColorPicker* backColour_;
    CCJColorPicker* backColour2_;
    QList<QWidget*> followShow_;
};

}  // namespace velk::app
