#include "tags/lyrics3_file.h"

#include <cstring>

#include "errors.h"
#include "tags/file_rewrite.h"
#include "tags/lyrics3_block.h"
#include "tags/lyrics3_probe.h"
#include "tags/riff_info_write.h"
#include "tags/riff_trailing.h"

namespace velk {

int readLyrics3(const File& file, int64_t fileSize, Lyrics3Tag& tag) {
    std::memset(&tag, 0, sizeof tag);
    const Lyrics3Location where = lyrics3Probe(file, fileSize);
    if (!where.found) return kErrRead;
    std::string block(static_cast<size_t>(where.length), '\0');
    if (!file.readExact(where.start, block.data(), block.size())) return kErrRead;
    return parseLyrics3Block(block, tag) ? kErrNone : kErrRead;
}

int readLyrics3(const std::string& path, Lyrics3Tag& tag) {
    std::memset(&tag, 0, sizeof tag);
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    return readLyrics3(file, file.size(), tag);
}

int writeLyrics3(const std::string& path, const Lyrics3Tag* tag) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    char magic[4] = {};
    const bool riff = file.readExact(0, magic, sizeof magic) && std::memcmp(magic, "RIFF", 4) == 0;
    TrailingTags old;
    if (int code = readTrailingTags(file, fileSize, old)) return code;
    file.close();

    std::vector<uint8_t> tail;
    if (tag) tail = buildLyrics3Block(*tag);
    const Id3v1Block id3v1 = old.id3v1OrBlank();
    tail.insert(tail.end(), id3v1.begin(), id3v1.end());
    if (int code = replaceTail(path, fileSize - old.length(), tail)) return code;
    return riff ? rewriteRiffInfo(path) : kErrNone;
}

}  // namespace velk
