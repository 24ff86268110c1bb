#include "tags/lyrics_text_scan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velk {
namespace {

bool isShiftJisLead(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t utf8SequenceLength(uint8_t lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

bool isValidUtf8(std::string_view text, bool& multiByte) {
    multiByte = false;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const size_t length = utf8SequenceLength(lead);
        if (length == 1 || lead == 0xC0 || lead == 0xC1 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        multiByte = true;
        i += length;
    }
    return true;
}

// Bytes the character that `lead` starts takes, whether or not the text holds them all.
size_t fullCharLength(uint8_t lead, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return utf8SequenceLength(lead);
    return isShiftJisLead(lead) ? 2 : 1;
}

}  // namespace

size_t charLength(std::string_view text, size_t at, TextEncoding encoding) {
    if (at >= text.size()) return 0;
    return std::min(fullCharLength(static_cast<uint8_t>(text[at]), encoding), text.size() - at);
}

size_t findChar(std::string_view text, char ch, size_t from, TextEncoding encoding) {
    for (size_t i = from; i < text.size(); i += charLength(text, i, encoding)) {
        if (text[i] == ch) return i;
    }
    return std::string_view::npos;
}

size_t findLineBreak(std::string_view text, size_t from, TextEncoding encoding) {
    for (size_t i = from; i < text.size(); i += charLength(text, i, encoding)) {
        if (text[i] == '\r' || text[i] == '\n') return i;
    }
    return std::string_view::npos;
}

size_t cutLength(std::string_view text, size_t limit, TextEncoding encoding) {
    size_t end = 0;
    while (end < text.size()) {
        // A lead byte whose second half is missing is left out like one that does not fit.
        const size_t next = end + fullCharLength(static_cast<uint8_t>(text[end]), encoding);
        if (next > limit || next > text.size()) break;
        end = next;
    }
    return end;
}

size_t copyToField(char* field, size_t capacity, std::string_view text, TextEncoding encoding) {
    if (capacity == 0) return 0;
    const size_t length = cutLength(text, capacity - 1, encoding);
    if (length > 0) std::memcpy(field, text.data(), length);
    field[length] = '\0';
    return length;
}

TextEncoding detectEncoding(std::string_view& text) {
    if (text.size() >= 3 && std::memcmp(text.data(), "\xEF\xBB\xBF", 3) == 0) {
        text.remove_prefix(3);
        return TextEncoding::Utf8;
    }
    bool multiByte = false;
    return isValidUtf8(text, multiByte) && multiByte ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
}

}  // namespace velk
