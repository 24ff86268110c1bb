// Paths between Qt and the file system's bytes: the pane's core works on the bytes, so that a
// name that is not valid UTF-8 still reaches its own file.
#pragma once

#include <QFile>
#include <QString>
#include <string>

namespace velk::app {

inline std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline QString PathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace velk::app
