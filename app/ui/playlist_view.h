// The playlist's list view: report form, drag-reordering of the selection, dropped files and
// folders, the Delete key and the context menu request. The title column takes the width the
// other columns leave, so the rows (and the current row's colour) always reach the right edge;
// the time column never gets too narrow for "0:00:00".
#pragma once

#include <QStringList>
#include <QTreeView>
#include <array>
#include <functional>
#include <vector>

#include "core/playlist.h"

namespace velk::app {

class PlaylistView : public QTreeView {
    Q_OBJECT
  public:
    explicit PlaylistView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Saved column widths ("Item Width0..3"): the title column's is not used, as that column
    // fills what is left; the time column keeps at least its minimum; a width below the header's
    // minimum (a damaged setting) gives that minimum.
    void ApplyColumnWidths(const std::array<int, kColumnCount>& widths);
    // The narrowest the time column may be: "0:00:00" and the header with its sort arrow.
    int MinimumTimeColumnWidth() const;

    std::vector<int> SelectedRows() const;
    void SelectRows(const std::vector<int>& rows);
    // Makes `row` visible, scrolling as little as possible.
    void ShowRow(int row);

  signals:
    void filesDropped(const QStringList& paths);
    void deletePressed();
    // The pointer entered a neighbouring row while dragging: move the selection by `direction`.
    void moveSelection(int direction);

  protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ApplyColumnRules();
    void KeepTimeColumnWide(int logicalIndex, int oldSize, int newSize);

    bool reordering_ = false;
    int lastRow_ = -1;
};

}  // namespace velk::app
