// `velkaro --screenshot PNG [--window NAME] [--at SECONDS]`: one window rendered to a PNG.
#pragma once

#include <QStringList>
#include <functional>

#include "core/command_line.h"

namespace velk::app {

class CMainWindow;

// The windows a picture can be taken of.
const QStringList& PictureWindowNames();

// Plays the first song up to `atSeconds` and pauses there when asked, then saves the picture
// and calls `done` with the exit code (0 saved, 1 not saved).
void TakeWindowPicture(CMainWindow& window, const CommandLine& request,
                       std::function<void(int)> done);

}  // namespace velk::app
