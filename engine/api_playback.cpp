// Entry points of playback control: transport, seeks, speed and pitch, fades, wave output,
// equalizer, callback and the status timer.
#include <cmath>

#include "engine.h"
#include "errors.h"
#include "velk.h"

using velk::Engine;

namespace {

Engine& engine() {
    return Engine::instance();
}

constexpr int kLowestPitch = 20;

int seekTo(int64_t sample) {
    engine().playback().seek(sample);
    return 1;
}

int64_t frameToSample(int64_t frame) {
    const velk::StreamInfo& info = engine().file().info;
    return velk::pcmBytesToSamples(frame * info.outputSize, info.bitsPerSample, info.channels);
}

void repositionWhenActive() {
    if (engine().playback().state() != velk::kStopped) engine().playback().reposition();
}

}  // namespace

extern "C" {

int velk_play(void) {
    return engine().playback().play() ? 1 : 0;
}

int velk_stop(void) {
    return engine().playback().stopThread() ? 1 : 0;
}

int velk_pause(void) {
    return engine().playback().pause() ? 1 : 0;
}

int velk_restart(void) {
    return engine().playback().restart() ? 1 : 0;
}

int velk_seek(int32_t seconds) {
    const auto whole = static_cast<int64_t>(seconds / engine().file().timeRatio);
    return seekTo(whole * engine().file().info.frequency);
}

int velk_seekFrameI64(int64_t frame) {
    return seekTo(frameToSample(frame));
}
int velk_seekFrame(int32_t frame) {
    return velk_seekFrameI64(frame);
}
int velk_seekFrame2(int32_t frame) {
    return velk_seekFrameI64(frame);
}
int velk_seekFrameDouble(double frame) {
    return velk_seekFrameI64(static_cast<int64_t>(frame));
}

int velk_seekSampleI64(int64_t sample) {
    return seekTo(sample);
}
int velk_seekSample(int32_t sample) {
    return seekTo(sample);
}
int velk_seekSampleDouble(double sample) {
    return seekTo(static_cast<int64_t>(sample));
}

int velk_replay(void) {
    return engine().playback().replay() ? 1 : 0;
}

int velk_setPlaySpeed(int32_t speed, int32_t outputBlock) {
    if (speed < 1 || outputBlock < 1) {
        velk::setLastError(velk::kErrRange);
        return 0;
    }
    velk::Tuning& tuning = engine().tuning();
    if (speed == 1) {
        if (tuning.savedOutputBlock > 0) tuning.blocks.outputBlock = tuning.savedOutputBlock;
    } else {
        if (tuning.savedOutputBlock == 0) tuning.savedOutputBlock = tuning.blocks.outputBlock;
        tuning.blocks.outputBlock = outputBlock;
    }
    tuning.speed = speed;
    repositionWhenActive();
    return 1;
}

int velk_getPlaySpeed(void) {
    return engine().tuning().speed;
}

int velk_setPitch(int32_t percent) {
    if (percent < kLowestPitch) {
        velk::setLastError(velk::kErrRange);
        return 0;
    }
    engine().tuning().pitch = percent;
    repositionWhenActive();
    return 1;
}

int velk_getPitch(void) {
    return engine().tuning().pitch;
}

void velk_setFadeIn(int32_t on) {
    engine().gains().setFadeIn(on != 0);
}

void velk_setFadeOut(int32_t on) {
    engine().gains().setFadeOut(on != 0);
}

int velk_fadeOutStop(void) {
    return engine().playback().fadeOutStop();
}

int velk_playAndWriteWave(const char* fileName) {
    return engine().playback().playToWave(fileName, velk::kOutputBoth) ? 1 : 0;
}

int velk_writeWave(const char* fileName) {
    return engine().playback().playToWave(fileName, velk::kOutputWaveFile) ? 1 : 0;
}

int velk_setEqualizer(const int32_t* table) {
    return engine().playback().setEqualizer(table);
}

int velk_setCallback(VelkCallback proc) {
    if (engine().playback().state() != velk::kStopped) {
        velk::setLastError(velk::kErrBusy);
        return 0;
    }
    engine().callbacks().set(proc);
    return 1;
}

int velk_enableCallback(void) {
    engine().callbacks().enable(true);
    return 1;
}

int velk_clearCallback(void) {
    engine().callbacks().enable(false);
    return 1;
}

int velk_setTimer(VelkTimerProc proc, int32_t delayMs, int32_t, int32_t) {
    if (!proc) return 0;
    return engine().timer().start(delayMs,
                                  [proc] {
                                      Engine& e = engine();
                                      const int state = e.playback().reportedState();
                                      if (state == velk::kStopped) {
                                          proc(0, 0, 0, 0);
                                          return;
                                      }
                                      proc(state, velk_getBitrate(), e.playback().lastSeconds(), 0);
                                  })
               ? 1
               : 0;
}

int velk_killTimer(void) {
    return engine().timer().stop() ? 1 : 0;
}

}  // extern "C"
