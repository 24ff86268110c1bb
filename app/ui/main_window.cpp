#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "core/display_name.h"
#include "core/gradient.h"
#include "core/speed_pitch.h"
#include "ui/app_icon.h"
#include "ui/control_ids.h"
#include "ui/drop_button.h"

namespace velk::app {

namespace {

constexpr int kMinimumWidth = 385;
constexpr int kMinimumFullHeight = 195;

// Minimised show states of a stored placement (2, 6, 7 and 11); the window then starts in the
// tray.
bool IsMinimisedShowFlag(int showFlag) {
    return showFlag == 2 || showFlag == 6 || showFlag == 7 || showFlag == 11;
}

QPushButton* MakeButton(QWidget* parent, const char* caption, const char* tip,
                        bool checkable = false) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setToolTip(QString::fromUtf8(tip));
    button->setCheckable(checkable);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* tip, bool framed) {
    auto* label = new QLabel(parent);
    label->setToolTip(QString::fromUtf8(tip));
    if (framed) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAutoFillBackground(true);
    }
    return label;
}

}  // namespace

CMainWindow::CMainWindow(PlayerSession& session, const StartOptions& options, QWidget* parent)
    : QWidget(parent), session_(session), options_(options), keys_(MakeKeyState()) {
    setWindowTitle(ids::kProductName);
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    BuildControls();
    NameControls();
    ConnectControls();
    BuildTray();
    FavouritesChanged();
    session_.SetSelectionSource([this] {
        const auto rows = ActiveSelection();
        return rows.empty() ? -1 : rows.front();
    });
    session_.Subscribe(*this);
    session_.ApplySettings();
}

CMainWindow::~CMainWindow() {
    Shutdown();
    session_.Unsubscribe(*this);
    session_.SetSelectionSource(nullptr);
}

void CMainWindow::BuildControls() {
    titleDisplay_ = MakeLabel(this, "再生中の曲のｱｰﾃｨｽﾄ/曲名を表示", true);
    play_ = MakeButton(this, "再生", "曲を再生/一時停止");
    stop_ = MakeButton(this, "停止", "曲の再生を停止");
    previous_ = MakeButton(this, "前", "前の曲を再生");
    next_ = MakeButton(this, "次", "次の曲を再生");
    loop_ = MakeButton(this, "ﾙｰﾌﾟ", "ﾘｽﾄの最後までくると最初から再生", true);
    random_ = MakeButton(this, "ﾗﾝﾀﾞﾑ", "ﾗﾝﾀﾞﾑに再生", true);
    mute_ = MakeButton(this, "ﾐｭｰﾄ", "音を出す/消す", true);
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setToolTip(QString::fromUtf8("ﾎﾞﾘｭｰﾑを調整"));
    volume_->setRange(0, 100);
    volume_->setPageStep(3);
    volume_->setValue(session_.Engine().LeftVolume());
    timeDisplay_ = MakeLabel(this, "再生時間/残り時間/演奏時間", true);
    timeDisplay_->setAlignment(Qt::AlignCenter);
    position_ = new QSlider(Qt::Horizontal, this);
    position_->setToolTip(QString::fromUtf8("再生位置の表示/ｼｰｸ"));
    position_->setPageStep(10);
    detail_ = MakeButton(this, "詳細", "ｳｲﾝﾄﾞｳｻｲｽﾞのｺﾝﾊﾟｸﾄ化/ﾌﾙｻｲｽﾞ化");
    optionsButton_ = MakeButton(this, "ｵﾌﾟｼｮﾝ", "ｵﾌﾟｼｮﾝ設定");
    pitch_ = MakeDropButton(this, "再生ﾋﾟｯﾁ", PitchChoices());
    speed_ = MakeDropButton(this, "再生速度", SpeedChoices());
    favouritesTab_ = MakeButton(this, "お気に入り", "", true);
    explorerTab_ = MakeButton(this, "ｴｸｽﾌﾟﾛｰﾗ", "", true);
    lyricsEditTab_ = MakeButton(this, "歌詞編集", "", true);
    geqTab_ = MakeButton(this, "GEQ", "", true);
    favouritesTab_->setChecked(true);
    favouritesCombo_ = new QComboBox(this);
    favouritesCombo_->setToolTip(QString::fromUtf8("お気に入りのﾘｽﾄ"));
    newFavourite_ = MakeButton(this, "新規...", "お気に入りを新規に追加");
    fileCountLabel_ = MakeLabel(this, "", false);
    fileCountLabel_->setText(QString::fromUtf8("ﾌｧｲﾙ数"));
    fileCount_ = MakeLabel(this, "ﾘｽﾄに表示されているﾌｧｲﾙ数", true);
    totalTimeLabel_ = MakeLabel(this, "", false);
    totalTimeLabel_->setText(QString::fromUtf8("総時間"));
    totalTime_ = MakeLabel(this, "ﾘｽﾄに表示されている曲の総演奏時間", true);
    for (QLabel* counter : {fileCount_, totalTime_})
        counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    list_ = new PlaylistView(this);
    model_ = std::make_unique<PlaylistModel>(session_.MainList());
    list_->setModel(model_.get());
    list_->ApplyColumnWidths({200, 25, 75, 40});  // the dialog's own widths
    geqPanel_ = new EqualizerPanel(session_, this);
    lyricsPanel_ = new LyricsEditPanel(session_, this);
    explorer_ = new ExplorerPane(session_, this);
}

