// The engine's message boxes: shown through the application's hook, else printed to stderr.
#pragma once

#include "velk.h"

namespace velk {

void setMessageHook(VelkMessageHook hook);
// Blocks until the hook returns, as a message box does.
void showMessage(const char* caption, const char* text);

}  // namespace velk
