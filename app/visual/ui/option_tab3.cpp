#include "visual/ui/option_tab3.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/control_ids.h"

namespace velk::app {

COptionTab3::COptionTab3(PlayerSession& session, QWidget* parent)
    : OptionPage(parent), session_(session) {
    using namespace spec_page_ids;
    const SpectrumWindowSettings& s = session_.Settings().spec;
    auto* page = new QVBoxLayout(this);
    show_ = AddCheck(kShow, "ｽﾍﾟｸﾄﾙｳｲﾝﾄﾞｳを表示", s.show);
    playing_ = AddCheck(kPlaying, "再生中のみｳｲﾝﾄﾞｳを表示", s.playing);
    topMost_ = AddCheck(kTopMost, "ｳｲﾝﾄﾞｳを常に最上位に表示", s.topMost);
    fit_ = AddCheck(kFit, "ｳｲﾝﾄﾞｳを画面端にくっつかせる", s.fit);
    for (QWidget* check : {show_, playing_, topMost_, fit_}) page->addWidget(check);

    auto* colours = new QHBoxLayout;
    foreColor_ = AddColour(kForeColor, s.foreColor);
    foreColor2_ = AddColour(kForeColor2, s.foreColor2);
    backColor_ = AddColour(kBackColor, s.backColor);
    backColor2_ = AddColour(kBackColor2, s.backColor2);
    topColor_ = AddColour(kTopColor, s.topColor);
    waveColor_ = AddColour(kWaveColor, s.waveColor);
    colours->addWidget(
        ColourPair("前景色", Captioned("開始色", foreColor_), Captioned("終了色", foreColor2_)));
    colours->addWidget(
        ColourPair("背景色", Captioned("開始色", backColor_), Captioned("終了色", backColor2_)));
    colours->addWidget(Captioned("頂点色", topColor_));
    colours->addWidget(Captioned("波形色", waveColor_));
    page->addLayout(colours);

    trans_ = AddCheck(kTrans, "ｳｲﾝﾄﾞｳを透明化", s.trans);
    page->addWidget(trans_);
    auto* transRow = new QHBoxLayout;
    transLabel_ = new QLabel(QString::fromUtf8("透明度(0～255)"), this);
    transLabel_->setObjectName(ids::ControlObjectName(kTransLabel));
    transValue_ = new QSpinBox(this);
    transValue_->setRange(0, 255);
    transValue_->setValue(std::clamp(s.transValue, 0, 255));
    transValue_->setObjectName(ids::ControlObjectName(kTransValue));
    connect(transValue_, &QSpinBox::valueChanged, this, &COptionTab3::MarkModified);
    transNote_ = new QLabel(QString::fromUtf8("※0=透明"), this);
    transNote_->setObjectName(ids::ControlObjectName(kTransNote));
    transRow->addWidget(transLabel_);
    transRow->addWidget(transValue_);
    transRow->addWidget(transNote_);
    page->addLayout(transRow);
    mouseTrans_ = AddCheck(kMouseTrans, "ﾏｳｽｲﾍﾞﾝﾄを透過", s.mouseTrans);
    saveStatus_ = AddCheck(kSaveStatus, "前回の表示状態を保存/復元", s.saveStatus);
    page->addWidget(mouseTrans_);
    page->addWidget(saveStatus_);
    page->addStretch();
    connect(show_, &QCheckBox::toggled, this, &COptionTab3::UpdateEnabled);
    connect(trans_, &QCheckBox::toggled, this, &COptionTab3::UpdateEnabled);
    UpdateEnabled();
}

QString COptionTab3::Caption() const {
    return QString::fromUtf8("ｽﾍﾟｸﾄﾙ");
}

QCheckBox* COptionTab3::AddCheck(int id, const char* text, bool on) {
    auto* check = new QCheckBox(QString::fromUtf8(text), this);
    check->setObjectName(ids::ControlObjectName(id));
    check->setChecked(on);
    connect(check, &QCheckBox::toggled, this, &COptionTab3::MarkModified);
    return check;
}

CCJColorPicker* COptionTab3::AddColour(int id, uint32_t colour) {
    auto* picker = new CCJColorPicker(this);
    picker->setObjectName(ids::ControlObjectName(id));
    picker->SetColorRef(colour);
    connect(picker, &CCJColorPicker::colourChanged, this, &COptionTab3::MarkModified);
    return picker;
}

QWidget* COptionTab3::Captioned(const char* text, QWidget* picker) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QString::fromUtf8(text), box));
    row->addWidget(picker);
    return box;
}

QGroupBox* COptionTab3::ColourPair(const char* title, QWidget* start, QWidget* end) {
    auto* group = new QGroupBox(QString::fromUtf8(title), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(start);
    row->addWidget(end);
    return group;
}

// "Show" off greys out the whole page; "Trans" governs its own value and the mouse choice.
void COptionTab3::UpdateEnabled() {
    const bool shown = show_->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{
             playing_, topMost_, fit_, foreColor_, foreColor2_, topColor_, waveColor_, backColor_,
             backColor2_, trans_, saveStatus_}) {
        control->setEnabled(shown);
    }
    const bool translucent = shown && trans_->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{transValue_, transLabel_, transNote_, mouseTrans_}) {
        control->setEnabled(translucent);
    }
}

void COptionTab3::Apply() {
    SpectrumWindowSettings& s = session_.Settings().spec;
    s.show = show_->isChecked();
    s.playing = playing_->isChecked();
    s.topMost = topMost_->isChecked();
    s.fit = fit_->isChecked();
    s.mouseTrans = mouseTrans_->isChecked();
    s.foreColor = foreColor_->ColorRef();
    s.foreColor2 = foreColor2_->ColorRef();
    s.topColor = topColor_->ColorRef();
    s.waveColor = waveColor_->ColorRef();
    s.backColor = backColor_->ColorRef();
    s.backColor2 = backColor2_->ColorRef();
    s.trans = trans_->isChecked();
    s.transValue = transValue_->value();
    s.saveStatus = saveStatus_->isChecked();
    WriteSpectrumWindowOptions(session_.Store(), s);
    modified_ = false;
    session_.ApplySettings();
}

}  // namespace velk::app
