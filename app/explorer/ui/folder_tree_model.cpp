#include "explorer/ui/folder_tree_model.h"

#include <QFile>

#include "core/rename_file.h"
#include "explorer/core/explorer_rename.h"
#include "explorer/core/trash_bin.h"
#include "explorer/ui/path_bytes.h"

namespace velk::app {

// A node of the tree is the file system model's node plus the top folder it hangs under: the
// node's address (aligned to at least 8 bytes) keeps the top folder's number in bits 1 and 2,
// and bit 0 marks a top folder itself, which has no file system node of its own.
namespace {

constexpr quintptr kTopFlag = 1;
constexpr quintptr kTopBits = 6;
constexpr quintptr kAddressBits = ~quintptr{7};
constexpr int kMostTopFolders = 4;

quintptr TopBitsOf(int top) {
    return static_cast<quintptr>(top) << 1;
}

}  // namespace

class FolderTreeModel::Source : public QFileSystemModel {
  public:
    explicit Source(QObject* parent) : QFileSystemModel(parent) {}
    QModelIndex Make(int row, void* node) const { return createIndex(row, 0, node); }
};

FolderTreeModel::FolderTreeModel(QObject* parent)
    : QAbstractItemModel(parent), source_(new Source(this)) {
    source_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    source_->setReadOnly(true);
    source_->setRootPath(QStringLiteral("/"));
    using M = QAbstractItemModel;
    for (auto signal : {&M::rowsAboutToBeInserted, &M::rowsAboutToBeRemoved}) {
        connect(source_, signal, this, &FolderTreeModel::SourceLayoutAboutToChange);
    }
    for (auto signal : {&M::rowsInserted, &M::rowsRemoved}) {
        connect(source_, signal, this, &FolderTreeModel::SourceLayoutChanged);
    }
    connect(source_, &M::rowsAboutToBeMoved, this, &FolderTreeModel::SourceLayoutAboutToChange);
    connect(source_, &M::rowsMoved, this, &FolderTreeModel::SourceLayoutChanged);
    connect(source_, &M::layoutAboutToBeChanged, this, &FolderTreeModel::SourceLayoutAboutToChange);
    connect(source_, &M::layoutChanged, this, &FolderTreeModel::SourceLayoutChanged);
    connect(source_, &M::dataChanged, this, &FolderTreeModel::SourceDataChanged);
    connect(source_, &M::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(source_, &M::modelReset, this, [this] {
        topSources_.clear();
        for (const TopFolder& top : tops_) topSources_.emplace_back(source_->index(top.path));
        endResetModel();
    });
}

FolderTreeModel::~FolderTreeModel() = default;

void FolderTreeModel::SetTopFolders(std::vector<TopFolder> folders) {
    beginResetModel();
    if (folders.size() > static_cast<size_t>(kMostTopFolders)) folders.resize(kMostTopFolders);
    tops_ = std::move(folders);
    topSources_.clear();
    for (const TopFolder& top : tops_) topSources_.emplace_back(source_->index(top.path));
    endResetModel();
}

QModelIndex FolderTreeModel::TopIndex(int top) const {
    return createIndex(top, 0, TopBitsOf(top) | kTopFlag);
}

QModelIndex FolderTreeModel::SourceOfTop(int top) const {
    if (top < 0 || top >= static_cast<int>(topSources_.size())) return {};
    return topSources_[top];
}

QModelIndex FolderTreeModel::ToSource(const QModelIndex& index) const {
    if (!index.isValid()) return {};
    const quintptr id = index.internalId();
    if (id & kTopFlag) return SourceOfTop(TopOf(index));
    return source_->Make(index.row(), reinterpret_cast<void*>(id & kAddressBits));
}

QModelIndex FolderTreeModel::FromSource(const QModelIndex& source, int top) const {
    if (!source.isValid() || top < 0 || top >= TopFolderCount()) return {};
    if (source == SourceOfTop(top)) return TopIndex(top);
    const auto address = reinterpret_cast<quintptr>(source.internalPointer());
    if (address & ~kAddressBits) return {};
    return createIndex(source.row(), 0, address | TopBitsOf(top));
}

bool FolderTreeModel::Holds(int top, const QModelIndex& source) const {
    const QModelIndex root = SourceOfTop(top);
    if (!root.isValid()) return false;
    for (QModelIndex at = source; at.isValid(); at = at.parent()) {
        if (at == root) return true;
    }
    return false;
}

int FolderTreeModel::TopOf(const QModelIndex& index) const {
    if (!index.isValid()) return -1;
    return static_cast<int>((index.internalId() & kTopBits) >> 1);
}

bool FolderTreeModel::IsTopFolder(const QModelIndex& index) const {
    return index.isValid() && (index.internalId() & kTopFlag);
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0) return {};
    if (!parent.isValid()) return row < TopFolderCount() ? TopIndex(row) : QModelIndex();
    const QModelIndex sourceParent = ToSource(parent);
    if (!sourceParent.isValid()) return {};
    return FromSource(source_->index(row, 0, sourceParent), TopOf(parent));
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || IsTopFolder(child)) return {};
    return FromSource(ToSource(child).parent(), TopOf(child));
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return TopFolderCount();
    const QModelIndex source = ToSource(parent);
    return source.isValid() ? source_->rowCount(source) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid()) return TopFolderCount() > 0;
    const QModelIndex source = ToSource(parent);
    return source.isValid() && source_->hasChildren(source);
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
    const QModelIndex source = ToSource(parent);
    return source.isValid() && source_->canFetchMore(source);
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
    const QModelIndex source = ToSource(parent);
    if (source.isValid()) source_->fetchMore(source);
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (IsTopFolder(index)) {
        const TopFolder& top = tops_[TopOf(index)];
        switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return top.label;
            case Qt::DecorationRole:
                return top.icon;
            case Qt::ToolTipRole:
                return top.path;
            default:
                return {};
        }
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::DecorationRole) return {};
    return source_->data(ToSource(index), role);
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return IsTopFolder(index) ? flags : flags | Qt::ItemIsEditable;
}

