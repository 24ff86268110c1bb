// libFuzzer target over the RIFF readers: the container walk with its INFO list into both
// records, the wave format, the audio layout of the open and of the information query, and
// the file-type flags.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "file.h"
#include "scratch_file.h"
#include "tags/riff_file_type.h"
#include "tags/riff_layout.h"
#include "tags/riff_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static velk::fuzz::ScratchFile scratch;
    const std::string& path = scratch.hold(data, size);
    velk::File file;
    if (!file.open(path, velk::File::Mode::Read)) return 0;
    const auto fileSize = static_cast<int64_t>(size);
    auto shortTag = std::make_unique<RiffInfoTag>();
    auto exTag = std::make_unique<RiffInfoTagEx>();
    velk::riffScan(file, fileSize, shortTag.get(), exTag.get());
    velk::parseWaveFormat(data, size);
    velk::AudioLayout forOpen;
    velk::layoutForOpen(file, fileSize, forOpen);
    if (size >= 128) {
        velk::AudioLayout forQuery;
        velk::layoutForQuery(file, fileSize, data, forQuery);
    }
    velk::fileTypeFlags(path);
    return 0;
}
