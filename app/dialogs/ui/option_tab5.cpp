#include "dialogs/ui/option_tab5.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/player_session.h"
#include "core/playlist_file.h"
#include "dialogs/ui/add_favourite_dialog.h"
#include "ui/control_ids.h"

namespace velk::app {

namespace {

constexpr int kColumnWidth = 330;

QTreeWidget* MakeList(QWidget* parent, int id, const char* header) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(ids::ControlObjectName(id));
    list->setColumnCount(1);
    list->setHeaderLabels({QString::fromUtf8(header)});
    list->setRootIsDecorated(false);
    list->setColumnWidth(0, kColumnWidth);
    list->setMinimumWidth(kColumnWidth + 2 * list->frameWidth() + 4);
    return list;
}

}  // namespace

COptionTab5::COptionTab5(PlayerSession& session, QWidget* parent)
    : OptionPage(parent), session_(session), editor_(session.FavouriteDrafts()) {
    BuildLists();
    ShowFavourites(session_.CurrentFavourite());
}

QString COptionTab5::Caption() const {
    return QString::fromUtf8("お気に入り");
}

QPushButton* COptionTab5::AddButton(int id, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(ids::ControlObjectName(id));
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

void COptionTab5::BuildLists() {
    favourites_ = MakeList(this, kFavouriteList, "お気に入り");
    favourites_->setEditTriggers(QAbstractItemView::EditKeyPressed);
    songs_ = MakeList(this, kSongList, "ﾌｧｲﾙ");
    songs_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (QTreeWidget* list : {favourites_, songs_}) list->installEventFilter(this);

    auto* upper = new QVBoxLayout;
    auto* lower = new QVBoxLayout;
    auto connectTo = [this](QPushButton* button, auto action) {
        connect(button, &QPushButton::clicked, this, action);
        return button;
    };
    upper->addWidget(connectTo(AddButton(kNewFavourite, "新規...", "お気に入りを新規追加"),
                               [this] { ChooseNewFavourite(); }));
    upper->addWidget(connectTo(AddButton(kAddFromPlaylist, "追加...", "ﾌﾟﾚｲﾘｽﾄから追加"),
                               [this] { ChoosePlaylistFile(); }));
    upper->addWidget(connectTo(
        AddButton(kRenameFavourite, "リネーム", "選択したお気に入りの名前を変更"), [this] {
            if (QTreeWidgetItem* item = favourites_->currentItem()) favourites_->editItem(item);
        }));
    upper->addWidget(connectTo(AddButton(kRemoveFavourite, "削除", "選択したお気に入りを削除(DEL)"),
                               [this] { RemoveSelectedFavourite(); }));
    upper->addWidget(connectTo(AddButton(kFavouriteUp, "↑", "選択したお気に入りを上に移動"),
                               [this] { MoveSelectedFavourite(-1); }));
    upper->addWidget(connectTo(AddButton(kFavouriteDown, "↓", "選択したお気に入りを下に移動"),
                               [this] { MoveSelectedFavourite(1); }));
    upper->addStretch(1);
    lower->addWidget(connectTo(AddButton(kAddSongs, "追加...", "ｵｰﾃﾞｨｵﾌｧｲﾙを追加(複数選択可)"),
                               [this] { ChooseSongs(); }));
    lower->addWidget(
        connectTo(AddButton(kRemoveSongs, "削除", "選択したﾌｧｲﾙを削除(複数選択可/DEL)"),
                  [this] { RemoveSelectedSongs(); }));
    lower->addWidget(connectTo(AddButton(kSongsUp, "↑", "選択したﾌｧｲﾙを上に移動(複数選択可)"),
                               [this] { MoveSelectedSongs(-1); }));
    lower->addWidget(connectTo(AddButton(kSongsDown, "↓", "選択したﾌｧｲﾙを下に移動(複数選択可)"),
                               [this] { MoveSelectedSongs(1); }));
    fullPaths_ = AddButton(kFullPaths, "ﾌﾙﾊﾟｽ表示", "ﾌｧｲﾙ名/ﾌﾙﾊﾟｽ名の表示切替");
    fullPaths_->setCheckable(true);
    connect(fullPaths_, &QPushButton::toggled, this, [this] { ShowSongs(SelectedSongs()); });
    lower->addWidget(fullPaths_);
    lower->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(favourites_, 0, 0);
    grid->addLayout(upper, 0, 1);
    grid->addWidget(songs_, 1, 0);
    grid->addLayout(lower, 1, 1);
    grid->setRowStretch(1, 2);

    connect(favourites_, &QTreeWidget::currentItemChanged, this, [this] {
        if (!filling_) ShowSongs();
    });
    connect(favourites_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (!filling_) RenameFavourite(favourites_->indexOfTopLevelItem(item), item->text(0));
    });
}

