// Byte scanning of lyrics and tag texts that never looks inside a multi-byte character: the
// second byte of a Shift-JIS character can equal an ASCII delimiter ("ー" is 0x81 0x5B, and
// 0x5B is "["), and a cut in the middle of a character would leave half of it behind.
#pragma once

#include <cstddef>
#include <string_view>

namespace velk {

enum class TextEncoding { ShiftJis, Utf8 };

// Bytes of the character starting at `text[at]`, never more than remain.
size_t charLength(std::string_view text, size_t at, TextEncoding encoding);

// Position of the first character `ch` at or after `from`, or npos.
size_t findChar(std::string_view text, char ch, size_t from, TextEncoding encoding);

// Position of the first CR or LF character at or after `from`, or npos.
size_t findLineBreak(std::string_view text, size_t from, TextEncoding encoding);

// The longest prefix of at most `limit` bytes made of whole characters.
size_t cutLength(std::string_view text, size_t limit, TextEncoding encoding);

// Copies `text` into a field of `capacity` bytes: cut to capacity - 1 on a character boundary,
// NUL-terminated. Returns the bytes copied without the NUL.
size_t copyToField(char* field, size_t capacity, std::string_view text, TextEncoding encoding);

// UTF-8 when the text opens with a byte-order mark (which is then dropped from `text`) or is
// valid UTF-8 with at least one multi-byte character; otherwise Shift-JIS.
TextEncoding detectEncoding(std::string_view& text);

}  // namespace velk
