#include "ui/hotkey_poller.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <set>

#include "ui/virtual_keys.h"

namespace velk::app {

namespace {

// Follows key presses and releases of the whole application; a lost focus forgets them, since
// the matching releases will go to another program.
class FocusKeyState : public QObject, public KeyState {
  public:
    FocusKeyState() { qApp->installEventFilter(this); }
    ~FocusKeyState() override {
        if (qApp) qApp->removeEventFilter(this);
    }

    void Sample() override {}
    bool KeyDown(uint32_t virtualKey) const override {
        const unsigned long sym = KeySymOfVirtualKey(virtualKey);
        return sym != 0 && down_.count(sym) > 0;
    }
    ModifierState Modifiers() const override {
        return {(modifiers_ & Qt::ShiftModifier) != 0, (modifiers_ & Qt::ControlModifier) != 0,
                (modifiers_ & Qt::AltModifier) != 0};
    }
    bool LeftButtonDown() const override {
        return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                auto* key = static_cast<QKeyEvent*>(event);
                modifiers_ = key->modifiers();
                if (key->isAutoRepeat()) break;
                if (event->type() == QEvent::KeyPress) {
                    down_.insert(key->nativeVirtualKey());
                } else {
                    down_.erase(key->nativeVirtualKey());
                }
                break;
            }
            case QEvent::ApplicationDeactivate:
                down_.clear();
                modifiers_ = {};
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::set<unsigned long> down_;
    Qt::KeyboardModifiers modifiers_;
};

}  // namespace

std::unique_ptr<KeyState> MakeFocusKeyState() {
    return std::make_unique<FocusKeyState>();
}

std::unique_ptr<KeyState> MakeKeyState() {
    if (QGuiApplication::platformName() == "xcb") {
        if (auto global = MakeX11KeyState()) return global;
    }
    return MakeFocusKeyState();
}

}  // namespace velk::app
