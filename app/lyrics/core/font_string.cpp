#include "lyrics/core/font_string.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <vector>

namespace velk::app {

namespace {

constexpr size_t kNumberFields = 13;

std::optional<int64_t> ParseNumber(const std::string& field) {
    const char* first = field.data();
    const char* last = first + field.size();
    if (first != last && *first == '+') ++first;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || end != last) return std::nullopt;
    // Digits too many for 64 bits still make a number; it is held at the limit below.
    if (error == std::errc::result_out_of_range)
        return *first == '-' ? std::numeric_limits<int64_t>::min()
                             : std::numeric_limits<int64_t>::max();
    if (error != std::errc()) return std::nullopt;
    return value;
}

template <typename T>
T Held(int64_t value) {
    return static_cast<T>(
        std::clamp<int64_t>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

}  // namespace

std::optional<LogicalFont> ParseFontString(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    if (fields.size() < kNumberFields + 1) return std::nullopt;
    int64_t n[kNumberFields];
    for (size_t i = 0; i < kNumberFields; ++i) {
        const auto value = ParseNumber(fields[i]);
        if (!value) return std::nullopt;
        n[i] = *value;
    }
    LogicalFont font;
    font.height = Held<int32_t>(n[0]);
    font.width = Held<int32_t>(n[1]);
    font.escapement = Held<int32_t>(n[2]);
    font.orientation = Held<int32_t>(n[3]);
    font.weight = Held<int32_t>(n[4]);
    font.italic = Held<uint8_t>(n[5]);
    font.underline = Held<uint8_t>(n[6]);
    font.strikeOut = Held<uint8_t>(n[7]);
    font.charSet = Held<uint8_t>(n[8]);
    font.outPrecision = Held<uint8_t>(n[9]);
    font.clipPrecision = Held<uint8_t>(n[10]);
    font.quality = Held<uint8_t>(n[11]);
    font.pitchAndFamily = Held<uint8_t>(n[12]);
    font.face = fields[kNumberFields];
    return font;
}

std::string FormatFontString(const LogicalFont& f) {
    std::string out;
    for (const int64_t value :
         {int64_t{f.height}, int64_t{f.width}, int64_t{f.escapement}, int64_t{f.orientation},
          int64_t{f.weight}, int64_t{f.italic}, int64_t{f.underline}, int64_t{f.strikeOut},
          int64_t{f.charSet}, int64_t{f.outPrecision}, int64_t{f.clipPrecision}, int64_t{f.quality},
          int64_t{f.pitchAndFamily}}) {
        out += std::to_string(value);
        out += '|';
    }
    // A "|" cannot live inside the face; the field would end there when read back.
    std::string face = f.face;
    std::erase(face, '|');
    return out + face + '|';
}

}  // namespace velk::app
