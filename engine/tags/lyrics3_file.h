// The Lyrics3 block of an audio file: reading it, and replacing or removing it while keeping the
// tail order (the block, then the ID3v1 tag last; inside the INFO list for RIFF files).
#pragma once

#include <string>

#include "file.h"
#include "tags/riff_info_list.h"
#include "velk.h"

namespace velk {

// Reads the block of an open file into `tag` (zeroed first). 0, or the engine error: 3 when
// there is no well-formed block or it cannot be read.
int readLyrics3(const File& file, int64_t fileSize, Lyrics3Tag& tag);

// The same for a file by name; 1 when it cannot be opened.
int readLyrics3(const std::string& path, Lyrics3Tag& tag);

// Replaces the file's tail (old Lyrics3 block and ID3v1 tag) by the block built from `tag`
// (none when `tag` is null) and the file's ID3v1 tag, or a blank one when it had none. A RIFF
// file then has its INFO list rewritten, with `riffSettings`, so that the tail lies inside it
// again. 0 or the engine error (1, 3, 4, 20); a failure leaves the complete old file.
int writeLyrics3(const std::string& path, const Lyrics3Tag* tag, const RiffSettings& riffSettings);

}  // namespace velk
