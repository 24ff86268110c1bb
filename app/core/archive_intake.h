// An archive's ".mp3" members as playlist rows: each row's path is the archive, with the
// member's name, its play time and its start offset inside the archive played as one stream.
#pragma once

#include <functional>
#include <string>

#include "core/archive_reader.h"
#include "core/playlist_entry.h"

namespace velk::app {

// True for ".zip", ".mp3.zip", ".zip.mp3", ".lzh", ".mp3.lzh" and ".lzh.mp3", in any case.
bool IsArchivePath(const std::string& path);

// Hands one row per member to `append` (which returns false to stop). False when the path is
// no readable archive: it then goes on as an ordinary file.
bool ReadArchive(const std::string& path, ArchiveReader& reader,
                 const std::function<bool(PlaylistEntry)>& append);

}  // namespace velk::app
