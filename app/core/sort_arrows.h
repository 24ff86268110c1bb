// The sort direction each column of a list takes on its next header click, and the arrow the
// clicked column's header shows: "△" after an ascending sort, "▽" after a descending one.
#pragma once

#include <string>
#include <vector>

namespace velk::app {

class SortArrows {
  public:
    explicit SortArrows(int columns) : nextDescending_(static_cast<size_t>(columns), false) {}

    // A click on `column`'s header: whether this sort runs descending. The next click on the
    // same column reverses it.
    bool Click(int column);
    // `base` with the arrow when `column` was the last one sorted.
    std::string HeaderText(int column, const std::string& base) const;
    // No header shows an arrow; the directions stay.
    void ClearArrow() { arrowColumn_ = -1; }
    // No arrow, and every column sorts ascending on its next click.
    void Reset();

  private:
    std::vector<bool> nextDescending_;
    int arrowColumn_ = -1;
    bool arrowDescending_ = false;
};

// ASCII letters compare without case; every other byte (UTF-8 sequences included) as it is.
// Negative, zero or positive.
int CompareIgnoringCase(const std::string& a, const std::string& b);

}  // namespace velk::app
