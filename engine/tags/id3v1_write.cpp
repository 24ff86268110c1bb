#include "tags/id3v1_write.h"

#include "errors.h"
#include "tags/file_rewrite.h"
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

// An append that fails is cut back off, so the file keeps its old end.
int appendOrUndo(File& file, int64_t fileSize, const std::vector<uint8_t>& bytes) {
    if (file.writeAt(fileSize, bytes.data(), bytes.size())) return kErrNone;
    file.truncate(fileSize);
    return kErrWrite;
}

int patchLe32(File& file, int64_t offset, uint32_t value) {
    uint8_t bytes[4];
    putLe32(bytes, value);
    return file.writeAt(offset, bytes, sizeof bytes) ? kErrNone : kErrWrite;
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

int appendToInfoList(const std::string& path, File& file, int64_t fileSize,
                     const RiffLayout& layout, const Id3v1Block& block) {
    const int64_t newEnd = fileSize + kIid3ChunkSize;
    if (newEnd >= kFourGiB && layout.wfltOffset < 0) {
        return appendWithWflt(path, file, fileSize, layout, block);
    }
    if (int code = appendOrUndo(file, fileSize, iid3Chunk(block))) return code;
    if (int code = patchLe32(file, layout.listOffset + 4,
                             layout.listSize + static_cast<uint32_t>(kIid3ChunkSize))) {
        return code;
    }
    return patchLe32(file, 4, riffSizeField(newEnd));
}

// A list whose fields are all blank ends in an "IID3" subchunk with a blank tag: the last 128
// bytes then take the new tag like any existing one.
int addInfoListThenOverwrite(const std::string& path, const Id3v1Block& block) {
    if (int code = writeRiffInfo(path, infoTexts(RiffInfoTag{}))) return code;
    File file;
    if (!file.open(path, File::Mode::ReadWrite)) return kErrFileOpen;
    const int64_t size = file.size();
    return file.writeAt(size - static_cast<int64_t>(kId3v1Size), block.data(), block.size())
               ? kErrNone
               : kErrWrite;
}

}  // namespace

int writeId3v1(const std::string& path, const Id3v1Block& block, bool appendIfMissing) {
    File file;
    if (!file.open(path, File::Mode::ReadWrite)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    if (fileSize < 0) return kErrRead;
    uint8_t head[4] = {};
    const bool riff = file.readExact(0, head, sizeof head) && hasId(head, "RIFF");
    const RiffLayout layout = riff ? riffScan(file, fileSize) : RiffLayout{};

    Id3v1Block old;
    if (readId3v1Block(file, fileSize, old)) {
        const int64_t at = fileSize - static_cast<int64_t>(kId3v1Size);
        return file.writeAt(at, block.data(), block.size()) ? kErrNone : kErrWrite;
    }
    if (!appendIfMissing) return kErrWrite;
    if (!layout.usable()) {
        return appendOrUndo(file, fileSize, std::vector<uint8_t>(block.begin(), block.end()));
    }
    if (layout.hasInfo) return appendToInfoList(path, file, fileSize, layout, block);
    file.close();
    return addInfoListThenOverwrite(path, block);
}

}  // namespace velk
