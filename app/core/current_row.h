// Removing and sorting the rows of a list while its current index keeps pointing at the same
// song, shared by every list transport can play.
#pragma once

#include <algorithm>
#include <vector>

namespace velk::app {

struct RemovalResult {
    bool removedAny = false;
    bool currentRemoved = false;
};

// Removes the rows `which` (indices, any order, out-of-range ones ignored) from `rows`. The
// current index follows the rows that stay; when the current row itself goes, the index stays
// where it was, or returns to 0 when it is now beyond the end.
template <class Row>
RemovalResult RemoveRowsKeepingCurrent(std::vector<Row>& rows, std::vector<int> which,
                                       int& current) {
    std::sort(which.begin(), which.end());
    which.erase(std::unique(which.begin(), which.end()), which.end());
    RemovalResult result;
    // Taking the highest first keeps the lower indices valid; each removal adjusts the current
    // index exactly as removing that row alone would.
    for (auto it = which.rbegin(); it != which.rend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= static_cast<int>(rows.size())) continue;
        rows.erase(rows.begin() + row);
        result.removedAny = true;
        if (row < current) {
            --current;
        } else if (row == current) {
            result.currentRemoved = true;
            if (current >= static_cast<int>(rows.size())) current = 0;
        }
    }
    return result;
}

// Sorts `rows` (each a pointer to its record) stably with `less`; the current index then points
// at the record it pointed at before.
template <class Row, class Less>
void StableSortKeepingCurrent(std::vector<Row>& rows, int& current, Less less) {
    const bool hasCurrent = current >= 0 && current < static_cast<int>(rows.size());
    const auto* currentRecord = hasCurrent ? &*rows[current] : nullptr;
    std::stable_sort(rows.begin(), rows.end(), less);
    for (int i = 0; currentRecord && i < static_cast<int>(rows.size()); ++i) {
        if (&*rows[i] == currentRecord) current = i;
    }
}

}  // namespace velk::app
