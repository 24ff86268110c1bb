#include "tags/lyrics_lines.h"

#include <algorithm>

namespace velk {
namespace {

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

std::vector<std::string_view> splitTagText(std::string_view text, TextEncoding encoding) {
    std::vector<std::string_view> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(findLineBreak(text, at, encoding), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end;
        if (at < text.size()) ++at;
        if (at < text.size() && isBreak(text[at])) ++at;
    }
    return lines;
}

std::vector<std::string_view> splitFileText(std::string_view text, size_t maxLine,
                                            TextEncoding encoding) {
    std::vector<std::string_view> lines;
    size_t at = 0;
    while (at < text.size()) {
        const std::string_view rest = text.substr(at);
        const size_t breakAt = std::min(findLineBreak(rest, 0, encoding), rest.size());
        size_t length = breakAt;
        if (length > maxLine) {
            length = cutLength(rest, maxLine, encoding);
            // A single character wider than the room still has to move the reader on.
            if (length == 0) length = charLength(rest, 0, encoding);
        }
        lines.push_back(rest.substr(0, length));
        at += length;
        if (length == breakAt && at < text.size()) {
            const bool crlf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
            at += crlf ? 2 : 1;
        }
    }
    return lines;
}

}  // namespace velk
