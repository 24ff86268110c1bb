// Building the "LIST"/"INFO" chunk that follows the audio of a RIFF file, with the trailing
// Lyrics3 and ID3v1 tags carried in its last subchunk.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tags/riff_trailing.h"
#include "velk.h"

namespace velk {

// How a RIFF file carries a Lyrics3 block at its end.
enum TrailingTagMode : int {
    kLyricsInIlyc = 0,   // the "ILYC" subchunk holds the Lyrics3 block and the ID3v1 tag
    kLyricsInIid3 = 1,   // "ILYC" holds the lyrics field, "IID3" the Lyrics3 block and ID3v1 tag
    kLyricsDropped = 2,  // "IID3" holds the ID3v1 tag alone; a Lyrics3 block is dropped
};

// Engine settings of the INFO writer.
struct RiffSettings {
    bool writeEmptyFields = false;
    int tagMode = kLyricsInIlyc;
};

// The texts of one list by RiffInfoTagEx slot. A RiffInfoTag has no "IMED", "ISBJ" and "IMP3";
// for it `extended` is false and those subchunks are not written at all.
struct InfoTexts {
    std::array<std::string, VELK_RIFFX_COUNT> text;
    bool extended = true;
};
InfoTexts infoTexts(const RiffInfoTag& tag);
InfoTexts infoTexts(const RiffInfoTagEx& tag);
InfoTexts infoTexts(const RiffInfoTag512& tag);
InfoTexts infoTexts(const RiffInfoTagRefs& tag);

// The list chunk, and the bytes that follow it at the end of the file: in the Lyrics3 modes the
// last subchunk's data (Lyrics3 block and ID3v1 tag) lies after the list's stated size.
struct InfoListBytes {
    std::vector<uint8_t> list;
    std::vector<uint8_t> after;
};
InfoListBytes buildInfoList(const InfoTexts& texts, bool writeEmptyFields,
                            const TrailingTags& trailing, int tagMode);

// The list a freshly wrapped file gets: every field empty but "ISFT", which names the engine.
InfoListBytes defaultInfoList(const TrailingTags& trailing, int tagMode);

}  // namespace velk
