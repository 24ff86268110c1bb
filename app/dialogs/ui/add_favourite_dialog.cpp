#include "dialogs/ui/add_favourite_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/favourites.h"
#include "ui/control_ids.h"

namespace velk::app {

QString ForbiddenNameMessage() {
    return QString::fromUtf8(kForbiddenNameCharacters.data(), kForbiddenNameCharacters.size()) +
           QString::fromUtf8("は使用できません。");
}

AddFavouriteDialog::AddFavouriteDialog(Mode mode, const QString& favouritesFolder,
                                       const QStringList& names, int preselected, QWidget* parent)
    : QDialog(parent), mode_(mode), favouritesFolder_(favouritesFolder) {
    setWindowTitle(QString::fromUtf8("お気に入りの追加"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8("名前"), this));
    if (mode_ == Mode::kName) {
        name_ = new QLineEdit(this);
        name_->setObjectName(ids::ControlObjectName(kNameEdit));
        name_->setMaxLength(std::max(1, kLongestPath - static_cast<int>(favouritesFolder.size())));
        connect(name_, &QLineEdit::textChanged, this, &AddFavouriteDialog::UpdateOk);
        row->addWidget(name_, 1);
    } else {
        list_ = new QComboBox(this);
        list_->setObjectName(ids::ControlObjectName(kFavouriteList));
        list_->addItems(names);
        list_->setCurrentIndex(preselected >= 0 && preselected < names.size() ? preselected : -1);
        list_->setMinimumContentsLength(20);
        connect(list_, &QComboBox::currentIndexChanged, this, &AddFavouriteDialog::UpdateOk);
        row->addWidget(list_, 1);
    }
    layout->addLayout(row);
    if (mode_ == Mode::kChooseWithSubfolders) {
        subfolders_ = new QCheckBox(QString::fromUtf8("ｻﾌﾞﾌｫﾙﾀﾞを含む"), this);
        subfolders_->setObjectName(ids::ControlObjectName(kSubfolders));
        layout->addWidget(subfolders_);
    }
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    UpdateOk();
}

QString AddFavouriteDialog::Name() const {
    return name_ ? name_->text() : QString();
}

int AddFavouriteDialog::ChosenIndex() const {
    return list_ ? list_->currentIndex() : -1;
}

bool AddFavouriteDialog::IncludeSubfolders() const {
    return subfolders_ && subfolders_->isChecked();
}

// Choosing needs a favourite, naming a name (which is checked only when OK is pressed).
void AddFavouriteDialog::UpdateOk() {
    ok_->setEnabled(list_ ? list_->currentIndex() >= 0 : !name_->text().isEmpty());
}

void AddFavouriteDialog::accept() {
    if (mode_ == Mode::kName && !NameAccepted()) return;
    if (!ok_->isEnabled()) return;
    QDialog::accept();
}

bool AddFavouriteDialog::NameAccepted() {
    const std::string name = Name().toStdString();
    const size_t bad = FirstForbiddenCharacter(name);
    if (bad != std::string::npos) {
        QMessageBox::warning(
            this, windowTitle(),
            QString::fromUtf8(kForbiddenNameCharacters.data(), kForbiddenNameCharacters.size()) +
                QString::fromUtf8("は使用できません。"));
        name_->setFocus();
        name_->setSelection(QString::fromStdString(name.substr(0, bad)).size(), 1);
        return false;
    }
    // The favourite's file will lie in the favourites folder, so that is where a file of the
    // same name would be overwritten.
    const QString fileName = Name() + QStringLiteral(".m3u");
    if (!QFileInfo::exists(favouritesFolder_ + "/" + fileName)) return true;
    const auto answer = QMessageBox::question(
        this, windowTitle(),
        fileName + QString::fromUtf8("は既に存在します。\r\n上書きしてよろしいですか。"),
        QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes;
}

}  // namespace velk::app
