#include "explorer/ui/folder_tree_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace velk::app {

namespace {

bool IsAncestor(const QModelIndex& ancestor, QModelIndex index) {
    for (; index.isValid(); index = index.parent()) {
        if (index == ancestor) return true;
    }
    return false;
}

}  // namespace

FolderTreeView::FolderTreeView(QWidget* parent) : QTreeView(parent) {
    header()->hide();
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setUniformRowHeights(true);
    connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] { following_ = false; });
}

void FolderTreeView::setModel(QAbstractItemModel* model) {
    QTreeView::setModel(model);
    if (!model) return;
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
        if (following_ && currentIndex().isValid()) scrollTo(currentIndex());
    });
}

void FolderTreeView::FollowCurrent() {
    following_ = true;
    if (currentIndex().isValid()) scrollTo(currentIndex());
}

void FolderTreeView::keyPressEvent(QKeyEvent* event) {
    following_ = false;
    QTreeView::keyPressEvent(event);
}

void FolderTreeView::wheelEvent(QWheelEvent* event) {
    following_ = false;
    QTreeView::wheelEvent(event);
}

void FolderTreeView::SetSingleClickSelection(bool single) {
    singleClick_ = single;
    setMouseTracking(single);
    setExpandsOnDoubleClick(!single);
}

void FolderTreeView::mousePressEvent(QMouseEvent* event) {
    following_ = false;
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void FolderTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (!singleClick_ || !current.isValid()) return;
    if (previous.isValid() && !IsAncestor(previous, current)) collapse(previous);
    expand(current);
}

}  // namespace velk::app
