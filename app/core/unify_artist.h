// Artist-name unification: one artist text written into the ID3v1 tag of every selected row.
#pragma once

#include <string>
#include <vector>

#include "core/playlist.h"
#include "core/tag_field.h"
#include "velk.h"

namespace velk::app {

// The files' ID3v1 tags, as the engine reads and writes them.
class TagPort {
  public:
    virtual ~TagPort() = default;
    // The tag's fields (all empty when the file has none); false when the file cannot be read.
    virtual bool Read(const std::string& path, Id3Tag& tag) = 0;
    // Writes the fields back, adding a tag to a file that has none. `openInPlayer` also updates
    // the copy the engine keeps of the file it has open.
    virtual bool Write(const std::string& path, const Id3Tag& tag, bool openInPlayer) = 0;
};

struct UnifyResult {
    std::vector<int> changedRows;  // rows whose artist text changed: refresh their column 2
    bool currentRowChanged = false;
    bool anyFailed = false;  // show "タグ情報の書き換えに失敗したファイルが存在します。" once
};

// Writes `artist` (UTF-8) into the tag of each of `rows` whose tag holds another artist and
// sets those rows' artist. `currentRow` is the row of the song open in the player, or -1.
// A row whose file cannot be read or written, or that is a member inside an archive, is a
// failure; the other rows go on.
UnifyResult UnifyArtist(Playlist& playlist, const std::vector<int>& rows, const std::string& artist,
                        int currentRow, TagPort& tags);

}  // namespace velk::app
