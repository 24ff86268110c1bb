// Per-block gains of the two channels: output levels, fade-in from the start of a song and
// fade-out over its last blocks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velk {

class FadeGains {
  public:
    // Blocks before the end over which the fade-out runs.
    static constexpr int kFadeOutBlocks = 23;

    void setLevels(int left, int right);
    int level(int channel) const { return level_[channel]; }
    int gain(int channel) const { return gain_[channel]; }
    void setFadeIn(bool on);
    void setFadeOut(bool on);
    bool fadeIn() const { return fadeIn_; }
    bool fadeOut() const { return fadeOut_; }

    // Gains back to the output levels (after a seek, or a fade switched off).
    void resetToLevels();
    // At device open: silent when fading in, else the output levels.
    void startAtOpen();
    // One step per device block: `bytesLeft` still to play after this block was queued.
    void step(int64_t bytesLeft, int64_t blockBytes, bool fromStart);
    // Scales 16-bit (truncating toward zero, clipped) or 8-bit samples, left gain on even
    // samples and right on odd ones when there are two channels.
    void apply(uint8_t* block, size_t length, int bitsPerSample, int channels) const;

  private:
    int level_[2] = {100, 100};
    int gain_[2] = {100, 100};
    bool fadeIn_ = false;
    bool fadeOut_ = false;
};

}  // namespace velk
