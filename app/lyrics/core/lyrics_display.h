// What the lyrics window shows, fed only by the engine's views of the lyrics around the play
// position: the title until the first line is sung, then five slots (two lines before the
// current one, the current line, two after) and the karaoke progress of the current segment.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "core/player_engine.h"

namespace velk::app {

inline constexpr int kLyricsSlots = 5;
inline constexpr int kCurrentSlot = 2;

class LyricsDisplay {
  public:
    // A song starts: its title shows until the first lyric line.
    void Start(const std::string& title);
    // Playback ended: nothing is shown.
    void Stop();
    // After a seek: the slots are refilled by the next update.
    void Reset();
    // One update. `playing` advances the karaoke counter by `progressStep`; `view` is null
    // when the engine had no lyrics to give.
    void Update(bool playing, int progressStep, const LyricsViewText* view);

    const std::string& Title() const { return title_; }
    bool TitleMode() const { return titleMode_; }
    // Returns whether the width is to be set from the title, once per song.
    bool TakeFitToTitle() { return std::exchange(fitToTitle_, false); }
    const std::array<std::string, kLyricsSlots>& Slots() const { return slots_; }
    const std::string& SungBefore() const { return sungBefore_; }
    const std::string& SungThrough() const { return sungThrough_; }
    int Progress() const { return progress_; }
    int SegmentDuration() const { return segmentDuration_; }

  private:
    void ShiftSlots(int line);

    std::string title_;
    bool titleMode_ = false;
    bool fitToTitle_ = false;
    std::array<std::string, kLyricsSlots> slots_;
    std::string sungBefore_;
    std::string sungThrough_;
    int lastLine_ = -1;
    int lastSegment_ = 0;
    int progress_ = 0;
    int segmentDuration_ = 0;
};

// What the karaoke counter gains per 100 ms at the engine's speed factor and pitch (percent).
int KaraokeProgressStep(int speed, int pitchPercent);

// A line as it may be shown: "@" header lines vanish, CR and LF go, and every "[" with the
// next "]" and the text between them is removed.
std::string ShownLyricsText(std::string text);

// The slots the "Line" setting shows, first and last (inclusive); the setting is clamped to 1..5.
struct SlotRange {
    int first;
    int last;
};
SlotRange ShownSlots(int lineSetting);

// A slot's text is drawn only when it is not empty up to its first space.
bool SlotIsDrawn(const std::string& text);

}  // namespace velk::app
