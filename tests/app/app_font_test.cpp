#include "ui/app_font.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRawFont>

namespace velk::app {
namespace {

TEST(AppFont, IsAJapaneseFaceThatDrawsHalfWidthKatakanaItself) {
    ASSERT_NE(qApp, nullptr);
    const QFont font = AppFont();
    ASSERT_FALSE(JapaneseGothicFamily().isEmpty()) << "no Japanese Gothic font installed";
    // The face drawn is the one chosen, not a substitute the font system picked.
    EXPECT_EQ(QFontInfo(font).family(), JapaneseGothicFamily());
    EXPECT_EQ(font.pointSizeF(), QGuiApplication::font().pointSizeF());
    const QRawFont raw = QRawFont::fromFont(font);
    const QFontMetrics metrics(font);
    for (QChar c : QString::fromUtf8("ﾙｰﾌﾟﾗﾝﾀﾞﾑ")) {
        EXPECT_TRUE(raw.supportsCharacter(c)) << int(c.unicode());
        EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
    }
}

}  // namespace
}  // namespace velk::app
