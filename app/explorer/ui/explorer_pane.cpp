#include "explorer/ui/explorer_pane.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>
#include <QUrl>

#include "core/display_name.h"
#include "explorer/core/explorer_view.h"
#include "explorer/ui/path_bytes.h"
#include "ui/control_ids.h"
#include "ui/drop_button.h"
#include "ui/playlist_model.h"

namespace velk::app {

namespace {

constexpr int kButtonHeight = 24;
constexpr int kGap = 2;
constexpr int kSplitterBarPixels = 8;
constexpr int kLargeIconPixels = 32;
constexpr int kSmallIconPixels = 16;

}  // namespace

ExplorerPane::ExplorerPane(PlayerSession& session, QWidget* parent)
    : QWidget(parent), session_(session), fill_(session.Engine(), [this](const std::string& path) {
          return listModel_->TypeName(path);
      }) {
    ask_ = [this](const QString& question) {
        return QMessageBox::question(this, ids::kProductName, question,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    tell_ = [this](const QString& message) {
        QMessageBox::warning(this, ids::kProductName, message);
    };
    openFolder_ = [](const QString& folder) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
    trashRoot_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    // The Recycle Bin is a folder of the tree even before anything was deleted.
    for (const char* part : {"/files", "/info"}) QDir().mkpath(trashRoot_ + part);

    listModel_ = std::make_unique<ExplorerListModel>(list_);
    listModel_->SetRenamer([this](int row, const QString& name) { return RenameRow(row, name); });
    BuildControls();
    BuildTree();
    ConnectControls();
    ApplyViewSettings();
    session_.Subscribe(*this);
    SettingsApplied();
    hide();
}

ExplorerPane::~ExplorerPane() {
    fillTimer_.stop();
    if (waitCursor_) QApplication::restoreOverrideCursor();
    session_.Unsubscribe(*this);
}

void ExplorerPane::BuildControls() {
    splitter_ = new QSplitter(this);
    splitter_->setHandleWidth(kSplitterBarPixels);
    splitter_->setChildrenCollapsible(false);
    tree_ = ids::WithControlId(new FolderTreeView(splitter_), explorer_ids::kFolderTree);
    treeModel_ = new FolderTreeModel(this);
    tree_->setModel(treeModel_);
    listStack_ = new QStackedWidget(splitter_);
    splitter_->addWidget(tree_);
    splitter_->addWidget(listStack_);
    splitter_->setStretchFactor(1, 1);
    splitter_->handle(1)->setObjectName(ids::ControlObjectName(explorer_ids::kSplitterBar));

    details_ = ids::WithControlId(new QTableView(listStack_), explorer_ids::kFileList);
    details_->setModel(listModel_.get());
    details_->verticalHeader()->hide();
    details_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    details_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    details_->horizontalHeader()->setSectionsClickable(true);
    details_->horizontalHeader()->setHighlightSections(false);
    details_->setSelectionBehavior(QAbstractItemView::SelectRows);
    details_->setWordWrap(false);
    icons_ = new QListView(listStack_);
    icons_->setObjectName(ids::ControlObjectName(explorer_ids::kFileList) + "icons");
    icons_->setModel(listModel_.get());
    icons_->setSelectionModel(details_->selectionModel());
    icons_->setUniformItemSizes(true);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setMovement(QListView::Static);
    // Thousands of rows are laid out a batch at a time while the window goes on.
    icons_->setLayoutMode(QListView::Batched);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        listStack_->addWidget(view);
    }

    const auto& m = session_.Settings().main;
    for (int c = 0; c < kExplorerColumnCount; ++c) {
        details_->setColumnWidth(c,
                                 m.saveStatus ? m.explorerItemWidth[c] : kExplorerColumnWidths[c]);
    }
    refresh_ = ids::WithControlId(new QPushButton(QString::fromUtf8("更新"), this),
                                  explorer_ids::kRefresh);
    refresh_->setToolTip(QString::fromUtf8("ﾌｫﾙﾀﾞとﾌｧｲﾙを最新に更新"));
    showFolders_ = ids::WithControlId(new QCheckBox(QString::fromUtf8("ﾌｫﾙﾀﾞ"), this),
                                      explorer_ids::kShowFolders);
    showFolders_->setToolTip(QString::fromUtf8("ﾌｫﾙﾀﾞの表示/非表示"));
    // The window's painted background would swallow the caption.
    showFolders_->setAutoFillBackground(true);
    viewType_ =
        ids::WithControlId(MakeDropButton(this, "ﾌｧｲﾙの表示ﾀｲﾌﾟを変更", ViewTypeSetting().labels),
                           explorer_ids::kViewType);
    split_ = ids::WithControlId(MakeDropButton(this, "縦/横分割を変更", SplitSetting().labels),
                                explorer_ids::kSplit);
    folderSelection_ = ids::WithControlId(
        MakeDropButton(this, "ﾌｫﾙﾀﾞの選択方法を変更", FolderSelectionSetting().labels),
        explorer_ids::kFolderSelection);
}

// The home folder, the whole file system and the Recycle Bin, as the desktop's root holds
// them.
void ExplorerPane::BuildTree() {
    const QFileIconProvider icons;
    treeModel_->SetTopFolders({
        {QString::fromUtf8("ホーム"), QDir::homePath(), icons.icon(QFileIconProvider::Folder)},
        {QStringLiteral("/"), QStringLiteral("/"), icons.icon(QFileIconProvider::Drive)},
        {QString::fromUtf8("ごみ箱"), trashRoot_ + "/files",
         icons.icon(QFileIconProvider::Trashcan)},
    });
    tree_->expand(treeModel_->index(0, 0));
}

void ExplorerPane::ConnectControls() {
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { FolderSelected(current); });
    connect(tree_, &QWidget::customContextMenuRequested, this, &ExplorerPane::ShowTreeMenu);
    connect(treeModel_, &FolderTreeModel::renameRefused, this,
            [this] { tell_(QString::fromUtf8("リネームに失敗しました。")); });
    // The renamed folder is selected again once the tree has seen the change.
    connect(treeModel_, &FolderTreeModel::folderRenamed, this,
            [this](const QString&, const QString& to) {
                folderTimerPath_ = to;
                folderTimer_.start();
            });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            if (index.isValid()) PlayRow(index.row());
        });
        connect(view, &QWidget::customContextMenuRequested, this, &ExplorerPane::ShowListMenu);
    }
    connect(details_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &ExplorerPane::SortByColumn);

    connect(refresh_, &QPushButton::clicked, this, &ExplorerPane::Refresh);
    connect(showFolders_, &QCheckBox::toggled, this, &ExplorerPane::ShowTree);
    const auto& m = session_.Settings().main;
    connect(viewType_, &QToolButton::clicked, this,
            [this, &m] { SetViewType(ViewTypeSetting().Next(m.explorerViewType)); });
    connect(split_, &QToolButton::clicked, this,
            [this, &m] { SetSplit(SplitSetting().Next(m.explorerSplit)); });
    connect(folderSelection_, &QToolButton::clicked, this,
            [this, &m] { SetFolderSelection(FolderSelectionSetting().Next(m.explorerFolderSel)); });
    connect(viewType_->menu(), &QMenu::triggered, this,
            [this](QAction* a) { SetViewType(a->data().toInt()); });
    connect(split_->menu(), &QMenu::triggered, this,
            [this](QAction* a) { SetSplit(a->data().toInt()); });
    connect(folderSelection_->menu(), &QMenu::triggered, this,
            [this](QAction* a) { SetFolderSelection(a->data().toInt()); });

    fillTimer_.setInterval(0);
    connect(&fillTimer_, &QTimer::timeout, this, &ExplorerPane::FillStep);
    folderTimer_.setSingleShot(true);
    folderTimer_.setInterval(explorer_ids::kFolderTimerMs);
    connect(&folderTimer_, &QTimer::timeout, this, [this] { ShowFolder(folderTimerPath_); });
    // Another program's changes arrive as bursts of notices; the list follows once they rest.
    changeTimer_.setSingleShot(true);
    changeTimer_.setInterval(100);
    connect(&changeTimer_, &QTimer::timeout, this, &ExplorerPane::FolderChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& folder) {
        if (folder == shown_) changeTimer_.start();
    });
}

