#include "seek_estimate.h"

#include <vector>

#include "errors.h"
#include "file.h"
#include "stream_scan.h"

namespace velk {
namespace {

// The estimate starts this many frames early, so that small errors of the table still land
// before the target.
constexpr int64_t kLeadFrames = 20;
// Step over a damaged header inside the walk.
constexpr int64_t kDamagedStep = 900;

int64_t bytesToSamples(const StreamInfo& info, int64_t bytes) {
    return pcmBytesToSamples(bytes, info.bitsPerSample, info.channels);
}

int64_t frameLengthOf(const StreamInfo& info) {
    return info.header.padding ? info.maxInputSize : info.minInputSize;
}

// Walks frame headers from `start` until the next frame would reach the target.
SeekStart walkToTarget(const File& file, FrameScanner& scanner, const StreamInfo& stream,
                       SeekStart start, int64_t target) {
    std::vector<uint8_t> window(kSyncWindow);
    bool counted = start.outputBytes > 0;
    while (true) {
        int64_t got = file.readAt(start.offset, window.data(), window.size());
        if (got <= 0) {
            if (!counted) setLastError(kErrRead);
            return start;
        }
        size_t sync = 0;
        if (!scanner.findFrameSync(window.data(), static_cast<size_t>(got), sync)) {
            if (!counted) setLastError(kErrNoSync);
            return start;
        }
        start.offset += static_cast<int64_t>(sync);
        got = file.readAt(start.offset, window.data(), window.size());
        StreamInfo frame;
        if (got <= 0 || !scanner.getStreamInfo(window.data(), static_cast<size_t>(got), frame)) {
            if (!counted) {
                setLastError(kErrBadHeader);
                return start;
            }
            start.offset += kDamagedStep;
            continue;
        }
        // The frame found here is decoded next, so it is counted only once it lies before the
        // target.
        if (bytesToSamples(stream, start.outputBytes + stream.outputSize) >= target) return start;
        start.outputBytes += stream.outputSize;
        counted = true;
        start.offset += frameLengthOf(frame);
    }
}

}  // namespace

SeekStart estimateSeekStart(const SeekStreamFacts& facts, FrameScanner& scanner, int64_t target) {
    const StreamInfo& info = facts.info;
    SeekStart start{facts.dataStart, 0};
    File file;
    if (!file.open(facts.fileName, File::Mode::Read)) {
        setLastError(kErrFileOpen);
        return start;
    }
    const int64_t frameLength = frameLengthOf(info);
    const int64_t samplesPerFrame = bytesToSamples(info, info.outputSize);
    const int64_t lead = target - kLeadFrames * samplesPerFrame;
    if (lead > 0 && samplesPerFrame > 0) {
        int64_t framesBefore;
        if (info.bitRate == 0) {
            const float percent =
                facts.totalSamples > 0
                    ? static_cast<float>(lead) / static_cast<float>(facts.totalSamples) * 100.0f
                    : 0.0f;
            const int64_t offset = FrameScanner::seekOffsetByPercent(info, percent);
            if (offset < 0) return start;
            start.offset = facts.dataStart + offset;
            framesBefore = static_cast<int64_t>(percent * 0.01 * static_cast<double>(info.frames));
        } else {
            framesBefore = lead / samplesPerFrame;
            start.offset = facts.dataStart + framesBefore * frameLength;
        }
        start.outputBytes = framesBefore * info.outputSize;
        if (start.offset > facts.dataStart + facts.dataSize) {
            start.offset = facts.dataStart + facts.dataSize - 2 * frameLength;
            start.outputBytes = (info.frames - 2) * info.outputSize;
        }
    }
    return walkToTarget(file, scanner, info, start, target);
}

}  // namespace velk
