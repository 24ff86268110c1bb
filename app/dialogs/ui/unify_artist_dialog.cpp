#include "dialogs/ui/unify_artist_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/control_ids.h"

namespace velk::app {

UnifyArtistDialog::UnifyArtistDialog(const QStringList& artists, QWidget* parent)
    : QDialog(parent), artist_(new QComboBox(this)) {
    setWindowTitle(QString::fromUtf8("ｱｰﾃｨｽﾄ名の統一"));
    artist_->setObjectName(ids::ControlObjectName(kArtistCombo));
    artist_->setEditable(true);
    artist_->setInsertPolicy(QComboBox::InsertAlphabetically);
    artist_->setMinimumContentsLength(24);
    QStringList choices = artists;
    choices.removeAll(QString());
    choices.removeDuplicates();
    choices.sort();
    artist_->addItems(choices);
    if (!artists.isEmpty()) artist_->setCurrentText(artists.first());

    auto* form = new QFormLayout;
    form->addRow(new QLabel(QString::fromUtf8("ｱｰﾃｨｽﾄ名"), this), artist_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString UnifyArtistDialog::ChosenArtist() const {
    return artist_->currentText();
}

std::optional<QString> UnifyArtistDialog::Ask(const QStringList& artists, QWidget* parent) {
    UnifyArtistDialog dialog(artists, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.ChosenArtist();
}

}  // namespace velk::app
