#include "tags/lyrics_table.h"

#include <algorithm>
#include <cstdint>

#include "tags/lyrics_header.h"
#include "tags/lyrics_time_tag.h"

namespace velk {
namespace {

// The lead may come from the settings file, so the difference saturates instead of wrapping.
int32_t earlierBy(int32_t time, int32_t ms) {
    const int64_t moved = int64_t{time} - ms;
    return static_cast<int32_t>(std::clamp<int64_t>(moved, INT32_MIN, INT32_MAX));
}

}  // namespace

void LyricsTable::clear() {
    rows_.clear();
    resetLyricsHeader(header_);
    segmentsPerLine_.clear();
    timeTagsPresent_ = false;
    karaokePresent_ = false;
    encoding_ = TextEncoding::ShiftJis;
    currentRow_ = -1;
    previousTime_ = 0;
}

void LyricsTable::load(const std::vector<std::string_view>& lines, const LyricsSettings& settings,
                       TextEncoding encoding) {
    clear();
    encoding_ = encoding;
    for (size_t n = 0; n < lines.size() && rows_.size() < kMaxRows; ++n) {
        const std::string_view line = lines[n];
        addLine(line.substr(0, cutLength(line, settings.maxLineBytes(), encoding)),
                static_cast<uint32_t>(n), settings);
    }
}

void LyricsTable::applyNextAdjust(int32_t ms) {
    for (size_t i = 1; i + 1 < rows_.size(); ++i) {
        if (rows_[i].segment != 0) continue;
        if (static_cast<int64_t>(rows_[i + 1].time) - rows_[i - 1].time > int64_t{ms} + 100) {
            rows_[i].time = earlierBy(rows_[i].time, ms);
        }
    }
}

std::vector<LyricsTable::Segment> LyricsTable::splitSegments(std::string_view line, bool karaoke) {
    std::vector<Segment> segments;
    int32_t time = 0;
    const size_t leading = parseTimeTag(line, time);
    Segment current{leading > 0, time, {}};
    size_t textStart = leading;
    size_t at = leading;
    while (karaoke) {
        const size_t open = findChar(line, '[', at, encoding_);
        if (open == std::string_view::npos) break;
        int32_t tagTime = 0;
        const size_t tagLength = parseTimeTag(line.substr(open), tagTime);
        if (tagLength == 0) {
            at = open + 1;
            continue;
        }
        karaokePresent_ = true;
        current.text = line.substr(textStart, open - textStart);
        segments.push_back(current);
        current = Segment{true, tagTime, {}};
        textStart = at = open + tagLength;
    }
    current.text = line.substr(textStart);
    segments.push_back(current);
    return segments;
}

void LyricsTable::addLine(std::string_view line, uint32_t number, const LyricsSettings& settings) {
    const bool isHeader =
        !line.empty() && line[0] == '@' && parseLyricsHeaderLine(line, number, encoding_, header_);
    const size_t leadIn = rows_.size();
    if (!addRow(previousTime_, number, 0, true, {}, false)) return;

    const std::vector<Segment> segments = splitSegments(line, settings.karaokeUse);
    if (segments.front().tagged) timeTagsPresent_ = true;
    const bool timedLine = segments.size() > 1 || segments.front().tagged;
    segmentsPerLine_.resize(number + 1, 0);

    if (!timedLine) {
        rows_[leadIn].timed = 0;
        segmentsPerLine_[number] = addRow(previousTime_, number, 1, false, line, isHeader) ? 1 : 0;
        return;
    }
    uint32_t segmentNumber = 0;
    for (const Segment& segment : segments) {
        const int32_t time = segment.tagged ? segment.time : previousTime_;
        if (segmentNumber == 0) {
            const bool longGap =
                int64_t{time} - previousTime_ > int64_t{settings.nextAdjustMs} + 100;
            rows_[leadIn].time = longGap ? earlierBy(time, settings.nextAdjustMs) : time;
        }
        if (rows_.size() >= kMaxRows) break;
        addRow(time, number, ++segmentNumber, true, segment.text, false);
        previousTime_ = time;
    }
    segmentsPerLine_[number] = segmentNumber;
}

bool LyricsTable::addRow(int32_t time, uint32_t line, uint32_t segment, bool timed,
                         std::string_view text, bool isHeader) {
    if (rows_.size() >= kMaxRows) return false;
    LyricsEntry row{};
    row.time = time;
    row.line = line;
    row.segment = segment;
    row.timed = timed ? 1 : 0;
    row.length = static_cast<uint32_t>(copyToField(row.text, sizeof row.text, text, encoding_));
    row.isHeader = isHeader ? 1 : 0;
    rows_.push_back(row);
    return true;
}

}  // namespace velk
