#include "decoder/frame_scanner.h"

#include <algorithm>
#include <cstring>

namespace velk {
namespace {

constexpr size_t kMinStreamInfoBytes = 156;

uint32_t readBe32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
uint32_t readBe16(const uint8_t* p) {
    return (uint32_t{p[0]} << 8) | p[1];
}

bool tagAt(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

// Smallest and largest bit rate (bits/s) of the header's table row.
void bitrateBounds(const FrameHeader& h, int& lowest, int& highest) {
    lowest = bitrateKbps(h.version, h.layer, 1) * 1000;
    highest = bitrateKbps(h.version, h.layer, 14) * 1000;
}

// Reads a Xing header at `tag`. The frames and bytes fields, and the table, are present only
// when their flags say so; each present field moves the rest up.
int readXing(const uint8_t* tag, const uint8_t* end, StreamInfo& info) {
    const uint32_t flags = readBe32(tag + 4);
    if ((flags & 3) == 0) return kDecBadField;
    const uint8_t* field = tag + 8;
    if (flags & 1) {
        info.frames = readBe32(field);
        field += 4;
    }
    if (flags & 2) {
        info.dataSize = readBe32(field);
        field += 4;
    }
    if ((flags & 4) && info.vbrTable) {
        if (end - field < 100) return kDecShortInput;
        VbrTable& t = *info.vbrTable;
        t.kind = VbrTable::kXing;
        t.count = 100;
        t.framesPerEntry = 0;
        t.entries.assign(field, field + 100);
    }
    return kDecOk;
}

int readVbri(const uint8_t* tag, const uint8_t* end, StreamInfo& info) {
    if (end - tag < 26) return kDecShortInput;
    info.dataSize = readBe32(tag + 10);
    info.frames = readBe32(tag + 14);
    if (!info.vbrTable) return kDecOk;
    const uint32_t count = (readBe16(tag + 18) + 1) & 0xFFFF;
    const uint32_t scale = readBe16(tag + 20);
    const uint32_t width = readBe16(tag + 22);
    const uint32_t framesPerEntry = readBe16(tag + 24);
    if (width < 1 || width > 4) return kDecBadField;
    const uint8_t* entry = tag + 26;
    if (static_cast<uint64_t>(end - entry) < uint64_t{count} * width) return kDecShortInput;
    VbrTable& t = *info.vbrTable;
    t.kind = VbrTable::kVbri;
    t.count = static_cast<int>(count);
    t.framesPerEntry = static_cast<int>(framesPerEntry);
    t.entries.resize(count);
    for (uint32_t i = 0; i < count; ++i, entry += width) {
        uint32_t value = 0;
        for (uint32_t b = 0; b < width; ++b) value = (value << 8) | entry[b];
        t.entries[i] = value * scale;
    }
    return kDecOk;
}

}  // namespace

bool FrameScanner::parseFrameHeader(const uint8_t* bytes, FrameHeader& out) {
    error_ = velk::parseFrameHeader(bytes, out);
    return error_ == kDecOk;
}

bool FrameScanner::findFrameSync(const uint8_t* buffer, size_t length, size_t& offset) {
    offset = 0;
    if (length >= 4) {
        for (size_t i = 0; i + 4 <= length; ++i) {
            if (isFrameSync(buffer + i)) {
                offset = i;
                return true;
            }
        }
    }
    error_ = kDecShortInput;
    return false;
}

bool FrameScanner::getStreamInfo(const uint8_t* buffer, size_t length, StreamInfo& info) {
    if (length < kMinStreamInfoBytes) {
        error_ = kDecShortInput;
        return false;
    }
    FrameHeader h;
    if (!parseFrameHeader(buffer, h)) return false;

    VbrTable* table = info.vbrTable;
    info = StreamInfo{};
    info.vbrTable = table;
    info.header = h;

    const int headerChannels = h.mode == kSingleChannel ? 1 : 2;
    size_t place = 4 + (h.errorProtection ? 2 : 0);
    if (h.layer == 3) place += static_cast<size_t>(layer3SideInfoBytes(h.version, headerChannels));
    // Some encoders write the tag without leaving room for the CRC.
    if (tagAt(buffer + place - 2, "Xing") || tagAt(buffer + place - 2, "VBRI")) place -= 2;

    const int rate = sampleRateHz(h);
    int br = bitrateKbps(h) * 1000;
    info.bitRate = br;
    info.frequency = rate;

    const uint8_t* tag = buffer + place;
    const uint8_t* end = buffer + length;
    bool vbr = false;
    int status = kDecOk;
    if (tagAt(tag, "Xing")) {
        vbr = true;
        status = readXing(tag, end, info);
    } else if (tagAt(tag, "VBRI")) {
        vbr = true;
        status = readVbri(tag, end, info);
    }
    if (status != kDecOk) {
        error_ = status;
        return false;
    }

    int low = br, high = br;
    if (vbr) bitrateBounds(h, low, high);
    if (vbr) info.skipSize = frameLength(h, br, rate);
    FrameHeader unpadded = h;
    unpadded.padding = 0;
    info.minInputSize = frameLength(unpadded, low, rate);
    info.maxInputSize = frameLength(unpadded, high, rate) + paddingSlotBytes(h);

    const int samples = samplesPerFrame(h);
    info.channels = (h.mode == kSingleChannel || (options_.convert & 3) != 0) ? 1 : 2;
    if (options_.convert & 8) {
        info.bitsPerSample = 8;
        info.outputSize = (samples >> options_.reduction) * info.channels;
    } else {
        info.bitsPerSample = 16;
        info.outputSize = (samples >> options_.reduction) * info.channels * 2;
    }
    info.frequency = rate >> options_.reduction;
    if (vbr) info.bitRate = 0;
    return true;
}

int64_t FrameScanner::seekOffsetByPercent(const StreamInfo& info, float percent) {
    const VbrTable* t = info.vbrTable;
    if (!t) return -1;
    const double p = std::clamp(static_cast<double>(percent), 0.0, 100.0);
    if (t->kind == VbrTable::kXing && t->entries.size() >= 100) {
        const int a = std::min(static_cast<int>(p), 99);
        const double fa = t->entries[a];
        const double fb = a == 99 ? 256.0 : t->entries[a + 1];
        return static_cast<int64_t>((fa + (fb - fa) * (p - a)) *
                                    static_cast<double>(info.dataSize) * (1.0 / 256.0));
    }
    if (t->kind == VbrTable::kVbri && t->count > 0 &&
        t->entries.size() >= static_cast<size_t>(t->count)) {
        const FrameHeader& h = info.header;
        const double total =
            frameMilliseconds(h.layer, h.samplingFrequencyIndex) * static_cast<double>(info.frames);
        const double target = std::min(p * 0.01 * total, total);
        const double step = total / t->count;
        double time = 0.0;
        int64_t offset = 0;
        int64_t last = 0;
        for (int i = 0; i < t->count && time <= target && target >= 0.0; ++i) {
            time += step;
            last = t->entries[i];
            offset += last;
        }
        if (step > 0.0 && t->framesPerEntry > 0) {
            const auto k = static_cast<int64_t>(0.5 + (time - target) / step * t->framesPerEntry);
            offset -= k * last / t->framesPerEntry;
        }
        return offset;
    }
    return -1;
}

}  // namespace velk