void CMainWindow::NameControls() {
    const std::pair<QWidget*, int> controls[] = {
        {titleDisplay_, ids::kTitleDisplay},
        {play_, ids::kPlay},
        {stop_, ids::kStop},
        {previous_, ids::kPrevious},
        {next_, ids::kNext},
        {loop_, ids::kLoop},
        {random_, ids::kRandom},
        {volume_, ids::kVolumeSlider},
        {mute_, ids::kMute},
        {timeDisplay_, ids::kTimeDisplay},
        {position_, ids::kPositionSlider},
        {detail_, ids::kDetail},
        {optionsButton_, ids::kOptions},
        {favouritesCombo_, ids::kFavouritesCombo},
        {newFavourite_, ids::kNewFavourite},
        {fileCount_, ids::kFileCount},
        {totalTime_, ids::kTotalTime},
        {list_, ids::kPlaylist},
        {favouritesTab_, ids::kFavouritesTab},
        {lyricsEditTab_, ids::kLyricsEditTab},
        {geqTab_, ids::kGeqTab},
        {explorerTab_, ids::kExplorerTab},
        {pitch_, ids::kPitch},
        {speed_, ids::kSpeed},
    };
    for (const auto& [control, id] : controls) control->setObjectName(ids::ControlObjectName(id));
}