// ---- View settings --------------------------------------------------------------------------

void ExplorerPane::ApplyViewSettings() {
    const MainWindowSettings& m = session_.Settings().main;
    const int type = ViewTypeSetting().Valid(m.explorerViewType);
    const bool details = type == kDetails || type == kDetailsWithGrid;
    if (!details) {
        const bool large = type == kLargeIcons;
        const int pixels = large ? kLargeIconPixels : kSmallIconPixels;
        icons_->setViewMode(large ? QListView::IconMode : QListView::ListMode);
        icons_->setFlow(type == kListView ? QListView::TopToBottom : QListView::LeftToRight);
        icons_->setWrapping(true);
        icons_->setWordWrap(large);
        icons_->setIconSize(QSize(pixels, pixels));
        icons_->setGridSize(large ? QSize(96, 64) : QSize());
        icons_->setSpacing(large ? 0 : 2);
    }
    details_->setShowGrid(type == kDetailsWithGrid);
    QAbstractItemView* shownView = details ? static_cast<QAbstractItemView*>(details_) : icons_;
    const bool focused = listStack_->currentWidget() && listStack_->currentWidget()->hasFocus();
    listStack_->setCurrentWidget(shownView);
    if (focused) shownView->setFocus();
    viewType_->setText(QString::fromStdString(ViewTypeSetting().Label(type)));

    const int split = SplitSetting().Valid(m.explorerSplit);
    splitter_->setOrientation(split == kSideBySide ? Qt::Horizontal : Qt::Vertical);
    split_->setText(QString::fromStdString(SplitSetting().Label(split)));

    const int selection = FolderSelectionSetting().Valid(m.explorerFolderSel);
    tree_->SetSingleClickSelection(selection == kSingleClick);
    folderSelection_->setText(QString::fromStdString(FolderSelectionSetting().Label(selection)));

    const bool treeShown = m.explorerShowFolder != 0;
    showFolders_->setChecked(treeShown);
    tree_->setVisible(treeShown);
    splitter_->handle(1)->setVisible(treeShown);
}

