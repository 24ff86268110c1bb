// Conversion between UTF-8 (file names, the command line, the user interface) and Shift-JIS
// (code page 932, the tags and lyrics as stored in files), through iconv.
#pragma once

#include <optional>
#include <string>

namespace velk {

// Nothing when the text cannot be converted (bytes that are not valid in the source encoding,
// or characters the target encoding lacks).
std::optional<std::string> utf8ToCp932(const std::string& utf8);
std::optional<std::string> cp932ToUtf8(const std::string& cp932);

// The UTF-8 form of a stored text for display; the bytes as they stand when they are not
// valid Shift-JIS.
std::string cp932ForDisplay(const std::string& cp932);

// The longest start of a Shift-JIS text that fits in `maxBytes` without splitting a
// double-byte character.
std::string cutCp932(const std::string& cp932, size_t maxBytes);

}  // namespace velk
