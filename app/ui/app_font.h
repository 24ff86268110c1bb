// The one font of every window's text: a Japanese Gothic face, so that half-width katakana
// labels ("ﾙｰﾌﾟ", "ﾗﾝﾀﾞﾑ") are drawn whole instead of by a fallback face.
#pragma once

#include <QFont>
#include <QString>

namespace velk::app {

// "ＭＳ ゴシック" when the font system gives a Japanese face for that name; otherwise the first
// installed of the common free Japanese Gothic families; empty when none is installed.
QString JapaneseGothicFamily();

// The application's default font with that family, for QApplication::setFont; the default
// font unchanged when no Japanese Gothic family is installed.
QFont AppFont();

}  // namespace velk::app
