// A transport host that records what the rules asked of the window.
#pragma once

#include <string>

#include "core/transport.h"

namespace velk::app::test {

class RecordingHost : public TransportHost {
  public:
    bool clockRunning = false;
    bool pauseCaption = false;
    std::string title;
    int selectedRow = -1;
    int endNotices = 0;

    void StartClock() override { clockRunning = true; }
    void StopClock() override { clockRunning = false; }
    void SetPauseCaption(bool paused) override { pauseCaption = paused; }
    void SetSliderPosition(int) override {}
    void SetSliderMaximum(int) override {}
    void ShowTitle(const std::string& text) override { title = text; }
    void UpdateTimeDisplay() override {}
    void UpdateButtons() override {}
    void ShowCurrentRow() override {}
    void RedrawList() override {}
    int FirstSelectedRow() override { return selectedRow; }
    void EndNoticeArrived() override { ++endNotices; }
};

}  // namespace velk::app::test
