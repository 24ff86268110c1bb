#include "ui/file_type_look.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

namespace velk::app {

const FileTypeLook::Look& FileTypeLook::LookOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    auto found = bySuffix_.find(suffix);
    if (found != bySuffix_.end()) return *found;
    static const QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile("x." + suffix, QMimeDatabase::MatchExtension);
    Look look{QIcon::fromTheme(type.iconName()), type.comment()};
    if (look.icon.isNull()) look.icon = QFileIconProvider().icon(QFileIconProvider::File);
    return *bySuffix_.insert(suffix, look);
}

QIcon FileTypeLook::Icon(const QString& path) {
    return LookOf(path).icon;
}

QString FileTypeLook::TypeName(const QString& path) {
    return LookOf(path).typeName;
}

}  // namespace velk::app
