#include "tags/riff_scan.h"

#include <algorithm>
#include <cstring>

#include "stream_scan.h"
#include "tags/riff_bytes.h"
#include "tags/riff_info_ids.h"

namespace velk {
namespace {

constexpr size_t kHeaderSize = 12;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kFormatSize = 18;
constexpr size_t kPcmFormatSize = 16;  // the fields every format has, without cbSize
constexpr uint16_t kFormatPcm = 0x0001;
constexpr uint16_t kFormatMpeg = 0x0050;
constexpr uint16_t kFormatMpegLayer3 = 0x0055;

// Finds the RIFF header at 0 or behind a MacBinary header; false when there is none.
bool findHeader(const File& file, RiffLayout& layout, uint8_t* header) {
    if (file.readExact(0, header, kHeaderSize) && hasId(header, "RIFF")) return true;
    uint8_t first[128];
    if (!file.readExact(0, first, sizeof first) || !hasMacBinaryHeader(first)) return false;
    if (!file.readExact(128, header, kHeaderSize) || !hasId(header, "RIFF")) return false;
    layout.base = 128;
    return true;
}

// The chunks up to "data": the format, the 64-bit length of "wflt", the data header.
bool walkToData(const File& file, RiffLayout& layout) {
    int64_t pos = layout.base + static_cast<int64_t>(kHeaderSize);
    for (;;) {
        uint8_t chunk[kChunkHeaderSize];
        if (!file.readExact(pos, chunk, sizeof chunk)) return false;
        const int64_t body = pos + static_cast<int64_t>(kChunkHeaderSize);
        if (hasId(chunk, "data")) {
            layout.dataHeader = pos;
            layout.dataStart = body;
            layout.declaredDataSize = getLe32(chunk + 4);
            return true;
        }
        if (hasId(chunk, "fmt ")) {
            uint8_t format[kFormatSize];
            if (!file.readExact(body, format, sizeof format)) return false;
            layout.format = parseWaveFormat(format, sizeof format);
            layout.hasFormat = true;
            const uint16_t tag = layout.format.formatTag;
            if (tag == kFormatPcm) {
                layout.pcm = true;
            } else if (tag != kFormatMpeg && tag != kFormatMpegLayer3) {
                return false;
            }
        } else if (hasId(chunk, "wflt")) {
            uint8_t length[8];
            if (!file.readExact(body, length, sizeof length)) return false;
            layout.wfltOffset = pos;
            layout.wfltLength = getLe64(length);
        }
        pos = body + getLe32(chunk + 4);
    }
}

int64_t audioLength(const RiffLayout& layout, int64_t fileSize) {
    const int64_t remaining = std::max<int64_t>(0, fileSize - layout.dataStart);
    if (layout.wfltLength > 0) return std::min(layout.wfltLength, remaining);
    if (fileSize >= kFourGiB) return remaining;
    return std::min<int64_t>(layout.declaredDataSize, remaining);
}

void storeText(const File& file, int64_t offset, uint32_t size, char* field, size_t width) {
    std::memset(field, 0, width);
    const size_t n = std::min<size_t>(size, width - 1);
    if (!file.readExact(offset, field, n)) std::memset(field, 0, width);
}

template <size_t N, size_t Width>
void storeInRecord(const char* const (&ids)[N], char (&fields)[N][Width], const uint8_t* id,
                   const File& file, int64_t offset, uint32_t size) {
    for (size_t slot = 0; slot < N; ++slot) {
        if (hasId(id, ids[slot])) {
            storeText(file, offset, size, fields[slot], Width);
            return;
        }
    }
}

void readInfoList(const File& file, int64_t fileSize, const RiffLayout& layout,
                  RiffInfoTag* shortTag, RiffInfoTagEx* exTag) {
    const int64_t listEnd =
        layout.listOffset + static_cast<int64_t>(kChunkHeaderSize) + layout.listSize;
    int64_t pos = layout.listOffset + static_cast<int64_t>(kHeaderSize);
    while (listEnd - pos >= 9) {
        uint8_t sub[kChunkHeaderSize];
        if (!file.readExact(pos, sub, sizeof sub)) return;
        const uint32_t size = getLe32(sub + 4);
        const int64_t body = pos + static_cast<int64_t>(kChunkHeaderSize);
        const int64_t next = body + size + (size & 1);
        if (next > fileSize) return;
        if (shortTag) storeInRecord(kShortInfoIds, shortTag->field, sub, file, body, size);
        if (exTag) storeInRecord(kExInfoIds, exTag->field, sub, file, body, size);
        pos = next;
    }
}

// The first "LIST" after the audio; chunks of other ids before it are skipped.
void findList(const File& file, int64_t fileSize, RiffLayout& layout, RiffInfoTag* shortTag,
              RiffInfoTagEx* exTag) {
    int64_t pos = layout.dataEnd();
    uint8_t chunk[kChunkHeaderSize];
    while (pos <= fileSize && file.readExact(pos, chunk, sizeof chunk)) {
        if (hasId(chunk, "LIST")) {
            layout.listOffset = pos;
            layout.listSize = getLe32(chunk + 4);
            uint8_t type[4];
            if (!file.readExact(pos + static_cast<int64_t>(kChunkHeaderSize), type, 4) ||
                !hasId(type, "INFO")) {
                return;
            }
            layout.hasInfo = true;
            readInfoList(file, fileSize, layout, shortTag, exTag);
            return;
        }
        pos += static_cast<int64_t>(kChunkHeaderSize) + getLe32(chunk + 4);
    }
}

}  // namespace

WaveFormat parseWaveFormat(const uint8_t* p, size_t length) {
    WaveFormat f;
    if (length < kPcmFormatSize) return f;
    f.formatTag = getLe16(p);
    f.channels = getLe16(p + 2);
    f.samplesPerSec = getLe32(p + 4);
    f.avgBytesPerSec = getLe32(p + 8);
    f.blockAlign = getLe16(p + 12);
    f.bitsPerSample = getLe16(p + 14);
    if (length >= 18) f.cbSize = getLe16(p + 16);
    return f;
}

RiffLayout riffScan(const File& file, int64_t fileSize, RiffInfoTag* shortTag,
                    RiffInfoTagEx* exTag) {
    RiffLayout layout;
    uint8_t header[kHeaderSize];
    if (!findHeader(file, layout, header)) return layout;
    layout.kind = RiffKind::Unusable;
    layout.rmp3 = hasId(header + 8, "RMP3");
    if (!layout.rmp3 && !hasId(header + 8, "WAVE")) return layout;
    if (!walkToData(file, layout)) return layout;
    layout.dataLength = audioLength(layout, fileSize);
    layout.kind = RiffKind::Riff;
    findList(file, fileSize, layout, shortTag, exTag);
    return layout;
}

}  // namespace velk
