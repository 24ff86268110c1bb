// The main window's playlist commands: dropping, removing, reordering, the context menu and
// the hand-over of a second instance.
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>
#include <set>

#include "core/display_name.h"
#include "core/time_text.h"
#include "core/unify_artist.h"
#include "core/velk_tag_port.h"
#include "dialogs/ui/property_dialog.h"
#include "dialogs/ui/unify_artist_dialog.h"
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
    add("歌詞の編集(&E)", ids::kEditLyrics, selected.size() == 1);
    add("ﾌｫﾙﾀﾞを開く(&O)", ids::kOpenFolder, !selected.empty());
    add("ｱｰﾃｨｽﾄ名の統一(&U)...", ids::kUnifyArtist, !selected.empty());
    add("ﾌﾟﾛﾊﾟﾃｨ(&P)...", ids::kProperties, !selected.empty());
    QAction* chosen = menu.exec(list_->viewport()->mapToGlobal(where));
    if (!chosen) return;
    switch (chosen->data().toInt()) {
        case ids::kRemoveSelection:
            RemoveSelectedRows();
            break;
        case ids::kClearAll:
            session_.ClearAll();
            break;
        case ids::kEditLyrics:
            EnterLyricsEdit();
            break;
        case ids::kOpenFolder:
            OpenSelectedFolders();
            break;
        case ids::kUnifyArtist:
            UnifySelectedArtists();
            break;
        case ids::kProperties:
            ShowProperties();
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

// "ｱｰﾃｨｽﾄ名の統一": the chosen artist goes into every selected file's tag; failures are
// reported once, after every row was tried.
void CMainWindow::UnifySelectedArtists() {
    const auto rows = list_->SelectedRows();
    if (rows.empty()) return;
    Playlist& list = session_.MainList();
    QStringList artists;
    for (int row : rows) artists << QString::fromStdString(list.Entry(row).artist);
    const auto chosen = UnifyArtistDialog::Ask(artists, this);
    if (!chosen) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int current = session_.EngineState() != kEngineStopped ? list.CurrentIndex() : -1;
    VelkTagPort tags;
    const UnifyResult result = UnifyArtist(list, rows, chosen->toStdString(), current, tags);
    session_.RowsEdited(result.changedRows);
    QApplication::restoreOverrideCursor();
    if (result.anyFailed) {
        QMessageBox::warning(
            this, QString::fromUtf8(ids::kProductName),
            QString::fromUtf8("タグ情報の書き換えに失敗したファイルが存在します。"));
    }
}

// The property dialog for the first selected row; "<<" and ">>" move the selection with it.
void CMainWindow::ShowProperties() {
    const auto rows = list_->SelectedRows();
    if (rows.empty()) return;
    PropertyDialog dialog(
        session_, session_.MainList(), rows.front(), false,
        [this](int row) {
            list_->SelectRows({row});
            list_->ShowRow(row);
        },
        this);
    dialog.exec();
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