void CMainWindow::ConnectControls() {
    Transport& transport = session_.Player();
    connect(play_, &QPushButton::clicked, this, [&transport] { transport.PlayPause(); });
    connect(stop_, &QPushButton::clicked, this, [&transport] { transport.Stop(); });
    connect(previous_, &QPushButton::clicked, this, [&transport] { transport.Previous(); });
    connect(next_, &QPushButton::clicked, this, [&transport] { transport.Next(); });
    connect(loop_, &QPushButton::toggled, this,
            [&transport](bool on) { transport.flags.loop = on; });
    connect(random_, &QPushButton::toggled, this,
            [&transport](bool on) { transport.flags.random = on; });
    connect(mute_, &QPushButton::toggled, this, &CMainWindow::ToggleMute);
    // The volume follows the slider on release, muted or not, as the mute button's own state
    // is only what it shows.
    connect(volume_, &QSlider::sliderReleased, this,
            [this] { session_.SetVolume(volume_->value()); });
    connect(volume_, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove) session_.SetVolume(volume_->sliderPosition());
    });
    // A click on the bar pages the handle; that page is a seek like a release.
    connect(position_, &QSlider::sliderReleased, this,
            [&transport, this] { transport.SeekTo(position_->value()); });
    connect(position_, &QSlider::actionTriggered, this, [&transport, this](int action) {
        if (action != QAbstractSlider::SliderMove) transport.SeekTo(position_->sliderPosition());
    });
    connect(detail_, &QPushButton::clicked, this, &CMainWindow::ToggleDetail);
    connect(optionsButton_, &QPushButton::clicked, this, &CMainWindow::ShowOptions);
    connect(newFavourite_, &QPushButton::clicked, this, &CMainWindow::ShowNewFavourite);
    connect(favouritesCombo_, &QComboBox::activated, this,
            [this](int index) { SwitchFavourite(index); });
    connect(favouritesTab_, &QPushButton::clicked, this, &CMainWindow::ShowPlaylistPanel);
    connect(geqTab_, &QPushButton::clicked, this, &CMainWindow::ShowEqualizer);
    connect(geqPanel_, &EqualizerPanel::left, this, [this] {
        geqPanel_->hide();
        ListPanel().setVisible(Main().detail);
        geqTab_->setChecked(false);
        (explorerMode_ ? explorerTab_ : favouritesTab_)->setChecked(true);
    });
    connect(geqPanel_, &EqualizerPanel::escapePressed, this, &QWidget::close);
    connect(lyricsEditTab_, &QPushButton::clicked, this, &CMainWindow::EnterLyricsEdit);
    connect(explorerTab_, &QPushButton::clicked, this, &CMainWindow::ShowExplorerPanel);
    connect(explorer_, &ExplorerPane::editLyricsRequested, this, &CMainWindow::EnterLyricsEdit);
    connect(explorer_, &ExplorerPane::rowsChanged, this, &CMainWindow::UpdateButtons);
    connect(lyricsPanel_, &LyricsEditPanel::returnRequested, this, [this] {
        if (LeaveLyricsEdit()) favouritesTab_->setChecked(true);
    });
    connect(speed_, &QToolButton::clicked, this,
            [this] { ChooseSpeed(NextSpeedIndex(Main().speed), false); });
    connect(pitch_, &QToolButton::clicked, this,
            [this] { ChoosePitch(NextPitchIndex(Main().pitch), false); });
    connect(speed_->menu(), &QMenu::triggered, this,
            [this](QAction* a) { ChooseSpeed(a->data().toInt(), true); });
    connect(pitch_->menu(), &QMenu::triggered, this,
            [this](QAction* a) { ChoosePitch(PitchIndexOfChoice(a->data().toInt()), true); });

    connect(list_, &QTreeView::doubleClicked, this, [&transport](const QModelIndex& index) {
        if (index.isValid()) transport.PlayRow(index.row());
    });
    connect(list_, &PlaylistView::deletePressed, this, &CMainWindow::RemoveSelectedRows);
    connect(list_, &PlaylistView::filesDropped, this, &CMainWindow::AddDroppedPaths);
    connect(list_, &PlaylistView::moveSelection, this, &CMainWindow::MoveSelection);
    connect(list_, &QWidget::customContextMenuRequested, this, &CMainWindow::ShowListMenu);
    connect(list_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { session_.SortByColumn(column); });

    housekeepingTimer_.setInterval(ids::kHousekeepingTimerMs);
    connect(&housekeepingTimer_, &QTimer::timeout, this, &CMainWindow::HousekeepingTick);
    sleepTimer_.setInterval(ids::kSleepTimerMs);
    connect(&sleepTimer_, &QTimer::timeout, this, [this] { SleepTick(true); });
}

void CMainWindow::SettingsApplied() {
    const MainWindowSettings& m = Main();
    loop_->setChecked(session_.Player().flags.loop);
    random_->setChecked(session_.Player().flags.random);
    speed_->setText(QString::fromStdString(SpeedLabel(m.speed)));
    pitch_->setText(QString::fromStdString(PitchLabel(m.pitch)));
    model_->SetColours(FromColorRef(m.fileListColor), FromColorRef(m.currentLineColor));
    QPalette listPalette = list_->palette();
    listPalette.setColor(QPalette::Base, FromColorRef(m.fileListColor));
    list_->setPalette(listPalette);
    QPalette comboPalette = favouritesCombo_->palette();
    comboPalette.setColor(QPalette::Base, FromColorRef(m.favoriteColor));
    favouritesCombo_->setPalette(comboPalette);
    setWindowOpacity(m.trans ? std::clamp(m.transValue, 0, 255) / 255.0 : 1.0);
    background_ = QPixmap();
    update();
}

void CMainWindow::BuildTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray_ = new QSystemTrayIcon(ProgramIcon(), this);
    tray_->setToolTip(ids::kProductName);
    auto* menu = new QMenu(this);
    tray_->setContextMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, &CMainWindow::ShowTrayMenu);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::DoubleClick) ToggleTrayVisibility();
                // The right button brings the window forward before its menu opens.
                if (why == QSystemTrayIcon::Context && windowShown_) {
                    raise();
                    activateWindow();
                }
            });
    tray_->show();
}

