#include "core/playlist.h"

#include <algorithm>
#include <utility>

#include "core/row_moves.h"

namespace velk::app {

const std::array<const char*, kColumnCount>& ColumnHeaders() {
    static const std::array<const char*, kColumnCount> headers = {"ﾀｲﾄﾙ", "♪", "ｱｰﾃｨｽﾄ", "時間"};
    return headers;
}

int CompareByColumn(const PlaylistEntry& a, const PlaylistEntry& b, int column) {
    switch (column) {
        case kColumnTitle:
            return CompareIgnoringCase(a.displayName, b.displayName);
        case kColumnLyrics:
            return CompareIgnoringCase(a.lyricsMark, b.lyricsMark);
        case kColumnArtist:
            return CompareIgnoringCase(a.artist, b.artist);
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
    return RemoveRowsKeepingCurrent(rows_, std::move(rows), current_);
}

void Playlist::SortByColumn(int column) {
    if (column < 0 || column >= kColumnCount) return;
    const bool descending = arrows_.Click(column);
    StableSortKeepingCurrent(rows_, current_, [&](const auto& a, const auto& b) {
        const int order = CompareByColumn(*a, *b, column);
        return descending ? order > 0 : order < 0;
    });
}

std::string Playlist::HeaderText(int column) const {
    return arrows_.HeaderText(column, ColumnHeaders().at(column));
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
