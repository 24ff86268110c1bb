#include "ui/playlist_model.h"

#include "core/time_text.h"

namespace velk::app {

QColor FromColorRef(uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

uint32_t ToColorRef(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

PlaylistModel::PlaylistModel(Playlist& playlist, QObject* parent)
    : QAbstractTableModel(parent), playlist_(playlist) {}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : playlist_.Count();
}

int PlaylistModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SongRowColour(int role, const PlaylistEntry& entry, bool current, const QColor& fileList,
                       const QColor& currentLine) {
    if (role == Qt::BackgroundRole) return current ? currentLine : fileList;
    if (role != Qt::ForegroundRole) return {};
    if (entry.failed) return QColor(Qt::red);
    if (entry.played) return QColor(Qt::blue);
    return {};
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= playlist_.Count()) return {};
    const PlaylistEntry& e = playlist_.Entry(index.row());
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case kColumnTitle:
                    return QString::fromStdString(e.displayName);
                case kColumnLyrics:
                    return QString::fromStdString(e.lyricsMark);
                case kColumnArtist:
                    return QString::fromStdString(e.artist);
                default:
                    return QString::fromStdString(FormatTime(e.length));
            }
        case Qt::TextAlignmentRole:
            return index.column() == kColumnTime ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                 : int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
        case Qt::ForegroundRole:
            return SongRowColour(role, e, index.row() == playlist_.CurrentIndex(), fileListColour_,
                                 currentLineColour_);
        case Qt::DecorationRole:
            return index.column() == kColumnTitle ? looks_.Icon(QString::fromStdString(e.path))
                                                  : QVariant();
        default:
            return {};
    }
}

QVariant PlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(playlist_.HeaderText(section));
    if (role == Qt::TextAlignmentRole) {
        return section == kColumnTime ? int(Qt::AlignRight | Qt::AlignVCenter)
                                      : int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

void PlaylistModel::SetColours(QColor fileList, QColor currentLine) {
    fileListColour_ = fileList;
    currentLineColour_ = currentLine;
    Repaint();
}

void PlaylistModel::RowsAppended(int firstRow) {
    if (firstRow >= playlist_.Count()) return;
    beginInsertRows({}, firstRow, playlist_.Count() - 1);
    endInsertRows();
}

void PlaylistModel::Reload() {
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void PlaylistModel::Repaint() {
    if (playlist_.Count() > 0)
        emit dataChanged(index(0, 0), index(playlist_.Count() - 1, kColumnCount - 1));
}

}  // namespace velk::app
