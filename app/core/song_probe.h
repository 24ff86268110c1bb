// What one file says about itself, read the way a playlist row needs it: the PCM wave header, or
// the engine's tag and stream information, and the lyrics beside it.
#pragma once

#include <string>

#include "core/player_engine.h"
#include "core/playlist_entry.h"

namespace velk::app {

struct SongProbe {
    int typeFlags = 0;      // FileTypeFlags
    bool readable = false;  // a wave header or the engine's stream information was read
};

// Sets path, file name, title, artist, length and frame count of `entry` for the file at
// `path`: a PCM wave file's length from its own header, any other file's from the engine.
SongProbe ProbeSong(MediaProbe& probe, const std::string& path, PlaylistEntry& entry);

// The lyrics mark ("♪" for a lyrics file beside the song or a Lyrics3 block in `typeFlags`) and
// the display name of name type `nameType`.
void FinishEntry(PlaylistEntry& entry, int typeFlags, int nameType);

}  // namespace velk::app
