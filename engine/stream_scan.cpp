#include "stream_scan.h"

#include <algorithm>
#include <vector>

#include "errors.h"

namespace velk {

bool hasMacBinaryHeader(const uint8_t* first128) {
    return first128[0] == 0 && first128[74] == 0;
}

namespace {

// A sync is taken for the first frame only when the frame it starts is followed, where its
// length says, by a header of the same stream (same version, layer and sample rate), or when the
// data ends there: inside a tag or a cover picture a lone FF Ex pair is common, two in a row at
// the right distance are not.
bool frameIsConfirmed(const File& file, const uint8_t* at, int64_t offset, int64_t dataEnd) {
    FrameHeader header{};
    if (parseFrameHeader(at, header) != kDecOk) return false;
    const int length = frameLength(header, bitrateKbps(header) * 1000, sampleRateHz(header));
    if (length <= 0) return false;
    const int64_t next = offset + length;
    if (next >= dataEnd) return true;
    uint8_t bytes[4];
    if (!file.readExact(next, bytes, sizeof bytes)) return true;  // the file ends there
    FrameHeader following{};
    return parseFrameHeader(bytes, following) == kDecOk && following.version == header.version &&
           following.layer == header.layer &&
           following.samplingFrequencyIndex == header.samplingFrequencyIndex;
}

// The first confirmed sync in `buffer` (read at `start`). Without one the first sync of any
// kind is taken, so that a stream no header check can confirm (free format, a lone frame
// followed by junk) fails or plays as it always did. False when there is no sync at all.
bool findFirstSync(const File& file, FrameScanner& scanner, const uint8_t* buffer, size_t length,
                   int64_t start, int64_t dataEnd, size_t& sync) {
    if (!scanner.findFrameSync(buffer, length, sync)) return false;
    for (size_t at = sync; at < length;) {
        if (frameIsConfirmed(file, buffer + at, start + static_cast<int64_t>(at), dataEnd)) {
            sync = at;
            return true;
        }
        size_t found = 0;
        if (!scanner.findFrameSync(buffer + at + 1, length - at - 1, found)) break;
        at += 1 + found;
    }
    return true;
}

}  // namespace

int locateFirstFrame(const File& file, FrameScanner& scanner, int64_t& dataStart, int64_t dataEnd,
                     size_t window, StreamInfo& info) {
    std::vector<uint8_t> buffer(window);
    int64_t got = file.readAt(dataStart, buffer.data(), window);
    if (got <= 0) return kErrRead;
    size_t sync = 0;
    if (!findFirstSync(file, scanner, buffer.data(), static_cast<size_t>(got), dataStart, dataEnd,
                       sync)) {
        return kErrNoSync;
    }
    dataStart += static_cast<int64_t>(sync);
    got = file.readAt(dataStart, buffer.data(), window);
    if (got <= 0) return kErrRead;
    if (!scanner.getStreamInfo(buffer.data(), static_cast<size_t>(got), info)) {
        return kErrBadHeader;
    }
    return kErrNone;
}

namespace {

// True when a byte other than 00 and FF lies between the side information and the frame end.
bool frameHasData(const uint8_t* frame, size_t available, const StreamInfo& info, int length) {
    const FrameHeader& h = info.header;
    size_t begin = 4 + (h.errorProtection ? 2 : 0);
    if (h.layer == 3) begin += static_cast<size_t>((h.version == 1 ? 17 : 9) * info.channels);
    const size_t end = std::min(available, static_cast<size_t>(length));
    for (size_t i = begin; i < end; ++i) {
        if (frame[i] != 0x00 && frame[i] != 0xFF) return true;
    }
    return false;
}

}  // namespace

int64_t walkFrames(const File& file, FrameScanner& scanner, int64_t dataStart, bool emptyFrameMode,
                   int& error) {
    error = kErrNone;
    std::vector<uint8_t> buffer(kSyncWindow);
    int64_t offset = dataStart;
    int64_t count = 0;
    bool first = true;
    for (;;) {
        int64_t got = file.readAt(offset, buffer.data(), kSyncWindow);
        if (got <= 0) break;
        size_t sync = 0;
        if (!scanner.findFrameSync(buffer.data(), static_cast<size_t>(got), sync)) {
            if (first) {
                error = kErrNoSync;
                return -1;
            }
            break;
        }
        offset += static_cast<int64_t>(sync);
        got = file.readAt(offset, buffer.data(), kSyncWindow);
        if (got <= 0) break;
        // The last frames of a stream of small frames leave less than the stream information's
        // minimum in the buffer; zeros behind the end let their headers be read all the same.
        std::fill(buffer.begin() + got, buffer.end(), 0);
        StreamInfo info;
        if (!scanner.getStreamInfo(buffer.data(), buffer.size(), info)) {
            if (first) {
                error = kErrBadHeader;
                return -1;
            }
            if (!emptyFrameMode) break;
            offset += 900;
            continue;
        }
        const int length = info.header.padding ? info.maxInputSize : info.minInputSize;
        if (got < length) break;  // a frame cut short by the end of the file
        const bool vbrHeaderFrame = first && info.skipSize > 0;
        ++count;
        if (emptyFrameMode && !vbrHeaderFrame &&
            frameHasData(buffer.data(), static_cast<size_t>(got), info, length)) {
            break;
        }
        first = false;
        if (length <= 0) break;
        offset += length;
    }
    return emptyFrameMode ? count - 1 : count;
}

}  // namespace velk
