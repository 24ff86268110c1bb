// The explorer pane's context menus and their commands: favourites, the file manager, the
// lyrics editor, properties, deleting into the Recycle Bin, renaming and emptying the bin.

#include <QDir>
#include <QFile>
#include <QMenu>
#include <ctime>

#include "core/favourites.h"
#include "dialogs/ui/add_favourite_dialog.h"
#include "dialogs/ui/property_dialog.h"
#include "explorer/core/explorer_menus.h"
#include "explorer/core/explorer_rename.h"
#include "explorer/core/folder_listing.h"
#include "explorer/core/trash_bin.h"
#include "explorer/ui/explorer_pane.h"
#include "explorer/ui/path_bytes.h"

namespace velk::app {

namespace {

QAction* AddItem(QMenu& menu, const char* text, int command, bool enabled) {
    QAction* action = menu.addAction(QString::fromUtf8(text));
    action->setData(command);
    action->setEnabled(enabled);
    return action;
}

int Chosen(QAction* action) {
    return action ? action->data().toInt() : 0;
}

}  // namespace

bool ExplorerPane::RecycleBinShown() const {
    return !shown_.isEmpty() &&
           IsSameOrInside(PathBytes(shown_), TrashFilesFolder(PathBytes(trashRoot_)));
}

void ExplorerPane::ShowListMenu(const QPoint& where) {
    const std::vector<int> rows = SelectedRows();
    const ListMenuItems items = ListMenuEnabling(
        {static_cast<int>(rows.size()), treeModel_->TopFolderCount() == 0, RecycleBinShown()});
    QMenu menu(this);
    AddItem(menu, "お気に入りに追加(&A)...", explorer_ids::kAddToFavourite, items.addFavourite);
    AddItem(menu, "歌詞の編集(&E)", explorer_ids::kEditLyrics, items.editLyrics);
    AddItem(menu, "ﾌｫﾙﾀﾞを開く(&O)", explorer_ids::kOpenListFolder, items.openFolder);
    AddItem(menu, "削除(&D)", explorer_ids::kDelete, items.remove);
    AddItem(menu, "名前の変更(&M)", explorer_ids::kRename, items.rename);
    AddItem(menu, "ﾌﾟﾛﾊﾟﾃｨ(&P)...", explorer_ids::kProperties, items.properties);
    bool subfolders = false;
    switch (Chosen(menu.exec(ListView().viewport()->mapToGlobal(where)))) {
        case explorer_ids::kAddToFavourite:
            if (const int favourite = ChooseFavourite(false, subfolders); favourite >= 0)
                AddRowsToFavourite(rows, favourite);
            break;
        case explorer_ids::kEditLyrics:
            emit editLyricsRequested();
            break;
        case explorer_ids::kOpenListFolder:
            openFolder_(shown_);
            break;
        case explorer_ids::kDelete:
            DeleteSelectedFiles();
            break;
        case explorer_ids::kRename:
            StartRenameRow();
            break;
        case explorer_ids::kProperties:
            if (!rows.empty()) ShowProperties(rows.front());
            break;
        default:
            break;
    }
}

// The commands act on the folder under the click, which a right click does not select.
void ExplorerPane::ShowTreeMenu(const QPoint& where) {
    const QModelIndex node = tree_->indexAt(where);
    const QString folder = node.isValid() ? treeModel_->PathOf(node) : QString();
    const std::string binFiles = TrashFilesFolder(PathBytes(trashRoot_));
    const bool inBin = node.isValid() && IsSameOrInside(PathBytes(folder), binFiles);
    TreeMenuState state;
    state.treeEmpty = treeModel_->TopFolderCount() == 0;
    state.folderUnderClick = node.isValid();
    state.rootUnderClick = treeModel_->IsTopFolder(node) || inBin;
    state.recycleBinUnderClick = node.isValid() && PathBytes(folder) == binFiles;
    state.recycleBinHasItems = TrashHasItems(PathBytes(trashRoot_));
    const TreeMenuItems items = TreeMenuEnabling(state);
    QMenu menu(this);
    AddItem(menu, "お気に入りに追加(&A)...", explorer_ids::kAddToFavourite, items.addFavourite);
    AddItem(menu, "ﾌｫﾙﾀﾞを開く(&O)", explorer_ids::kOpenTreeFolder, items.openFolder);
    AddItem(menu, "削除(&D)", explorer_ids::kDelete, items.remove);
    AddItem(menu, "名前の変更(&M)", explorer_ids::kRename, items.rename);
    if (items.emptyBinShown) {
        AddItem(menu, "ごみ箱を空にする(&B)", explorer_ids::kEmptyRecycleBin, items.emptyBin);
    }
    bool subfolders = false;
    switch (Chosen(menu.exec(tree_->viewport()->mapToGlobal(where)))) {
        case explorer_ids::kAddToFavourite:
            if (const int favourite = ChooseFavourite(true, subfolders); favourite >= 0)
                AddFolderToFavourite(folder, favourite, subfolders);
            break;
        case explorer_ids::kOpenTreeFolder:
            openFolder_(folder);
            break;
        case explorer_ids::kDelete:
            DeleteFolder(folder);
            break;
        case explorer_ids::kRename:
            tree_->edit(node);
            break;
        case explorer_ids::kEmptyRecycleBin:
            if (ask_(QString::fromUtf8("ごみ箱を空にしますか？"))) EmptyRecycleBin();
            break;
        default:
            break;
    }
}

// ---- Favourites -------------------------------------------------------------------------------

int ExplorerPane::ChooseFavourite(bool withSubfolders, bool& subfolders) {
    QStringList names;
    for (const auto& favourite : session_.Favourites())
        names << QString::fromStdString(favourite.name);
    AddFavouriteDialog dialog(withSubfolders ? AddFavouriteDialog::Mode::kChooseWithSubfolders
                                             : AddFavouriteDialog::Mode::kChoose,
                              QString::fromStdString(FavouritesFolder(session_.ProfileFolder())),
                              names, session_.CurrentFavourite(), this);
    if (dialog.exec() != QDialog::Accepted) return -1;
    subfolders = dialog.IncludeSubfolders();
    return dialog.ChosenIndex();
}

void ExplorerPane::AddRowsToFavourite(const std::vector<int>& rows, int favourite) {
    std::vector<std::string> paths;
    for (int row : rows) {
        if (row >= 0 && row < list_.Count()) paths.push_back(list_.Entry(row).path);
    }
    if (!paths.empty()) session_.AppendToFavourite(favourite, paths);
}

void ExplorerPane::AddFolderToFavourite(const QString& folder, int favourite, bool subfolders) {
    const std::vector<std::string> paths = FolderAudioFiles(PathBytes(folder), subfolders);
    if (!paths.empty()) session_.AppendToFavourite(favourite, paths);
}

// ---- Deleting and renaming ----------------------------------------------------------------------

// Every selected file goes to the Recycle Bin (a file of another file system to that file
// system's own trash); the rows of the files that are gone then go too, and a refused file keeps
// its row and is named in one message.
void ExplorerPane::DeleteSelectedFiles() {
    if (RecycleBinShown()) return;
    const std::string trash = PathBytes(trashRoot_);
    const std::time_t now = std::time(nullptr);
    std::vector<int> gone;
    bool refused = false;
    for (int row : SelectedRows()) {
        const std::string& path = list_.Entry(row).path;
        refused |= MoveToTrash(path, TrashRootFor(path, trash), now).empty();
        if (!PathExists(path)) gone.push_back(row);
    }
    RemoveGoneRows(gone);
    if (refused) tell_(QString::fromUtf8("ごみ箱に移動できないファイルがありました。"));
}

void ExplorerPane::DeleteFolder(const QString& folder) {
    const std::string path = PathBytes(folder);
    const std::string trash = PathBytes(trashRoot_);
    const bool allowed = FolderMayBeTrashed(path, trash, {PathBytes(QDir::homePath())});
    if (!allowed || MoveToTrash(path, TrashRootFor(path, trash), std::time(nullptr)).empty())
        tell_(QString::fromUtf8("このフォルダは削除できません。"));
}

void ExplorerPane::EmptyRecycleBin() {
    EmptyTrash(PathBytes(trashRoot_));
    // The rows of the bin's files go at once, before the folder's change arrives.
    if (RecycleBinShown()) FolderChanged();
}

void ExplorerPane::StartRenameRow() {
    const std::vector<int> rows = SelectedRows();
    if (rows.size() != 1) return;
    QAbstractItemView& view = ListView();
    const QModelIndex name = listModel_->index(rows.front(), kExplorerName);
    view.setCurrentIndex(name);
    view.edit(name);
}

// The file is renamed beside itself; the row keeps its song and its place.
bool ExplorerPane::RenameRow(int row, const QString& name) {
    if (row < 0 || row >= list_.Count() || RecycleBinShown()) return false;
    ExplorerRow& renamed = list_.Row(row);
    if (!RenameRowFile(renamed, name.toStdString(), session_.Settings().main.nameType)) {
        tell_(QString::fromUtf8("リネームに失敗しました。"));
        return false;
    }
    renamed.typeName = listModel_->TypeName(renamed.entry.path);
    session_.RowsEdited(list_, {row});
    return true;
}

void ExplorerPane::ShowProperties(int row) {
    if (row < 0 || row >= list_.Count()) return;
    PropertyDialog dialog(
        session_, list_, row, RecycleBinShown(),
        [this](int shown) {
            SelectRows({shown});
            ListView().scrollTo(listModel_->index(shown, 0));
        },
        this);
    dialog.exec();
    RereadRowFiles();
}

}  // namespace velk::app
