#include "output/acm_source.h"

#include <cstring>

#include "tags/riff_bytes.h"

namespace velk {
namespace {

constexpr size_t kRiffHeaderBytes = 12;
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kFormatRecordBytes = 16;

}  // namespace

bool readWaveSourceLayout(const File& file, WaveSourceLayout& out) {
    uint8_t riff[kRiffHeaderBytes];
    if (!file.readExact(0, riff, sizeof riff)) return false;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return false;

    bool haveFormat = false;
    int64_t at = kRiffHeaderBytes;
    for (;;) {
        uint8_t chunk[kChunkHeaderBytes];
        if (!file.readExact(at, chunk, sizeof chunk)) return false;
        const uint32_t size = getLe32(chunk + 4);
        const int64_t body = at + static_cast<int64_t>(kChunkHeaderBytes);
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return false;
            out.dataOffset = body;
            out.dataSize = size;
            return true;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            uint8_t record[kFormatRecordBytes];
            if (size < kFormatRecordBytes || !file.readExact(body, record, sizeof record)) {
                return false;
            }
            out.format = parseWaveFormat(record, sizeof record);
            haveFormat = true;
        }
        // Chunk bodies of odd length carry one pad byte.
        at = body + static_cast<int64_t>(size) + (size & 1);
    }
}

}  // namespace velk
