#include "message_hook.h"

#include <atomic>
#include <cstdio>

namespace velk {
namespace {
std::atomic<VelkMessageHook> g_hook{nullptr};
}

void setMessageHook(VelkMessageHook hook) {
    g_hook.store(hook);
}

void showMessage(const char* caption, const char* text) {
    if (VelkMessageHook hook = g_hook.load()) {
        hook(caption, text);
    } else {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
}

}  // namespace velk