void COptionTab5::ShowFavourites(int selectRow) {
    filling_ = true;
    favourites_->clear();
    for (const auto& favourite : editor_.Favourites()) {
        auto* item = new QTreeWidgetItem(favourites_, {QString::fromStdString(favourite.name)});
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    if (selectRow >= 0 && selectRow < editor_.Count()) {
        QTreeWidgetItem* item = favourites_->topLevelItem(selectRow);
        favourites_->setCurrentItem(item);
        favourites_->scrollToItem(item);
    }
    filling_ = false;
    ShowSongs();
}

void COptionTab5::ShowSongs(const std::vector<int>& selectRows) {
    songs_->clear();
    const int row = SelectedFavourite();
    if (row < 0) return;
    const bool full = fullPaths_->isChecked();
    for (const auto& line : editor_.Favourites()[row].lines) {
        new QTreeWidgetItem(songs_, {QString::fromStdString(FavouriteLineText(line, full))});
    }
    for (int song : selectRows) {
        if (QTreeWidgetItem* item = songs_->topLevelItem(song)) item->setSelected(true);
    }
    if (!selectRows.empty()) {
        if (QTreeWidgetItem* item = songs_->topLevelItem(selectRows.front()))
            songs_->scrollToItem(item);
    }
}

int COptionTab5::SelectedFavourite() const {
    QTreeWidgetItem* item = favourites_->currentItem();
    return item ? favourites_->indexOfTopLevelItem(item) : -1;
}

std::vector<int> COptionTab5::SelectedSongs() const {
    std::vector<int> rows;
    for (QTreeWidgetItem* item : songs_->selectedItems())
        rows.push_back(songs_->indexOfTopLevelItem(item));
    return rows;
}

void COptionTab5::ChooseNewFavourite() {
    AddFavouriteDialog dialog(AddFavouriteDialog::Mode::kName,
                              QString::fromStdString(FavouritesFolder(session_.ProfileFolder())),
                              {}, -1, this);
    if (dialog.exec() == QDialog::Accepted) AddNewFavourite(dialog.Name());
}

void COptionTab5::AddNewFavourite(const QString& name) {
    if (editor_.HasName(name.toStdString())) {
        QMessageBox::warning(this, Caption(),
                             QString::fromUtf8("「%1」は既に存在します。").arg(name));
        return;
    }
    ShowFavourites(editor_.AddNew(name.toStdString()));
}

void COptionTab5::ChoosePlaylistFile() {
    const QString file =
        QFileDialog::getOpenFileName(this, QString::fromUtf8("ﾌﾟﾚｲﾘｽﾄを指定"), QString(),
                                     QString::fromUtf8("ﾌﾟﾚｲﾘｽﾄ (*.m3u *.pls)"));
    if (!file.isEmpty()) AddFromPlaylistFile(file);
}

void COptionTab5::AddFromPlaylistFile(const QString& file) {
    const auto added = editor_.AddFromPlaylist(QFileInfo(file).completeBaseName().toStdString(),
                                               ReadPlaylistLines(file.toStdString()));
    ShowFavourites(added.row);
    if (added.renamed) {
        QMessageBox::information(this, Caption(),
                                 QString::fromUtf8("同じ名前が存在するためリネームされました。"));
    }
}

void COptionTab5::RenameFavourite(int row, const QString& name) {
    using Result = FavouritesEditor::RenameResult;
    const Result result = editor_.Rename(row, name.toStdString());
    if (result == Result::kEmpty) {
        QMessageBox::warning(this, Caption(), QString::fromUtf8("名前を入力してください。"));
    } else if (result == Result::kForbidden) {
        QMessageBox::warning(this, Caption(), ForbiddenNameMessage());
    } else if (result == Result::kDuplicate) {
        QMessageBox::warning(this, Caption(),
                             QString::fromUtf8("同じ名前が存在するため変更できません。"));
    }
    // The row keeps the name the favourite has.
    QTreeWidgetItem* item = favourites_->topLevelItem(row);
    if (result != Result::kRenamed && item) {
        filling_ = true;
        item->setText(0, QString::fromStdString(editor_.Favourites()[row].name));
        filling_ = false;
    }
}

void COptionTab5::RemoveSelectedFavourite() {
    const int row = SelectedFavourite();
    if (row < 0) return;
    editor_.Remove(row);
    ShowFavourites(std::min(row, editor_.Count() - 1));
}

void COptionTab5::MoveSelectedFavourite(int direction) {
    const int row = SelectedFavourite();
    if (row >= 0) ShowFavourites(editor_.Move(row, direction));
}

void COptionTab5::ChooseSongs() {
    if (SelectedFavourite() < 0) return;
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QString::fromUtf8("ｵｰﾃﾞｨｵﾌｧｲﾙを指定"), QString(),
        QString::fromUtf8("すべての形式 (*.mp1 *.mp2 *.mp3 *.mpg *.wav *.rmp)"));
    AddSongs(files);
}

void COptionTab5::AddSongs(const QStringList& files) {
    const int row = SelectedFavourite();
    if (row < 0 || files.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& file : files) paths.push_back(file.toStdString());
    const int first = static_cast<int>(editor_.Favourites()[row].lines.size());
    editor_.AppendSongs(row, paths);
    std::vector<int> added;
    for (int i = 0; i < static_cast<int>(paths.size()); ++i) added.push_back(first + i);
    ShowSongs(added);
}

void COptionTab5::RemoveSelectedSongs() {
    editor_.RemoveSongs(SelectedFavourite(), SelectedSongs());
    ShowSongs();
}

void COptionTab5::MoveSelectedSongs(int direction) {
    ShowSongs(editor_.MoveSongs(SelectedFavourite(), SelectedSongs(), direction));
}

// Delete on either list removes its selection, as the buttons do.
bool COptionTab5::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (watched == favourites_) {
            RemoveSelectedFavourite();
            return true;
        }
        if (watched == songs_) {
            RemoveSelectedSongs();
            return true;
        }
    }
    return OptionPage::eventFilter(watched, event);
}

void COptionTab5::Apply() {
    if (!editor_.Changed()) return;
    session_.ReplaceFavourites(editor_.Favourites());
    editor_.MarkStored();
}

}  // namespace velk::app
