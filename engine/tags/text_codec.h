// Conversion between UTF-8 (file names, the command line, the user interface) and Shift-JIS
// (code page 932, the tags and lyrics as stored in files), through iconv.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velk {

// Nothing when the text cannot be converted (bytes that are not valid in the source encoding,
// or characters the target encoding lacks).
std::optional<std::string> utf8ToCp932(const std::string& utf8);
std::optional<std::string> cp932ToUtf8(const std::string& cp932);

// The Shift-JIS form of a text in `encoding` (an iconv name whose characters are made of units
// of `unitBytes` bytes: 1 for ISO-8859-1 and UTF-8, 2 for UTF-16): a unit that is not valid
// there, and a character Shift-JIS cannot hold, becomes '?'.
std::string toCp932Replacing(std::string_view text, const char* encoding, size_t unitBytes);

// The UTF-8 form of a stored text for display; the bytes as they stand when they are not
// valid Shift-JIS.
std::string cp932ForDisplay(const std::string& cp932);

// The longest start of a Shift-JIS text that fits in `maxBytes` without splitting a
// double-byte character.
std::string cutCp932(const std::string& cp932, size_t maxBytes);

}  // namespace velk