bool FolderTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || IsTopFolder(index)) return false;
    const QString from = PathOf(index);
    const std::string target = RenamedPath(PathBytes(from), value.toString().toStdString());
    if (target.empty() || !RenameWithoutReplacing(PathBytes(from), target)) {
        emit renameRefused();
        return false;
    }
    emit folderRenamed(from, PathText(target));
    return true;
}

QString FolderTreeModel::PathOf(const QModelIndex& index) const {
    if (IsTopFolder(index)) return tops_[TopOf(index)].path;
    const QModelIndex source = ToSource(index);
    return source.isValid() ? source_->filePath(source) : QString();
}

QModelIndex FolderTreeModel::IndexOfPath(const QString& path) const {
    int best = -1;
    for (int top = 0; top < TopFolderCount(); ++top) {
        const std::string topPath = PathBytes(tops_[top].path);
        if (!IsSameOrInside(PathBytes(path), topPath)) continue;
        if (best < 0 || tops_[top].path.size() > tops_[best].path.size()) best = top;
    }
    if (best < 0) return {};
    const QModelIndex source = source_->index(path);
    return Holds(best, source) ? FromSource(source, best) : QModelIndex();
}

// Rows of the file system model come and go as folders are read and change; the tree tells its
// views once, as a change of layout, and moves every node they hold to where it is now.
void FolderTreeModel::SourceLayoutAboutToChange() {
    if (changing_++ > 0) return;
    emit layoutAboutToBeChanged();
    remembered_.clear();
    for (const QModelIndex& proxy : persistentIndexList()) {
        remembered_.push_back(
            {proxy, QPersistentModelIndex(ToSource(proxy)), TopOf(proxy), IsTopFolder(proxy)});
    }
}

void FolderTreeModel::SourceLayoutChanged() {
    if (changing_ == 0 || --changing_ > 0) return;
    QModelIndexList from, to;
    for (const Remembered& node : remembered_) {
        if (node.isTop) continue;
        from << node.proxy;
        to << FromSource(node.source, node.top);
    }
    remembered_.clear();
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

void FolderTreeModel::SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                        const QList<int>& roles) {
    if (!topLeft.isValid() || !bottomRight.isValid()) return;
    const QModelIndex parent = topLeft.parent();
    for (int top = 0; top < TopFolderCount(); ++top) {
        if (!Holds(top, parent)) continue;
        const QModelIndex first = FromSource(topLeft.siblingAtColumn(0), top);
        const QModelIndex last = FromSource(bottomRight.siblingAtColumn(0), top);
        if (first.isValid() && last.isValid()) emit dataChanged(first, last, roles);
    }
}

}  // namespace velk::app
