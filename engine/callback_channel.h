// The user's callback and whether it may be called now.
#pragma once

#include <atomic>

#include "velk.h"

namespace velk {

enum CallbackCode : int {
    kCbFrameError = VELK_CB_FRAME_ERROR,
    kCbStopped = VELK_CB_STOPPED,
    kCbPosition = VELK_CB_POSITION,
    kCbPaused = VELK_CB_PAUSED,
    kCbEnd = VELK_CB_END_OF_SONG,
};

class CallbackChannel {
  public:
    // Takes `procedure` and enables it.
    void set(VelkCallback procedure) {
        procedure_ = procedure;
        enabled_ = true;
    }
    void enable(bool on) { enabled_ = on; }
    void clear() {
        procedure_ = nullptr;
        enabled_ = false;
    }
    // Frame errors go out whenever callbacks are enabled; the other codes would describe a
    // position that is about to change, so they wait while a seek or repositioning runs.
    void send(int code, int value, bool positioning) const {
        if (!enabled_) return;
        if (code != kCbFrameError && positioning) return;
        if (const VelkCallback procedure = procedure_.load()) procedure(code, value);
    }

  private:
    std::atomic<VelkCallback> procedure_{nullptr};
    std::atomic<bool> enabled_{false};
};

}  // namespace velk
