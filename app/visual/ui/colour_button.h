// A button that shows a colour and lets the user pick another (stands in for the options
// sheet's colour picker on the spectrum page).
#pragma once

#include <QPushButton>
#include <cstdint>

namespace velk::app {

class SpecColourButton : public QPushButton {
    Q_OBJECT
  public:
    SpecColourButton(const QString& caption, QWidget* parent);
    uint32_t Colour() const { return colour_; }  // 0x00BBGGRR
    void SetColour(uint32_t colour);

  signals:
    void colourChanged();

  private:
    void Choose();
    uint32_t colour_ = 0;
};

}  // namespace velk::app
