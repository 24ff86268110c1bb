// The speed and pitch tables of the two drop-down buttons and their click cycles.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

constexpr int kSpeedCount = 10;
constexpr int kDefaultSpeedIndex = 0;
constexpr int kSpeedOutputBlocks = 20;  // output block count passed with every speed change
constexpr int kPitchCount = 24;
constexpr int kDefaultPitchIndex = 9;

int SpeedMultiplier(int speedIndex);
int NextSpeedIndex(int speedIndex);
std::string SpeedLabel(int speedIndex);
std::vector<std::string> SpeedChoices();

int PitchPercent(int pitchIndex);
// 100 % and 110 % sit at two indices each; the click skips the second of each pair.
int NextPitchIndex(int pitchIndex);
std::string PitchLabel(int pitchIndex);
// The 22 labels of the drop-down list, and the pitch index each of them stands for.
std::vector<std::string> PitchChoices();
int PitchIndexOfChoice(int choice);

}  // namespace velk::app
