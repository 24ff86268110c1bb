// Removing an ID3v2 tag from the start of the audio of a plain MPEG file or a RIFF file.
#pragma once

#include <string>

namespace velk {

// Returned when the file has no ID3v2 tag where its audio starts (or is PCM): nothing to do,
// and no error to report.
constexpr int kNoId3v2 = -1;

// 0, kNoId3v2, or the engine error: 1 open, 3 read, 4 write, 10 no MPEG frame after the tag.
int removeId3v2(const std::string& path);

}  // namespace velk
