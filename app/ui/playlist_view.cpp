#include "ui/playlist_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
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
    connect(header(), &QHeaderView::sectionResized, this, &PlaylistView::KeepTimeColumnWide);
}

void PlaylistView::setModel(QAbstractItemModel* model) {
    QTreeView::setModel(model);
    ApplyColumnRules();
}

void PlaylistView::ApplyColumnRules() {
    if (header()->count() != kColumnCount) return;
    for (int c = 0; c < kColumnCount; ++c) {
        header()->setSectionResizeMode(
            c, c == kColumnTitle ? QHeaderView::Stretch : QHeaderView::Interactive);
    }
    if (columnWidth(kColumnTime) < MinimumTimeColumnWidth()) {
        setColumnWidth(kColumnTime, MinimumTimeColumnWidth());
    }
}

int PlaylistView::MinimumTimeColumnWidth() const {
    // The same margins the item delegate and the header leave around their text.
    const int cellMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int headerMargin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
    const int cell = fontMetrics().horizontalAdvance(QStringLiteral("0:00:00")) + 2 * cellMargin;
    const int heading =
        header()->fontMetrics().horizontalAdvance(QString::fromUtf8("▽時間")) + 2 * headerMargin;
    return std::max(cell, heading) + 2;
}

void PlaylistView::ApplyColumnWidths(const std::array<int, kColumnCount>& widths) {
    for (int c = 0; c < kColumnCount; ++c) {
        if (c == kColumnTitle) continue;
        const int least =
            c == kColumnTime ? MinimumTimeColumnWidth() : header()->minimumSectionSize();
        setColumnWidth(c, std::max(widths[c], least));
    }
}

// The user may narrow the time column only down to its minimum.
void PlaylistView::KeepTimeColumnWide(int logicalIndex, int, int newSize) {
    if (logicalIndex == kColumnTime && newSize < MinimumTimeColumnWidth()) {
        header()->resizeSection(kColumnTime, MinimumTimeColumnWidth());
    }
}

void PlaylistView::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        ApplyColumnRules();
    }
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
