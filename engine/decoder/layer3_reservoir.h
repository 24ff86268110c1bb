// The Layer III bit reservoir: main data of the recent frames, from which a frame's granules
// may start up to main_data_begin bytes before the frame's own main data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velk {

class BitReservoir {
  public:
    static constexpr size_t kCapacity = 9184;
    static constexpr size_t kCompactAbove = 6692;

    void reset() { fill_ = 0; }

    // Appends a frame's main data and returns the byte offset where that frame's granules
    // start, or -1 when the reservoir does not hold main_data_begin bytes (as after a seek).
    long append(const uint8_t* mainData, size_t size, uint32_t mainDataBegin);

    const uint8_t* data() const { return buffer_; }
    size_t size() const { return fill_; }

  private:
    uint8_t buffer_[kCapacity];
    size_t fill_ = 0;
};

}  // namespace velk
