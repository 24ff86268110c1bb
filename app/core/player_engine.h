// The engine operations the player needs, as one interface: the real one calls velk.h, and the
// transport rules can be exercised against a scripted one.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "velk.h"

namespace velk::app {

enum EngineState {
    kEngineStopped = VELK_STATE_STOPPED,
    kEnginePlaying = VELK_STATE_PLAYING,
    kEnginePaused = VELK_STATE_PAUSED,
};

struct ProbedFile {
    std::string title;   // UTF-8
    std::string artist;  // UTF-8
    int length = 0;
    int frames = 0;
};

// Input and output block counts and sleeps of the decode thread (the engine's BlockInfo).
struct EngineBlocks {
    int inputBlock;
    int outputBlock;
    int inputSleep;
    int outputSleep;
};

inline constexpr int kVisualDataValues = 256;
using VisualChannel = std::array<int32_t, kVisualDataValues>;

class MediaProbe {
  public:
    virtual ~MediaProbe() = default;
    // FileTypeFlags of the file (0 when unreadable).
    virtual int FileType(const std::string& path) = 0;
    // Tag and stream information; false for a file the engine cannot play.
    virtual bool FileInfo(const std::string& path, ProbedFile& out) = 0;
};

// The lyrics around the play position, texts in UTF-8.
struct LyricsViewText {
    int time = 0;
    int line = 0;
    int segment = 0;
    int untilNext = 0;
    std::string nextNext, next, segmentText, sungBefore, sungThrough, current, previous,
        previousPrevious;
};

class PlayerEngine : public MediaProbe {
  public:
    virtual bool Open(const std::string& path) = 0;
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    virtual void Restart() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
    virtual void Seek(int seconds) = 0;
    // State (EngineState) and the position in whole seconds.
    virtual int State(int* seconds) = 0;
    virtual void SetVolume(int left, int right) = 0;
    virtual int LeftVolume() = 0;
    virtual void SetPlaySpeed(int multiplier) = 0;
    virtual void SetPitch(int percent) = 0;
    virtual void SetFades(bool fadeIn, bool fadeOut) = 0;
    virtual int SilentFrameCount(const std::string& path) = 0;
    // Registers the end-of-song notice; `onEnd` runs on the engine's thread and must only hand
    // the event over to the window thread.
    virtual void RegisterEndNotice(std::function<void()> onEnd) = 0;
    // Lyrics before a song opens: the side file (may be "") and whether Lyrics3 blocks are used.
    // Returns true when the side file was loaded.
    virtual bool PrepareLyrics(const std::string& lyricsFile, bool useLyrics3) = 0;
    // Lyrics timing after play starts.
    virtual void SetLyricsTiming(int offsetMs, double timeRatio) = 0;
    // False without lyrics or an open stream.
    virtual bool CurrentLyricsView(LyricsViewText& view) = 0;
    // The open song's lyrics become `text` (a lyrics file's bytes); empty clears them.
    virtual void ReloadLyrics(const std::string& text) = 0;
    // The play speed factor and the pitch in percent as the engine holds them.
    virtual int PlaySpeed() = 0;
    virtual int Pitch() = 0;

    // ---- Spectrum window and equalizer panel ----
    // The sound now playing: samples scaled to -100..100, or the spectrum in decibels; 0 (and
    // zeroed channels) when nothing plays at that position.
    virtual int WaveData(VisualChannel& left, VisualChannel& right) = 0;
    virtual int SpectrumData(VisualChannel& left, VisualChannel& right) = 0;
    // Ten bands in tenths of a decibel, bass first.
    virtual void SetEqualizer(const std::array<int, 10>& values) = 0;
    // Refused (false) while playing or paused.
    virtual bool SetBlocks(const EngineBlocks& blocks) = 0;
};

}  // namespace velk::app
