// The graphic equalizer panel (dialog 224): ten vertical sliders, bass on the left, that the
// main window shows in place of its playlist. Every move is heard at once; the values are kept
// only when the user saves them.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QWidget>
#include <array>
#include <functional>

#include "core/player_session.h"
#include "visual/core/equalizer_values.h"

namespace velk::app {

namespace geq_ids {
enum Control {
    kSaveAndReturn = 1220,
    kFlat = 1221,
    kFirstSlider = 1222,  // 1222 .. 1231, band 1 .. 10
    kReturn = 1232,
    kSaved = 1233,
};
}  // namespace geq_ids

class EqualizerPanel : public QWidget, private SessionListener {
    Q_OBJECT
  public:
    // Gives the engine the saved values at once.
    EqualizerPanel(PlayerSession& session, QWidget* parent);
    ~EqualizerPanel() override;

    // Yes/No questions; the message box unless replaced (tests answer them).
    using Asker = std::function<bool(const QString& question)>;
    void SetAsker(Asker asker) { ask_ = std::move(asker); }

    bool IsOpen() const { return open_; }
    // The panel comes into view: sliders at the saved values, small engine blocks.
    void Open();
    // The main window shows another panel: an unchanged panel just returns, a changed one asks
    // whether to keep the changes.
    void LeaveForOtherPanel();
    EqualizerValues Values() const;

  signals:
    // The panel is done; the view it replaced comes back.
    void left();
    // Escape inside the panel ends the main window.
    void escapePressed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void SettingsApplied() override;

    EqualizerValues& Saved() { return session_.Settings().main.equalizer; }
    void SetSliders(const EqualizerValues& values);
    void Recolour();
    void ApplySliders();
    void SliderMoved();
    void Flat();
    void BackToSaved();
    void SaveAndReturn();
    void Return();
    void DiscardAndLeave();
    void Leave();

    PlayerSession& session_;
    Asker ask_;
    bool open_ = false;
    bool settingSliders_ = false;
    std::array<QSlider*, kEqualizerBands> sliders_{};
    std::array<QLabel*, 6> labels_{};
    QPushButton* saveAndReturn_ = nullptr;
    QPushButton* return_ = nullptr;
    QPushButton* flat_ = nullptr;
    QPushButton* saved_ = nullptr;
};

}  // namespace velk::app
