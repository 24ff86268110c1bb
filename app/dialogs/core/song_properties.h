// What the property dialog shows of one playlist row: its tag and its audio properties, read
// through the engine, or for a PCM wave file straight from the RIFF header.
#pragma once

#include <cstdint>
#include <string>

#include "core/playlist_entry.h"

namespace velk::app {

struct SongTag {  // UTF-8 texts
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    std::string genreName;
};

struct SongProperties {
    bool readable = false;  // false: "情報が取得できませんでした。"
    bool pcmWave = false;   // shows no tag
    SongTag tag;
    int channels = 0;
    int bitRate = 0;     // kbit/s
    int sampleRate = 0;  // Hz
    int64_t fileSize = 0;
    int64_t frames = 0;
    int playTime = 0;  // seconds

    bool HasTag() const { return readable && !pcmWave; }
};

// An archive member's properties are not read: the archive is no song file of its own.
SongProperties LoadSongProperties(const PlaylistEntry& entry);

}  // namespace velk::app
