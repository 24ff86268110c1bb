// A font as the settings file keeps it: the fields of a Windows logical font, each followed
// by "|" — height, width, escapement, orientation, weight, italic, underline, strike-out,
// character set, output precision, clip precision, quality, pitch and family, face name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velk::app {

struct LogicalFont {
    int32_t height = 0;  // negative: the character height in pixels
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;  // 400 normal, 700 bold
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::string face;
};

// Nothing for a string that lacks a field or holds a field that is not a number. Numbers
// beyond a field's range are held at its limits.
std::optional<LogicalFont> ParseFontString(const std::string& text);
std::string FormatFontString(const LogicalFont& font);

}  // namespace velk::app
