// Lyrics texts of the engine as UTF-8 for the terminal.
#pragma once

#include <string>

namespace velk::cli {

// Stored lyrics are Shift-JIS unless the loaded lyrics came as UTF-8.
std::string lyricsAsUtf8(const char* text);

}  // namespace velk::cli
