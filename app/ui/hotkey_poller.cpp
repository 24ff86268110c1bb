#include "ui/hotkey_poller.h"

#include <array>

#ifdef VELK_HAVE_X11
#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

namespace velk::app {

#ifdef VELK_HAVE_X11

namespace {

// Windows virtual-key codes, which the settings file keeps, as X key symbols.
KeySym KeySymOf(uint32_t vk) {
    if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
    if (vk >= '0' && vk <= '9') return XK_0 + (vk - '0');
    if (vk >= 0x60 && vk <= 0x69) return XK_KP_0 + (vk - 0x60);
    if (vk >= 0x70 && vk <= 0x87) return XK_F1 + (vk - 0x70);
    switch (vk) {
        case 0x08:
            return XK_BackSpace;
        case 0x09:
            return XK_Tab;
        case 0x0D:
            return XK_Return;
        case 0x13:
            return XK_Pause;
        case 0x14:
            return XK_Caps_Lock;
        case 0x1B:
            return XK_Escape;
        case 0x20:
            return XK_space;
        case 0x21:
            return XK_Prior;
        case 0x22:
            return XK_Next;
        case 0x23:
            return XK_End;
        case 0x24:
            return XK_Home;
        case 0x25:
            return XK_Left;
        case 0x26:
            return XK_Up;
        case 0x27:
            return XK_Right;
        case 0x28:
            return XK_Down;
        case 0x2D:
            return XK_Insert;
        case 0x2E:
            return XK_Delete;
        case 0x6A:
            return XK_KP_Multiply;
        case 0x6B:
            return XK_KP_Add;
        case 0x6D:
            return XK_KP_Subtract;
        case 0x6E:
            return XK_KP_Decimal;
        case 0x6F:
            return XK_KP_Divide;
        case 0xAD:
            return XF86XK_AudioMute;
        case 0xAE:
            return XF86XK_AudioLowerVolume;
        case 0xAF:
            return XF86XK_AudioRaiseVolume;
        case 0xB0:
            return XF86XK_AudioNext;
        case 0xB1:
            return XF86XK_AudioPrev;
        case 0xB2:
            return XF86XK_AudioStop;
        case 0xB3:
            return XF86XK_AudioPlay;
        default:
            return NoSymbol;
    }
}

}  // namespace

struct HotkeyPoller::State {
    Display* display = nullptr;
    std::array<char, 32> keys{};
    Window root = 0;
    unsigned int buttons = 0;

    bool Down(KeySym sym) const {
        if (!display || sym == NoSymbol) return false;
        const KeyCode code = XKeysymToKeycode(display, sym);
        return code != 0 && (keys[code / 8] & (1 << (code % 8)));
    }
};

HotkeyPoller::HotkeyPoller() : state_(std::make_unique<State>()) {
    state_->display = XOpenDisplay(nullptr);
    if (state_->display) state_->root = DefaultRootWindow(state_->display);
}

HotkeyPoller::~HotkeyPoller() {
    if (state_->display) XCloseDisplay(state_->display);
}

bool HotkeyPoller::Available() const {
    return state_->display != nullptr;
}

void HotkeyPoller::Sample() {
    if (!state_->display) return;
    XQueryKeymap(state_->display, state_->keys.data());
    Window rootReturn, childReturn;
    int rootX, rootY, winX, winY;
    XQueryPointer(state_->display, state_->root, &rootReturn, &childReturn, &rootX, &rootY, &winX,
                  &winY, &state_->buttons);
}

bool HotkeyPoller::KeyDown(uint32_t virtualKey) const {
    return state_->Down(KeySymOf(virtualKey));
}

ModifierState HotkeyPoller::Modifiers() const {
    return {state_->Down(XK_Shift_L) || state_->Down(XK_Shift_R),
            state_->Down(XK_Control_L) || state_->Down(XK_Control_R),
            state_->Down(XK_Alt_L) || state_->Down(XK_Alt_R)};
}

bool HotkeyPoller::LeftButtonDown() const {
    return (state_->buttons & Button1Mask) != 0;
}

#else

struct HotkeyPoller::State {};
HotkeyPoller::HotkeyPoller() : state_(std::make_unique<State>()) {}
HotkeyPoller::~HotkeyPoller() = default;
bool HotkeyPoller::Available() const {
    return false;
}
void HotkeyPoller::Sample() {}
bool HotkeyPoller::KeyDown(uint32_t) const {
    return false;
}
ModifierState HotkeyPoller::Modifiers() const {
    return {};
}
bool HotkeyPoller::LeftButtonDown() const {
    return false;
}

#endif

}  // namespace velk::app
