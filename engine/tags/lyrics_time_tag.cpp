#include "tags/lyrics_time_tag.h"

#include <cstdio>

namespace velk {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads 1..maxDigits digits at `at`; returns the count read (0 when none).
size_t readDigits(std::string_view text, size_t at, size_t maxDigits, int32_t& value) {
    size_t count = 0;
    value = 0;
    while (count < maxDigits && at + count < text.size() && isDigit(text[at + count])) {
        value = value * 10 + (text[at + count] - '0');
        ++count;
    }
    return count;
}

}  // namespace

size_t parseTimeTag(std::string_view text, int32_t& milliseconds) {
    if (text.empty() || text[0] != '[') return 0;
    size_t at = 1;
    int32_t minutes = 0, seconds = 0;
    const size_t minuteDigits = readDigits(text, at, 2, minutes);
    if (minuteDigits == 0) return 0;
    at += minuteDigits;
    if (at >= text.size() || text[at] != ':') return 0;
    ++at;
    const size_t secondDigits = readDigits(text, at, 2, seconds);
    if (secondDigits == 0) return 0;
    at += secondDigits;
    int32_t fraction = 0;
    if (at < text.size() && text[at] == ':') {
        ++at;
        const size_t fractionDigits = readDigits(text, at, 3, fraction);
        if (fractionDigits == 0) return 0;
        at += fractionDigits;
        // Left-aligned into three places: "4" is 400 ms, "45" is 450 ms.
        for (size_t k = fractionDigits; k < 3; ++k) fraction *= 10;
    }
    if (at >= text.size() || text[at] != ']') return 0;
    milliseconds = (minutes * 60 + seconds) * 1000 + fraction;
    return at + 1;
}

std::string formatTimeTag(int32_t milliseconds) {
    const int32_t ms = milliseconds < 0 ? 0 : milliseconds;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "[%02d:%02d:%02d]", ms / 60000, ms / 1000 % 60,
                  ms % 1000 / 10);
    return buffer;
}

}  // namespace velk
