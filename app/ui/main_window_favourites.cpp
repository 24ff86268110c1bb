// The main window's favourites combo, the new-favourite button and the options sheet.
#include <QApplication>
#include <QMessageBox>
#include <QSignalBlocker>

#include "core/favourites.h"
#include "dialogs/ui/add_favourite_dialog.h"
#include "dialogs/ui/option_sheet.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {

void CMainWindow::FavouritesChanged() {
    const QSignalBlocker quiet(favouritesCombo_);
    favouritesCombo_->clear();
    for (const auto& favourite : session_.Favourites())
        favouritesCombo_->addItem(QString::fromStdString(favourite.name));
    favouritesCombo_->setCurrentIndex(session_.CurrentFavourite());
}

void CMainWindow::SwitchFavourite(int index) {
    if (index == session_.CurrentFavourite()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SetFavouriteControlsEnabled(false);
    session_.SwitchFavourite(index);
    UpdateTotals();
    UpdateButtons();
    if (!shutDown_ && !lyricsEditTab_->isChecked()) SetFavouriteControlsEnabled(true);
    QApplication::restoreOverrideCursor();
}

void CMainWindow::ShowNewFavourite() {
    AddFavouriteDialog dialog(AddFavouriteDialog::Mode::kName,
                              QString::fromStdString(FavouritesFolder(session_.ProfileFolder())),
                              {}, -1, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString name = dialog.Name();
    if (!session_.NewFavourite(name.toStdString())) {
        QMessageBox::warning(this, QString::fromUtf8(ids::kProductName),
                             QString::fromUtf8("「%1」は既に存在します。").arg(name));
        return;
    }
    UpdateTotals();
    UpdateButtons();
}

void CMainWindow::ShowOptions() {
    COptionSheet sheet(session_, {lyricsEditTab_->isChecked(), session_.IsAdding()}, this);
    sheet.exec();
    UpdateTotals();
    UpdateButtons();
}

}  // namespace velk::app
