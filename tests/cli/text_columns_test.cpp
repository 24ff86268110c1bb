// Terminal columns of text: wide and narrow characters, cuts on character boundaries, and the
// width taken from the environment.
#include "cli/text_columns.h"

#include <gtest/gtest.h>

namespace velk::cli {
namespace {

TEST(TextColumnsTest, WideFullwidthAndHalfwidthCharacters) {
    EXPECT_EQ(charColumns(U'a'), 1);
    EXPECT_EQ(charColumns(U'歌'), 2);      // CJK ideograph
    EXPECT_EQ(charColumns(U'う'), 2);      // hiragana
    EXPECT_EQ(charColumns(U'ヴ'), 2);      // katakana
    EXPECT_EQ(charColumns(U'～'), 2);      // fullwidth tilde, U+FF5E
    EXPECT_EQ(charColumns(U'Ａ'), 2);      // fullwidth Latin, U+FF21
    EXPECT_EQ(charColumns(U'\u3000'), 2);  // ideographic space
    EXPECT_EQ(charColumns(U'ｶ'), 1);       // half-width katakana, U+FF76
    EXPECT_EQ(charColumns(U'\uFF61'), 1);  // first half-width form
    EXPECT_EQ(charColumns(U'\uFF9F'), 1);  // last half-width katakana
    EXPECT_EQ(charColumns(U'\uFF60'), 2);  // last fullwidth form before them
    EXPECT_EQ(charColumns(U'♪'), 1);       // ambiguous width counts narrow
    EXPECT_EQ(charColumns(U'\u0301'), 0);  // combining accent
    EXPECT_EQ(charColumns(U'\t'), 0);
    EXPECT_EQ(charColumns(U'\U00020000'), 2);  // CJK extension B
}

TEST(TextColumnsTest, TextColumnsCountInvalidBytesAsOne) {
    EXPECT_EQ(textColumns(""), 0);
    EXPECT_EQ(textColumns("La la"), 5);
    EXPECT_EQ(textColumns("歌詞は"), 6);
    EXPECT_EQ(textColumns("ｶﾗｵｹ"), 4);
    EXPECT_EQ(textColumns("e\u0301"), 1);
    EXPECT_EQ(textColumns("\x82\xa0x"), 3);  // Shift-JIS bytes left as they were
    EXPECT_EQ(textColumns("\xe6\xad"), 2);   // a character cut short at the end
}

TEST(TextColumnsTest, CutsNeverSplitACharacter) {
    const std::string text = "ab歌詞c";
    EXPECT_EQ(cutToColumns(text, 0), 0u);
    EXPECT_EQ(cutToColumns(text, 2), 2u);
    EXPECT_EQ(cutToColumns(text, 3), 2u);  // the wide character would need columns 3 and 4
    EXPECT_EQ(cutToColumns(text, 4), 5u);
    EXPECT_EQ(cutToColumns(text, 7), text.size());
    EXPECT_EQ(cutToColumns(text, 100), text.size());
    EXPECT_EQ(cutToColumns("ｶﾗｵｹ", 3), 9u);
    EXPECT_EQ(cutToColumns("e\u0301x", 1), 3u);  // the combining mark stays with its letter
}

TEST(TextColumnsTest, ColumnsFromTheEnvironment) {
    EXPECT_EQ(columnsFromEnvironment(nullptr), 80);
    EXPECT_EQ(columnsFromEnvironment(""), 80);
    EXPECT_EQ(columnsFromEnvironment("132"), 132);
    EXPECT_EQ(columnsFromEnvironment("0"), 80);
    EXPECT_EQ(columnsFromEnvironment("-5"), 80);
    EXPECT_EQ(columnsFromEnvironment("40x"), 80);
    EXPECT_EQ(columnsFromEnvironment("99999999999999999999"), 80);
}

}  // namespace
}  // namespace velk::cli
