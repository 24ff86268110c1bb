// The engine's lyrics table: rows of timed text segments parsed from lyrics text, with the
// "@" headers and the flags the user interface asks for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tags/lyrics_settings.h"
#include "tags/lyrics_text_scan.h"
#include "velk.h"

namespace velk {

class LyricsTable {
  public:
    static constexpr size_t kMaxRows = 1000;

    LyricsTable() { clear(); }

    // Empties rows, headers, flags and the current row.
    void clear();

    // Clears, then adds the rows of `lines` in order. Each line is cut to the settings' line
    // length; rows stop quietly at kMaxRows.
    void load(const std::vector<std::string_view>& lines, const LyricsSettings& settings,
              TextEncoding encoding);

    // Moves every lead-in row but the first and the last row earlier by `ms` when the gap it
    // spans (from the row before it to the row after it) exceeds ms + 100.
    void applyNextAdjust(int32_t ms);

    const std::vector<LyricsEntry>& rows() const { return rows_; }
    std::vector<LyricsEntry>& rows() { return rows_; }
    const LyricsHeader& header() const { return header_; }
    bool empty() const { return rows_.empty(); }
    bool timeTagsPresent() const { return timeTagsPresent_; }
    bool karaokeSegmentsPresent() const { return karaokePresent_; }
    // Segments on each text line, by line number.
    const std::vector<uint32_t>& segmentsPerLine() const { return segmentsPerLine_; }
    // The encoding of the loaded text, for the user interface (bytes are kept as they are).
    TextEncoding encoding() const { return encoding_; }

    int currentRow() const { return currentRow_; }
    void setCurrentRow(int row) { currentRow_ = row; }

  private:
    struct Segment {
        bool tagged;
        int32_t time;
        std::string_view text;
    };

    void addLine(std::string_view line, uint32_t number, const LyricsSettings& settings);
    std::vector<Segment> splitSegments(std::string_view line, bool karaoke);
    bool addRow(int32_t time, uint32_t line, uint32_t segment, bool timed, std::string_view text,
                bool isHeader);

    std::vector<LyricsEntry> rows_;
    LyricsHeader header_{};
    std::vector<uint32_t> segmentsPerLine_;
    bool timeTagsPresent_ = false;
    bool karaokePresent_ = false;
    TextEncoding encoding_ = TextEncoding::ShiftJis;
    int currentRow_ = -1;
    int32_t previousTime_ = 0;  // the last segment time seen while loading
};

}  // namespace velk
