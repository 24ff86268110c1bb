// The explorer pane's list (list view 1093) as transport plays it: its rows, its own current
// index, and sorting by a header click with the arrows of the headers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/current_row.h"
#include "core/sort_arrows.h"
#include "explorer/core/explorer_row.h"

namespace velk::app {

class ExplorerList : public ActiveList {
  public:
    int Count() const override { return static_cast<int>(rows_.size()); }
    PlaylistEntry& Entry(int index) override { return rows_.at(index)->entry; }
    int CurrentIndex() const override { return current_; }
    void SetCurrentIndex(int index) override { current_ = index; }

    ExplorerRow& Row(int index) { return *rows_.at(index); }
    const ExplorerRow& Row(int index) const { return *rows_.at(index); }

    // A new filling: no rows, current index 0, no sort arrow and every column ascending next.
    void Clear();
    void Append(ExplorerRow row);
    RemovalResult RemoveRows(std::vector<int> rows);

    // Sorts by `column` in that column's direction, then reverses the direction: the time
    // column by seconds, the size column by the number its text shows, the others by their
    // texts without regard to case. The current index follows its song.
    void SortByColumn(int column);
    // The header with "△" after an ascending sort or "▽" after a descending one.
    std::string HeaderText(int column) const;

  private:
    std::vector<std::unique_ptr<ExplorerRow>> rows_;
    int current_ = 0;
    SortArrows arrows_{kExplorerColumnCount};
};

}  // namespace velk::app
