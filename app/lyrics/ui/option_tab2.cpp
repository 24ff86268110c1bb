#include "lyrics/ui/option_tab2.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "lyrics/core/lyrics_display.h"
#include "lyrics/ui/lyrics_font.h"
#include "ui/control_ids.h"
#include "ui/playlist_model.h"

namespace velk::app {

namespace {

constexpr int kPreviewSize = 40;

template <typename W>
W* Named(W* widget, int id) {
    widget->setObjectName(ids::ControlObjectName(id));
    return widget;
}

QSpinBox* Spin(int id, int low, int high, int value, QWidget* parent) {
    auto* spin = Named(new QSpinBox(parent), id);
    spin->setRange(low, high);
    spin->setValue(std::clamp(value, low, high));
    return spin;
}

}  // namespace

COptionTab2::COptionTab2(PlayerSession& session, QWidget* parent)
    : OptionPage(parent), session_(session) {
    const LyricsWindowSettings& s = session.Settings().lyrics;
    titleFont_ = s.titleFont;
    normalFont_ = s.normalFont;
    titleColour_ = s.titleColor;
    normalColour_ = s.normalColor;

    show_ = Check(kShow, QStringLiteral("歌詞ｳｲﾝﾄﾞｳを表示"), s.show);
    lines_ = Spin(kLines, 1, kLyricsSlots, s.lines, this);
    exist_ = Check(kExist, QStringLiteral("歌詞が存在する時だけｳｲﾝﾄﾞｳを表示"), s.exist);
    topMost_ = Check(kTopMost, QStringLiteral("ｳｲﾝﾄﾞｳを常に最上位に表示"), s.topMost);
    fit_ = Check(kFit, QStringLiteral("ｳｲﾝﾄﾞｳを画面端にくっつかせる"), s.fit);
    autoSize_ = Check(kAutoSize, QStringLiteral("自動ｻｲｽﾞ調整"), s.autoSize);
    karaoke_ = Check(kKaraoke, QStringLiteral("ｶﾗｵｹ風表示"), s.karaoke);
    lyrics3_ = Check(kLyrics3, QStringLiteral("Lyrics3優先"), s.lyrics3);
    trans_ = Check(kTrans, QStringLiteral("ｳｲﾝﾄﾞｳを透明化"), s.trans);
    transValue_ = Spin(kTransValue, 0, 255, s.transValue, this);
    saveStatus_ = Check(kSaveStatus, QStringLiteral("前回の表示状態を保存/復元"), s.saveStatus);
    mouseTrans_ = Check(kMouseTrans, QStringLiteral("ﾏｳｽｲﾍﾞﾝﾄを透過"), s.mouseTrans);

    titlePreview_ = Named(new QLabel(QStringLiteral("あ"), this), kTitlePreview);
    normalPreview_ = Named(new QLabel(QStringLiteral("あ"), this), kNormalPreview);
    auto* titleFont = Named(new QPushButton(QStringLiteral("ﾀｲﾄﾙ文字..."), this), kTitleFont);
    auto* normalFont = Named(new QPushButton(QStringLiteral("通常文字..."), this), kNormalFont);
    currentColour_ = Named(new CCJColorPicker(this), kCurrentColour);
    backColour_ = Named(new CCJColorPicker(this), kBackColour);
    backColour2_ = Named(new CCJColorPicker(this), kBackColour2);
    currentColour_->SetColorRef(s.currentColor);
    backColour_->SetColorRef(s.backColor);
    backColour2_->SetColorRef(s.backColor2);
    for (QLabel* preview : {titlePreview_, normalPreview_}) {
        preview->setFixedSize(kPreviewSize, kPreviewSize);
        preview->setAlignment(Qt::AlignCenter);
    }
    ShowPreview(titlePreview_, titleFont_, titleColour_, kDefaultLyricsTitleFont);
    ShowPreview(normalPreview_, normalFont_, normalColour_, kDefaultLyricsNormalFont);
    connect(titleFont, &QPushButton::clicked, this, [this] {
        ChooseFont(titleFont_, titleColour_, kDefaultLyricsTitleFont, titlePreview_);
    });
    connect(normalFont, &QPushButton::clicked, this, [this] {
        ChooseFont(normalFont_, normalColour_, kDefaultLyricsNormalFont, normalPreview_);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(show_);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(new QLabel(QStringLiteral("表示する行数:"), this));
    lineRow->addWidget(lines_);
    lineRow->addStretch();
    layout->addLayout(lineRow);
    for (QCheckBox* box : {exist_, topMost_, fit_, autoSize_, karaoke_, lyrics3_})
        layout->addWidget(box);
    auto* fonts = new QGridLayout;
    fonts->addWidget(titleFont, 0, 0);
    fonts->addWidget(titlePreview_, 0, 1);
    fonts->addWidget(normalFont, 1, 0);
    fonts->addWidget(normalPreview_, 1, 1);
    // Each picker beside its caption: the current colour under the fonts, the background
    // colours beside them.
    const struct {
        const char* caption;
        CCJColorPicker* picker;
        int row, column;
    } colours[] = {{"ｶﾚﾝﾄ色", currentColour_, 2, 0},
                   {"開始色", backColour_, 0, 2},
                   {"終了色", backColour2_, 1, 2}};
    for (const auto& c : colours) {
        fonts->addWidget(new QLabel(QString::fromUtf8(c.caption), this), c.row, c.column);
        fonts->addWidget(c.picker, c.row, c.column + 1);
    }
    layout->addLayout(fonts);
    layout->addWidget(trans_);
    auto* transRow = new QHBoxLayout;
    transRow->addWidget(new QLabel(QStringLiteral("透明度(0～255)"), this));
    transRow->addWidget(transValue_);
    transRow->addWidget(new QLabel(QStringLiteral("※0=透明"), this));
    transRow->addStretch();
    layout->addLayout(transRow);
    layout->addWidget(mouseTrans_);
    layout->addWidget(saveStatus_);
    layout->addStretch();

    followShow_ = {lines_,   exist_,      topMost_,    fit_,           autoSize_,   karaoke_,
                   lyrics3_, titleFont,   normalFont,  currentColour_, backColour_, backColour2_,
                   trans_,   transValue_, saveStatus_, mouseTrans_};
    connect(show_, &QCheckBox::toggled, this, &COptionTab2::UpdateEnabled);
    connect(trans_, &QCheckBox::toggled, this, &COptionTab2::UpdateEnabled);
    UpdateEnabled();
}

QString COptionTab2::Caption() const {
    return QStringLiteral("歌詞ｳｲﾝﾄﾞｳ");
}

QCheckBox* COptionTab2::Check(Control id, const QString& text, bool checked) {
    auto* box = Named(new QCheckBox(text, this), id);
    box->setChecked(checked);
    return box;
}

void COptionTab2::UpdateEnabled() {
    const bool on = show_->isChecked();
    for (QWidget* widget : followShow_) widget->setEnabled(on);
    const bool translucent = on && trans_->isChecked();
    transValue_->setEnabled(translucent);
    mouseTrans_->setEnabled(translucent);
}

void COptionTab2::ShowPreview(QLabel* preview, const std::string& font, uint32_t colour,
                              const char* fallback) {
    preview->setFont(FontFromString(font, fallback));
    QPalette palette = preview->palette();
    palette.setColor(QPalette::WindowText, FromColorRef(colour));
    preview->setPalette(palette);
}

void COptionTab2::ChooseFont(std::string& font, uint32_t& colour, const char* fallback,
                             QLabel* preview) {
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, FontFromString(font, fallback), this);
    if (!chosen) return;
    font = FontToString(picked, font);
    const QColor text = QColorDialog::getColor(FromColorRef(colour), this);
    if (text.isValid()) colour = ToColorRef(text);
    ShowPreview(preview, font, colour, fallback);
}

void COptionTab2::Apply() {
    LyricsWindowSettings& s = session_.Settings().lyrics;
    s.show = show_->isChecked();
    s.lines = lines_->value();
    s.exist = exist_->isChecked();
    s.topMost = topMost_->isChecked();
    s.fit = fit_->isChecked();
    s.autoSize = autoSize_->isChecked();
    s.karaoke = karaoke_->isChecked();
    s.lyrics3 = lyrics3_->isChecked();
    s.trans = trans_->isChecked();
    s.transValue = transValue_->value();
    s.saveStatus = saveStatus_->isChecked();
    s.mouseTrans = mouseTrans_->isChecked();
    s.titleFont = titleFont_;
    s.normalFont = normalFont_;
    s.titleColor = titleColour_;
    s.normalColor = normalColour_;
    s.currentColor = currentColour_->ColorRef();
    s.backColor = backColour_->ColorRef();
    s.backColor2 = backColour2_->ColorRef();
    WriteLyricsWindowOptions(session_.Store(), s);
    session_.ApplySettings();
}

}  // namespace velk::app
