// The main playlist's rows (list 1010): ownership, current index, removal, sorting, reordering.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/current_row.h"
#include "core/playlist_entry.h"
#include "core/sort_arrows.h"

namespace velk::app {

constexpr int kColumnCount = 4;
enum PlaylistColumn { kColumnTitle = 0, kColumnLyrics = 1, kColumnArtist = 2, kColumnTime = 3 };

class Playlist : public ActiveList {
  public:
    int Count() const override { return static_cast<int>(rows_.size()); }
    PlaylistEntry& Entry(int index) override { return *rows_.at(index); }
    const PlaylistEntry& Entry(int index) const { return *rows_.at(index); }
    int CurrentIndex() const override { return current_; }
    void SetCurrentIndex(int index) override { current_ = index; }

    void Append(std::unique_ptr<PlaylistEntry> entry);
    // Drops every row; the current index goes back to 0.
    void Clear();

    // Removes the given rows (indices into the list, any order). The current index follows the
    // rows that stay; when the current row itself goes, the index stays where it was, or returns
    // to 0 when it is now beyond the end.
    RemovalResult RemoveRows(std::vector<int> rows);

    // Sorts by one column in that column's stored direction, then flips the direction; the
    // current index keeps pointing at the same song.
    void SortByColumn(int column);
    // The header text of a column with its sort arrow ("△" after ascending, "▽" after descending).
    std::string HeaderText(int column) const;
    // Clears the sort arrows (switching favourites does this).
    void ClearSortArrows() { arrows_.ClearArrow(); }

    // Moves the selected rows one place up (-1) or down (+1), each swapping with its neighbour;
    // nothing moves when a selected row is already at that edge. Returns the new selection.
    std::vector<int> MoveRows(std::vector<int> rows, int direction);

    int TotalSeconds() const;

  private:
    std::vector<std::unique_ptr<PlaylistEntry>> rows_;
    int current_ = 0;
    SortArrows arrows_{kColumnCount};
};

// The column headers without arrows.
const std::array<const char*, kColumnCount>& ColumnHeaders();

// Compares two rows by one column; negative, zero or positive.
int CompareByColumn(const PlaylistEntry& a, const PlaylistEntry& b, int column);

}  // namespace velk::app
