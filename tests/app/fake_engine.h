// A scripted engine for the transport rules: opens succeed unless the path is listed as bad,
// and every call is counted.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/player_engine.h"

namespace velk::app::test {

class FakeEngine : public PlayerEngine {
  public:
    std::set<std::string> unopenable;
    std::vector<std::string> opened;
    int state = kEngineStopped;
    int position = 0;
    int seekedTo = -1;
    int stops = 0;
    std::function<void()> endNotice;
    std::optional<LyricsViewText> lyricsView;
    bool sideFileLoads = false;

    int FileType(const std::string&) override { return 0; }
    bool FileInfo(const std::string& path, ProbedFile&) override { return !unopenable.count(path); }
    bool Open(const std::string& path) override {
        if (unopenable.count(path)) return false;
        opened.push_back(path);
        return true;
    }
    bool Play() override {
        state = kEnginePlaying;
        return true;
    }
    void Pause() override { state = kEnginePaused; }
    void Restart() override { state = kEnginePlaying; }
    void Stop() override {
        ++stops;
        state = kEngineStopped;
    }
    void Close() override { state = kEngineStopped; }
    void Seek(int seconds) override { seekedTo = seconds; }
    int State(int* seconds) override {
        if (seconds) *seconds = position;
        return state;
    }
    void SetVolume(int, int) override {}
    int LeftVolume() override { return 100; }
    void SetPlaySpeed(int) override {}
    void SetPitch(int) override {}
    bool fadeIn = false;
    bool fadeOut = false;
    void SetFades(bool in, bool out) override {
        fadeIn = in;
        fadeOut = out;
    }
    int SilentFrameCount(const std::string&) override { return 0; }
    void RegisterEndNotice(std::function<void()> onEnd) override { endNotice = std::move(onEnd); }
    bool PrepareLyrics(const std::string&, bool) override { return sideFileLoads; }
    void SetLyricsTiming(int, double) override {}
    bool CurrentLyricsView(LyricsViewText& out) override {
        if (!lyricsView) return false;
        out = *lyricsView;
        return true;
    }
    int PlaySpeed() override { return 1; }
    int Pitch() override { return 100; }

    std::string LastOpened() const { return opened.empty() ? "" : opened.back(); }
};

}  // namespace velk::app::test
