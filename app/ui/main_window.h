// The main window (dialog 102): one view of the player session, with the transport controls,
// the playlist, the housekeeping timer and the tray icon.
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

#include "core/player_session.h"
#include "explorer/ui/explorer_pane.h"
#include "lyrics/ui/lyrics_edit_panel.h"
#include "ui/hotkey_poller.h"
#include "ui/playlist_model.h"
#include "ui/playlist_view.h"
#include "visual/ui/equalizer_panel.h"

namespace velk::app {

struct StartOptions {
    QString commandLine;  // double quotes removed; "-tray" starts in the tray only
};

class CMainWindow : public QWidget, private SessionListener {
    Q_OBJECT
  public:
    CMainWindow(PlayerSession& session, const StartOptions& options, QWidget* parent = nullptr);
    ~CMainWindow() override;

    // Runs the start-up steps that follow the window's creation (show, load, play).
    void Start();

    PlayerSession& Session() { return session_; }
    Playlist& List() { return session_.MainList(); }
    Transport& Player() { return session_.Player(); }
    PlaylistView& ListView() { return *list_; }
    EqualizerPanel& Equalizer() { return *geqPanel_; }
    LyricsEditPanel& LyricsEditor() { return *lyricsPanel_; }
    ExplorerPane& Explorer() { return *explorer_; }
    bool InExplorerMode() const { return explorerMode_; }
    // The path the player was started with ("" for none, "-tray" for the tray start).
    const QString& StartPath() const { return options_.commandLine; }
    bool InLyricsEdit() const { return session_.Player().flags.lyricsEdit; }
    // The editor for the one selected row ("歌詞編集" and menu item 32786).
    void EnterLyricsEdit();
    // False when the user keeps the editor with unsaved changes.
    bool LeaveLyricsEdit();
    QString TimeDisplayText() const { return timeDisplay_->text(); }
    QString TitleText() const { return titleDisplay_->text(); }
    bool IsCompact() const { return !Main().detail; }
    // False while the window lives only in the tray.
    bool IsShown() const { return windowShown_; }

    // One minute of the sleep timer (`counting`), or its display when just armed: the title and
    // tray tip show the time left, and the due action runs.
    void SleepTick(bool counting);

    // A second instance's command line.
    void HandOver(const QString& commandLine);
    // Adds paths the way a drop does.
    void AddDroppedPaths(const QStringList& paths);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // SessionListener
    void SongStarted(const PlaylistEntry& entry) override;
    void PositionChanged(int seconds) override;
    void TitleChanged(const std::string& title) override;
    void TransportChanged() override;
    void PlaylistChanged(PlaylistChange change) override;
    void RowsAppended(int firstRow) override;
    void SettingsApplied() override;
    void FavouritesChanged() override;
    void SleepTimerArmed() override;

    MainWindowSettings& Main() { return session_.Settings().main; }
    const MainWindowSettings& Main() const { return session_.Settings().main; }

    void BuildControls();
    void NameControls();
    void BuildTray();
    void ConnectControls();
    void PlaceAtStart(bool trayStart);
    void LayoutControls();
    void SetFavouriteControlsEnabled(bool enabled);
    void UpdateTotals();
    void UpdateButtons();
    void UpdateTimeDisplay();
    void RememberFullRect();

    void RemoveSelectedRows();
    void MoveSelection(int direction);
    void ShowListMenu(const QPoint& where);
    void OpenSelectedFolders();
    void UnifySelectedArtists();
    void ShowProperties();

    void ShowEqualizer();
    void ShowPlaylistPanel();
    // Explorer mode (main_window_explorer.cpp): the pane takes the playlist's place and its
    // list becomes the active list.
    void ShowExplorerPanel();
    void LeaveExplorerMode();
    // The playlist or, in explorer mode, the explorer pane: what the lower panel shows when no
    // other panel is open.
    QWidget& ListPanel();
    // The rows selected in the list transport plays.
    std::vector<int> ActiveSelection() const;
    void ToggleDetail();
    void ApplyCompactLayout();
    void ChooseSpeed(int index, bool fromList);
    void ChoosePitch(int index, bool fromList);
    void ToggleMute(bool muted);
    void ShowOptions();
    void ShowNewFavourite();
    void SwitchFavourite(int index);
    void ToggleTrayVisibility();
    void RestoreFromTray();
    void ShowTrayMenu();

    void HousekeepingTick();
    void PollHotkeys();
    void CheckWake();
    void Shutdown();

    PlayerSession& session_;
    StartOptions options_;
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
    EqualizerPanel* geqPanel_ = nullptr;
    LyricsEditPanel* lyricsPanel_ = nullptr;
    ExplorerPane* explorer_ = nullptr;
    bool explorerMode_ = false;
    // Leaving the editor was refused during a tab switch: the tick puts the tabs back.
    bool leaveRefused_ = false;
    std::unique_ptr<PlaylistModel> model_;

    QTimer housekeepingTimer_;
    QTimer sleepTimer_;
    QSystemTrayIcon* tray_ = nullptr;
    QPixmap background_;
};

}  // namespace velk::app
