// The lyrics text file beside a song, and the timing headers the player reads from it.
#pragma once

#include <string>

#include "core/playlist_entry.h"

namespace velk::app {

// The path whose last three characters are replaced by "txt", "lrc", then "kra"; for an archive
// member the archive's folder plus the member's own name. The first that exists, else "".
std::string FindLyricsFile(const std::string& path, const std::string& memberName);
// The lyrics file found as above, else the "txt" one; "" for a path too short to have one.
std::string LyricsFileToWrite(const std::string& path, const std::string& memberName);

struct LyricsTiming {
    int offsetMs = 0;        // "@Offset="
    double timeRatio = 0.0;  // "@TimeRatio="; 0 when absent
    int silenceMs = 0;       // "@SilencemSec="
};

// Reads the three headers from a lyrics file; missing or unreadable gives zeros.
LyricsTiming ReadLyricsTiming(const std::string& lyricsFile);

}  // namespace velk::app
