#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "core/favourites.h"
#include "core/gradient.h"
#include "core/playing_flag.h"
#include "core/speed_pitch.h"
#include "ui/app_icon.h"
#include "ui/control_ids.h"

namespace velk::app {

namespace {

constexpr const char* kProductName = "Velkaro";
constexpr int kMinimumWidth = 385;
constexpr int kMinimumFullHeight = 195;

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

QToolButton* MakeDropButton(QWidget* parent, const char* tip,
                            const std::vector<std::string>& choices) {
    auto* button = new QToolButton(parent);
    button->setToolTip(QString::fromUtf8(tip));
    button->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(button);
    for (size_t i = 0; i < choices.size(); ++i) {
        menu->addAction(QString::fromStdString(choices[i]))->setData(static_cast<int>(i));
    }
    button->setMenu(menu);
    return button;
}

}  // namespace

CMainWindow::CMainWindow(PlayerEngine& engine, const StartOptions& options, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      options_(options),
      store_(options.profileFolder + "/velkaro.INI"),
      intake_(playlist_, engine),
      transport_(playlist_, engine, *this),
      keys_(MakeKeyState()) {
    setWindowTitle(kProductName);
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    settings_ = LoadAll(store_, ToColorRef(palette().color(QPalette::Base)));
    favourites_ = LoadFavourites(settings_, options_.profileFolder);
    BuildControls();
    NameControls();
    ConnectControls();
    ApplySettings();
    BuildTray();
}

CMainWindow::~CMainWindow() {
    Shutdown();
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
    volume_->setValue(engine_.LeftVolume());
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
    // The explorer pane, the lyrics editor and the equalizer panel come with their own windows.
    for (QPushButton* tab : {explorerTab_, lyricsEditTab_, geqTab_}) tab->setEnabled(false);
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
    model_ = std::make_unique<PlaylistModel>(playlist_);
    list_->setModel(model_.get());
    const int widths[kColumnCount] = {200, 25, 75, 40};
    for (int c = 0; c < kColumnCount; ++c) list_->setColumnWidth(c, widths[c]);
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
    connect(play_, &QPushButton::clicked, this, [this] { transport_.PlayPause(); });
    connect(stop_, &QPushButton::clicked, this, [this] { transport_.Stop(); });
    connect(previous_, &QPushButton::clicked, this, [this] { transport_.Previous(); });
    connect(next_, &QPushButton::clicked, this, [this] { transport_.Next(); });
    connect(loop_, &QPushButton::toggled, this, [this](bool on) { transport_.flags.loop = on; });
    connect(random_, &QPushButton::toggled, this,
            [this](bool on) { transport_.flags.random = on; });
    connect(mute_, &QPushButton::toggled, this, &CMainWindow::ToggleMute);
    connect(volume_, &QSlider::sliderReleased, this, [this] {
        if (!mute_->isChecked()) engine_.SetVolume(volume_->value(), volume_->value());
    });
    connect(position_, &QSlider::sliderReleased, this,
            [this] { transport_.SeekTo(position_->value()); });
    connect(detail_, &QPushButton::clicked, this, &CMainWindow::ToggleDetail);
    connect(optionsButton_, &QPushButton::clicked, this, &CMainWindow::ShowOptions);
    connect(newFavourite_, &QPushButton::clicked, this, &CMainWindow::ShowNewFavourite);
    connect(favouritesTab_, &QPushButton::clicked, this,
            [this] { favouritesTab_->setChecked(true); });
    connect(speed_, &QToolButton::clicked, this, &CMainWindow::ClickSpeed);
    connect(pitch_, &QToolButton::clicked, this, &CMainWindow::ClickPitch);
    connect(speed_->menu(), &QMenu::triggered, this,
            [this](QAction* a) { ChooseSpeed(a->data().toInt()); });
    connect(pitch_->menu(), &QMenu::triggered, this,
            [this](QAction* a) { ChoosePitch(PitchIndexOfChoice(a->data().toInt())); });

    connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) transport_.PlayRow(index.row());
    });
    connect(list_, &PlaylistView::deletePressed, this, &CMainWindow::RemoveSelectedRows);
    connect(list_, &PlaylistView::filesDropped, this, &CMainWindow::AddDroppedPaths);
    connect(list_, &PlaylistView::moveSelection, this, &CMainWindow::MoveSelection);
    connect(list_, &QWidget::customContextMenuRequested, this, &CMainWindow::ShowListMenu);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &CMainWindow::SortColumn);

    clockTimer_.setInterval(ids::kClockTimerMs);
    connect(&clockTimer_, &QTimer::timeout, this, &CMainWindow::ClockTick);
    housekeepingTimer_.setInterval(ids::kHousekeepingTimerMs);
    connect(&housekeepingTimer_, &QTimer::timeout, this, &CMainWindow::HousekeepingTick);
    advanceTimer_.setInterval(ids::kAdvanceTimerMs);
    advanceTimer_.setSingleShot(true);
    connect(&advanceTimer_, &QTimer::timeout, this, &CMainWindow::AdvanceTick);

    intake_.hooks.beforeEachPath = [this] {
        UpdateTotals();
        QCoreApplication::processEvents();
    };
    intake_.hooks.rowAdded = [this](int row) {
        if (!intake_.options.highMode) model_->RowAppended(row);
    };
}

