// The list view's model over the core playlist: four columns, row colours and icons.
#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "core/playlist.h"
#include "ui/file_type_look.h"

namespace velk::app {

class PlaylistModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit PlaylistModel(Playlist& playlist, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetColours(QColor fileList, QColor currentLine);
    // The core appended rows from `firstRow` to the end already; tell the view.
    void RowsAppended(int firstRow);
    // Rows changed in number or order (removal, clearing, sorting, bulk adding).
    void Reload();
    // Contents of rows changed (played, failed, current).
    void Repaint();

  private:
    Playlist& playlist_;
    QColor fileListColour_;
    QColor currentLineColour_;
    mutable FileTypeLook looks_;
};

QColor FromColorRef(uint32_t bgr);
uint32_t ToColorRef(const QColor& colour);
// The background (the current row's own colour) or the text colour (red for a failed song, blue
// for a played one) of a row of a list transport plays; nothing for other roles.
QVariant SongRowColour(int role, const PlaylistEntry& entry, bool current, const QColor& fileList,
                       const QColor& currentLine);

}  // namespace velk::app
