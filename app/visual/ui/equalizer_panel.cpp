#include "visual/ui/equalizer_panel.h"

#include <QKeyEvent>
#include <QMessageBox>

#include "ui/control_ids.h"
#include "ui/playlist_model.h"

namespace velk::app {

namespace {

constexpr int kSliderPage = 10;
constexpr int kButtonWidth = 96;
constexpr int kLabelWidth = 44;
constexpr int kRowHeight = 22;

QPushButton* MakeButton(QWidget* parent, int id, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setToolTip(QString::fromUtf8(tip));
    button->setObjectName(ids::ControlObjectName(id));
    return button;
}

bool AskWithMessageBox(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, ids::kProductName, question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

EqualizerPanel::EqualizerPanel(PlayerSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ask_ = [this](const QString& question) { return AskWithMessageBox(this, question); };
    setAutoFillBackground(true);
    for (int band = 0; band < kEqualizerBands; ++band) {
        auto* slider = new QSlider(Qt::Vertical, this);
        slider->setRange(kEqualizerMinimum, kEqualizerMaximum);
        slider->setPageStep(kSliderPage);
        slider->setObjectName(ids::ControlObjectName(geq_ids::kFirstSlider + band));
        connect(slider, &QSlider::valueChanged, this, &EqualizerPanel::SliderMoved);
        sliders_[band] = slider;
    }
    const char* texts[] = {"大↑", "<音量>", "小↓", "←低音", "<音程>", "高音→"};
    for (size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(QString::fromUtf8(texts[i]), this);
        labels_[i]->setAlignment(Qt::AlignCenter);
    }
    saveAndReturn_ = MakeButton(this, geq_ids::kSaveAndReturn, "保存して戻る", "保存して戻る");
    return_ = MakeButton(this, geq_ids::kReturn, "戻る", "変更内容を破棄して戻る");
    flat_ = MakeButton(this, geq_ids::kFlat, "標準値に戻す", "音量を中間位置にｾｯﾄします");
    saved_ = MakeButton(this, geq_ids::kSaved, "保存値に戻す", "保存されている値にｾｯﾄします");
    connect(saveAndReturn_, &QPushButton::clicked, this, &EqualizerPanel::SaveAndReturn);
    connect(return_, &QPushButton::clicked, this, &EqualizerPanel::Return);
    connect(flat_, &QPushButton::clicked, this, &EqualizerPanel::Flat);
    connect(saved_, &QPushButton::clicked, this, &EqualizerPanel::BackToSaved);
    hide();
    SetSliders(Saved());
    Recolour();
    session_.Engine().SetEqualizer(Saved());
    session_.Subscribe(*this);
    SettingsApplied();
}

EqualizerPanel::~EqualizerPanel() {
    session_.Unsubscribe(*this);
}

void EqualizerPanel::SettingsApplied() {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, FromColorRef(session_.Settings().main.graphicEqColor));
    setPalette(colours);
}

EqualizerValues EqualizerPanel::Values() const {
    EqualizerValues values{};
    for (int band = 0; band < kEqualizerBands; ++band) {
        values[band] = BandValueOfSlider(sliders_[band]->value());
    }
    return values;
}

void EqualizerPanel::SetSliders(const EqualizerValues& values) {
    settingSliders_ = true;
    for (int band = 0; band < kEqualizerBands; ++band) {
        sliders_[band]->setValue(SliderOfBandValue(values[band]));
    }
    settingSliders_ = false;
}

// The groove's fill carries the slider's second colour.
void EqualizerPanel::Recolour() {
    const EqualizerValues values = Values();
    for (int band = 0; band < kEqualizerBands; ++band) {
        const uint32_t colour = EqualizerSliderColour(values[band]);
        QPalette colours = sliders_[band]->palette();
        colours.setColor(QPalette::Highlight, FromColorRef(colour));
        colours.setColor(QPalette::Button, FromColorRef(colour));
        sliders_[band]->setPalette(colours);
        sliders_[band]->setProperty("secondColour", colour);
    }
}

void EqualizerPanel::ApplySliders() {
    Recolour();
    session_.Engine().SetEqualizer(Values());
}

void EqualizerPanel::SliderMoved() {
    if (settingSliders_) return;
    ApplySliders();
    saveAndReturn_->setEnabled(true);
}

void EqualizerPanel::Open() {
    SetSliders(Saved());
    Recolour();
    saveAndReturn_->setEnabled(false);
    open_ = true;
    ChangeBlocksKeepingPlayback(session_.Engine(), kQuickResponseBlocks);
}

void EqualizerPanel::Flat() {
    SetSliders({});
    ApplySliders();
    saveAndReturn_->setEnabled(EqualizerChanged(Values(), Saved()));
}

void EqualizerPanel::BackToSaved() {
    SetSliders(Saved());
    ApplySliders();
    saveAndReturn_->setEnabled(false);
}

void EqualizerPanel::SaveAndReturn() {
    Leave();
    Saved() = Values();
    WriteEqualizerValues(session_.Store(), session_.Settings().main);
}

void EqualizerPanel::Return() {
    if (EqualizerChanged(Values(), Saved()) &&
        !ask_(QString::fromUtf8("変更内容が破棄されますがよろしいですか？"))) {
        return;
    }
    DiscardAndLeave();
}

void EqualizerPanel::LeaveForOtherPanel() {
    if (!EqualizerChanged(Values(), Saved())) {
        DiscardAndLeave();
    } else if (ask_(QString::fromUtf8("変更を保存しますか？"))) {
        SaveAndReturn();
    } else {
        DiscardAndLeave();
    }
}

void EqualizerPanel::DiscardAndLeave() {
    Leave();
    SetSliders({});
    session_.Engine().SetEqualizer(Saved());
}

void EqualizerPanel::Leave() {
    if (!open_) return;
    open_ = false;
    ChangeBlocksKeepingPlayback(session_.Engine(), kNormalBlocks);
    emit left();
}

void EqualizerPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Labels on the left, the sliders spread over the middle, the buttons in a column on the right.
void EqualizerPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width(), h = height();
    const int slidersLeft = kLabelWidth;
    const int slidersWidth = std::max(w - kLabelWidth - kButtonWidth - 8, kEqualizerBands);
    const int sliderHeight = std::max(h - kRowHeight - 4, 0);
    const int pitch = slidersWidth / kEqualizerBands;
    for (int band = 0; band < kEqualizerBands; ++band) {
        sliders_[band]->setGeometry(slidersLeft + band * pitch, 2, pitch, sliderHeight);
    }
    labels_[0]->setGeometry(0, 2, kLabelWidth, kRowHeight);
    labels_[1]->setGeometry(0, sliderHeight / 2 - kRowHeight / 2, kLabelWidth, kRowHeight);
    labels_[2]->setGeometry(0, sliderHeight - kRowHeight, kLabelWidth, kRowHeight);
    const int third = slidersWidth / 3;
    for (int i = 0; i < 3; ++i) {
        labels_[3 + i]->setGeometry(slidersLeft + i * third, h - kRowHeight, third, kRowHeight);
    }
    const int buttonsLeft = w - kButtonWidth - 4;
    QPushButton* buttons[] = {saveAndReturn_, return_, flat_, saved_};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->setGeometry(buttonsLeft, 4 + i * (kRowHeight + 6), kButtonWidth,
                                kRowHeight + 2);
    }
}

}  // namespace velk::app
