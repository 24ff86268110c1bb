// The engine operations the player needs, as one interface: the real one calls velk.h, and the
// transport rules can be exercised against a scripted one.
#pragma once

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

class MediaProbe {
  public:
    virtual ~MediaProbe() = default;
    // FileTypeFlags of the file (0 when unreadable).
    virtual int FileType(const std::string& path) = 0;
    // Tag and stream information; false for a file the engine cannot play.
    virtual bool FileInfo(const std::string& path, ProbedFile& out) = 0;
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
};

}  // namespace velk::app
