#include "lyrics/ui/lyrics_line_list.h"

#include <QKeyEvent>

namespace velk::app {

void LyricsLineList::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->key()) {
        case Qt::Key_Space:
            emit spacePressed();
            return;
        case Qt::Key_Delete:
            emit deletePressed();
            return;
        case Qt::Key_V:
            if (ctrl) {
                emit pastePressed();
                return;
            }
            break;
        case Qt::Key_S:
            if (ctrl) {
                emit savePressed();
                return;
            }
            break;
        default:
            break;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace velk::app
