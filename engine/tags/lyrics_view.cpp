#include "tags/lyrics_view.h"

#include <cstring>
#include <string>

namespace velk {
namespace {

// The nearest timed row at or before `row`; row 0 when there is none.
int stepBackToTimed(const LyricsTable& table, int row) {
    while (row > 0 && !table.rows()[static_cast<size_t>(row)].timed) --row;
    return row;
}

// The joined texts of the eligible rows of `line`, optionally only of segments below `limit`.
std::string joinLine(const LyricsTable& table, const LyricsSettings& settings, int64_t line,
                     uint32_t segmentLimit) {
    std::string text;
    if (line < 0) return text;
    const auto& rows = table.rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].line != line || rows[i].segment >= segmentLimit) continue;
        if (isEligibleRow(table, settings, i)) text.append(rows[i].text, rows[i].length);
    }
    return text;
}

void put(char (&field)[128], const std::string& text, TextEncoding encoding) {
    copyToField(field, sizeof field, text, encoding);
}

}  // namespace

bool isEligibleRow(const LyricsTable& table, const LyricsSettings& settings, size_t index) {
    const LyricsEntry& row = table.rows()[index];
    if (settings.atMarkHeaders && row.isHeader) return false;
    if (row.timed) return true;
    return settings.untaggedRows && index != 0;
}

int findCurrentRow(const LyricsTable& table, const LyricsSettings& settings, int64_t t,
                   int64_t lastReportedMs) {
    const auto& rows = table.rows();
    if (rows.empty()) return -1;
    int lastEligible = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!isEligibleRow(table, settings, i)) continue;
        lastEligible = static_cast<int>(i);
    }
    const bool pastTheEnd = rows.back().time <= lastReportedMs;
    for (size_t i = 0; i < rows.size() && !pastTheEnd; ++i) {
        if (!isEligibleRow(table, settings, i) || rows[i].time <= t) continue;
        if (i == 0) return -1;
        return stepBackToTimed(table, static_cast<int>(i) - 1);
    }
    // Past the last row: the last row that could be shown at all, never a hidden header.
    return lastEligible < 0 ? -1 : stepBackToTimed(table, lastEligible);
}

void fillLyricsView(const LyricsTable& table, const LyricsSettings& settings, int row,
                    LyricsView& view) {
    std::memset(&view, 0, sizeof view);
    if (row < 0 || static_cast<size_t>(row) >= table.rows().size()) return;
    const auto& rows = table.rows();
    const LyricsEntry& current = rows[static_cast<size_t>(row)];
    view.time = current.time;
    view.line = current.line;
    view.segment = current.segment;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].time > current.time && isEligibleRow(table, settings, i)) {
            view.untilNext = static_cast<uint32_t>(int64_t{rows[i].time} - current.time);
            break;
        }
    }
    const TextEncoding encoding = table.encoding();
    const int64_t line = current.line;
    const uint32_t all = UINT32_MAX;
    put(view.nextNext, joinLine(table, settings, line + 2, all), encoding);
    put(view.next, joinLine(table, settings, line + 1, all), encoding);
    put(view.segmentText, std::string(current.text, current.length), encoding);
    put(view.sungBefore, joinLine(table, settings, line, current.segment), encoding);
    put(view.sungThrough, joinLine(table, settings, line, current.segment + 1), encoding);
    put(view.current, joinLine(table, settings, line, all), encoding);
    put(view.previous, joinLine(table, settings, line - 1, all), encoding);
    put(view.previousPrevious, joinLine(table, settings, line - 2, all), encoding);
}

}  // namespace velk
