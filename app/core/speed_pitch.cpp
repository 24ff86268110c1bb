#include "core/speed_pitch.h"

#include <algorithm>

namespace velk::app {

int SpeedMultiplier(int speedIndex) {
    return std::clamp(speedIndex, 0, kSpeedCount - 1) + 1;
}

int NextSpeedIndex(int speedIndex) {
    return speedIndex >= kSpeedCount - 1 ? 0 : speedIndex + 1;
}

// Appended rather than "x" + text: GCC 12 at -O3 reports a false overlap (-Wrestrict) in the
// library's prepend.
std::string SpeedLabel(int speedIndex) {
    std::string label = "x";
    label += std::to_string(SpeedMultiplier(speedIndex));
    return label;
}

std::vector<std::string> SpeedChoices() {
    std::vector<std::string> labels;
    for (int i = 0; i < kSpeedCount; ++i) labels.push_back(SpeedLabel(i));
    return labels;
}

int PitchPercent(int pitchIndex) {
    const int i = std::clamp(pitchIndex, 0, kPitchCount - 1);
    if (i >= 21) return 300 + (i - 21) * 100;
    if (i >= 11) return 10 * i;
    if (i >= 9) return 10 * i + 10;
    return 10 * i + 20;
}

int NextPitchIndex(int pitchIndex) {
    if (pitchIndex >= kPitchCount - 1) return 0;
    if (pitchIndex == 7 || pitchIndex == 9) return pitchIndex + 2;
    return pitchIndex + 1;
}

std::string PitchLabel(int pitchIndex) {
    return std::to_string(PitchPercent(pitchIndex)) + "%";
}

// The list shows each percentage once: indices 0..7 (20..90 %), 9 (100 %), 11..23 (110..500 %).
int PitchIndexOfChoice(int choice) {
    const int c = std::clamp(choice, 0, kPitchCount - 3);
    if (c <= 7) return c;
    if (c == 8) return 9;
    return c + 2;
}

std::vector<std::string> PitchChoices() {
    std::vector<std::string> labels;
    for (int c = 0; c < kPitchCount - 2; ++c) labels.push_back(PitchLabel(PitchIndexOfChoice(c)));
    return labels;
}

}  // namespace velk::app
