// The main window's explorer mode: the "ｴｸｽﾌﾟﾛｰﾗ" tab shows the explorer pane in the
// playlist's place and makes its list the one transport plays; the "お気に入り" tab and the
// wake timer give the playlist back. Each switch of lists stops playback.
#include "ui/main_window.h"

namespace velk::app {

void CMainWindow::ShowExplorerPanel() {
    for (QPushButton* tab : {favouritesTab_, lyricsEditTab_, geqTab_}) tab->setChecked(false);
    explorerTab_->setChecked(true);
    const bool shownAlready = explorerMode_ && !geqPanel_->IsOpen() && !InLyricsEdit();
    if (shownAlready) return;
    // Coming back from the equalizer panel to the pane, the pane's song plays on.
    const bool leavingOnlyEqualizer = explorerMode_ && geqPanel_->IsOpen() && !InLyricsEdit();
    if (InLyricsEdit() && !LeaveLyricsEdit()) return;
    if (!leavingOnlyEqualizer) session_.Player().Stop();
    if (geqPanel_->IsOpen()) geqPanel_->LeaveForOtherPanel();
    if (!explorerMode_) {
        explorerMode_ = true;
        Main().showMode = true;
        session_.SetActiveList(&explorer_->List());
    }
    SetFavouriteControlsEnabled(false);
    ApplyCompactLayout();
    UpdateButtons();
}

void CMainWindow::LeaveExplorerMode() {
    if (!explorerMode_) return;
    explorerMode_ = false;
    Main().showMode = false;
    session_.Player().Stop();
    session_.SetActiveList(nullptr);
    explorerTab_->setChecked(false);
    if (!session_.IsAdding() && !InLyricsEdit()) SetFavouriteControlsEnabled(true);
    ApplyCompactLayout();
    UpdateTotals();
    UpdateButtons();
}

QWidget& CMainWindow::ListPanel() {
    return explorerMode_ ? static_cast<QWidget&>(*explorer_) : *list_;
}

std::vector<int> CMainWindow::ActiveSelection() const {
    return explorerMode_ ? explorer_->SelectedRows() : list_->SelectedRows();
}

}  // namespace velk::app
