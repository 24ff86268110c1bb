#include "lyrics/ui/colour_picker_button.h"

#include <QColorDialog>
#include <QPixmap>

#include "ui/playlist_model.h"

namespace velk::app {

ColourPickerButton::ColourPickerButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent) {
    connect(this, &QPushButton::clicked, this, &ColourPickerButton::Choose);
    SetColour(0);
}

void ColourPickerButton::SetColour(uint32_t colour) {
    colour_ = colour & 0xFFFFFF;
    QPixmap swatch(16, 16);
    swatch.fill(FromColorRef(colour_));
    setIcon(QIcon(swatch));
}

void ColourPickerButton::Choose() {
    const QColor chosen = QColorDialog::getColor(FromColorRef(colour_), this, text());
    if (chosen.isValid()) SetColour(ToColorRef(chosen));
}

}  // namespace velk::app
