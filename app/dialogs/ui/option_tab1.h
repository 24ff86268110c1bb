// COptionTab1 "ﾒｲﾝｳｲﾝﾄﾞｳ": the main window's options. Each control carries its settings key as
// its object name.
#pragma once

#include <array>
#include <cstdint>

#include "core/main_window_settings.h"
#include "dialogs/ui/option_page.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace velk::app {

class CCJColorPicker;
class PlayerSession;

class COptionTab1 : public OptionPage {
    Q_OBJECT
  public:
    explicit COptionTab1(PlayerSession& session, QWidget* parent = nullptr);

    QString Caption() const override;
    void Apply() override;

  private:
    struct ColourControl {
        const char* key;
        const char* label;
        uint32_t MainWindowSettings::*field;
        CCJColorPicker* picker = nullptr;
    };

    QWidget* BuildDisplayGroup(const MainWindowSettings& m);
    QWidget* BuildPlaybackGroup(const MainWindowSettings& m);
    QWidget* BuildColourGroup(const MainWindowSettings& m);
    QWidget* BuildWindowGroup(const MainWindowSettings& m);
    QCheckBox* AddCheck(const char* key, const char* text, bool checked);

    PlayerSession& session_;
    QCheckBox* nameType_ = nullptr;
    QComboBox* timeType_ = nullptr;
    QCheckBox* fadeIn_ = nullptr;
    QCheckBox* fadeOut_ = nullptr;
    QCheckBox* silentSkip_ = nullptr;
    QCheckBox* trans_ = nullptr;
    QSpinBox* transValue_ = nullptr;
    QCheckBox* saveStatus_ = nullptr;
    QCheckBox* highMode_ = nullptr;
    std::array<ColourControl, 8> colours_;
};

}  // namespace velk::app
