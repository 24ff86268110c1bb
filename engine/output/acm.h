// The conversion of a PCM wave file into MPEG Layer-3: independent of playback, with its own
// source, output and thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "file.h"
#include "output/acm_job.h"
#include "output/acm_source.h"

namespace velk {

class Conversion {
  public:
    Conversion() = default;
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;
    ~Conversion();

    // info: channels, bits per sample, sample rate, data bytes.
    bool openSource(const char* fileName, int32_t info[4]);
    bool encode(const char* fileName);
    bool stop();
    // 1 while the conversion thread works; the counters of the running conversion.
    int status(int32_t* bytesRead, int32_t* bytesWritten) const;
    // kbit/s for the next encode; 0 lets the encoder choose.
    void setBitRate(int kbps) { bitRate_ = kbps; }
    // Stops a running conversion, waits for its thread and closes the source.
    void release();

  private:
    bool fail(int code);
    void runThread(std::unique_ptr<ConversionJob> job);

    File source_;
    WaveSourceLayout layout_;
    int bitRate_ = 0;
    std::thread worker_;
    std::atomic<bool> running_{false};
    ConversionProgress progress_;
};

}  // namespace velk
