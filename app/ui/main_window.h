// The main window (dialog 102): transport controls, the playlist, the timers, the tray icon.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <memory>

#include "core/file_intake.h"
#include "core/player_settings.h"
#include "core/playlist.h"
#include "core/settings_store.h"
#include "core/transport.h"
#include "ui/hotkey_poller.h"
#include "ui/playlist_model.h"
#include "ui/playlist_view.h"

namespace velk::app {

struct StartOptions {
    QString commandLine;  // double quotes removed; "-tray" starts in the tray only
    std::string profileFolder;
};

class CMainWindow : public QWidget, public TransportHost {
    Q_OBJECT
  public:
    CMainWindow(PlayerEngine& engine, const StartOptions& options, QWidget* parent = nullptr);
    ~CMainWindow() override;

    // Runs the start-up steps that follow the window's creation (show, load, play).
    void Start();

    Playlist& List() { return playlist_; }
    Transport& Player() { return transport_; }
    PlaylistView& ListView() { return *list_; }
    QString TimeDisplayText() const { return timeDisplay_->text(); }
    QString TitleText() const { return titleDisplay_->text(); }
    bool IsCompact() const { return !settings_.detail; }

    // A second instance's command line.
    void HandOver(const QString& commandLine);
    // Adds paths the way a drop does.
    void AddDroppedPaths(const QStringList& paths);

    // TransportHost
    void StartClock() override;
    void StopClock() override;
    void SetPauseCaption(bool paused) override;
    void SetSliderPosition(int seconds) override;
    void SetSliderMaximum(int seconds) override;
    void ShowTitle(const std::string& text) override;
    void UpdateTimeDisplay() override;
    void UpdateButtons() override;
    void ShowCurrentRow() override;
    void RedrawList() override;
    int FirstSelectedRow() override;
    void EndNoticeArrived() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void NameControls();
    void BuildTray();
    void ConnectControls();
    void ApplySettings();
    void LayoutControls();
    void LoadSelectedFavourite();

    void AddLines(const std::vector<std::string>& lines);
    void UpdateTotals();
    void RemoveSelectedRows();
    void ClearAllRows();
    void SortColumn(int column);
    void MoveSelection(int direction);
    void ShowListMenu(const QPoint& where);
    void OpenSelectedFolders();

    void ToggleDetail();
    void ClickSpeed();
    void ClickPitch();
    void ChooseSpeed(int index);
    void ChoosePitch(int index);
    void ToggleMute(bool muted);
    void ShowOptions();
    void ShowNewFavourite();
    void ToggleTrayVisibility();
    void ShowTrayMenu();

    void ClockTick();
    void HousekeepingTick();
    void PollHotkeys();
    void CheckWake();
    void AdvanceTick();
    void Shutdown();

    PlayerEngine& engine_;
    StartOptions options_;
    SettingsStore store_;
    PlayerSettings settings_;
    std::vector<FavouriteRecord> favourites_;
    int currentFavourite_ = 0;
    Playlist playlist_;
    FileIntake intake_;
    Transport transport_;
    bool windowShown_ = true;
    bool maximised_ = false;
    bool shutDown_ = false;
    int lastWakeMinute_ = -1;
    std::unique_ptr<KeyState> keys_;

    QLabel* titleDisplay_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* loop_ = nullptr;
    QPushButton* random_ = nullptr;
    QSlider* volume_ = nullptr;
    QPushButton* mute_ = nullptr;
    QLabel* timeDisplay_ = nullptr;
    QSlider* position_ = nullptr;
    QPushButton* detail_ = nullptr;
    QPushButton* optionsButton_ = nullptr;
    QComboBox* favouritesCombo_ = nullptr;
    QPushButton* newFavourite_ = nullptr;
    QLabel* fileCountLabel_ = nullptr;
    QLabel* fileCount_ = nullptr;
    QLabel* totalTimeLabel_ = nullptr;
    QLabel* totalTime_ = nullptr;
    QPushButton* favouritesTab_ = nullptr;
    QPushButton* explorerTab_ = nullptr;
    QPushButton* lyricsEditTab_ = nullptr;
    QPushButton* geqTab_ = nullptr;
    QToolButton* pitch_ = nullptr;
    QToolButton* speed_ = nullptr;
    PlaylistView* list_ = nullptr;
    std::unique_ptr<PlaylistModel> model_;

    QTimer clockTimer_;
    QTimer housekeepingTimer_;
    QTimer advanceTimer_;
    QSystemTrayIcon* tray_ = nullptr;
    QPixmap background_;
};

}  // namespace velk::app