void ExplorerPane::SetViewType(int type) {
    session_.Settings().main.explorerViewType = ViewTypeSetting().Valid(type);
    ApplyViewSettings();
}

void ExplorerPane::SetSplit(int split) {
    StoreState();
    session_.Settings().main.explorerSplit = SplitSetting().Valid(split);
    ApplyViewSettings();
    splitter_->setSizes({session_.Settings().main.explorerFolderWidth, QWIDGETSIZE_MAX});
}

void ExplorerPane::SetFolderSelection(int selection) {
    session_.Settings().main.explorerFolderSel = FolderSelectionSetting().Valid(selection);
    ApplyViewSettings();
}

void ExplorerPane::ShowTree(bool shown) {
    if (!shown) StoreState();
    session_.Settings().main.explorerShowFolder = shown ? 1 : 0;
    ApplyViewSettings();
    if (shown) splitter_->setSizes({session_.Settings().main.explorerFolderWidth, QWIDGETSIZE_MAX});
}

void ExplorerPane::StoreState() {
    MainWindowSettings& m = session_.Settings().main;
    for (int c = 0; c < kExplorerColumnCount; ++c)
        m.explorerItemWidth[c] = details_->columnWidth(c);
    const QList<int> sizes = splitter_->sizes();
    if (tree_->isVisibleTo(this) && !sizes.isEmpty() && sizes.front() > 0)
        m.explorerFolderWidth = sizes.front();
}

