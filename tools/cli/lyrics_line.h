// The current lyrics line as the progress line of `velkaro-cli play` shows it: its text without
// tags, the part already sung marked, everything cut to the terminal's width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velk::cli {

// The text a listener reads: time tags ("[00:06:90]", "[--:--:--]") and other bracketed tags
// ("[ar:Someone]": letters, digits or "-" and then a colon) taken out; a "@" header line gives
// nothing. Bracketed words without a colon ("[Chorus]") are lyrics and stay.
std::string lyricsDisplayText(std::string_view utf8);

// A piece of the progress line, shown highlighted or not.
struct Span {
    std::string text;
    bool highlighted = false;
};

// The line split into the sung part (what `sungThrough` holds, when the line begins with it)
// and the rest; both already stripped of tags. Empty spans are left out.
std::vector<Span> sungSpans(std::string_view line, std::string_view sungThrough);

// The spans joined and cut to `columns` on a character boundary. With `highlight`, highlighted
// spans are wrapped in ANSI reverse video.
std::string fitSpans(const std::vector<Span>& spans, int columns, bool highlight);

}  // namespace velk::cli
