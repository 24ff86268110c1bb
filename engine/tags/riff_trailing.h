// The tags that end an audio file, in their fixed order: a Lyrics3 block, then an ID3v1 tag.
// RIFF files carry both inside the last INFO subchunk; rewrites save and re-attach them.
#pragma once

#include <cstdint>
#include <vector>

#include "file.h"
#include "tags/id3v1.h"
#include "tags/riff_scan.h"

namespace velk {

struct TrailingTags {
    bool hasId3v1 = false;
    Id3v1Block id3v1{};
    std::vector<uint8_t> lyrics3;  // the whole block, empty when there is none

    // Bytes they take at the end of the file.
    int64_t length() const {
        return static_cast<int64_t>(lyrics3.size()) + (hasId3v1 ? int64_t{kId3v1Size} : 0);
    }
    // The ID3v1 block to place last: the file's own, or a blank one.
    Id3v1Block id3v1OrBlank() const { return hasId3v1 ? id3v1 : blankId3v1(); }
};

// 0, or 3 when the Lyrics3 block that the probe found cannot be read.
int readTrailingTags(const File& file, int64_t fileSize, TrailingTags& tags);

// The length of the audio of a RIFF file that a rewrite carries over. A "data" chunk whose size
// runs past the end of the file is cut where the trailing tags begin: they are moved behind the
// new INFO list, not kept as audio as well.
int64_t audioBeforeTrailingTags(const RiffLayout& layout, int64_t fileSize,
                                const TrailingTags& trailing);

}  // namespace velk
