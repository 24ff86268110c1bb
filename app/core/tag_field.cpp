#include "core/tag_field.h"

#include "tags/lyrics_text_scan.h"

namespace velk::app {

std::string CutToTagField(const std::string& shiftJis, size_t width) {
    return shiftJis.substr(0, velk::cutLength(shiftJis, width, velk::TextEncoding::ShiftJis));
}

}  // namespace velk::app
