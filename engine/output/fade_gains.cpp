#include "output/fade_gains.h"

#include <algorithm>
#include <cstring>

namespace velk {

void FadeGains::setLevels(int left, int right) {
    level_[0] = left;
    level_[1] = right;
}

void FadeGains::setFadeIn(bool on) {
    fadeIn_ = on;
    if (!on) resetToLevels();
}

void FadeGains::setFadeOut(bool on) {
    fadeOut_ = on;
    if (!on) resetToLevels();
}

void FadeGains::resetToLevels() {
    gain_[0] = level_[0];
    gain_[1] = level_[1];
}

void FadeGains::startAtOpen() {
    if (fadeIn_) {
        gain_[0] = gain_[1] = 0;
    } else {
        resetToLevels();
    }
}

void FadeGains::step(int64_t bytesLeft, int64_t blockBytes, bool fromStart) {
    if (fadeOut_ && bytesLeft < kFadeOutBlocks * blockBytes) {
        for (int& g : gain_) {
            if (g > 50) {
                g -= 10;
            } else if (g > 10) {
                g -= 5;
            } else if (g > 2) {
                g -= 2;
            } else if (g > 0) {
                g -= 1;
            }
            g = std::max(g, 0);
        }
        return;
    }
    if (fadeIn_ && fromStart) {
        for (int c = 0; c < 2; ++c) {
            int& g = gain_[c];
            if (g < 10) {
                g += 1;
            } else if (g < 50) {
                g += 5;
            } else if (g < 100) {
                g += 10;
            }
            g = std::min(g, level_[c]);
        }
    }
}

void FadeGains::apply(uint8_t* block, size_t length, int bitsPerSample, int channels) const {
    if (gain_[0] == 100 && gain_[1] == 100) return;
    const int stride = channels == 2 ? 2 : 1;
    if (bitsPerSample == 16) {
        const size_t count = length / 2;
        for (size_t i = 0; i < count; ++i) {
            int16_t s;
            std::memcpy(&s, block + 2 * i, 2);
            const int g = gain_[stride == 2 ? (i & 1) : 0];
            const int v = std::clamp(s * g / 100, -32768, 32767);
            s = static_cast<int16_t>(v);
            std::memcpy(block + 2 * i, &s, 2);
        }
    } else if (bitsPerSample == 8) {
        for (size_t i = 0; i < length; ++i) {
            const int g = gain_[stride == 2 ? (i & 1) : 0];
            block[i] = static_cast<uint8_t>(std::clamp((block[i] - 128) * g / 100 + 128, 0, 255));
        }
    }
}

}  // namespace velk
