// The conversion stream: one LAME encoder turning 16-bit PCM into MPEG Layer-3 frames at the
// source's own channels and sample rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "output/acm_source.h"
#include "output/lame_loader.h"

namespace velk {

class Mp3EncodeStream {
  public:
    Mp3EncodeStream() = default;
    Mp3EncodeStream(const Mp3EncodeStream&) = delete;
    Mp3EncodeStream& operator=(const Mp3EncodeStream&) = delete;
    ~Mp3EncodeStream();

    // MPEG Layer-3 exists for one or two channels at the nine rates of MPEG-1, 2 and 2.5; the
    // encoder takes 16-bit PCM only.
    static bool hasDestinationFormat(const WaveFormat& format);

    // The three steps of opening, each with its own way to fail: the library is missing, it
    // gives no encoder, the encoder refuses the format (or the bit rate).
    bool loadLibrary();
    bool createEncoder();
    // bitRateKbps 0 leaves the choice to the encoder.
    bool open(const WaveFormat& format, int bitRateKbps);

    // Encodes the whole sample frames at the start of `source` and returns the bytes it used;
    // `destination` grows to the size the encoder may need, `produced` is what it wrote there.
    // Returns -1 when the encoder fails.
    int64_t convert(const uint8_t* source, size_t length, std::vector<uint8_t>& destination,
                    size_t& produced);
    // Pads and emits the last frames.
    bool flush(std::vector<uint8_t>& destination, size_t& produced);

  private:
    LameLibrary lame_;
    lame_global_flags* encoder_ = nullptr;
    int channels_ = 0;
    std::vector<int16_t> left_;
    std::vector<int16_t> right_;
};

}  // namespace velk
