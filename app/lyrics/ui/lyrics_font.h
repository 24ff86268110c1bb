// The settings' font strings as Qt fonts, and back.
#pragma once

#include <QFont>
#include <string>

namespace velk::app {

// The font a string describes; a damaged string gives the font of `fallback` instead, and an
// empty face the application's default family.
QFont FontFromString(const std::string& text, const char* fallback);
// The string of `font`, keeping the fields Qt does not know (character set, precisions) from
// `previous` when that one can be read.
std::string FontToString(const QFont& font, const std::string& previous);

}  // namespace velk::app
