#include "stream_scan.h"

#include <algorithm>
#include <vector>

#include "errors.h"

namespace velk {

bool hasMacBinaryHeader(const uint8_t* first128) {
    return first128[0] == 0 && first128[74] == 0;
}

int locateFirstFrame(const File& file, Decoder& decoder, int64_t& dataStart, size_t window,
                     StreamInfo& info, bool setup) {
    std::vector<uint8_t> buffer(window);
    int64_t got = file.readAt(dataStart, buffer.data(), window);
    if (got <= 0) return kErrRead;
    size_t sync = 0;
    if (!decoder.findFrameSync(buffer.data(), static_cast<size_t>(got), sync)) return kErrNoSync;
    dataStart += static_cast<int64_t>(sync);
    got = file.readAt(dataStart, buffer.data(), window);
    if (got <= 0) return kErrRead;
    if (!decoder.getStreamInfo(buffer.data(), static_cast<size_t>(got), info, setup)) {
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

int64_t walkFrames(const File& file, Decoder& decoder, int64_t dataStart, bool emptyFrameMode,
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
        if (!decoder.findFrameSync(buffer.data(), static_cast<size_t>(got), sync)) {
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
        if (!decoder.getStreamInfo(buffer.data(), buffer.size(), info, false)) {
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