// The stored placement: the full-size rectangle with "Save Status", the dialog's own size
// without; a "-tray" start or a stored minimised state leaves only the tray icon in view.
void CMainWindow::PlaceAtStart(bool trayStart) {
    const MainWindowSettings& m = Main();
    setMinimumWidth(kMinimumWidth);
    setMinimumHeight(kMinimumFullHeight);
    bool minimised = trayStart;
    if (m.saveStatus) {
        list_->ApplyColumnWidths(m.itemWidth);
        const Rect& r = m.window;
        setGeometry(r.left, r.top, std::max(r.right - r.left, kMinimumWidth),
                    std::max(r.bottom - r.top, kMinimumFullHeight));
        minimised = minimised || IsMinimisedShowFlag(m.showFlag);
    } else {
        resize(kMinimumWidth, kDefaultMainRect.bottom - kDefaultMainRect.top);
    }
    RememberFullRect();
    if (!m.detail) {
        Main().detail = true;
        ToggleDetail();
    }
    if (minimised) {
        windowShown_ = false;
        if (!tray_) showMinimized();
    } else if (m.saveStatus && m.showFlag == kShowMaximised) {
        showMaximized();
    } else {
        show();
    }
}

void CMainWindow::Start() {
    const bool trayStart = options_.commandLine == "-tray";
    const QString path = trayStart ? QString() : options_.commandLine;
    if (!session_.Settings().main.saveStatus) Main().detail = true;
    PlaceAtStart(trayStart);
    housekeepingTimer_.start();
    UpdateButtons();
    SetFavouriteControlsEnabled(false);
    if (path.isEmpty()) {
        if (Main().showMode) ShowExplorerPanel();
        session_.LoadSelectedFavourite();
        favouritesCombo_->setCurrentIndex(session_.CurrentFavourite());
    } else {
        Main().showMode = false;
        session_.AddLines({path.toStdString()});
    }
    UpdateTotals();
    UpdateButtons();
    SetFavouriteControlsEnabled(!explorerMode_);
    if (!path.isEmpty()) session_.Player().PlayCurrent(true);
}

// The equalizer panel takes the playlist's place; the favourites tab brings the list back.
void CMainWindow::ShowEqualizer() {
    geqTab_->setChecked(true);
    favouritesTab_->setChecked(false);
    if (geqPanel_->IsOpen()) return;
    if (InLyricsEdit() && !LeaveLyricsEdit()) return;
    geqPanel_->Open();
    list_->hide();
    explorer_->hide();
    geqPanel_->setVisible(Main().detail);
    geqPanel_->setFocus();
}

void CMainWindow::ShowPlaylistPanel() {
    favouritesTab_->setChecked(true);
    explorerTab_->setChecked(false);
    if (InLyricsEdit() && !LeaveLyricsEdit()) return;
    if (explorerMode_) LeaveExplorerMode();
    if (geqPanel_->IsOpen()) geqPanel_->LeaveForOtherPanel();
}

void CMainWindow::EnterLyricsEdit() {
    lyricsEditTab_->setChecked(true);
    if (InLyricsEdit()) return;
    const std::vector<int> selected = ActiveSelection();
    ActiveList& songs = session_.Active();
    const int row = selected.size() == 1 ? selected.front() : songs.CurrentIndex();
    if (row < 0 || row >= songs.Count()) {
        lyricsEditTab_->setChecked(false);
        return;
    }
    favouritesTab_->setChecked(false);
    explorerTab_->setChecked(false);
    geqTab_->setChecked(false);
    if (geqPanel_->IsOpen()) {
        geqPanel_->LeaveForOtherPanel();
        geqTab_->setChecked(false);
        favouritesTab_->setChecked(false);
        explorerTab_->setChecked(false);
    }
    // The edited song is the one that plays and repeats; a song already playing plays on.
    if (session_.EngineState() == kEngineStopped && songs.CurrentIndex() != row) {
        songs.SetCurrentIndex(row);
        list_->viewport()->update();
    }
    session_.Player().flags.lyricsEdit = true;
    list_->hide();
    explorer_->hide();
    lyricsPanel_->setGeometry(list_->geometry());
    lyricsPanel_->setVisible(Main().detail);
    SetFavouriteControlsEnabled(false);
    UpdateButtons();
    titleDisplay_->setText(QString::fromStdString(TitleDisplayText(songs.Entry(row))));
    lyricsPanel_->Enter(row);
}

