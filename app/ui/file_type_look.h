// How the desktop shows a kind of file: its icon and its type name, asked once per extension
// (asking for each of thousands of rows would stall the list).
#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

namespace velk::app {

class FileTypeLook {
  public:
    QIcon Icon(const QString& path);
    QString TypeName(const QString& path);

  private:
    struct Look {
        QIcon icon;
        QString typeName;
    };
    const Look& LookOf(const QString& path);

    QHash<QString, Look> bySuffix_;
};

}  // namespace velk::app
