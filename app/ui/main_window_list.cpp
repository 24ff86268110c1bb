// The main window's playlist commands: adding, dropping, removing, sorting, the context menu.
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <set>

#include "core/display_name.h"
#include "core/favourites.h"
#include "core/playlist_actions.h"
#include "core/time_text.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {

// In bulk mode the view learns of the new rows once, after the last of them.
void CMainWindow::AddLines(const std::vector<std::string>& lines) {
    for (const auto& line : lines) intake_.AddPath(line, false);
    if (intake_.options.highMode) model_->Reload();
}

void CMainWindow::AddDroppedPaths(const QStringList& paths) {
    const bool waitCursor = intake_.options.highMode;
    if (waitCursor) QApplication::setOverrideCursor(Qt::WaitCursor);
    favouritesCombo_->setEnabled(false);
    newFavourite_->setEnabled(false);
    std::vector<std::string> items;
    for (const QString& p : paths) items.push_back(p.toStdString());
    intake_.AddDropped(items);
    if (intake_.options.highMode) model_->Reload();
    if (currentFavourite_ >= 0 && currentFavourite_ < static_cast<int>(favourites_.size())) {
        SaveFavourite(favourites_[currentFavourite_], playlist_);
    }
    UpdateTotals();
    UpdateButtons();
    favouritesCombo_->setEnabled(true);
    newFavourite_->setEnabled(true);
    if (waitCursor) QApplication::restoreOverrideCursor();
}

void CMainWindow::UpdateTotals() {
    totalTime_->setText(QString::fromStdString(FormatTime(playlist_.TotalSeconds())));
    fileCount_->setText(QString::number(playlist_.Count()));
}

void CMainWindow::RemoveSelectedRows() {
    const auto rows = list_->SelectedRows();
    if (RemoveSelected(playlist_, transport_, rows, [this] { model_->Reload(); })) UpdateTotals();
    UpdateButtons();
}

void CMainWindow::ClearAllRows() {
    ClearAll(playlist_, transport_, [this] { model_->Reload(); });
    UpdateTotals();
}

void CMainWindow::SortColumn(int column) {
    playlist_.SortByColumn(column);
    model_->Reload();
}

void CMainWindow::MoveSelection(int direction) {
    const auto moved = playlist_.MoveRows(list_->SelectedRows(), direction);
    model_->Repaint();
    list_->SelectRows(moved);
    if (!moved.empty()) list_->ShowRow(direction < 0 ? moved.front() : moved.back());
}

void CMainWindow::ShowListMenu(const QPoint& where) {
    const auto selected = list_->SelectedRows();
    QMenu menu(this);
    auto add = [&menu](const char* text, int command, bool enabled) {
        QAction* action = menu.addAction(QString::fromUtf8(text));
        action->setData(command);
        action->setEnabled(enabled);
        return action;
    };
    add("選択をｸﾘｱ(&S)\tDEL", ids::kRemoveSelection, !selected.empty());
    add("全てｸﾘｱ(&A)", ids::kClearAll, playlist_.Count() > 0);
    // The lyrics editor, artist unification and the tag dialog arrive with their own windows.
    add("歌詞の編集(&E)", ids::kEditLyrics, false);
    add("ﾌｫﾙﾀﾞを開く(&O)", ids::kOpenFolder, !selected.empty());
    add("ｱｰﾃｨｽﾄ名の統一(&U)...", ids::kUnifyArtist, false);
    add("ﾌﾟﾛﾊﾟﾃｨ(&P)...", ids::kProperties, false);
    QAction* chosen = menu.exec(list_->viewport()->mapToGlobal(where));
    if (!chosen) return;
    switch (chosen->data().toInt()) {
        case ids::kRemoveSelection:
            RemoveSelectedRows();
            break;
        case ids::kClearAll:
            ClearAllRows();
            break;
        case ids::kOpenFolder:
            OpenSelectedFolders();
            break;
        default:
            break;
    }
}

void CMainWindow::OpenSelectedFolders() {
    std::set<std::string> folders;
    for (int row : list_->SelectedRows()) folders.insert(FolderOf(playlist_.Entry(row).path));
    for (const auto& folder : folders) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
    }
}

void CMainWindow::HandOver(const QString& commandLine) {
    if (intake_.IsAdding()) return;
    raise();
    activateWindow();
    if (commandLine.isEmpty()) return;
    if (favouritesCombo_->count() > 0) favouritesCombo_->setCurrentIndex(0);
    currentFavourite_ = 0;
    ClearAllRows();
    AddLines({commandLine.toStdString()});
    UpdateTotals();
    transport_.PlayCurrent(true);
}

}  // namespace velk::app
