#include "tags/lyrics_export.h"

#include <algorithm>
#include <cstdint>

#include "decoder/frame_header.h"
#include "tags/lyrics_clock.h"
#include "tags/lyrics_time_tag.h"

namespace velk {
namespace {

bool startsLaterLine(const LyricsEntry& row) {
    return row.segment == 1 && row.line != 0;
}

void appendRow(std::string& text, const LyricsEntry& row) {
    if (row.timed) text += formatTimeTag(row.time);
    text.append(row.text, row.length);
}

}  // namespace

std::string lyricsTagText(const LyricsTable& table) {
    std::string text;
    for (const LyricsEntry& row : table.rows()) {
        if (startsLaterLine(row)) text += "\r\n";
        appendRow(text, row);
    }
    return text;
}

std::string lyricsFileText(const LyricsTable& table) {
    std::string text;
    for (const LyricsEntry& row : table.rows()) {
        if (row.segment == 0) continue;
        if (startsLaterLine(row)) text += '\n';
        appendRow(text, row);
    }
    text += '\n';
    return text;
}

void convertRowTimes(LyricsTable& table, int32_t sampleRate, bool toWinAmp) {
    if (sampleRate <= 0) return;
    const double scale =
        toWinAmp ? wholeMsFrameScale(sampleRate) : 1.0 / wholeMsFrameScale(sampleRate);
    for (LyricsEntry& row : table.rows()) {
        const int64_t samples = int64_t{row.time} * sampleRate / 1000;
        const int64_t ms = samples * 1000 / sampleRate;
        const double scaled = static_cast<double>(ms) * scale;
        row.time = static_cast<int32_t>(std::clamp(scaled, double{INT32_MIN}, double{INT32_MAX}));
    }
}

}  // namespace velk
