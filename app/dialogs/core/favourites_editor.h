// The working copy the favourites page edits: every favourite's name and lines, with the rules
// for new, renamed, removed and reordered favourites and songs. Nothing is stored until the
// sheet is confirmed.
#pragma once

#include <string>
#include <vector>

#include "core/favourites.h"

namespace velk::app {

// How the page shows one line: the file's name (an archive member's name), or its full path
// (the archive's path and the member's name).
std::string FavouriteLineText(const std::string& line, bool fullPath);

class FavouritesEditor {
  public:
    explicit FavouritesEditor(std::vector<FavouriteDraft> favourites);

    const std::vector<FavouriteDraft>& Favourites() const { return favourites_; }
    int Count() const { return static_cast<int>(favourites_.size()); }
    // True once anything was edited: only then does confirming rebuild the favourites.
    bool Changed() const { return changed_; }
    // The edits were stored: further ones start a new change.
    void MarkStored() { changed_ = false; }
    bool HasName(const std::string& name) const;

    // Appends an empty favourite and returns its row.
    int AddNew(const std::string& name);
    struct Added {
        int row;
        bool renamed;  // the name was taken and got a number
    };
    // Appends a favourite made from a playlist file, its name made unique.
    Added AddFromPlaylist(const std::string& name, std::vector<std::string> lines);

    // A name with a forbidden character would put the favourite's file elsewhere.
    enum class RenameResult { kRenamed, kUnchanged, kEmpty, kDuplicate, kForbidden };
    RenameResult Rename(int row, const std::string& name);
    void Remove(int row);
    // Moves a favourite one place; returns its row afterwards.
    int Move(int row, int direction);

    void AppendSongs(int row, const std::vector<std::string>& paths);
    void RemoveSongs(int row, const std::vector<int>& songs);
    // Moves the songs one place; returns their rows afterwards.
    std::vector<int> MoveSongs(int row, const std::vector<int>& songs, int direction);

  private:
    bool Valid(int row) const { return row >= 0 && row < Count(); }
    std::vector<std::string> Names() const;

    std::vector<FavouriteDraft> favourites_;
    bool changed_ = false;
};

}  // namespace velk::app
