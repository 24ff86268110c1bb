// Container conversions done in place: wrapping a plain MPEG file into RIFF, unwrapping it
// again, and removing a MacBinary header. Each builds the new file beside the old one and
// renames it over, so a failure leaves the old file whole.
#pragma once

#include <string>

#include "tags/riff_info_list.h"

namespace velk {

enum class RiffForm { Wave, Rmp3 };

// Wraps a plain MPEG file, or re-wraps a RIFF file keeping its INFO texts. 0 or the engine
// error: 1 the file cannot be opened, 20 the conversion failed, 23 the file has a MacBinary
// header. `settings` shape the INFO list written.
int wrapInRiff(const std::string& path, RiffForm form, const RiffSettings& settings);

// Leaves the audio data followed by the file's Lyrics3 block and ID3v1 tag. 0, 1 or 20.
int unwrapRiff(const std::string& path);

// 0 (also when the file has no MacBinary header) or the engine error 1, 3 or 4.
int removeMacBinary(const std::string& path);

}  // namespace velk
