// "適用(&A)" of the property dialog, without the dialog: the new name, then the tag, then the
// playlist entry.
#pragma once

#include <string>

#include "core/playlist_entry.h"
#include "core/unify_artist.h"
#include "dialogs/core/song_properties.h"

namespace velk::app {

struct PropertyEdits {
    std::string nameField;  // the file name field's text
    bool fullPath = false;  // the field holds the full path
    SongTag tag;            // UTF-8; genreName unused
    int genre = 0;          // the chosen genre's number
    bool pcmWave = false;   // no tag is written
};

struct ApplyOutcome {
    enum Result { kApplied, kUnencodable, kRenameFailed, kTagFailed } result = kApplied;
    std::string unencodable;  // for kUnencodable: the first character Shift-JIS cannot hold
    bool rowChanged = false;  // name, title or artist of the entry changed: refresh the row
};

// Every tag text is checked before anything is touched, so a refused character leaves file and
// entry as they were; a failed rename leaves them too; a failed tag write keeps the new name
// but the entry's old title and artist.
ApplyOutcome ApplyProperties(PlaylistEntry& entry, const PropertyEdits& edits, TagPort& tags);

// "<<" and ">>": the row before or after `row`, wrapping around the ends of `count` rows.
int NeighbourRow(int row, int count, int direction);

}  // namespace velk::app
