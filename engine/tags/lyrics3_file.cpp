#include "tags/lyrics3_file.h"

#include <cstring>

#include "errors.h"
#include "tags/file_rewrite.h"
#include "tags/lyrics3_block.h"
#include "tags/lyrics3_probe.h"
#include "tags/riff_info_write.h"

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

int writeLyrics3(const std::string& path, const Lyrics3Tag* tag, const RiffSettings& riffSettings) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    char magic[4] = {};
    const bool riff = file.readExact(0, magic, sizeof magic) && std::memcmp(magic, "RIFF", 4) == 0;
    std::vector<uint8_t> block;
    if (tag) block = buildLyrics3Block(*tag);
    // A RIFF file carries the tail inside its INFO list: the list and the tail are one rewrite.
    if (riff) {
        file.close();
        return changeRiffInfo(path, riffSettings, [&block](InfoListContent& content) {
            content.trailing.lyrics3 = std::move(block);
        });
    }
    TrailingTags old;
    if (int code = readTrailingTags(file, fileSize, old)) return code;
    file.close();
    const Id3v1Block id3v1 = old.id3v1OrBlank();
    block.insert(block.end(), id3v1.begin(), id3v1.end());
    return replaceTail(path, fileSize - old.length(), block);
}

}  // namespace velk
