// Splitting lyrics text into lines, the two ways the text arrives.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "tags/lyrics_text_scan.h"

namespace velk {

// Lines of a Lyrics3 "LYR" text: CR or LF ends a line, and a CR LF, LF CR, CR CR or LF LF pair
// is one break. A break at the very end opens no further line.
std::vector<std::string_view> splitTagText(std::string_view text, TextEncoding encoding);

// Lines of a lyrics text file as a line reader with room for `maxLine` bytes reads them: a line
// ends at LF, CR or CR LF; a longer line is cut on a character boundary and its rest is read as
// the next line.
std::vector<std::string_view> splitFileText(std::string_view text, size_t maxLine,
                                            TextEncoding encoding);

}  // namespace velk
