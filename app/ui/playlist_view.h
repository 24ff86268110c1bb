// The playlist's list view: report form, drag-reordering of the selection, dropped files and
// folders, the Delete key and the context menu request.
#pragma once

#include <QStringList>
#include <QTreeView>
#include <functional>
#include <vector>

namespace velk::app {

class PlaylistView : public QTreeView {
    Q_OBJECT
  public:
    explicit PlaylistView(QWidget* parent = nullptr);

    std::vector<int> SelectedRows() const;
    void SelectRows(const std::vector<int>& rows);
    // Makes `row` visible, scrolling as little as possible.
    void ShowRow(int row);
    // Column widths as stored ("Item Width0" ...), one per column.
    void ApplyColumnWidths(const std::vector<int>& widths);

  signals:
    void filesDropped(const QStringList& paths);
    void deletePressed();
    // The pointer entered a neighbouring row while dragging: move the selection by `direction`.
    void moveSelection(int direction);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    bool reordering_ = false;
    int lastRow_ = -1;
};

}  // namespace velk::app
