#include "lyrics/core/lyrics_display.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace velk::app {

void LyricsDisplay::Start(const std::string& title) {
    title_ = title;
    titleMode_ = true;
    fitToTitle_ = true;
    lastLine_ = -1;
    progress_ = 0;
    segmentDuration_ = 0;
    lastSegment_ = 0;
    sungBefore_.clear();
    sungThrough_.clear();
}

void LyricsDisplay::Stop() {
    title_.clear();
    for (auto& slot : slots_) slot.clear();
}

// The sung texts are taken only when the segment changes; forgetting the segment makes the
// next update take them again, even when the seek landed in the same segment.
void LyricsDisplay::Reset() {
    for (auto& slot : slots_) slot.clear();
    sungBefore_.clear();
    sungThrough_.clear();
    lastSegment_ = -1;
}

// The lines above the current one are the ones shown before, so that a line keeps its place
// while it moves up; a jump empties them.
void LyricsDisplay::ShiftSlots(int line) {
    if (line == lastLine_ + 1) {
        slots_[0] = std::move(slots_[1]);
        slots_[1] = std::move(slots_[2]);
    } else if (line == lastLine_ + 2) {
        slots_[0] = std::move(slots_[2]);
        slots_[1].clear();
    } else {
        slots_[0].clear();
        slots_[1].clear();
    }
    slots_[2].clear();
}

void LyricsDisplay::Update(bool playing, int progressStep, const LyricsViewText* view) {
    if (playing) progress_ += progressStep;
    if (!view) return;
    if (titleMode_) {
        if (view->segmentText.empty() || view->time == 0) return;
        titleMode_ = false;
    }
    if (view->line != lastLine_) {
        progress_ = 0;
        ShiftSlots(view->line);
    }
    if (view->segment != lastSegment_) {
        progress_ = 0;
        segmentDuration_ = std::abs(view->untilNext);
        lastSegment_ = view->segment;
        sungBefore_ = view->sungBefore;
        sungThrough_ = view->sungThrough;
    }
    slots_[2] = view->current;
    slots_[3] = view->next;
    slots_[4] = view->nextNext;
    for (auto& slot : slots_) slot = ShownLyricsText(std::move(slot));
    lastLine_ = view->line;
}

int KaraokeProgressStep(int speed, int pitchPercent) {
    return static_cast<int>(std::lround(speed * pitchPercent * 0.01 * 130));
}

std::string ShownLyricsText(std::string text) {
    if (!text.empty() && text[0] == '@') return {};
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    for (;;) {
        const auto open = text.find('[');
        const auto close = text.find(']');
        if (open == std::string::npos || close == std::string::npos) break;
        // A "]" before the first "[" goes together with everything up to that "[".
        const auto from = std::min(open, close);
        const auto to = std::max(open, close);
        text.erase(from, to - from + 1);
    }
    return text;
}

SlotRange ShownSlots(int lineSetting) {
    switch (std::clamp(lineSetting, 1, kLyricsSlots)) {
        case 5:
            return {0, 4};
        case 4:
            return {1, 4};
        case 3:
            return {2, 4};
        case 2:
            return {2, 3};
        default:
            return {2, 2};
    }
}

bool SlotIsDrawn(const std::string& text) {
    return !text.empty() && text[0] != ' ';
}

}  // namespace velk::app
