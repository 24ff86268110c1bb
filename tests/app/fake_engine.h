// A scripted engine for the transport rules: opens succeed unless the path is listed as bad,
// and every call is counted.
#pragma once

#include <array>
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
    std::vector<std::string> reloadedLyrics;

    int FileType(const std::string&) override { return 0; }
    bool FileInfo(const std::string& path, ProbedFile&) override { return !unopenable.count(path); }
    bool Open(const std::string& path) override {
        if (unopenable.count(path)) return false;
        opened.push_back(path);
        return true;
    }
    bool Play() override {
        calls.push_back("play");
        state = kEnginePlaying;
        return true;
    }
    void Pause() override {
        calls.push_back("pause");
        state = kEnginePaused;
    }
    void Restart() override { state = kEnginePlaying; }
    void Stop() override {
        ++stops;
        calls.push_back("stop");
        state = kEngineStopped;
    }
    void Close() override { state = kEngineStopped; }
    void Seek(int seconds) override {
        calls.push_back("seek " + std::to_string(seconds));
        seekedTo = seconds;
    }
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
    void ReloadLyrics(const std::string& text) override { reloadedLyrics.push_back(text); }
    void SetLyricsTiming(int, double) override {}
    bool CurrentLyricsView(LyricsViewText& out) override {
        if (!lyricsView) return false;
        out = *lyricsView;
        return true;
    }
    int PlaySpeed() override { return 1; }
    int Pitch() override { return 100; }

    // Visual data handed out while `state` is playing or paused; the calls are logged.
    VisualChannel waveLeft{}, waveRight{}, spectrumLeft{}, spectrumRight{};
    std::array<int, 10> equalizer{};
    int equalizerCalls = 0;
    std::vector<std::string> calls;
    EngineBlocks blocks{30, 20, 5, 0};
    int WaveData(VisualChannel& left, VisualChannel& right) override {
        return Visual(waveLeft, waveRight, left, right, 256);
    }
    int SpectrumData(VisualChannel& left, VisualChannel& right) override {
        return Visual(spectrumLeft, spectrumRight, left, right, 512);
    }
    void SetEqualizer(const std::array<int, 10>& values) override {
        equalizer = values;
        ++equalizerCalls;
    }
    bool SetBlocks(const EngineBlocks& b) override {
        calls.push_back("blocks");
        if (state != kEngineStopped) return false;
        blocks = b;
        return true;
    }

    std::string LastOpened() const { return opened.empty() ? "" : opened.back(); }

  private:
    int Visual(const VisualChannel& fromLeft, const VisualChannel& fromRight, VisualChannel& left,
               VisualChannel& right, int count) const {
        const bool sounding = state != kEngineStopped;
        left = sounding ? fromLeft : VisualChannel{};
        right = sounding ? fromRight : VisualChannel{};
        return sounding ? count : 0;
    }
};

}  // namespace velk::app::test
