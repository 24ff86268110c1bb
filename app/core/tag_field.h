// The fixed widths of an ID3v1 tag's text fields and the cut that fits a text into one.
#pragma once

#include <cstddef>
#include <string>

namespace velk::app {

// Widths in Shift-JIS bytes.
constexpr size_t kTagTitleBytes = 30;
constexpr size_t kTagArtistBytes = 30;
constexpr size_t kTagAlbumBytes = 30;
constexpr size_t kTagYearBytes = 4;
constexpr size_t kTagCommentBytes = 30;

// `shiftJis` cut to at most `width` bytes on a character boundary, so that no half of a
// double-byte character is left at the end of the field.
std::string CutToTagField(const std::string& shiftJis, size_t width);

}  // namespace velk::app