bool CMainWindow::LeaveLyricsEdit() {
    if (!InLyricsEdit()) return true;
    if (!lyricsPanel_->Leave()) {
        leaveRefused_ = true;
        return false;
    }
    session_.Player().flags.lyricsEdit = false;
    lyricsEditTab_->setChecked(false);
    if (!session_.IsAdding() && !explorerMode_) SetFavouriteControlsEnabled(true);
    UpdateButtons();
    if (session_.EngineState() == kEngineStopped) titleDisplay_->clear();
    ListPanel().setVisible(Main().detail && !geqPanel_->IsOpen());
    return true;
}

void CMainWindow::SetFavouriteControlsEnabled(bool enabled) {
    favouritesCombo_->setEnabled(enabled);
    newFavourite_->setEnabled(enabled);
}

// ---- What the session says ----------------------------------------------------------------

void CMainWindow::SongStarted(const PlaylistEntry& entry) {
    position_->setRange(0, std::max(entry.length, 0));
}

void CMainWindow::PositionChanged(int seconds) {
    if (!position_->isSliderDown()) position_->setValue(seconds);
}

void CMainWindow::TitleChanged(const std::string& title) {
    titleDisplay_->setText(QString::fromStdString(title));
}

void CMainWindow::TransportChanged() {
    play_->setText(QString::fromUtf8(session_.ShowsPause() ? "一時停止" : "再生"));
    UpdateTimeDisplay();
    UpdateButtons();
}

void CMainWindow::PlaylistChanged(PlaylistChange change) {
    switch (change) {
        case PlaylistChange::kRows:
            model_->Reload();
            UpdateTotals();
            break;
        case PlaylistChange::kContents:
            list_->viewport()->update();
            break;
        case PlaylistChange::kCurrentRow:
            list_->ShowRow(session_.MainList().CurrentIndex());
            list_->viewport()->update();
            break;
    }
}

void CMainWindow::RowsAppended(int firstRow) {
    model_->RowsAppended(firstRow);
    UpdateTotals();
}

void CMainWindow::UpdateTimeDisplay() {
    timeDisplay_->setText(QString::fromStdString(session_.TimeText()));
}

void CMainWindow::UpdateButtons() {
    const bool hasSongs = session_.Active().Count() > 0;
    play_->setEnabled(hasSongs);
    previous_->setEnabled(hasSongs && !InLyricsEdit());
    next_->setEnabled(hasSongs && !InLyricsEdit());
    const int state = session_.EngineState();
    const bool active = state == kEnginePlaying || state == kEnginePaused;
    stop_->setEnabled(active);
    position_->setEnabled(active);
}

// ---- Window behaviour -------------------------------------------------------------------

// The gradient is drawn off-screen once per size and copied in one step; the labels over it
// repaint often while files arrive, and each of them only needs its own piece copied.
void CMainWindow::paintEvent(QPaintEvent* event) {
    const MainWindowSettings& m = Main();
    if (background_.size() != size()) {
        background_ = QPixmap(size());
        QPainter p(&background_);
        p.fillRect(rect(), FromColorRef(m.backColor2));
        for (int row = 0; row < std::min(height(), 256); ++row) {
            p.setPen(FromColorRef(GradientRowColour(m.backColor, m.backColor2, row)));
            p.drawLine(0, row, width(), row);
        }
    }
    QPainter(this).drawPixmap(event->rect(), background_, event->rect());
}

