#include "core/sort_arrows.h"

#include <algorithm>

namespace velk::app {

bool SortArrows::Click(int column) {
    if (column < 0 || column >= static_cast<int>(nextDescending_.size())) return false;
    const bool descending = nextDescending_[column];
    nextDescending_[column] = !descending;
    arrowColumn_ = column;
    arrowDescending_ = descending;
    return descending;
}

std::string SortArrows::HeaderText(int column, const std::string& base) const {
    if (column != arrowColumn_) return base;
    return (arrowDescending_ ? "▽" : "△") + base;
}

void SortArrows::Reset() {
    std::fill(nextDescending_.begin(), nextDescending_.end(), false);
    arrowColumn_ = -1;
}

int CompareIgnoringCase(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        const int ca = fold(static_cast<unsigned char>(a[i]));
        const int cb = fold(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca - cb;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace velk::app
