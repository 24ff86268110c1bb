// The file the engine opens for a playlist row and where in it the song begins. An archive
// member stored without compression plays straight from the archive at its start offset; a
// compressed one plays from a temporary copy of its bytes, kept only while it is open.
#pragma once

#include <string>

#include "core/archive_reader.h"
#include "core/playlist_entry.h"

namespace velk::app {

struct SongSource {
    std::string path;  // empty: the song cannot be had
    int startSeconds = 0;
};

// The row's own path, the song starting at the row's start offset.
SongSource DirectSource(const PlaylistEntry& entry);

class SongSources {
  public:
    virtual ~SongSources() = default;
    // Lets go of what an earlier call made, then makes what `entry` needs.
    virtual SongSource Acquire(const PlaylistEntry& entry) = 0;
    // The engine has closed the file: whatever was made for it goes.
    virtual void Release() = 0;
};

class ArchiveSongSources : public SongSources {
  public:
    // `tempFolder` empty: $TMPDIR, else /tmp.
    explicit ArchiveSongSources(ArchiveReader& reader, std::string tempFolder = {});
    ~ArchiveSongSources() override;
    ArchiveSongSources(const ArchiveSongSources&) = delete;
    ArchiveSongSources& operator=(const ArchiveSongSources&) = delete;

    SongSource Acquire(const PlaylistEntry& entry) override;
    void Release() override;

    // The temporary copy now held ("" when none).
    const std::string& TemporaryFile() const { return temporary_; }

  private:
    std::string ExtractToTemporary(const PlaylistEntry& entry);

    ArchiveReader& reader_;
    std::string tempFolder_;
    std::string temporary_;
};

}  // namespace velk::app
