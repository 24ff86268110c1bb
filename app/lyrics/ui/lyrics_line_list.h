// The editor's list of lyric lines (1179): a list box whose only addition is its keys.
#pragma once

#include <QListWidget>

namespace velk::app {

class LyricsLineList : public QListWidget {
    Q_OBJECT
  public:
    using QListWidget::QListWidget;

  signals:
    void spacePressed();
    void deletePressed();
    void pastePressed();
    void savePressed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velk::app
