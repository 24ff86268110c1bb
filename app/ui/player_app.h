// The player's parts in the order they live and end: the Qt host, the session, the floating
// windows, the main window (which leaves first, writing the settings through the session while
// the floating windows still hold their state).
#pragma once

#include "lyrics/ui/lyrics_window.h"
#include "ui/main_window.h"
#include "ui/qt_session_host.h"
#include "visual/ui/spectrum_window.h"

namespace velk::app {

class PlayerApp {
  public:
    PlayerApp(PlayerEngine& engine, const SessionOptions& sessionOptions,
              const StartOptions& startOptions)
        : session_(engine, host_, sessionOptions),
          lyrics_(session_),
          spectrum_(session_),
          window_(Attached(), startOptions) {}

    PlayerSession& Session() { return session_; }
    CMainWindow& Window() { return window_; }
    LyricsWindow& Lyrics() { return lyrics_; }
    SpectrumWindow& Spectrum() { return spectrum_; }

  private:
    PlayerSession& Attached() {
        host_.Attach(session_);
        return session_;
    }

    QtSessionHost host_;
    PlayerSession session_;
    LyricsWindow lyrics_;
    SpectrumWindow spectrum_;
    CMainWindow window_;
};

}  // namespace velk::app
