// Hand-made Layer I and II frames: a header and fields written most significant bit first.
#pragma once

#include <cstdint>
#include <vector>

#include "support/mpeg_frames.h"

namespace velk::test {

class FrameBuilder {
  public:
    // Starts a frame with this header (and the mode extension, which HeaderFields lacks).
    FrameBuilder(const HeaderFields& format, int modeExtension = 0);
    void put(uint32_t value, int bits);
    // The frame padded with zero bits to its length from the header.
    std::vector<uint8_t> finish() const;
    size_t bitsWritten() const { return bits_; }

  private:
    std::vector<uint8_t> bytes_;
    size_t bits_ = 0;
    size_t length_ = 0;
};

}  // namespace velk::test
