#include "core/playlist.h"

#include <algorithm>
#include <utility>

#include "core/row_moves.h"

namespace velk::app {

const std::array<const char*, kColumnCount>& ColumnHeaders() {
    static const std::array<const char*, kColumnCount> headers = {"ﾀｲﾄﾙ", "♪", "ｱｰﾃｨｽﾄ", "時間"};
    return headers;
}

namespace {

// ASCII letters compare without case; every other byte (UTF-8 sequences included) as it is.
int CompareText(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        const int ca = fold(static_cast<unsigned char>(a[i]));
        const int cb = fold(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca - cb;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

int CompareByColumn(const PlaylistEntry& a, const PlaylistEntry& b, int column) {
    switch (column) {
        case kColumnTitle:
            return CompareText(a.displayName, b.displayName);
        case kColumnLyrics:
            return CompareText(a.lyricsMark, b.lyricsMark);
        case kColumnArtist:
            return CompareText(a.artist, b.artist);
        default:
            return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
    }
}

void Playlist::Append(std::unique_ptr<PlaylistEntry> entry) {
    rows_.push_back(std::move(entry));
}

void Playlist::Clear() {
    rows_.clear();
    current_ = 0;
}

RemovalResult Playlist::RemoveRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    RemovalResult result;
    // Taking the highest first keeps the lower indices valid; each removal adjusts the current
    // index exactly as removing that row alone would.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= Count()) continue;
        rows_.erase(rows_.begin() + row);
        result.removedAny = true;
        if (row < current_) {
            --current_;
        } else if (row == current_) {
            result.currentRemoved = true;
            if (current_ >= Count()) current_ = 0;
        }
    }
    return result;
}

void Playlist::SortByColumn(int column) {
    if (column < 0 || column >= kColumnCount) return;
    const PlaylistEntry* currentEntry = HasCurrent() ? rows_[current_].get() : nullptr;
    const bool descending = nextDescending_[column];
    std::stable_sort(rows_.begin(), rows_.end(), [&](const auto& a, const auto& b) {
        const int order = CompareByColumn(*a, *b, column);
        return descending ? order > 0 : order < 0;
    });
    nextDescending_[column] = !descending;
    arrowColumn_ = column;
    arrowDescending_ = descending;
    for (int i = 0; currentEntry && i < Count(); ++i) {
        if (rows_[i].get() == currentEntry) current_ = i;
    }
}

std::string Playlist::HeaderText(int column) const {
    const std::string base = ColumnHeaders().at(column);
    if (column != arrowColumn_) return base;
    return (arrowDescending_ ? "▽" : "△") + base;
}

std::vector<int> Playlist::MoveRows(std::vector<int> rows, int direction) {
    return MoveSelectedRows(Count(), std::move(rows), direction, [this](int row, int other) {
        std::swap(rows_[row], rows_[other]);
        if (current_ == row) {
            current_ = other;
        } else if (current_ == other) {
            current_ = row;
        }
    });
}

int Playlist::TotalSeconds() const {
    int total = 0;
    for (const auto& row : rows_) total += std::max(row->length, 0);
    return total;
}

}  // namespace velk::app
