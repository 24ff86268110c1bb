#include "lyrics/core/font_string.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <vector>

namespace velk::app {

namespace {

// The number fields in the order of the string.
constexpr int32_t LogicalFont::*kWideFields[] = {&LogicalFont::height, &LogicalFont::width,
                                                 &LogicalFont::escapement,
                                                 &LogicalFont::orientation, &LogicalFont::weight};
constexpr uint8_t LogicalFont::*kByteFields[] = {
    &LogicalFont::italic,  &LogicalFont::underline,     &LogicalFont::strikeOut,
    &LogicalFont::charSet, &LogicalFont::outPrecision,  &LogicalFont::clipPrecision,
    &LogicalFont::quality, &LogicalFont::pitchAndFamily};
constexpr size_t kNumberFields = std::size(kWideFields) + std::size(kByteFields);

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
    LogicalFont font;
    for (size_t i = 0; i < kNumberFields; ++i) {
        const auto value = ParseNumber(fields[i]);
        if (!value) return std::nullopt;
        if (i < std::size(kWideFields)) {
            font.*kWideFields[i] = Held<int32_t>(*value);
        } else {
            font.*kByteFields[i - std::size(kWideFields)] = Held<uint8_t>(*value);
        }
    }
    font.face = fields[kNumberFields];
    return font;
}

std::string FormatFontString(const LogicalFont& font) {
    std::string out;
    for (const auto field : kWideFields) out += std::to_string(font.*field) + '|';
    for (const auto field : kByteFields) out += std::to_string(int{font.*field}) + '|';
    // A "|" cannot live inside the face; the field would end there when read back.
    std::string face = font.face;
    std::erase(face, '|');
    return out + face + '|';
}

}  // namespace velk::app
