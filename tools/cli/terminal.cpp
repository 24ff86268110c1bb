#include "cli/terminal.h"

#include <poll.h>
#include <unistd.h>

#include <thread>

namespace velk::cli {

RawTerminal::RawTerminal() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_) != 0) return;
    termios raw = saved_;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    active_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
}

RawTerminal::~RawTerminal() {
    if (active_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
}

Key RawTerminal::readKey(int milliseconds) {
    if (!active_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return Key::None;
    }
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, milliseconds) <= 0) return Key::None;
    unsigned char bytes[8];
    const ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
    if (n <= 0) return Key::None;
    // Arrow keys arrive as ESC [ C and ESC [ D.
    if (n >= 3 && bytes[0] == 0x1B && bytes[1] == '[') {
        if (bytes[2] == 'C') return Key::Right;
        if (bytes[2] == 'D') return Key::Left;
        return Key::None;
    }
    switch (bytes[0]) {
        case ' ':
            return Key::Space;
        case '+':
        case '=':
            return Key::Plus;
        case '-':
            return Key::Minus;
        case 'q':
        case 'Q':
            return Key::Quit;
        default:
            return Key::None;
    }
}

}  // namespace velk::cli
