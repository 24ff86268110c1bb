// 1 from the start of a song until Stop. The engine's end-of-song notice is only honoured while
// it is set; it is written by the window thread and read on the engine's thread.
#pragma once

#include <atomic>

namespace velk::app {

inline std::atomic<int> gPlayingFlag{0};

}  // namespace velk::app
