// The explorer pane's list: filling it for a folder a step at a time, following the folder's
// changes, sorting by a header click.
#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <chrono>
#include <set>

#include "explorer/ui/explorer_pane.h"
#include "explorer/ui/path_bytes.h"

namespace velk::app {

namespace {

// One step of a filling reads files for about this long, then the window runs again.
constexpr auto kFillStep = std::chrono::milliseconds(25);

}  // namespace

void ExplorerPane::ShowFolder(const QString& path) {
    // A folder asked for now wins over the one the first display would still select.
    folderTimer_.stop();
    const QModelIndex node = treeModel_->IndexOfPath(path);
    if (!node.isValid()) {
        // A folder the tree does not hold (gone, or never there) still gets its list.
        tree_->selectionModel()->clearCurrentIndex();
        Fill(path);
        return;
    }
    if (node == tree_->currentIndex()) {
        Fill(path);
    } else {
        tree_->setCurrentIndex(node);
    }
    tree_->FollowCurrent();
}

void ExplorerPane::FolderSelected(const QModelIndex& index) {
    Fill(index.isValid() ? treeModel_->PathOf(index) : QString());
}

void ExplorerPane::Refresh() {
    const QString folder = shown_;
    BuildTree();
    ShowFolder(folder);
}

// A new filling: the song of the old list stops, the rows and the sort arrows go, and the
// folder's files are read in steps (all at once in "High Mode") under the wait cursor.
void ExplorerPane::Fill(const QString& folder) {
    if (IsActive()) {
        const int state = session_.EngineState();
        if (state == kEnginePlaying || state == kEnginePaused) session_.Player().Stop();
    }
    fill_.Stop();
    fillTimer_.stop();
    changeTimer_.stop();
    listModel_->Clear();
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    shown_ = folder;
    session_.Settings().main.explorerFolder = PathBytes(folder);
    emit rowsChanged();
    if (folder.isEmpty()) return;
    watcher_.addPath(folder);
    auto listing = ListFolder(PathBytes(folder));
    if (!listing || listing->empty()) return;
    fill_.Start(std::move(*listing), session_.Settings().main.nameType);
    if (!waitCursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waitCursor_ = true;
    }
    if (session_.Settings().main.highMode) {
        listModel_->Append(fill_.Step(nullptr));
        EndFill();
        return;
    }
    fillTimer_.start();
}

void ExplorerPane::FillStep() {
    const auto until = std::chrono::steady_clock::now() + kFillStep;
    listModel_->Append(fill_.Step([until] { return std::chrono::steady_clock::now() >= until; }));
    if (fill_.Done()) {
        EndFill();
    } else {
        emit rowsChanged();
    }
}

void ExplorerPane::EndFill() {
    fillTimer_.stop();
    if (waitCursor_) {
        QApplication::restoreOverrideCursor();
        waitCursor_ = false;
    }
    emit rowsChanged();
}

// Another program added, removed or renamed files of the shown folder: the rows of files that
// are gone go, new files are read like a filling's.
void ExplorerPane::FolderChanged() {
    if (shown_.isEmpty()) return;
    const auto listing = ListFolder(PathBytes(shown_)).value_or(std::vector<ListedFile>{});
    std::vector<std::string> rowPaths;
    rowPaths.reserve(list_.Count());
    for (int i = 0; i < list_.Count(); ++i) rowPaths.push_back(list_.Entry(i).path);
    ListingChange change = CompareListing(rowPaths, fill_.WaitingPaths(), listing);
    RemoveGoneRows(change.goneRows);
    if (change.added.empty()) return;
    fill_.Queue(std::move(change.added));
    if (!fillTimer_.isActive()) fillTimer_.start();
}

void ExplorerPane::RemoveGoneRows(const std::vector<int>& rows) {
    if (rows.empty()) return;
    const RemovalResult removed = listModel_->RemoveRows(rows);
    if (removed.currentRemoved && IsActive() && session_.EngineState() != kEngineStopped)
        session_.Player().Stop();
    emit rowsChanged();
}

void ExplorerPane::RereadRowFiles() {
    for (int i = 0; i < list_.Count(); ++i) {
        ExplorerRow& row = list_.Row(i);
        struct stat info {};
        if (::lstat(row.entry.path.c_str(), &info) != 0) continue;
        row.size = static_cast<uint64_t>(info.st_size);
        row.modified = static_cast<int64_t>(info.st_mtime);
        row.typeName = listModel_->TypeName(row.entry.path);
    }
    listModel_->Repaint();
}

// The selection stays with its rows.
void ExplorerPane::SortByColumn(int column) {
    std::set<const ExplorerRow*> selected;
    for (int row : SelectedRows()) selected.insert(&list_.Row(row));
    list_.SortByColumn(column);
    listModel_->Reload();
    std::vector<int> rows;
    for (int i = 0; i < list_.Count(); ++i) {
        if (selected.count(&list_.Row(i))) rows.push_back(i);
    }
    SelectRows(rows);
}

}  // namespace velk::app