void CMainWindow::ApplySettings() {
    transport_.flags.loop = settings_.loop;
    transport_.flags.random = settings_.random;
    transport_.flags.silentSkip = settings_.silentSkip;
    transport_.flags.timeType = settings_.timeType;
    intake_.options.nameType = settings_.nameType;
    intake_.options.highMode = settings_.highMode;
    loop_->setChecked(settings_.loop);
    random_->setChecked(settings_.random);
    engine_.SetFades(settings_.fadeIn, settings_.fadeOut);
    speed_->setText(QString::fromStdString(SpeedLabel(settings_.speed)));
    pitch_->setText(QString::fromStdString(PitchLabel(settings_.pitch)));
    if (settings_.speed != kDefaultSpeedIndex)
        engine_.SetPlaySpeed(SpeedMultiplier(settings_.speed));
    if (settings_.pitch != kDefaultPitchIndex) engine_.SetPitch(PitchPercent(settings_.pitch));
    model_->SetColours(FromColorRef(settings_.fileListColor),
                       FromColorRef(settings_.currentLineColor));
    QPalette listPalette = list_->palette();
    listPalette.setColor(QPalette::Base, FromColorRef(settings_.fileListColor));
    list_->setPalette(listPalette);
    if (settings_.trans) setWindowOpacity(settings_.transValue / 255.0);
    for (const auto& favourite : favourites_) {
        favouritesCombo_->addItem(QString::fromStdString(favourite.name));
    }
    const Rect& r = settings_.window;
    setMinimumWidth(kMinimumWidth);
    if (settings_.saveStatus) {
        for (int c = 0; c < kColumnCount; ++c) list_->setColumnWidth(c, settings_.itemWidth[c]);
        setGeometry(r.left, r.top, std::max(r.right - r.left, kMinimumWidth),
                    std::max(r.bottom - r.top, kMinimumFullHeight));
    } else {
        resize(kMinimumWidth, r.bottom - r.top);
        settings_.detail = true;
    }
    settings_.window = {x(), y(), x() + width(), y() + height()};
    if (!settings_.detail) {
        settings_.detail = true;
        ToggleDetail();
    }
}

void CMainWindow::BuildTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray_ = new QSystemTrayIcon(ProgramIcon(), this);
    tray_->setToolTip(kProductName);
    auto* menu = new QMenu(this);
    tray_->setContextMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, &CMainWindow::ShowTrayMenu);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::DoubleClick || why == QSystemTrayIcon::Trigger)
                    ToggleTrayVisibility();
            });
    tray_->show();
}

void CMainWindow::Start() {
    const bool trayStart = options_.commandLine == "-tray";
    const QString path = trayStart ? QString() : options_.commandLine;
    if (trayStart) {
        windowShown_ = false;
        if (!tray_) showMinimized();
    } else if (settings_.saveStatus && settings_.showFlag == 3) {
        showMaximized();
    } else {
        show();
    }
    housekeepingTimer_.start();
    UpdateButtons();
    favouritesCombo_->setEnabled(false);
    newFavourite_->setEnabled(false);
    if (path.isEmpty()) {
        LoadSelectedFavourite();
    } else {
        AddLines({path.toStdString()});
    }
    UpdateTotals();
    UpdateButtons();
    favouritesCombo_->setEnabled(true);
    newFavourite_->setEnabled(true);
    if (!path.isEmpty()) transport_.PlayCurrent(true);
}

void CMainWindow::LoadSelectedFavourite() {
    const int found = FindFavourite(favourites_, settings_.selectFavorite);
    currentFavourite_ = found >= 0 ? found : 0;
    favouritesCombo_->setCurrentIndex(currentFavourite_);
    if (favourites_.empty()) return;
    AddLines(ReadFavouriteLines(favourites_[currentFavourite_]));
}

// ---- TransportHost ----------------------------------------------------------------------

void CMainWindow::StartClock() {
    clockTimer_.start();
}
void CMainWindow::StopClock() {
    clockTimer_.stop();
}

void CMainWindow::SetPauseCaption(bool paused) {
    play_->setText(QString::fromUtf8(paused ? "一時停止" : "再生"));
}

void CMainWindow::SetSliderPosition(int seconds) {
    if (!position_->isSliderDown()) position_->setValue(seconds);
}

void CMainWindow::SetSliderMaximum(int seconds) {
    position_->setRange(0, std::max(seconds, 0));
}

