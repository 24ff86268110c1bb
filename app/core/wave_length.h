// Play time of a PCM RIFF WAVE file read straight from its header.
#pragma once

#include <optional>
#include <string>

namespace velk::app {

// The length in whole seconds when the file starts with "RIFF" ... "WAVE"; 0 when the data chunk
// does not follow the format chunk or the byte rate is 0. No value when the file is not a WAVE
// file or cannot be read.
std::optional<int> ReadWaveLength(const std::string& path);

}  // namespace velk::app
