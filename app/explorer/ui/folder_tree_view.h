// The folder tree's view. A right click names the folder under it for the menu without
// selecting it (selecting a folder fills the list and stops playback). With single-click
// selection a selected folder opens and the one selected before closes, unless it holds the
// new one. A folder selected by the program stays in sight while the folders above it are read,
// until the user scrolls or clicks.
#pragma once

#include <QTreeView>

namespace velk::app {

class FolderTreeView : public QTreeView {
    Q_OBJECT
  public:
    explicit FolderTreeView(QWidget* parent = nullptr);

    void SetSingleClickSelection(bool single);
    bool SingleClickSelection() const { return singleClick_; }
    void FollowCurrent();
    void setModel(QAbstractItemModel* model) override;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    bool singleClick_ = false;
    bool following_ = false;
};

}  // namespace velk::app
