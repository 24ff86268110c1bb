// The global key state on X11. Kept apart from Qt code: Xlib's macros clash with Qt's names.
#include <memory>

#include "ui/hotkey_poller.h"
#include "ui/virtual_keys.h"

#ifdef VELK_HAVE_X11
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <array>
#endif

namespace velk::app {

#ifdef VELK_HAVE_X11

namespace {

class X11KeyState : public KeyState {
  public:
    explicit X11KeyState(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}
    ~X11KeyState() override { XCloseDisplay(display_); }

    void Sample() override {
        XQueryKeymap(display_, keys_.data());
        Window rootReturn, childReturn;
        int rootX, rootY, winX, winY;
        XQueryPointer(display_, root_, &rootReturn, &childReturn, &rootX, &rootY, &winX, &winY,
                      &buttons_);
    }
    bool KeyDown(uint32_t virtualKey) const override {
        return Down(KeySymOfVirtualKey(virtualKey));
    }
    ModifierState Modifiers() const override {
        return {Down(XK_Shift_L) || Down(XK_Shift_R), Down(XK_Control_L) || Down(XK_Control_R),
                Down(XK_Alt_L) || Down(XK_Alt_R)};
    }
    bool LeftButtonDown() const override { return (buttons_ & Button1Mask) != 0; }

  private:
    bool Down(unsigned long sym) const {
        if (sym == 0) return false;
        const KeyCode code = XKeysymToKeycode(display_, sym);
        return code != 0 && (keys_[code / 8] & (1 << (code % 8)));
    }

    Display* display_;
    Window root_;
    std::array<char, 32> keys_{};
    unsigned int buttons_ = 0;
};

}  // namespace

std::unique_ptr<KeyState> MakeX11KeyState() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    return std::make_unique<X11KeyState>(display);
}

#else

std::unique_ptr<KeyState> MakeX11KeyState() {
    return nullptr;
}

#endif

}  // namespace velk::app
