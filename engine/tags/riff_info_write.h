// Rewriting the INFO list of a RIFF file. The list and the trailing tags after it are replaced
// as a whole: the file ends up as its audio, the new list, and (by the trailing-tag mode) the
// Lyrics3 block and an ID3v1 tag, the ID3v1 tag always last.
#pragma once

#include <functional>
#include <string>

#include "tags/riff_info_list.h"
#include "tags/riff_trailing.h"

namespace velk {

// What a list rewrite writes after the audio: the INFO texts and the trailing tags.
struct InfoListContent {
    InfoTexts texts;
    TrailingTags trailing;
};

// Rewrites the list of the RIFF file at `path` in one step, with the write-empty flag and the
// trailing-tag mode of `settings`. `change` receives the file's own INFO texts and trailing
// tags (the ID3v1 tag and Lyrics3 block found at its end) and makes them what is to be written.
// 0 or the engine error: 1 the file cannot be opened for writing, 3 a read failed or the
// container cannot be walked, 4 a write failed, 20 the file is not a RIFF file. Everything is
// read and checked before the first write; a failure leaves the file as it was.
int changeRiffInfo(const std::string& path, const RiffSettings& settings,
                   const std::function<void(InfoListContent&)>& change);

// Writes `texts` as the INFO list, carrying over the file's trailing tags.
int writeRiffInfo(const std::string& path, const RiffSettings& settings, const InfoTexts& texts);

}  // namespace velk
