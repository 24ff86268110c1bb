// A button that shows a colour and lets the user choose another. Kept small on purpose: the
// options sheet's own colour picker takes its place when it arrives.
#pragma once

#include <QPushButton>
#include <cstdint>

namespace velk::app {

class ColourPickerButton : public QPushButton {
    Q_OBJECT
  public:
    ColourPickerButton(const QString& text, QWidget* parent);
    uint32_t Colour() const { return colour_; }  // 0x00BBGGRR
    void SetColour(uint32_t colour);

  private:
    void Choose();
    uint32_t colour_ = 0;
};

}  // namespace velk::app
