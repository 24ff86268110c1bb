#include "output/acm_job.h"

#include <algorithm>
#include <cstring>

namespace velk {

void ConversionJob::run(ConversionProgress& progress) {
    std::vector<uint8_t> sourceBuffer(kSourceBufferBytes);
    std::vector<uint8_t> destination(kDestinationBufferBytes);
    size_t tail = 0;    // bytes of a partial sample frame left by the last pass
    size_t tailAt = 0;  // where they lie
    int64_t readOffset = dataOffset;
    int64_t outputOffset = 0;
    int64_t dataLeft = dataSize;

    auto write = [&](size_t produced) {
        if (produced == 0) return true;
        if (!output.writeAt(outputOffset, destination.data(), produced)) return false;
        outputOffset += static_cast<int64_t>(produced);
        progress.bytesWritten += static_cast<int64_t>(produced);
        return true;
    };

    for (;;) {
        std::memmove(sourceBuffer.data(), sourceBuffer.data() + tailAt, tail);
        // The data chunk ends the audio: whatever follows it (an INFO list) is not PCM.
        const size_t room =
            static_cast<size_t>(std::min<int64_t>(kSourceBufferBytes - tail, dataLeft));
        const int64_t got =
            room > 0 ? source.readAt(readOffset, sourceBuffer.data() + tail, room) : 0;
        if (got < 0) return;
        readOffset += got;
        dataLeft -= got;
        progress.bytesRead += got;
        const bool lastPass = got == 0;

        size_t produced = 0;
        const size_t length = tail + static_cast<size_t>(got);
        const int64_t consumed = stream.convert(sourceBuffer.data(), length, destination, produced);
        if (consumed < 0 || !write(produced)) return;
        tailAt = static_cast<size_t>(consumed);
        tail = length - tailAt;

        if (lastPass || progress.stopRequested.load()) break;
    }
    size_t produced = 0;
    if (stream.flush(destination, produced)) write(produced);
}

}  // namespace velk
