#include "ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velk::app {

QIcon ProgramIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 64);
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(0, 0, 255));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.drawRoundedRect(2, 2, 60, 60, 12, 12);
    p.setBrush(QColor(20, 20, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(24, 46), 9, 7);  // a note: head, stem and flag
    p.drawRect(30, 14, 4, 32);
    QPainterPath flag;
    flag.moveTo(34, 14);
    flag.cubicTo(46, 18, 50, 26, 44, 34);
    flag.cubicTo(46, 26, 40, 22, 34, 22);
    p.drawPath(flag);
    return QIcon(pixmap);
}

}  // namespace velk::app
