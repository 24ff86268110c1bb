#include "dialogs/ui/option_tab1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/player_session.h"
#include "dialogs/ui/color_picker.h"

namespace velk::app {

namespace {

constexpr int kColourColumns = 2;
constexpr int kLargestTransValue = 255;

}  // namespace

COptionTab1::COptionTab1(PlayerSession& session, QWidget* parent)
    : OptionPage(parent),
      session_(session),
      colours_{{
          {"Back Color", "背景色1", &MainWindowSettings::backColor},
          {"Back Color2", "背景色2", &MainWindowSettings::backColor2},
          {"Favorite Color", "お気に入り", &MainWindowSettings::favoriteColor},
          {"File List Color", "ﾌｧｲﾙﾘｽﾄ", &MainWindowSettings::fileListColor},
          {"Current Line Color", "演奏中の行", &MainWindowSettings::currentLineColor},
          {"Lyrics List Color", "歌詞ﾘｽﾄ", &MainWindowSettings::lyricsListColor},
          {"Lyrics Edit Color", "歌詞編集", &MainWindowSettings::lyricsEditColor},
          {"GraphicEQ Color", "ｸﾞﾗﾌｨｯｸEQ", &MainWindowSettings::graphicEqColor},
      }} {
    const MainWindowSettings& m = session_.Settings().main;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildDisplayGroup(m));
    layout->addWidget(BuildPlaybackGroup(m));
    layout->addWidget(BuildColourGroup(m));
    layout->addWidget(BuildWindowGroup(m));
    layout->addStretch(1);
}

QString COptionTab1::Caption() const {
    return QString::fromUtf8("ﾒｲﾝｳｲﾝﾄﾞｳ");
}

QCheckBox* COptionTab1::AddCheck(const char* key, const char* text, bool checked) {
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    box->setObjectName(QString::fromUtf8(key));
    box->setChecked(checked);
    return box;
}

QWidget* COptionTab1::BuildDisplayGroup(const MainWindowSettings& m) {
    auto* group = new QGroupBox(QString::fromUtf8("表示"), this);
    auto* layout = new QVBoxLayout(group);
    nameType_ = AddCheck("Name Type", "ﾀｲﾄﾙが無い曲はﾌｧｲﾙ名を表示", m.nameType != 0);
    layout->addWidget(nameType_);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8("時間表示"), group));
    timeType_ = new QComboBox(group);
    timeType_->setObjectName(QStringLiteral("Time Type"));
    timeType_->addItems({QString::fromUtf8("経過時間"), QString::fromUtf8("残り時間"),
                         QString::fromUtf8("経過時間/全体時間")});
    timeType_->setCurrentIndex(m.timeType >= 0 && m.timeType < timeType_->count() ? m.timeType
                                                                                  : -1);
    row->addWidget(timeType_);
    row->addStretch(1);
    layout->addLayout(row);
    return group;
}

QWidget* COptionTab1::BuildPlaybackGroup(const MainWindowSettings& m) {
    auto* group = new QGroupBox(QString::fromUtf8("再生"), this);
    auto* layout = new QHBoxLayout(group);
    fadeIn_ = AddCheck("Fade In", "ﾌｪｰﾄﾞｲﾝ", m.fadeIn);
    fadeOut_ = AddCheck("Fade Out", "ﾌｪｰﾄﾞｱｳﾄ", m.fadeOut);
    silentSkip_ = AddCheck("Silent Skip", "曲頭の無音をｽｷｯﾌﾟ", m.silentSkip);
    for (QWidget* box : {fadeIn_, fadeOut_, silentSkip_}) layout->addWidget(box);
    layout->addStretch(1);
    return group;
}

QWidget* COptionTab1::BuildColourGroup(const MainWindowSettings& m) {
    auto* group = new QGroupBox(QString::fromUtf8("色"), this);
    auto* grid = new QGridLayout(group);
    for (size_t i = 0; i < colours_.size(); ++i) {
        ColourControl& colour = colours_[i];
        colour.picker = new CCJColorPicker(group);
        colour.picker->setObjectName(QString::fromUtf8(colour.key));
        colour.picker->SetColorRef(m.*colour.field);
        const int row = static_cast<int>(i) / kColourColumns;
        const int column = (static_cast<int>(i) % kColourColumns) * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(colour.label), group), row, column);
        grid->addWidget(colour.picker, row, column + 1);
    }
    return group;
}

QWidget* COptionTab1::BuildWindowGroup(const MainWindowSettings& m) {
    auto* group = new QGroupBox(QString::fromUtf8("ｳｲﾝﾄﾞｳ"), this);
    auto* layout = new QVBoxLayout(group);
    auto* row = new QHBoxLayout;
    trans_ = AddCheck("Trans", "半透明にする", m.trans);
    transValue_ = new QSpinBox(group);
    transValue_->setObjectName(QStringLiteral("Trans Value"));
    transValue_->setRange(0, kLargestTransValue);
    transValue_->setValue(m.transValue);
    transValue_->setEnabled(m.trans);
    connect(trans_, &QCheckBox::toggled, transValue_, &QWidget::setEnabled);
    row->addWidget(trans_);
    row->addWidget(new QLabel(QString::fromUtf8("不透明度"), group));
    row->addWidget(transValue_);
    row->addStretch(1);
    layout->addLayout(row);
    saveStatus_ = AddCheck("Save Status", "終了時の状態を保存する", m.saveStatus);
    highMode_ = AddCheck("High Mode", "ﾌｧｲﾙの追加を高速に行う(ﾊｲﾓｰﾄﾞ)", m.highMode);
    layout->addWidget(saveStatus_);
    layout->addWidget(highMode_);
    return group;
}

void COptionTab1::Apply() {
    MainWindowSettings& m = session_.Settings().main;
    m.nameType = nameType_->isChecked() ? 1 : 0;
    if (timeType_->currentIndex() >= 0) m.timeType = timeType_->currentIndex();
    m.fadeIn = fadeIn_->isChecked();
    m.fadeOut = fadeOut_->isChecked();
    m.silentSkip = silentSkip_->isChecked();
    for (const ColourControl& colour : colours_) m.*colour.field = colour.picker->ColorRef();
    m.trans = trans_->isChecked();
    m.transValue = transValue_->value();
    m.saveStatus = saveStatus_->isChecked();
    m.highMode = highMode_->isChecked();
    if (!session_.IsReadOnly()) WriteMainWindowOptions(session_.Store(), m);
    session_.ApplySettings();
}

}  // namespace velk::app
