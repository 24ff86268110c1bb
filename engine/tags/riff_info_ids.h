// The subchunk ids of the INFO list, in the slot order of each caller record.
#pragma once

#include "velk.h"

namespace velk {

inline constexpr const char* kShortInfoIds[VELK_RIFF_SHORT_COUNT] = {
    "INAM", "IART", "IPRD", "ICMT", "ICRD", "IGNR", "ICOP",
    "IENG", "ISRC", "ISFT", "IKEY", "ITCH", "ILYC", "ICMS"};

inline constexpr const char* kExInfoIds[VELK_RIFFX_COUNT] = {
    "INAM", "IART", "IPRD", "ICMT", "ICRD", "IGNR", "ICOP", "IENG", "ISRC",
    "ISFT", "IKEY", "ITCH", "ICMS", "IMED", "ISBJ", "IMP3", "ILYC"};

}  // namespace velk
