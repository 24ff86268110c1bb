// The explorer's folder tree (tree view 1238): a few top folders (the home folder, the file
// system's root and the Recycle Bin), each showing the folders below it as the desktop's file
// system model reads and watches them. A folder may appear under two top folders (the home
// folder also lies below "/"); each appearance is a node of its own.
#pragma once

#include <QAbstractItemModel>
#include <QFileSystemModel>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QString>
#include <vector>

namespace velk::app {

class FolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    struct TopFolder {
        QString label;
        QString path;
        QIcon icon;
    };

    explicit FolderTreeModel(QObject* parent = nullptr);
    ~FolderTreeModel() override;

    // Builds the tree anew from these top folders (at most four).
    void SetTopFolders(std::vector<TopFolder> folders);
    int TopFolderCount() const { return static_cast<int>(tops_.size()); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A new label renames the folder beside its old name, never over another one.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    QString PathOf(const QModelIndex& index) const;
    // The top folder a node belongs to (-1 for none).
    int TopOf(const QModelIndex& index) const;
    bool IsTopFolder(const QModelIndex& index) const;
    // The node of `path` below the top folder holding it most closely; invalid when the path
    // is no folder of the tree.
    QModelIndex IndexOfPath(const QString& path) const;

  signals:
    void folderRenamed(const QString& from, const QString& to);
    void renameRefused();

  private:
    // The file system model with its index maker opened to the tree.
    class Source;

    QModelIndex TopIndex(int top) const;
    QModelIndex SourceOfTop(int top) const;
    QModelIndex ToSource(const QModelIndex& index) const;
    QModelIndex FromSource(const QModelIndex& source, int top) const;
    // True when `source` is the top folder's node or lies below it.
    bool Holds(int top, const QModelIndex& source) const;

    void SourceLayoutAboutToChange();
    void SourceLayoutChanged();
    void SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles);

    Source* source_;
    std::vector<TopFolder> tops_;
    std::vector<QPersistentModelIndex> topSources_;
    // The views' remembered nodes while the file system model changes its rows.
    struct Remembered {
        QModelIndex proxy;
        QPersistentModelIndex source;
        int top;
        bool isTop;
    };
    std::vector<Remembered> remembered_;
    int changing_ = 0;
};

}  // namespace velk::app
