#include "ui/app_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QRawFont>

namespace velk::app {
namespace {

// The labels whose glyphs a fallback face draws worst: half-width katakana with separate
// voicing marks.
const QString& KatakanaProbe() {
    static const QString probe = QString::fromUtf8("ﾙｰﾌﾟﾗﾝﾀﾞﾑｱｰﾃｨｽﾄ");
    return probe;
}

// The family the font system really draws for `family`, or empty when it draws one that lacks
// Japanese text (fontconfig answers any name with some face).
QString ResolvedJapaneseFamily(const QString& family) {
    QFont font(family);
    const QString resolved = QFontInfo(font).family();
    if (!QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Japanese)) return {};
    font.setFamilies({resolved});
    const QRawFont raw = QRawFont::fromFont(font);
    for (QChar c : KatakanaProbe()) {
        if (!raw.supportsCharacter(c)) return {};
    }
    return resolved;
}

}  // namespace

QString JapaneseGothicFamily() {
    static const char* const kCandidates[] = {"ＭＳ ゴシック",    "IPAGothic", "IPAexGothic",
                                              "Noto Sans CJK JP", "VL Gothic", "TakaoGothic"};
    for (const char* candidate : kCandidates) {
        const QString family = ResolvedJapaneseFamily(QString::fromUtf8(candidate));
        if (!family.isEmpty()) return family;
    }
    return {};
}

QFont AppFont() {
    QFont font = QGuiApplication::font();
    const QString family = JapaneseGothicFamily();
    if (!family.isEmpty()) font.setFamilies({family});
    return font;
}

}  // namespace velk::app
