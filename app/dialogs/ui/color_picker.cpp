#include "dialogs/ui/color_picker.h"

#include <QColorDialog>
#include <QPainter>

#include "ui/playlist_model.h"

namespace velk::app {

namespace {

constexpr int kSwatchMargin = 5;

}  // namespace

CCJColorPicker::CCJColorPicker(QWidget* parent) : QPushButton(parent) {
    setMinimumSize(48, 22);
    connect(this, &QPushButton::clicked, this, &CCJColorPicker::Choose);
}

uint32_t CCJColorPicker::ColorRef() const {
    return ToColorRef(colour_);
}

void CCJColorPicker::SetColorRef(uint32_t bgr) {
    SetColour(FromColorRef(bgr));
}

void CCJColorPicker::SetColour(const QColor& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
    emit colourChanged(colour_);
}

void CCJColorPicker::Choose() {
    const QColor chosen = QColorDialog::getColor(colour_, this);
    if (chosen.isValid()) SetColour(chosen);
}

// The button's frame, with the colour filling its face.
void CCJColorPicker::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch =
        rect().adjusted(kSwatchMargin, kSwatchMargin, -kSwatchMargin, -kSwatchMargin);
    painter.fillRect(swatch, colour_);
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText)
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

}  // namespace velk::app
