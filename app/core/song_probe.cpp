#include "core/song_probe.h"

#include "core/display_name.h"
#include "core/lyrics_side_file.h"
#include "core/wave_length.h"

namespace velk::app {

SongProbe ProbeSong(MediaProbe& probe, const std::string& path, PlaylistEntry& entry) {
    entry.path = path;
    entry.fileName = BaseName(path);
    SongProbe result;
    result.typeFlags = probe.FileType(path);
    if (result.typeFlags & VELK_TYPE_PCM_WAVE) {
        const auto length = ReadWaveLength(path);
        entry.length = length.value_or(0);
        result.readable = length.has_value();
        return result;
    }
    ProbedFile info;
    result.readable = probe.FileInfo(path, info);
    if (result.readable) {
        entry.title = info.title;
        entry.artist = info.artist;
        entry.length = info.length;
        entry.frames = info.frames;
    }
    return result;
}

void FinishEntry(PlaylistEntry& entry, int typeFlags, int nameType) {
    const bool lyrics =
        (typeFlags & VELK_TYPE_LYRICS3) || !FindLyricsFile(entry.path, entry.memberName).empty();
    entry.lyricsMark = lyrics ? kLyricsMark : "";
    entry.displayName = MakeDisplayName(entry, nameType);
}

}  // namespace velk::app
