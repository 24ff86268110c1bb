#include "dialogs/core/song_properties.h"

#include <cstring>
#include <filesystem>

#include "core/text_codec.h"
#include "core/wave_length.h"
#include "velk.h"

namespace velk::app {

namespace {

std::string FieldText(const char* field, size_t capacity) {
    return TagTextToUtf8(std::string(field, strnlen(field, capacity)));
}

SongProperties FromEngine(const std::string& path) {
    SongProperties song;
    Id3Tag tag{};
    MpegInfo info{};
    if (!velk_getFileInfoEx(path.c_str(), &tag, &info)) return song;
    song.readable = true;
    song.tag = {
        FieldText(tag.title, sizeof tag.title),     FieldText(tag.artist, sizeof tag.artist),
        FieldText(tag.album, sizeof tag.album),     FieldText(tag.year, sizeof tag.year),
        FieldText(tag.comment, sizeof tag.comment), FieldText(tag.genreName, sizeof tag.genreName)};
    song.channels = info.channels;
    song.bitRate = info.bitRate;
    song.sampleRate = info.frequency;
    song.fileSize = info.fileSize;
    song.frames = info.frames;
    song.playTime = info.playTime;
    return song;
}

SongProperties FromWaveHeader(const std::string& path) {
    SongProperties song;
    song.pcmWave = true;
    const auto wave = ReadWaveHeader(path);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!wave || error) return song;
    song.readable = true;
    song.channels = wave->channels;
    song.bitRate = static_cast<int>(wave->bytesPerSecond * 8ULL / 1000);
    song.sampleRate = wave->sampleRate;
    song.fileSize = static_cast<int64_t>(size);
    song.playTime = wave->Seconds();
    return song;
}

}  // namespace

SongProperties LoadSongProperties(const PlaylistEntry& entry) {
    if (entry.isMember()) return {};
    const int type = velk_getFileType(entry.path.c_str());
    if (type > 0 && (type & VELK_TYPE_PCM_WAVE)) return FromWaveHeader(entry.path);
    return FromEngine(entry.path);
}

}  // namespace velk::app