QAbstractItemView& ExplorerPane::ListView() {
    return *static_cast<QAbstractItemView*>(listStack_->currentWidget());
}

// The buttons take their natural widths, all narrowed alike when the pane is narrower.
void ExplorerPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width(), h = height();
    const int buttonsTop = std::max(h - kButtonHeight, 0);
    splitter_->setGeometry(0, 0, w, std::max(buttonsTop - kGap, 0));
    QWidget* const buttons[] = {refresh_, showFolders_, viewType_, split_, folderSelection_};
    int natural = 0;
    for (QWidget* button : buttons) natural += button->sizeHint().width() + kGap;
    const double scale = natural > w && natural > 0 ? double(w) / natural : 1.0;
    int x = 0;
    for (QWidget* button : buttons) {
        const int buttonWidth =
            static_cast<int>((button->sizeHint().width() + kGap) * scale) - kGap;
        button->setGeometry(x, buttonsTop, std::max(buttonWidth, 0), kButtonHeight);
        x += buttonWidth + kGap;
    }
}

// The first display selects the folder shown last, once the window is up (timer 8).
void ExplorerPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    splitter_->setSizes({session_.Settings().main.explorerFolderWidth, QWIDGETSIZE_MAX});
    if (!shown_.isEmpty() || folderTimer_.isActive()) return;
    folderTimerPath_ = PathText(session_.Settings().main.explorerFolder);
    if (!folderTimerPath_.isEmpty()) folderTimer_.start();
}

// ---- What the session says --------------------------------------------------------------------

void ExplorerPane::SettingsApplied() {
    const MainWindowSettings& m = session_.Settings().main;
    listModel_->SetColours(FromColorRef(m.fileListColor), FromColorRef(m.currentLineColor));
    for (QWidget* view : {static_cast<QWidget*>(tree_), static_cast<QWidget*>(details_),
                          static_cast<QWidget*>(icons_)}) {
        QPalette colours = view->palette();
        colours.setColor(QPalette::Base, FromColorRef(m.fileListColor));
        view->setPalette(colours);
    }
    for (int i = 0; i < list_.Count(); ++i) {
        PlaylistEntry& entry = list_.Entry(i);
        entry.displayName = MakeDisplayName(entry, m.nameType);
    }
}

void ExplorerPane::PlaylistChanged(PlaylistChange change) {
    if (change == PlaylistChange::kCurrentRow && IsActive() && list_.HasCurrent())
        ListView().scrollTo(listModel_->index(list_.CurrentIndex(), 0));
    if (change != PlaylistChange::kRows) listModel_->Repaint();
}

bool ExplorerPane::IsActive() {
    return &session_.Active() == &list_;
}

// ---- Rows ---------------------------------------------------------------------------------------

std::vector<int> ExplorerPane::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : details_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ExplorerPane::SelectRows(const std::vector<int>& rows) {
    QItemSelection selection;
    for (int row : rows) {
        if (row < 0 || row >= list_.Count()) continue;
        selection.select(listModel_->index(row, 0),
                         listModel_->index(row, kExplorerColumnCount - 1));
    }
    details_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.empty() && rows.front() >= 0 && rows.front() < list_.Count())
        details_->selectionModel()->setCurrentIndex(listModel_->index(rows.front(), 0),
                                                    QItemSelectionModel::NoUpdate);
}

// A double click plays the row, with random choosing instead when random is on.
void ExplorerPane::PlayRow(int row) {
    if (!IsActive() || row < 0 || row >= list_.Count()) return;
    list_.SetCurrentIndex(row);
    session_.Player().PlayCurrent(true);
    listModel_->Repaint();
}

}  // namespace velk::app
