// The floating karaoke lyrics window: a captionless, resizable popup that shows the song's
// title until its first lyric line, then the lines around the play position with a colour
// wipe across the current one. It polls the engine every 100 ms while a song plays and follows
// the session for everything else.
#pragma once

#include <QFont>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "core/player_session.h"
#include "lyrics/core/lyrics_display.h"

namespace velk::app {

class LyricsWindow : public QWidget, public SessionListener {
    Q_OBJECT
  public:
    static constexpr int kCloseCommand = 32785;
    static constexpr int kUpdateMs = 100;  // timer id 2

    explicit LyricsWindow(PlayerSession& session);
    ~LyricsWindow() override;

    const LyricsDisplay& Display() const { return display_; }
    bool UpdatesRunning() const { return timer_.isActive(); }
    // One update now, as the timer does it.
    void UpdateNow();

    // SessionListener
    void SongStarted(const PlaylistEntry&) override;
    void Paused() override;
    void Resumed() override;
    void Stopped() override;
    void Repositioned() override;
    void LyricsReloaded(bool hasLyrics) override;
    void MainWindowMinimised() override;
    void SettingsApplied() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    LyricsWindowSettings& Settings() { return session_.Settings().lyrics; }
    void ApplySettings();
    void ApplyTranslucency();
    // Shows or hides the window for the song as "Show" and "Exist" say.
    void FollowLyricsPresence();
    // Auto size and fit, then a repaint.
    void Redraw();
    const QFont& ShownFont() const;
    void RememberRect();
    QRect WorkArea() const;

    PlayerSession& session_;
    LyricsDisplay display_;
    QTimer timer_;
    QFont titleFont_;
    QFont normalFont_;
    bool hasLyrics_ = false;
    bool dragging_ = false;
    QPoint dragOrigin_;
};

}  // namespace velk::app
