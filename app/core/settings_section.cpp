#include "core/settings_section.h"

namespace velk::app {

Rect SettingsSection::Rectangle(const Rect& fallback) const {
    return {Int("left", fallback.left), Int("top", fallback.top), Int("right", fallback.right),
            Int("bottom", fallback.bottom)};
}

void SettingsSectionWriter::Rectangle(const Rect& rect) {
    Int("top", rect.top);
    Int("left", rect.left);
    Int("bottom", rect.bottom);
    Int("right", rect.right);
}

}  // namespace velk::app
