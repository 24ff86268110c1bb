// Moving selected rows of a list one place up or down, shared by every list that can reorder.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace velk::app {

// Moves the rows `rows` of a list of `count` rows one place in `direction` (-1 up, +1 down),
// calling `swap(row, neighbour)` for each step, and returns where the rows are now. Nothing
// moves when a row is out of range or the block already touches the end it moves towards.
template <class Swap>
std::vector<int> MoveSelectedRows(int count, std::vector<int> rows, int direction, Swap swap) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty() || (direction != -1 && direction != 1)) return rows;
    if (rows.front() < 0 || rows.back() >= count) return rows;
    if ((direction < 0 && rows.front() == 0) || (direction > 0 && rows.back() == count - 1)) {
        return rows;
    }
    // Moving up walks from the top, moving down from the bottom, so neighbours that are both
    // selected move together instead of swapping with each other.
    auto step = [&](int& row) {
        const int other = row + direction;
        swap(row, other);
        row = other;
    };
    if (direction < 0) {
        std::for_each(rows.begin(), rows.end(), step);
    } else {
        std::for_each(rows.rbegin(), rows.rend(), step);
    }
    return rows;
}

}  // namespace velk::app
