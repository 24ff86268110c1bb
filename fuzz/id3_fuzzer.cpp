// libFuzzer target over the ID3 readers: the ID3v1 block in both records, the ID3v1 tag at the
// end of a file, the ID3v2 header at the start, and the removal of an ID3v2 tag, which reads
// the tag's size and looks for the audio after it.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "file.h"
#include "scratch_file.h"
#include "tags/id3v1.h"
#include "tags/id3v2.h"
#include "tags/id3v2_remove.h"

namespace {

void readBlock(const uint8_t* data, size_t size) {
    velk::Id3v1Block block{};
    std::copy_n(data, std::min(size, block.size()), block.begin());
    if (!velk::isId3v1(block.data())) return;
    Id3Tag tag;
    int32_t track = 0;
    velk::parseId3v1(block, tag, &track);
    Id3TagEx ex;
    velk::parseId3v1(block, ex);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static velk::fuzz::ScratchFile scratch;
    readBlock(data, size);
    if (size >= velk::kId3v2HeaderSize) velk::id3v2Length(data);
    const std::string& path = scratch.hold(data, size);
    {
        velk::File file;
        if (!file.open(path, velk::File::Mode::Read)) return 0;
        velk::Id3v1Block block;
        velk::readId3v1Block(file, static_cast<int64_t>(size), block);
        // A tag may follow a tag; the probe must stay inside the file whatever sizes it meets.
        int64_t offset = 0;
        for (int i = 0; i < 4; ++i) {
            const int64_t length = velk::id3v2Probe(file, offset);
            if (length <= 0) break;
            offset += length;
        }
    }
    velk::removeId3v2(path);
    return 0;
}
