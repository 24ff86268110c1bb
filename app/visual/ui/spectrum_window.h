// The spectrum window: a captionless floating window that, while a song plays, polls the
// engine every 100 ms and draws an oscilloscope trace or one of five spectrum graphs into an
// off-screen surface, then copies that to the screen. It sticks to the screen edges while
// dragged, and can stay on top, be translucent and let the mouse through.
#pragma once

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "core/player_session.h"
#include "visual/core/spectrum_graph.h"

namespace velk::app {

namespace spec_ids {
enum Command {
    kClose = 32785,
    kOscilloscope = 32789,
    kFineArea = 32790,
    kFineBars = 32791,
    kCoarseBars = 32792,
    kPeaks = 32793,
    kCoarseArea = 32794,
    kTopDelay = 32795,
};
inline constexpr int kTimerMs = 100;  // timer 7
inline constexpr int kMinimumWidth = 50;
inline constexpr int kMinimumHeight = 80;
}  // namespace spec_ids

class SpectrumWindow : public QWidget, private SessionListener {
    Q_OBJECT
  public:
    explicit SpectrumWindow(PlayerSession& session);
    ~SpectrumWindow() override;

    int Kind() const { return Spec().kind; }
    void SetKind(int kind);
    // Draws one picture of what the engine gives now, playing or not (a still picture).
    void DrawNow();
    const QImage& Surface() const { return surface_; }
    bool TimerRunning() const { return timer_.isActive(); }
    // The right-button menu with its check marks as they are now.
    std::unique_ptr<QMenu> MakeMenu();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // SessionListener
    void SongStarted(const PlaylistEntry& entry) override;
    void Stopped() override;
    void Repositioned() override;
    void SettingsApplied() override;

    SpectrumWindowSettings& Spec() { return session_.Settings().spec; }
    const SpectrumWindowSettings& Spec() const { return session_.Settings().spec; }

    void Tick();
    void Redraw();
    void PaintBackground();
    void DrawOscilloscope();
    void DrawGraph(bool playing);
    void PaintBar(int x, int barTop, bool wide);
    void PaintPixel(int x, int y, QRgb colour);
    void SetShown(bool shown);
    void ApplyWindowStyle();
    void RememberRect();
    void RunCommand(int command);

    PlayerSession& session_;
    QTimer timer_;
    QImage surface_;
    SpectrumLevels levels_;
    bool clearOnce_ = false;
    // Surface columns the last picture stretches over the window (0: copied one to one).
    int stretchedColumns_ = 0;
    bool dragging_ = false;
    QPoint lastMouse_;
};

}  // namespace velk::app
