#include "cli/lyrics_line.h"

#include <cctype>

#include "cli/text_columns.h"

namespace velk::cli {
namespace {

constexpr const char* kReverseOn = "\033[7m";
constexpr const char* kReverseOff = "\033[27m";

bool isTagNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
}

// Length of the bracketed tag at `at` ("[" name ":" ... "]"), 0 when there is none.
size_t tagLengthAt(std::string_view text, size_t at) {
    if (text[at] != '[') return 0;
    size_t end = at + 1;
    while (end < text.size() && isTagNameChar(text[end])) ++end;
    if (end == at + 1 || end >= text.size() || text[end] != ':') return 0;
    const size_t close = text.find_first_of("[]", end);
    if (close == std::string_view::npos || text[close] != ']') return 0;
    return close + 1 - at;
}

}  // namespace

std::string lyricsDisplayText(std::string_view utf8) {
    if (!utf8.empty() && utf8[0] == '@') return {};
    std::string shown;
    for (size_t at = 0; at < utf8.size();) {
        // UTF-8 continuation and lead bytes are never "[", so a byte scan is safe here.
        if (const size_t tag = tagLengthAt(utf8, at)) {
            at += tag;
        } else {
            shown += utf8[at++];
        }
    }
    return shown;
}

std::vector<Span> sungSpans(std::string_view line, std::string_view sungThrough) {
    const std::string text = lyricsDisplayText(line);
    const std::string sung = lyricsDisplayText(sungThrough);
    std::vector<Span> spans;
    const bool begins = !sung.empty() && text.compare(0, sung.size(), sung) == 0;
    if (begins) spans.push_back({sung, true});
    const std::string rest = begins ? text.substr(sung.size()) : text;
    if (!rest.empty()) spans.push_back({rest, false});
    return spans;
}

std::string fitSpans(const std::vector<Span>& spans, int columns, bool highlight) {
    std::string line;
    int left = columns;
    for (const Span& span : spans) {
        if (left <= 0) break;
        const size_t fits = cutToColumns(span.text, left);
        const std::string_view shown = std::string_view(span.text).substr(0, fits);
        left -= textColumns(shown);
        if (shown.empty()) break;
        const bool marked = highlight && span.highlighted;
        if (marked) line += kReverseOn;
        line += shown;
        if (marked) line += kReverseOff;
        if (fits < span.text.size()) break;
    }
    return line;
}

}  // namespace velk::cli
