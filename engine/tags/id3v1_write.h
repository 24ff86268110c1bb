// Writing the ID3v1 tag of a file: over the old tag in place, or added at the end (inside the
// INFO list of a RIFF file).
#pragma once

#include <string>

#include "tags/id3v1.h"
#include "tags/riff_info_list.h"

namespace velk {

// 0 or the engine error: 1 the file cannot be opened, 3 a read failed, 4 a write failed or the
// file has no tag and `appendIfMissing` is false. A RIFF list rewritten follows `riff`.
int writeId3v1(const std::string& path, const Id3v1Block& block, bool appendIfMissing,
               const RiffSettings& riff);

}  // namespace velk
