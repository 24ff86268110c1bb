// PlayerEngine over the engine's C interface.
#pragma once

#include <functional>
#include <mutex>

#include "core/player_engine.h"

namespace velk::app {

class VelkPlayerEngine : public PlayerEngine {
  public:
    // velk_init, with the fast seek and the position clamp switched off.
    VelkPlayerEngine();
    // velk_free.
    ~VelkPlayerEngine() override;
    VelkPlayerEngine(const VelkPlayerEngine&) = delete;
    VelkPlayerEngine& operator=(const VelkPlayerEngine&) = delete;

    int FileType(const std::string& path) override;
    bool FileInfo(const std::string& path, ProbedFile& out) override;
    bool Open(const std::string& path) override;
    bool Play() override;
    void Pause() override;
    void Restart() override;
    void Stop() override;
    void Close() override;
    void Seek(int seconds) override;
    int State(int* seconds) override;
    void SetVolume(int left, int right) override;
    int LeftVolume() override;
    void SetPlaySpeed(int multiplier) override;
    void SetPitch(int percent) override;
    void SetFades(bool fadeIn, bool fadeOut) override;
    int SilentFrameCount(const std::string& path) override;
    void RegisterEndNotice(std::function<void()> onEnd) override;
    bool PrepareLyrics(const std::string& lyricsFile, bool useLyrics3) override;
    void SetLyricsTiming(int offsetMs, double timeRatio) override;
    bool CurrentLyricsView(LyricsViewText& view) override;
    void ReloadLyrics(const std::string& text) override;
    int PlaySpeed() override;
    int Pitch() override;
    int WaveData(VisualChannel& left, VisualChannel& right) override;
    int SpectrumData(VisualChannel& left, VisualChannel& right) override;
    void SetEqualizer(const std::array<int, 10>& values) override;
    bool SetBlocks(const EngineBlocks& blocks) override;

  private:
    static int EngineCallback(int32_t code, int32_t value);

    std::mutex endNoticeMutex_;
    std::function<void()> endNotice_;
};

}  // namespace velk::app
