#include "dialogs/ui/help_file.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace velk::app {

QString HelpFilePath() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString candidates[] = {
        programFolder + QStringLiteral("/help/index.html"),
        programFolder + QStringLiteral("/docs/help/index.html"),
        QStringLiteral(VELK_SOURCE_DIR "/docs/help/index.html"),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) return candidate;
    }
    return {};
}

bool OpenHelp() {
    const QString path = HelpFilePath();
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace velk::app
