// CCJColorPicker: a button that shows a colour and lets the user choose another.
#pragma once

#include <QColor>
#include <QPushButton>
#include <cstdint>

namespace velk::app {

class CCJColorPicker : public QPushButton {
    Q_OBJECT
  public:
    explicit CCJColorPicker(QWidget* parent = nullptr);

    // Colours as the settings keep them: 0x00BBGGRR.
    uint32_t ColorRef() const;
    void SetColorRef(uint32_t bgr);
    QColor Colour() const { return colour_; }
    void SetColour(const QColor& colour);

  signals:
    void colourChanged(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Choose();

    QColor colour_ = Qt::white;
};

}  // namespace velk::app
