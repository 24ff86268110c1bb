#include "explorer/ui/folder_tree_view.h"

#include <QHeaderView>
#include <QMouseEvent>

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
}

void FolderTreeView::SetSingleClickSelection(bool single) {
    singleClick_ = single;
    setMouseTracking(single);
    setExpandsOnDoubleClick(!single);
}

void FolderTreeView::mousePressEvent(QMouseEvent* event) {
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
