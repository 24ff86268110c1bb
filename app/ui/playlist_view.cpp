#include "ui/playlist_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <algorithm>

namespace velk::app {

PlaylistView::PlaylistView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
}

std::vector<int> PlaylistView::SelectedRows() const {
    std::vector<int> rows;
    if (!selectionModel()) return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PlaylistView::SelectRows(const std::vector<int>& rows) {
    QItemSelection selection;
    for (int row : rows) {
        selection.select(model()->index(row, 0), model()->index(row, model()->columnCount() - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void PlaylistView::ShowRow(int row) {
    if (model() && row >= 0 && row < model()->rowCount()) scrollTo(model()->index(row, 0));
}

void PlaylistView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void PlaylistView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        reordering_ = true;
        lastRow_ = index.row();
        viewport()->setCursor(Qt::SizeVerCursor);
    }
}

void PlaylistView::mouseMoveEvent(QMouseEvent* event) {
    if (!reordering_ || !(event->buttons() & Qt::LeftButton)) {
        QTreeView::mouseMoveEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (point.y() < 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    if (point.y() > viewport()->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || index.row() == lastRow_) return;
    const int direction = index.row() > lastRow_ ? 1 : -1;
    lastRow_ = index.row();
    emit moveSelection(direction);
}

void PlaylistView::mouseReleaseEvent(QMouseEvent* event) {
    if (reordering_) {
        reordering_ = false;
        viewport()->unsetCursor();
    }
    QTreeView::mouseReleaseEvent(event);
}

void PlaylistView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PlaylistView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PlaylistView::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (!paths.isEmpty()) emit filesDropped(paths);
}

}  // namespace velk::app

namespace velk::app {

void PlaylistView::ApplyColumnWidths(const std::vector<int>& widths) {
    for (size_t c = 0; c < widths.size(); ++c) setColumnWidth(static_cast<int>(c), widths[c]);
}

}  // namespace velk::app
