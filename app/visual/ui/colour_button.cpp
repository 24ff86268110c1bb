#include "visual/ui/colour_button.h"

#include <QColorDialog>

#include "ui/playlist_model.h"

namespace velk::app {

SpecColourButton::SpecColourButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    connect(this, &QPushButton::clicked, this, &SpecColourButton::Choose);
}

void SpecColourButton::SetColour(uint32_t colour) {
    colour_ = colour & 0xFFFFFF;
    QPalette colours = palette();
    colours.setColor(QPalette::Button, FromColorRef(colour_));
    setPalette(colours);
    setAutoFillBackground(true);
}

void SpecColourButton::Choose() {
    const QColor chosen = QColorDialog::getColor(FromColorRef(colour_), this, text());
    if (!chosen.isValid()) return;
    SetColour(ToColorRef(chosen));
    emit colourChanged();
}

}  // namespace velk::app
