#include "cli/text_columns.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace velk::cli {
namespace {

constexpr int kFallbackColumns = 80;

struct Range {
    char32_t first;
    char32_t last;
};

// East Asian Wide and Fullwidth blocks, in order. Half-width katakana (U+FF61..U+FF9F) lies
// outside them on purpose.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4},
    {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F251}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

// Combining marks, zero-width spaces and joiners, variation selectors.
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0x3099, 0x309A}, {0xFE00, 0xFE0F},
};

template <size_t N>
bool inRanges(const Range (&ranges)[N], char32_t ch) {
    const auto* after = std::upper_bound(std::begin(ranges), std::end(ranges), ch,
                                         [](char32_t c, const Range& r) { return c < r.first; });
    return after != std::begin(ranges) && ch <= std::prev(after)->last;
}

// The character at `at`: its code point and its length in bytes. A byte that does not start a
// valid sequence is one character of its own (U+FFFD).
size_t decodeAt(std::string_view text, size_t at, char32_t& ch) {
    const auto lead = static_cast<uint8_t>(text[at]);
    size_t length = lead < 0x80         ? 1
                    : (lead >> 5) == 6  ? 2
                    : (lead >> 4) == 14 ? 3
                    : (lead >> 3) == 30 ? 4
                                        : 0;
    ch = 0xFFFD;
    if (length == 0 || at + length > text.size()) return 1;
    if (length == 1) {
        ch = lead;
        return 1;
    }
    char32_t value = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 1;
        value = value << 6 | (next & 0x3F);
    }
    ch = value;
    return length;
}

}  // namespace

int charColumns(char32_t ch) {
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) return 0;
    if (inRanges(kZeroWidth, ch)) return 0;
    return inRanges(kWide, ch) ? 2 : 1;
}

int textColumns(std::string_view utf8) {
    int columns = 0;
    for (size_t at = 0; at < utf8.size();) {
        char32_t ch = 0;
        at += decodeAt(utf8, at, ch);
        columns += charColumns(ch);
    }
    return columns;
}

size_t cutToColumns(std::string_view utf8, int columns) {
    size_t at = 0;
    int used = 0;
    while (at < utf8.size()) {
        char32_t ch = 0;
        const size_t length = decodeAt(utf8, at, ch);
        used += charColumns(ch);
        if (used > columns) break;
        at += length;
    }
    return at;
}

int terminalColumns(int fd) {
    winsize size{};
    if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return columnsFromEnvironment(std::getenv("COLUMNS"));
}

int columnsFromEnvironment(const char* value) {
    if (!value || !*value) return kFallbackColumns;
    char* end = nullptr;
    const long columns = std::strtol(value, &end, 10);
    if (*end != '\0' || columns <= 0 || columns > 10000) return kFallbackColumns;
    return static_cast<int>(columns);
}

}  // namespace velk::cli
