// The conversion source: a RIFF WAVE file's "fmt " record and where its "data" chunk lies.
#pragma once

#include <cstdint>

#include "file.h"
#include "tags/riff_scan.h"

namespace velk {

struct WaveSourceLayout {
    WaveFormat format;
    int64_t dataOffset = 0;  // first byte of the "data" chunk's body
    uint32_t dataSize = 0;   // as the chunk header states it; the file may be shorter
};

// Walks the chunks from the RIFF header to "data". False when the file is no RIFF WAVE, has no
// "fmt " of at least 16 bytes before "data", or ends before "data".
bool readWaveSourceLayout(const File& file, WaveSourceLayout& out);

}  // namespace velk
