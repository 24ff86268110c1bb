#include "tags/riff_trailing.h"

#include <algorithm>

#include "errors.h"
#include "tags/lyrics3_probe.h"

namespace velk {

int readTrailingTags(const File& file, int64_t fileSize, TrailingTags& tags) {
    tags = TrailingTags{};
    tags.hasId3v1 = readId3v1Block(file, fileSize, tags.id3v1);
    const Lyrics3Location lyrics = lyrics3Probe(file, fileSize);
    if (!lyrics.found) return kErrNone;
    tags.lyrics3.resize(static_cast<size_t>(lyrics.length));
    if (!file.readExact(lyrics.start, tags.lyrics3.data(), tags.lyrics3.size())) return kErrRead;
    return kErrNone;
}

int64_t audioBeforeTrailingTags(const RiffLayout& layout, int64_t fileSize,
                                const TrailingTags& trailing) {
    const int64_t room = fileSize - trailing.length() - layout.dataStart;
    return std::clamp<int64_t>(room, 0, layout.dataLength);
}

}  // namespace velk
