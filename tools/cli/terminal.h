// Single keys from the terminal while something plays: raw mode for as long as the object
// lives, restored on every exit path.
#pragma once

#include <termios.h>

namespace velk::cli {

enum class Key { None, Space, Left, Right, Plus, Minus, Quit };

class RawTerminal {
  public:
    RawTerminal();
    ~RawTerminal();
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

    // Waits up to `milliseconds` for a key; Key::None when none came or stdin is no terminal.
    Key readKey(int milliseconds);

  private:
    bool active_ = false;
    termios saved_{};
};

}  // namespace velk::cli
