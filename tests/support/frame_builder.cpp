#include "support/frame_builder.h"

namespace velk::test {

FrameBuilder::FrameBuilder(const HeaderFields& format, int modeExtension)
    : bytes_(headerBytes(format)), bits_(32), length_(static_cast<size_t>(frameBytes(format))) {
    bytes_[3] = static_cast<uint8_t>(bytes_[3] | (modeExtension << 4));
    if (format.crc) put(0, 16);
}

void FrameBuilder::put(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        if (bits_ / 8 >= bytes_.size()) bytes_.push_back(0);
        if ((value >> i) & 1) bytes_[bits_ / 8] |= static_cast<uint8_t>(0x80 >> (bits_ % 8));
        ++bits_;
    }
}

std::vector<uint8_t> FrameBuilder::finish() const {
    std::vector<uint8_t> frame = bytes_;
    frame.resize(length_, 0);
    return frame;
}

}  // namespace velk::test
