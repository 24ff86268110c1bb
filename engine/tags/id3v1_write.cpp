#include "tags/id3v1_write.h"

#include "errors.h"
#include "tags/file_rewrite.h"
#include "tags/in_place_edit.h"
#include "tags/riff_bytes.h"
#include "tags/riff_info_write.h"
#include "tags/riff_scan.h"

namespace velk {
namespace {

constexpr int64_t kIid3ChunkSize = 8 + kId3v1Size;

std::vector<uint8_t> iid3Chunk(const Id3v1Block& block) {
    std::vector<uint8_t> chunk;
    appendId(chunk, "IID3");
    appendLe32(chunk, static_cast<uint32_t>(kId3v1Size));
    appendBytes(chunk, block.data(), block.size());
    return chunk;
}

// Growing past 4 GiB needs a "wflt" chunk ahead of the data to state the real length; that
// moves everything behind it, so the file is rebuilt beside the original.
int appendWithWflt(const std::string& path, const File& file, int64_t fileSize,
                   const RiffLayout& layout, const Id3v1Block& block) {
    std::vector<uint8_t> wflt;
    appendId(wflt, "wflt");
    appendLe32(wflt, 12);
    appendLe64(wflt, layout.dataLength);
    appendLe32(wflt, 0);
    FileRewrite rewrite;
    if (int code = rewrite.begin(path)) return code;
    if (int code = rewrite.copy(file, 0, layout.dataHeader)) return code;
    if (int code = rewrite.append(wflt)) return code;
    if (int code = rewrite.copy(file, layout.dataHeader, fileSize - layout.dataHeader)) return code;
    if (int code = rewrite.append(iid3Chunk(block))) return code;
    uint8_t field[4];
    putLe32(field, layout.listSize + static_cast<uint32_t>(kIid3ChunkSize));
    const int64_t listAt = layout.listOffset + static_cast<int64_t>(wflt.size());
    if (int code = rewrite.patch(listAt + 4, field, sizeof field)) return code;
    putLe32(field, riffSizeField(rewrite.size()));
    if (int code = rewrite.patch(4, field, sizeof field)) return code;
    return rewrite.commit();
}

// Appending an "IID3" subchunk grows the list in place only when the list is what ends the file.
bool listEndsFile(const RiffLayout& layout, int64_t fileSize) {
    if (!layout.hasInfo || (layout.listSize & 1) || layout.listSize > UINT32_MAX - kIid3ChunkSize) {
        return false;
    }
    return layout.listOffset + 8 + layout.listSize == fileSize;
}

int appendToInfoList(File& file, int64_t fileSize, const RiffLayout& layout,
                     const Id3v1Block& block) {
    InPlaceEdit edit(file, fileSize);
    const std::vector<uint8_t> chunk = iid3Chunk(block);
    if (int code = edit.write(fileSize, chunk.data(), chunk.size())) return code;
    uint8_t field[4];
    putLe32(field, layout.listSize + static_cast<uint32_t>(kIid3ChunkSize));
    if (int code = edit.write(layout.listOffset + 4, field, sizeof field)) return code;
    putLe32(field, riffSizeField(fileSize + kIid3ChunkSize));
    return edit.write(4, field, sizeof field);
}

// Any other RIFF file gets its list rewritten whole, ending in an "IID3" subchunk that holds the
// new tag: a file without a list gets one of blank fields.
int rewriteListWithTag(const std::string& path, const RiffLayout& layout, const Id3v1Block& block,
                       const RiffSettings& riff) {
    return changeRiffInfo(path, riff, [&](InfoListContent& content) {
        if (!layout.hasInfo) content.texts = infoTexts(RiffInfoTag{});
        content.trailing.hasId3v1 = true;
        content.trailing.id3v1 = block;
    });
}

}  // namespace

int writeId3v1(const std::string& path, const Id3v1Block& block, bool appendIfMissing,
               const RiffSettings& riff) {
    File file;
    if (!file.open(path, File::Mode::ReadWrite)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    if (fileSize < 0) return kErrRead;
    InPlaceEdit edit(file, fileSize);
    Id3v1Block old;
    if (readId3v1Block(file, fileSize, old)) {
        return edit.write(fileSize - static_cast<int64_t>(kId3v1Size), block.data(), block.size());
    }
    if (!appendIfMissing) return kErrWrite;
    uint8_t head[4] = {};
    if (!file.readExact(0, head, sizeof head) || !hasId(head, "RIFF")) {
        return edit.write(fileSize, block.data(), block.size());
    }
    const RiffLayout layout = riffScan(file, fileSize);
    if (!layout.usable()) return kErrRead;
    if (!listEndsFile(layout, fileSize)) {
        file.close();
        return rewriteListWithTag(path, layout, block, riff);
    }
    if (fileSize + kIid3ChunkSize >= kFourGiB && layout.wfltOffset < 0) {
        return appendWithWflt(path, file, fileSize, layout, block);
    }
    return appendToInfoList(file, fileSize, layout, block);
}

}  // namespace velk
