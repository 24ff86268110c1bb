// Reading RIFF containers: where the audio of a "WAVE" or "RMP3" file lies, its wave format and
// the "LIST"/"INFO" tag after the data.
#pragma once

#include <cstddef>
#include <cstdint>

#include "file.h"
#include "velk.h"

namespace velk {

// The first 18 bytes of a "fmt " chunk.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t cbSize = 0;
};

// The fields of a "fmt " chunk body; `cbSize` only when `length` holds it (18 bytes or more),
// nothing (all zero) when `length` is short of the 16 bytes every format has.
WaveFormat parseWaveFormat(const uint8_t* body, size_t length);

enum class RiffKind {
    NotRiff,   // no RIFF header at 0, nor at 128 behind a MacBinary header
    Unusable,  // a RIFF file of no supported kind, or one cut short before its "data" chunk
    Riff,
};

struct RiffLayout {
    RiffKind kind = RiffKind::NotRiff;
    bool rmp3 = false;  // form "RMP3", else "WAVE"
    int64_t base = 0;   // offset of "RIFF": 0, or 128 behind a MacBinary header
    bool hasFormat = false;
    bool pcm = false;
    WaveFormat format;
    int64_t wfltOffset = -1;  // offset of the "wflt" chunk header, -1 when there is none
    int64_t wfltLength = 0;
    int64_t dataHeader = 0;         // offset of the "data" chunk header
    uint32_t declaredDataSize = 0;  // as the "data" header states it
    int64_t dataStart = 0;
    int64_t dataLength = 0;   // what the file really holds of it
    int64_t listOffset = -1;  // the first "LIST" after the data, -1 when there is none
    uint32_t listSize = 0;
    bool hasInfo = false;  // that "LIST" is an "INFO" list

    bool usable() const { return kind == RiffKind::Riff; }
    // Where the chunks after the audio begin: past the data and its pad byte.
    int64_t dataEnd() const { return dataStart + dataLength + (dataLength & 1); }
};

// Walks the container of `file`. The INFO texts go into whichever of the records is given
// (zeroed by the caller), each cut to its field width less one byte. Size fields are not
// trusted: nothing beyond `fileSize` is read and the audio never runs past the file end.
RiffLayout riffScan(const File& file, int64_t fileSize, RiffInfoTag* shortTag = nullptr,
                    RiffInfoTagEx* exTag = nullptr);

}  // namespace velk
