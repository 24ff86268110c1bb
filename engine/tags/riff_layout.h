// Where the audio of a file lies once its container and tags are taken into account, in the
// two orders the engine needs: the open of a file for playback, and the file information query.
#pragma once

#include <cstdint>

#include "decoder/stream_info.h"
#include "file.h"
#include "tags/id3v2_text.h"
#include "tags/riff_scan.h"
#include "velk.h"

namespace velk {

// The tag records of a file as read on the way; the engine keeps them for the open file.
struct TagRecords {
    Id3Tag id3{};
    RiffInfoTag riff{};
    WaveFormat wave;
};

struct AudioLayout {
    int64_t dataStart = 0;
    int64_t dataSize = 0;
    bool pcm = false;  // a RIFF "WAVE" file of PCM data
    bool hasId3v1 = false;
    int typeFlags = 0;  // FileTypeFlags met on the way
    TagRecords tags;
    int64_t firstId3v2 = -1;  // offset of the first ID3v2 tag ahead of the audio
    // From the ID3v2 tags, read only when the file has neither an ID3v1 tag nor an INFO title.
    Id3v2Titles id3v2Titles;
};

// The open: ID3v1 tag and Lyrics3 block at the end, then the RIFF container, then an ID3v2
// tag at the data start. 0, or 24 for a RIFF file of no supported kind. A data start still 0
// afterwards leaves the MacBinary check to the caller.
int layoutForOpen(const File& file, int64_t fileSize, AudioLayout& layout);

// The file information query: container or prefixes first (MacBinary included), then the
// trailing tags, which shorten the audio only where no container stated its length.
// `first` holds the file's first 128 bytes. 0 or 24.
int layoutForQuery(const File& file, int64_t fileSize, const uint8_t* first, AudioLayout& layout);

// The ID3v2 title and artist of a file without an ID3v1 tag into fields of 128 bytes (cut on a
// character boundary); a field is left as it is when there is no such text.
void copyId3v2Titles(const AudioLayout& layout, char* title, char* artist);

// The stream information of PCM data: 4096-byte output blocks (1024 for 8-bit samples), the
// bits per sample standing in for the bit rate.
StreamInfo pcmStreamInfo(const WaveFormat& format, int64_t dataSize);

// The file information of PCM data: no MPEG header words, bits per sample as the bit rate,
// frames of 4096 bytes.
void describePcm(const AudioLayout& layout, MpegInfo& info);

}  // namespace velk
