// The explorer pane (dialog 225) in the main window's lower panel: the folder tree (1238), the
// splitter bar (1241), the list of the selected folder's playable files (1093) and the buttons
// under them. Its list is the active list of transport while explorer mode is on.
#pragma once

#include <QCheckBox>
#include <QFileSystemWatcher>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/player_session.h"
#include "explorer/core/explorer_list.h"
#include "explorer/core/folder_fill.h"
#include "explorer/ui/explorer_list_model.h"
#include "explorer/ui/folder_tree_model.h"
#include "explorer/ui/folder_tree_view.h"

namespace velk::app {

namespace explorer_ids {
enum Control {
    kFileList = 1093,
    kFolderTree = 1238,
    kSplitterBar = 1241,
    kRefresh = 1242,
    kViewType = 1243,
    kSplit = 1244,
    kShowFolders = 1245,
    kFolderSelection = 1247,
};
enum Command {
    kEmptyRecycleBin = 103,
    kProperties = 32773,
    kEditLyrics = 32786,
    kAddToFavourite = 32799,
    kOpenTreeFolder = 32800,
    kOpenListFolder = 32801,
    kDelete = 32802,
    kRename = 32803,
};
// Timer 8: the first display's folder, and the tree after a folder was renamed.
constexpr int kFolderTimerMs = 1;
}  // namespace explorer_ids

class ExplorerPane : public QWidget, private SessionListener {
    Q_OBJECT
  public:
    ExplorerPane(PlayerSession& session, QWidget* parent);
    ~ExplorerPane() override;

    // Questions and notices; message boxes unless replaced (tests answer them).
    using Asker = std::function<bool(const QString& question)>;
    using Teller = std::function<void(const QString& message)>;
    void SetAsker(Asker asker) { ask_ = std::move(asker); }
    void SetTeller(Teller teller) { tell_ = std::move(teller); }
    // How a folder is opened in the file manager (the desktop's handler unless replaced).
    void SetFolderOpener(std::function<void(const QString&)> opener) {
        openFolder_ = std::move(opener);
    }

    ExplorerList& List() { return list_; }
    ExplorerListModel& ListModel() { return *listModel_; }
    FolderTreeModel& TreeModel() { return *treeModel_; }
    FolderTreeView& Tree() { return *tree_; }
    // The view showing the list now: the details table or the icon list.
    QAbstractItemView& ListView();
    QTableView& DetailsView() { return *details_; }
    // The Recycle Bin's own folder (the trash, with "files" and "info" in it).
    const QString& TrashRoot() const { return trashRoot_; }

    // Selects `path` in the tree, which fills the list.
    void ShowFolder(const QString& path);
    // The folder whose files the list shows ("" for none).
    const QString& ShownFolder() const { return shown_; }
    bool IsFilling() const { return fillTimer_.isActive(); }

    std::vector<int> SelectedRows() const;
    void SelectRows(const std::vector<int>& rows);

    // The buttons: "更新", the view type, the split, the folder selection, "ﾌｫﾙﾀﾞ".
    void Refresh();
    void SetViewType(int type);
    void SetSplit(int split);
    void SetFolderSelection(int selection);
    void ShowTree(bool shown);

    // The commands of the two menus, on the selected rows or the given tree folder.
    void AddRowsToFavourite(const std::vector<int>& rows, int favourite);
    void AddFolderToFavourite(const QString& folder, int favourite, bool subfolders);
    void DeleteSelectedFiles();
    void DeleteFolder(const QString& folder);
    // "ごみ箱を空にする(&B)", after the question.
    void EmptyRecycleBin();
    bool RenameRow(int row, const QString& name);
    void ShowProperties(int row);
    bool RecycleBinShown() const;

    // Column widths and the tree's size go into the settings for the exit pass.
    void StoreState();

  signals:
    // "歌詞の編集(&E)": the main window opens the editor for the selected row.
    void editLyricsRequested();
    // Rows came or went: the transport buttons follow the count.
    void rowsChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void SettingsApplied() override;
    void PlaylistChanged(PlaylistChange change) override;

    void BuildControls();
    void ConnectControls();
    void BuildTree();
    void ApplyViewSettings();
    bool IsActive();

    // Filling (explorer_pane_fill.cpp).
    void FolderSelected(const QModelIndex& index);
    void Fill(const QString& folder);
    void FillStep();
    void EndFill();
    void FolderChanged();
    void RemoveGoneRows(const std::vector<int>& rows);
    // Sizes and times of the rows' files are read again (a dialog rewrote them).
    void RereadRowFiles();
    void SortByColumn(int column);

    // Commands (explorer_pane_commands.cpp).
    void ShowListMenu(const QPoint& where);
    void ShowTreeMenu(const QPoint& where);
    int ChooseFavourite(bool withSubfolders, bool& subfolders);
    void PlayRow(int row);
    void StartRenameRow();

    PlayerSession& session_;
    ExplorerList list_;
    FolderFill fill_;
    Asker ask_;
    Teller tell_;
    std::function<void(const QString&)> openFolder_;
    QString trashRoot_;
    QString shown_;
    bool shownOnce_ = false;
    bool waitCursor_ = false;

    FolderTreeModel* treeModel_ = nullptr;
    std::unique_ptr<ExplorerListModel> listModel_;
    QSplitter* splitter_ = nullptr;
    FolderTreeView* tree_ = nullptr;
    QStackedWidget* listStack_ = nullptr;
    QListView* icons_ = nullptr;
    QTableView* details_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QCheckBox* showFolders_ = nullptr;
    QToolButton* viewType_ = nullptr;
    QToolButton* split_ = nullptr;
    QToolButton* folderSelection_ = nullptr;

    QTimer fillTimer_;
    QTimer folderTimer_;  // timer 8
    QString folderTimerPath_;
    QTimer changeTimer_;
    QFileSystemWatcher watcher_;
};

}  // namespace velk::app
