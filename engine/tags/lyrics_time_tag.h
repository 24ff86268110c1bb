// The lyrics time tag: "[" minutes ":" seconds "]" or "[" minutes ":" seconds ":" fraction "]",
// with one or two digits of minutes and seconds and one to three digits of fraction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velk {

// When `text` starts with a time tag: its length in bytes, with the time in ms stored in
// `milliseconds`. Otherwise 0 and `milliseconds` is left alone. A "." separator is no tag.
size_t parseTimeTag(std::string_view text, int32_t& milliseconds);

// "[mm:ss:cc]": minutes, seconds and hundredths, two digits each (negative times as 0).
std::string formatTimeTag(int32_t milliseconds);

}  // namespace velk
