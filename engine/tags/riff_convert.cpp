#include "tags/riff_convert.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "errors.h"
#include "file.h"
#include "stream_scan.h"
#include "tags/file_rewrite.h"
#include "tags/riff_bytes.h"
#include "tags/riff_info_list.h"
#include "tags/riff_scan.h"

namespace velk {
namespace {

// A fixed MPEG Layer 3 wave format (MPEGLAYER3WAVEFORMAT): players read the real stream
// parameters from the frames, not from here.
void appendLayer3Format(std::vector<uint8_t>& out) {
    appendId(out, "fmt ");
    appendLe32(out, 30);
    appendLe16(out, 0x0055);  // format tag
    appendLe16(out, 2);       // channels
    appendLe32(out, 44100);   // samples per second
    appendLe32(out, 16000);   // average bytes per second
    appendLe16(out, 1);       // block align
    appendLe16(out, 0);       // bits per sample
    appendLe16(out, 12);      // extra bytes
    appendLe16(out, 1);       // id
    appendLe32(out, 2);       // flags
    appendLe16(out, 417);     // block size
    appendLe16(out, 1);       // frames per block
    appendLe16(out, 1393);    // codec delay
}

std::vector<uint8_t> riffHeader(RiffForm form, int64_t dataLength) {
    std::vector<uint8_t> header;
    appendId(header, "RIFF");
    appendLe32(header, 0);
    appendId(header, form == RiffForm::Wave ? "WAVE" : "RMP3");
    if (form == RiffForm::Wave) appendLayer3Format(header);
    if (dataLength >= kFourGiB) {
        appendId(header, "wflt");
        appendLe32(header, 12);
        appendLe64(header, dataLength);
        appendLe32(header, 0);
    }
    appendId(header, "data");
    appendLe32(header, dataLength >= kFourGiB ? 0xFFFFFFFFu : static_cast<uint32_t>(dataLength));
    return header;
}

struct WrapSource {
    int64_t audioStart = 0;
    int64_t audioLength = 0;
    TrailingTags trailing;
    std::unique_ptr<RiffInfoTagEx> keptTag;  // the INFO texts of a file that was RIFF already
};

int writeWrapped(const std::string& path, const File& file, RiffForm form, const WrapSource& source,
                 const RiffSettings& settings) {
    const InfoListBytes list =
        source.keptTag ? buildInfoList(infoTexts(*source.keptTag), settings.writeEmptyFields,
                                       source.trailing, settings.tagMode)
                       : defaultInfoList(source.trailing, settings.tagMode);
    FileRewrite rewrite;
    if (rewrite.begin(path)) return kErrRiffConvert;
    const std::vector<uint8_t> header = riffHeader(form, source.audioLength);
    const uint8_t pad = 0;
    if (rewrite.append(header) || rewrite.copy(file, source.audioStart, source.audioLength) ||
        ((source.audioLength & 1) && rewrite.append(&pad, 1)) || rewrite.append(list.list) ||
        rewrite.append(list.after)) {
        return kErrRiffConvert;
    }
    uint8_t size[4];
    putLe32(size, riffSizeField(rewrite.size()));
    if (rewrite.patch(4, size, sizeof size) || rewrite.commit()) return kErrRiffConvert;
    return kErrNone;
}

}  // namespace

int wrapInRiff(const std::string& path, RiffForm form, const RiffSettings& settings) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    uint8_t first[128];
    if (!file.readExact(0, first, sizeof first)) return kErrRiffConvert;
    WrapSource source;
    if (readTrailingTags(file, fileSize, source.trailing)) return kErrRiffConvert;
    if (hasId(first, "RIFF")) {
        source.keptTag = std::make_unique<RiffInfoTagEx>();
        const RiffLayout layout = riffScan(file, fileSize, nullptr, source.keptTag.get());
        if (!layout.usable()) return kErrRiffConvert;
        source.audioStart = layout.dataStart;
        source.audioLength = layout.dataLength;
    } else if (hasMacBinaryHeader(first)) {
        return kErrMacBinary;
    } else {
        source.audioLength = fileSize - source.trailing.length();
    }
    return writeWrapped(path, file, form, source, settings);
}

int unwrapRiff(const std::string& path) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    uint8_t head[4];
    if (!file.readExact(0, head, sizeof head) || !hasId(head, "RIFF")) return kErrRiffConvert;
    const RiffLayout layout = riffScan(file, fileSize);
    TrailingTags trailing;
    if (!layout.usable() || readTrailingTags(file, fileSize, trailing)) return kErrRiffConvert;
    FileRewrite rewrite;
    if (rewrite.begin(path) || rewrite.copy(file, layout.dataStart, layout.dataLength) ||
        rewrite.append(trailing.lyrics3) ||
        (trailing.hasId3v1 && rewrite.append(trailing.id3v1.data(), trailing.id3v1.size())) ||
        rewrite.commit()) {
        return kErrRiffConvert;
    }
    return kErrNone;
}

namespace {

constexpr int64_t kMacBinaryHeaderSize = 128;
constexpr int64_t kZeroScanStep = 4096;

// The end of [begin, end) once the zero bytes that pad it out are dropped; -1 on a read error.
int64_t endWithoutZeroPadding(const File& file, int64_t begin, int64_t end) {
    std::vector<uint8_t> block(kZeroScanStep);
    while (end > begin) {
        const int64_t from = std::max(begin, end - kZeroScanStep);
        const auto n = static_cast<size_t>(end - from);
        if (!file.readExact(from, block.data(), n)) return -1;
        for (size_t i = n; i > 0; --i) {
            if (block[i - 1] != 0) return from + static_cast<int64_t>(i);
        }
        end = from;
    }
    return begin;
}

}  // namespace

int removeMacBinary(const std::string& path) {
    File file;
    if (!file.open(path, File::Mode::Read)) return kErrFileOpen;
    const int64_t fileSize = file.size();
    uint8_t header[kMacBinaryHeaderSize];
    if (!file.readExact(0, header, sizeof header)) return kErrRead;
    if (!hasMacBinaryHeader(header)) return kErrNone;
    // The data fork length, big-endian at offset 83; 0 means "everything after the header".
    const int64_t stated =
        static_cast<int64_t>(header[83]) << 24 | header[84] << 16 | header[85] << 8 | header[86];
    const int64_t available = fileSize - kMacBinaryHeaderSize;
    const int64_t length = stated == 0 ? available : std::min(stated, available);
    const int64_t end =
        endWithoutZeroPadding(file, kMacBinaryHeaderSize, kMacBinaryHeaderSize + length);
    if (end < 0) return kErrRead;
    FileRewrite rewrite;
    if (int code = rewrite.begin(path)) return code;
    if (int code = rewrite.copy(file, kMacBinaryHeaderSize, end - kMacBinaryHeaderSize))
        return code;
    return rewrite.commit();
}

}  // namespace velk
