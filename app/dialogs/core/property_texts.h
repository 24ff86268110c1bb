// The property dialog's texts for a song's audio properties and its file name field.
#pragma once

#include <cstdint>
#include <string>

#include "core/playlist_entry.h"

namespace velk::app {

// "%d (ﾓﾉﾗﾙ)", "%d (ｽﾃﾚｵ)", else "%d".
std::string ChannelsText(int channels);
// "%d Kbps".
std::string BitRateText(int kbps);
// "%d KHz" from the rate in Hz.
std::string SampleRateText(int hz);
// Whole KiB with "," between groups of three digits, as "%s KB".
std::string FileSizeText(int64_t bytes);
// "%d:%02d" below an hour, else "%d:%02d:%02d".
std::string PlayTimeText(int seconds);

// The file name field: the full path (for an archive member the archive's path, "/" and the
// member), or the file name (for a member its name after the last "/").
std::string ShownFileName(const PlaylistEntry& entry, bool fullPath);

}  // namespace velk::app
