// The main window's playlist commands: dropping, removing, reordering, the context menu and
// the hand-over of a second instance.
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <set>

#include "core/display_name.h"
#include "core/time_text.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {

void CMainWindow::AddDroppedPaths(const QStringList& paths) {
    const bool waitCursor = Main().highMode;
    if (waitCursor) QApplication::setOverrideCursor(Qt::WaitCursor);
    SetFavouriteControlsEnabled(false);
    std::vector<std::string> items;
    for (const QString& p : paths) items.push_back(p.toStdString());
    session_.AddDropped(items);
    UpdateTotals();
    UpdateButtons();
    if (!shutDown_) SetFavouriteControlsEnabled(true);
    if (waitCursor) QApplication::restoreOverrideCursor();
}

void CMainWindow::UpdateTotals() {
    const Playlist& list = session_.MainList();
    totalTime_->setText(QString::fromStdString(FormatTime(list.TotalSeconds())));
    fileCount_->setText(QString::number(list.Count()));
}

void CMainWindow::RemoveSelectedRows() {
    session_.RemoveRows(list_->SelectedRows());
}

void CMainWindow::MoveSelection(int direction) {
    const auto moved = session_.MoveRows(list_->SelectedRows(), direction);
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
    add("全てｸﾘｱ(&A)", ids::kClearAll, session_.MainList().Count() > 0);
    // The lyrics editor and the tag dialog arrive with their own windows.
    add("歌詞の編集(&E)", ids::kEditLyrics, false);
    add("ﾌｫﾙﾀﾞを開く(&O)", ids::kOpenFolder, !selected.empty());
    add("ｱｰﾃｨｽﾄ名の統一(&U)...", ids::kUnifyArtist, !selected.empty());
    add("ﾌﾟﾛﾊﾟﾃｨ(&P)...", ids::kProperties, false);
    QAction* chosen = menu.exec(list_->viewport()->mapToGlobal(where));
    if (!chosen) return;
    switch (chosen->data().toInt()) {
        case ids::kRemoveSelection:
            RemoveSelectedRows();
            break;
        case ids::kClearAll:
            session_.ClearAll();
            break;
        case ids::kOpenFolder:
            OpenSelectedFolders();
            break;
        case ids::kUnifyArtist:
            UnifySelectedArtists();
            break;
        default:
            break;
    }
}

void CMainWindow::OpenSelectedFolders() {
    std::set<std::string> folders;
    for (int row : list_->SelectedRows()) {
        folders.insert(FolderOf(session_.MainList().Entry(row).path));
    }
    for (const auto& folder : folders) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
    }
}

void CMainWindow::HandOver(const QString& commandLine) {
    if (session_.IsAdding() || shutDown_) return;
    if (windowShown_) {
        raise();
        activateWindow();
    }
    if (commandLine.isEmpty()) return;
    if (favouritesCombo_->count() > 0) favouritesCombo_->setCurrentIndex(0);
    session_.HandOver(commandLine.toStdString());
}

}  // namespace velk::app

namespace velk::app {
void CMainWindow::UnifySelectedArtists() {}
}  // namespace velk::app
