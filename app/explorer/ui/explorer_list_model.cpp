#include "explorer/ui/explorer_list_model.h"

#include <algorithm>

#include "ui/playlist_model.h"

namespace velk::app {

namespace {

constexpr int kIconPixels = 32;

bool RightAligned(int column) {
    return column == kExplorerTime || column == kExplorerSize;
}

QVariant Alignment(int column) {
    return int((RightAligned(column) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

}  // namespace

ExplorerListModel::ExplorerListModel(ExplorerList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int ExplorerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.Count();
}

int ExplorerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kExplorerColumnCount;
}

QVariant ExplorerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.Count()) return {};
    const ExplorerRow& row = list_.Row(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return QString::fromStdString(ExplorerCellText(row, index.column()));
        case Qt::EditRole:
            return QString::fromStdString(row.entry.fileName);
        case Qt::TextAlignmentRole:
            return Alignment(index.column());
        case Qt::BackgroundRole:
        case Qt::ForegroundRole:
            return SongRowColour(role, row.entry, index.row() == list_.CurrentIndex(),
                                 fileListColour_, currentLineColour_);
        case Qt::DecorationRole: {
            if (index.column() != kExplorerName) return {};
            const QIcon icon = looks_.Icon(QString::fromStdString(row.entry.path));
            // A hidden file is drawn ghosted.
            return row.hidden ? QIcon(icon.pixmap(kIconPixels, QIcon::Disabled)) : icon;
        }
        default:
            return {};
    }
}

QVariant ExplorerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kExplorerColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(list_.HeaderText(section));
    if (role == Qt::TextAlignmentRole) return Alignment(section);
    return {};
}

Qt::ItemFlags ExplorerListModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == kExplorerName ? flags | Qt::ItemIsEditable : flags;
}

bool ExplorerListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != kExplorerName) return false;
    if (!renamer_ || !renamer_(index.row(), value.toString())) return false;
    emit dataChanged(this->index(index.row(), 0),
                     this->index(index.row(), kExplorerColumnCount - 1));
    return true;
}

void ExplorerListModel::SetColours(QColor fileList, QColor currentLine) {
    fileListColour_ = fileList;
    currentLineColour_ = currentLine;
    Repaint();
}

void ExplorerListModel::Clear() {
    beginResetModel();
    list_.Clear();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, kExplorerColumnCount - 1);
}

void ExplorerListModel::Append(std::vector<ExplorerRow> rows) {
    if (rows.empty()) return;
    const int first = list_.Count();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (auto& row : rows) list_.Append(std::move(row));
    endInsertRows();
}

RemovalResult ExplorerListModel::RemoveRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    RemovalResult result;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it < 0 || *it >= list_.Count()) continue;
        beginRemoveRows({}, *it, *it);
        const RemovalResult one = list_.RemoveRows({*it});
        endRemoveRows();
        result.removedAny = true;
        result.currentRemoved = result.currentRemoved || one.currentRemoved;
    }
    return result;
}

void ExplorerListModel::Reload() {
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, kExplorerColumnCount - 1);
}

void ExplorerListModel::Repaint() {
    if (list_.Count() > 0)
        emit dataChanged(index(0, 0), index(list_.Count() - 1, kExplorerColumnCount - 1));
}

}  // namespace velk::app
