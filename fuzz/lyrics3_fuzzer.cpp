// libFuzzer target over the Lyrics3 readers: the block parser on the bytes themselves, and the
// probe, the block read and the trailing-tag read at the end of a file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "file.h"
#include "scratch_file.h"
#include "tags/lyrics3_block.h"
#include "tags/lyrics3_file.h"
#include "tags/lyrics3_probe.h"
#include "tags/riff_trailing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static velk::fuzz::ScratchFile scratch;
    auto tag = std::make_unique<Lyrics3Tag>();
    velk::parseLyrics3Block(std::string_view(reinterpret_cast<const char*>(data), size), *tag);
    const std::string& path = scratch.hold(data, size);
    velk::File file;
    if (!file.open(path, velk::File::Mode::Read)) return 0;
    const auto fileSize = static_cast<int64_t>(size);
    velk::lyrics3Probe(file, fileSize);
    velk::readLyrics3(file, fileSize, *tag);
    velk::TrailingTags trailing;
    velk::readTrailingTags(file, fileSize, trailing);
    return 0;
}
