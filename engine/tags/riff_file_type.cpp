#include "tags/riff_file_type.h"

#include "file.h"
#include "stream_scan.h"
#include "tags/id3v1.h"
#include "tags/id3v2.h"
#include "tags/lyrics3_probe.h"
#include "tags/riff_bytes.h"
#include "tags/riff_scan.h"
#include "velk.h"

namespace velk {

int fileTypeFlags(const std::string& path) {
    File file;
    if (!file.open(path, File::Mode::Read)) return -1;
    const int64_t fileSize = file.size();
    uint8_t first[128];
    if (!file.readExact(0, first, sizeof first)) return -1;
    int flags = 0;
    if (hasId(first, "RIFF")) {
        const RiffLayout layout = riffScan(file, fileSize);
        if (!layout.usable()) return -1;
        flags |= layout.rmp3 ? VELK_TYPE_RIFF_RMP3 : VELK_TYPE_RIFF_WAVE;
        // A PCM wave file carries no MPEG tags worth looking for.
        if (layout.pcm) return flags | VELK_TYPE_PCM_WAVE;
        uint8_t data[4];
        if (file.readExact(layout.dataStart, data, sizeof data) && startsId3v2(data)) {
            flags |= VELK_TYPE_ID3V2;
        }
    } else if (startsId3v2(first)) {
        flags |= VELK_TYPE_ID3V2;
    } else if (hasMacBinaryHeader(first)) {
        flags |= VELK_TYPE_MACBINARY;
    }
    Id3v1Block last;
    if (!file.readExact(fileSize - static_cast<int64_t>(kId3v1Size), last.data(), last.size())) {
        return -1;
    }
    if (isId3v1(last.data())) flags |= VELK_TYPE_ID3V1;
    if (lyrics3Probe(file, fileSize).found) flags |= VELK_TYPE_LYRICS3;
    return flags;
}

}  // namespace velk
