#include "cli/lyrics_text.h"

#include "engine.h"
#include "tags/text_codec.h"

namespace velk::cli {

std::string lyricsAsUtf8(const char* text) {
    if (Engine::instance().lyrics().table.encoding() == TextEncoding::Utf8) return text;
    return cp932ForDisplay(text);
}

}  // namespace velk::cli
