#include "dialogs/ui/library_versions.h"

#include <alsa/asoundlib.h>
#include <archive.h>
#include <dlfcn.h>

#include <QStringList>

namespace velk::app {

namespace {

// The encoder is optional at run time: only the conversion needs it, so it is looked up by name
// rather than linked.
QString LameVersion() {
    void* library = dlopen("libmp3lame.so.0", RTLD_LAZY | RTLD_LOCAL);
    if (!library) return QString::fromUtf8("LAME: 見つかりません");
    using VersionFunction = const char* (*)();
    const auto version = reinterpret_cast<VersionFunction>(dlsym(library, "get_lame_version"));
    const QString text = version ? QStringLiteral("LAME %1").arg(QString::fromLatin1(version()))
                                 : QString::fromUtf8("LAME: 版数不明");
    dlclose(library);
    return text;
}

}  // namespace

QString EngineVersionText(int version) {
    return QStringLiteral("%1.%2").arg(version / 100).arg(version % 100, 2, 10, QLatin1Char('0'));
}

QString LibraryVersions() {
    QStringList lines;
    lines << QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion()));
    lines << QString::fromLatin1(archive_version_string());
    lines << QStringLiteral("ALSA %1").arg(QString::fromLatin1(snd_asoundlib_version()));
    lines << LameVersion();
    return lines.join(QLatin1Char('\n'));
}

}  // namespace velk::app
