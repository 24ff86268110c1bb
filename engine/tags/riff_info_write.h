// Rewriting the INFO list of a RIFF file. The list and the trailing tags after it are replaced
// as a whole: the file ends up as its audio, the new list, and (by the trailing-tag mode) the
// Lyrics3 block and an ID3v1 tag, the ID3v1 tag always last.
#pragma once

#include <string>

#include "tags/riff_info_list.h"

namespace velk {

// Writes `texts` as the INFO list of the RIFF file at `path`, with the write-empty flag and the
// trailing-tag mode of riffSettings(). The file's current ID3v1 tag and Lyrics3 block (found at
// its end) are carried over. 0 or the engine error: 1 the file cannot be opened, 3 a read
// failed, 4 a write failed, 20 the file is not a RIFF file. A failure leaves the file as it was.
int writeRiffInfo(const std::string& path, const InfoTexts& texts);

// Writes the INFO texts the file already carries back with the 17-field record: the step that
// puts changed trailing tags inside the list again.
int rewriteRiffInfo(const std::string& path);

}  // namespace velk
