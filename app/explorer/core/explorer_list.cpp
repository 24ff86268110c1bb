#include "explorer/core/explorer_list.h"

#include <algorithm>
#include <numeric>

#include "explorer/core/explorer_texts.h"

namespace velk::app {

namespace {

// What a column sorts by: a number for the time and size columns, the shown text otherwise.
struct SortKey {
    std::string text;
    uint64_t number = 0;
};

SortKey KeyOf(const ExplorerRow& row, int column) {
    if (column == kExplorerTime) return {{}, static_cast<uint64_t>(std::max(row.entry.length, 0))};
    const std::string text = ExplorerCellText(row, column);
    if (column == kExplorerSize) return {{}, SizeTextNumber(text)};
    return {text, 0};
}

int Compare(const SortKey& a, const SortKey& b) {
    if (a.number != b.number) return a.number < b.number ? -1 : 1;
    return CompareIgnoringCase(a.text, b.text);
}

}  // namespace

void ExplorerList::Clear() {
    rows_.clear();
    current_ = 0;
    arrows_.Reset();
}

void ExplorerList::Append(ExplorerRow row) {
    rows_.push_back(std::make_unique<ExplorerRow>(std::move(row)));
}

RemovalResult ExplorerList::RemoveRows(std::vector<int> rows) {
    return RemoveRowsKeepingCurrent(rows_, std::move(rows), current_);
}

// The keys are made once per row, not once per comparison: a modification time's text needs
// the local time zone.
void ExplorerList::SortByColumn(int column) {
    if (column < 0 || column >= kExplorerColumnCount) return;
    const bool descending = arrows_.Click(column);
    std::vector<SortKey> keys;
    keys.reserve(rows_.size());
    for (const auto& row : rows_) keys.push_back(KeyOf(*row, column));
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = Compare(keys[a], keys[b]);
        return descending ? c > 0 : c < 0;
    });
    std::vector<std::unique_ptr<ExplorerRow>> sorted;
    sorted.reserve(rows_.size());
    int current = current_;
    for (size_t i = 0; i < order.size(); ++i) {
        if (static_cast<int>(order[i]) == current_) current = static_cast<int>(i);
        sorted.push_back(std::move(rows_[order[i]]));
    }
    rows_ = std::move(sorted);
    current_ = current;
}

std::string ExplorerList::HeaderText(int column) const {
    return arrows_.HeaderText(column, ExplorerHeaders().at(column));
}

}  // namespace velk::app
