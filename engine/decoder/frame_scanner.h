// Reading MPEG frame headers and the first frame's stream information (Xing and VBRI tables
// included) without decoding. It holds no decoding state, so the file queries make one of
// their own and can run beside playback on any thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/frame_header.h"
#include "decoder/stream_info.h"
#include "velk.h"

namespace velk {

class FrameScanner {
  public:
    explicit FrameScanner(const DecodeOptions& options = {0, 0, 24000}) : options_(options) {}

    void setOptions(const DecodeOptions& options) { options_ = options; }
    const DecodeOptions& options() const { return options_; }
    // The decoder status of the last call that failed.
    int error() const { return error_; }

    bool parseFrameHeader(const uint8_t* bytes, FrameHeader& out);
    bool findFrameSync(const uint8_t* buffer, size_t length, size_t& offset);
    // The stream as the options would decode it: output channels, sample size and rate.
    bool getStreamInfo(const uint8_t* buffer, size_t length, StreamInfo& info);

    // Signed byte offset from the first frame for a play position in percent, or -1.
    static int64_t seekOffsetByPercent(const StreamInfo& info, float percent);

  protected:
    DecodeOptions options_;
    int error_ = kDecOk;
};

}  // namespace velk