void CMainWindow::ShowTitle(const std::string& text) {
    titleDisplay_->setText(QString::fromStdString(text));
}

void CMainWindow::UpdateTimeDisplay() {
    timeDisplay_->setText(QString::fromStdString(transport_.TimeText()));
}

void CMainWindow::UpdateButtons() {
    const bool hasSongs = transport_.List().Count() > 0;
    play_->setEnabled(hasSongs);
    previous_->setEnabled(hasSongs);
    next_->setEnabled(hasSongs);
    const int state = transport_.EngineState();
    const bool active = state == kEnginePlaying || state == kEnginePaused;
    stop_->setEnabled(active);
    position_->setEnabled(active);
}

void CMainWindow::ShowCurrentRow() {
    list_->ShowRow(playlist_.CurrentIndex());
    model_->Repaint();
}

void CMainWindow::RedrawList() {
    model_->Repaint();
}

int CMainWindow::FirstSelectedRow() {
    const auto rows = list_->SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

// Runs on the engine's thread: only hands the event to the window thread's advance timer.
void CMainWindow::EndNoticeArrived() {
    QMetaObject::invokeMethod(&advanceTimer_, qOverload<>(&QTimer::start), Qt::QueuedConnection);
}

// ---- Window behaviour -------------------------------------------------------------------

// The gradient is drawn off-screen once per size and copied in one step; the labels over it
// repaint often while files arrive, and each of them only needs its own piece copied.
void CMainWindow::paintEvent(QPaintEvent* event) {
    if (background_.size() != size()) {
        background_ = QPixmap(size());
        QPainter p(&background_);
        p.fillRect(rect(), FromColorRef(settings_.backColor2));
        for (int row = 0; row < std::min(height(), 256); ++row) {
            p.setPen(
                FromColorRef(GradientRowColour(settings_.backColor, settings_.backColor2, row)));
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
    fileCountLabel_->setGeometry(6, h - 22, 48, 18);
    fileCount_->setGeometry(56, h - 22, 60, 18);
    totalTimeLabel_->setGeometry(w - 160, h - 22, 48, 18);
    totalTime_->setGeometry(w - 110, h - 22, 104, 18);
}

void CMainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!settings_.detail && height() != kCompactHeight) resize(width(), kCompactHeight);
    if (settings_.detail && !maximised_ && !isMinimized()) {
        settings_.window = {x(), y(), x() + width(), y() + height()};
    }
    LayoutControls();
}

void CMainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (settings_.detail && !maximised_ && !isMinimized()) {
        settings_.window = {x(), y(), x() + width(), y() + height()};
    }
}

void CMainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (isMinimized() && tray_) {
        // Minimising sends the player to the tray.
        windowShown_ = false;
        QTimer::singleShot(0, this, &QWidget::hide);
        return;
    }
    const bool wasMaximised = maximised_;
    maximised_ = isMaximized();
    if (wasMaximised && !maximised_ && settings_.detail) {
        const Rect& r = settings_.window;
        setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void CMainWindow::ToggleDetail() {
    if (settings_.detail) {
        settings_.detail = false;
        setMinimumHeight(kCompactHeight);
        setMaximumHeight(kCompactHeight);
        resize(width(), kCompactHeight);
    } else {
        // Lifting the height limits resizes at once; the saved full height must survive that.
        const int fullHeight = settings_.window.bottom - settings_.window.top;
        settings_.detail = true;
        setMaximumHeight(QWIDGETSIZE_MAX);
        setMinimumHeight(kMinimumFullHeight);
        if (maximised_ && screen()) {
            resize(screen()->availableGeometry().size());
        } else {
            resize(width(), std::max(fullHeight, kMinimumFullHeight));
        }
    }
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    Shutdown();
    event->accept();
    QWidget::closeEvent(event);
}

void CMainWindow::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    gPlayingFlag = 0;
    clockTimer_.stop();
    advanceTimer_.stop();
    engine_.Stop();
    engine_.RegisterEndNotice(nullptr);  // no notice may reach a window that is going away
    engine_.SetVolume(volume_->value(), volume_->value());
    engine_.Close();
    housekeepingTimer_.stop();
    settings_.loop = transport_.flags.loop;
    settings_.random = transport_.flags.random;
    settings_.showFlag = maximised_ ? 3 : 1;
    for (int c = 0; c < kColumnCount; ++c) settings_.itemWidth[c] = list_->columnWidth(c);
    settings_.favourites = favourites_;
    settings_.selectFavorite = favouritesCombo_->currentText().toStdString();
    SaveOnExit(store_, settings_);
    if (currentFavourite_ >= 0 && currentFavourite_ < static_cast<int>(favourites_.size())) {
        SaveFavourite(favourites_[currentFavourite_], playlist_);
    }
    if (tray_) tray_->hide();
}

}  // namespace velk::app
