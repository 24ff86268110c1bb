#include "lyrics/ui/lyrics_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <algorithm>
#include <cstdlib>

#include "lyrics/core/font_string.h"

namespace velk::app {

namespace {

constexpr int kLargestPixelSize = 1000;  // a hostile height must not ask for a giant glyph cache
constexpr uint8_t kFixedPitch = 1;

LogicalFont Logical(const std::string& text, const char* fallback) {
    if (auto font = ParseFontString(text)) return *font;
    return ParseFontString(fallback).value_or(LogicalFont{});
}

}  // namespace

QFont FontFromString(const std::string& text, const char* fallback) {
    const LogicalFont logical = Logical(text, fallback);
    QFont font = QApplication::font();
    // A face this system lacks (the Windows default "ＭＳ ゴシック" on most) keeps the
    // application's Japanese face instead of whatever the font system would substitute.
    const QString face = QString::fromStdString(logical.face);
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) font.setFamily(face);
    if (logical.height != 0) {
        const int64_t pixels = std::llabs(static_cast<int64_t>(logical.height));
        font.setPixelSize(static_cast<int>(std::min<int64_t>(pixels, kLargestPixelSize)));
    }
    if (logical.weight > 0) font.setWeight(QFont::Weight(std::clamp(logical.weight, 1, 1000)));
    font.setItalic(logical.italic != 0);
    font.setUnderline(logical.underline != 0);
    font.setStrikeOut(logical.strikeOut != 0);
    if (logical.pitchAndFamily & kFixedPitch) font.setStyleHint(QFont::Monospace);
    return font;
}

std::string FontToString(const QFont& font, const std::string& previous) {
    LogicalFont logical = ParseFontString(previous).value_or(LogicalFont{});
    int pixels = font.pixelSize();
    if (pixels <= 0) pixels = static_cast<int>(font.pointSizeF() * 96.0 / 72.0 + 0.5);
    logical.height = -pixels;
    logical.weight = static_cast<int32_t>(font.weight());
    logical.italic = font.italic();
    logical.underline = font.underline();
    logical.strikeOut = font.strikeOut();
    logical.face = font.family().toStdString();
    return FormatFontString(logical);
}

}  // namespace velk::app
