// A started engine with a long synthetic song and a recorder of the callback codes.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "velk.h"

namespace velk::test {

struct CallbackLog {
    std::mutex lock;
    std::vector<std::pair<int, int>> calls;
    std::function<void(int, int)> reaction;  // runs on the decode thread, inside the callback

    void clear();
    int count(int code);
    std::vector<int> codes();
};

CallbackLog& callbackLog();

// The engine's message boxes, recorded from whichever thread shows them.
struct MessageLog {
    std::mutex lock;
    std::vector<std::string> texts;

    size_t size();
    std::vector<std::string> all();
};

MessageLog& messageLog();
// Installs a hook that records into messageLog() (cleared first), checking the caption.
void recordMessages();
int recordCallback(int32_t code, int32_t value);

class PlaybackTest : public testing::Test {
  public:
    // 2000 silent MPEG-1 Layer III frames: 52 s of song, about one second at null:50.
    static constexpr int kFrames = 2000;
    static constexpr int kSamplesPerFrame = 1152;

  protected:
    void SetUp() override;
    void TearDown() override;

    std::string writeSong(const std::string& name, int frames = kFrames);
    void openSong(int frames = kFrames);
    // Polls `done` for up to `seconds`; true when it held.
    static bool waitFor(const std::function<bool()>& done, double seconds = 10.0);
    static int state();

    TempDir dir;
    std::string song;
};

}  // namespace velk::test