void CMainWindow::LayoutControls() {
    const int w = width(), h = height();
    titleDisplay_->setGeometry(6, 6, w - 12, 20);
    play_->setGeometry(6, 30, 60, 24);
    stop_->setGeometry(68, 30, 40, 24);
    previous_->setGeometry(110, 30, 30, 24);
    next_->setGeometry(142, 30, 30, 24);
    loop_->setGeometry(174, 30, 42, 24);
    random_->setGeometry(218, 30, 48, 24);
    mute_->setGeometry(268, 30, 40, 24);
    volume_->setGeometry(310, 30, w - 316, 24);
    timeDisplay_->setGeometry(6, 58, 84, 22);
    position_->setGeometry(94, 58, w - 100, 22);
    detail_->setGeometry(6, 86, 44, 24);
    optionsButton_->setGeometry(52, 86, 60, 24);
    pitch_->setGeometry(w - 134, 86, 68, 24);
    speed_->setGeometry(w - 64, 86, 58, 24);
    favouritesTab_->setGeometry(6, 124, 70, 24);
    explorerTab_->setGeometry(78, 124, 70, 24);
    lyricsEditTab_->setGeometry(150, 124, 60, 24);
    geqTab_->setGeometry(212, 124, 40, 24);
    newFavourite_->setGeometry(w - 58, 124, 52, 24);
    favouritesCombo_->setGeometry(254, 124, w - 254 - 60, 24);
    list_->setGeometry(6, 152, w - 12, std::max(h - 152 - 26, 0));
    geqPanel_->setGeometry(list_->geometry());
    lyricsPanel_->setGeometry(list_->geometry());
    // The pane's buttons take the place of the totals, which explorer mode hides.
    explorer_->setGeometry(6, 152, w - 12, std::max(h - 152 - 4, 0));
    fileCountLabel_->setGeometry(6, h - 22, 48, 18);
    fileCount_->setGeometry(56, h - 22, 60, 18);
    totalTimeLabel_->setGeometry(w - 160, h - 22, 48, 18);
    totalTime_->setGeometry(w - 110, h - 22, 104, 18);
    ApplyCompactLayout();
}

// The compact window is only the transport part: what lies below it is hidden, not drawn over
// the buttons.
void CMainWindow::ApplyCompactLayout() {
    const bool full = Main().detail;
    for (QWidget* lower :
         std::initializer_list<QWidget*>{favouritesTab_, explorerTab_, lyricsEditTab_, geqTab_,
                                         newFavourite_, favouritesCombo_}) {
        lower->setVisible(full);
    }
    for (QWidget* total : {fileCountLabel_, fileCount_, totalTimeLabel_, totalTime_})
        total->setVisible(full && !explorerMode_);
    const bool listShown = full && !geqPanel_->IsOpen() && !InLyricsEdit();
    list_->setVisible(listShown && !explorerMode_);
    explorer_->setVisible(listShown && explorerMode_);
    geqPanel_->setVisible(full && geqPanel_->IsOpen());
    lyricsPanel_->setVisible(full && InLyricsEdit());
}

void CMainWindow::RememberFullRect() {
    if (Main().detail && !maximised_ && !isMinimized()) {
        Main().window = {x(), y(), x() + width(), y() + height()};
    }
}

void CMainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!Main().detail && height() != kCompactHeight) resize(width(), kCompactHeight);
    RememberFullRect();
    LayoutControls();
}

void CMainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    RememberFullRect();
}

void CMainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (isMinimized() && tray_) {
        // Minimising sends the player to the tray.
        windowShown_ = false;
        QTimer::singleShot(0, this, &QWidget::hide);
        session_.MainWindowMinimised();
        return;
    }
    // A window that lives in the tray comes back only through the tray or the hotkey.
    if (!windowShown_ && !isMinimized()) {
        QTimer::singleShot(0, this, &QWidget::showMinimized);
        return;
    }
    const bool wasMaximised = maximised_;
    maximised_ = isMaximized();
    if (wasMaximised && !maximised_ && Main().detail) {
        const Rect& r = Main().window;
        setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void CMainWindow::ToggleDetail() {
    MainWindowSettings& m = Main();
    if (m.detail) {
        m.detail = false;
        setMinimumHeight(kCompactHeight);
        setMaximumHeight(kCompactHeight);
        resize(width(), kCompactHeight);
    } else {
        // Lifting the height limits resizes at once; the saved full height must survive that.
        const int fullHeight = m.window.bottom - m.window.top;
        m.detail = true;
        setMaximumHeight(QWIDGETSIZE_MAX);
        setMinimumHeight(kMinimumFullHeight);
        if (maximised_ && screen()) {
            resize(screen()->availableGeometry().size());
        } else {
            resize(width(), std::max(fullHeight, kMinimumFullHeight));
        }
    }
    LayoutControls();
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    Shutdown();
    event->accept();
    QWidget::closeEvent(event);
}

void CMainWindow::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    housekeepingTimer_.stop();
    MainWindowSettings& m = Main();
    m.showFlag = !windowShown_ ? kShowMinimised : maximised_ ? kShowMaximised : kShowNormal;
    for (int c = 0; c < kColumnCount; ++c) m.itemWidth[c] = list_->columnWidth(c);
    explorer_->StoreState();
    session_.Shutdown(volume_->value());
    if (tray_) tray_->hide();
}

}  // namespace velk::app
