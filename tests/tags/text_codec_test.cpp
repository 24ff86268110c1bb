// UTF-8 and Shift-JIS conversion at the edges of the engine.
#include "tags/text_codec.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(TextCodec, RoundTripOfJapaneseText) {
    const std::string utf8 = "歌詞ソー表示";
    const auto sjis = utf8ToCp932(utf8);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_EQ(sjis->size(), 12u);
    EXPECT_EQ(cp932ToUtf8(*sjis).value_or(""), utf8);
}

TEST(TextCodec, CharacterWithoutShiftJisFormFails) {
    EXPECT_FALSE(utf8ToCp932("emoji \xF0\x9F\x98\x80").has_value());
    EXPECT_FALSE(utf8ToCp932("\xFF\xFE broken").has_value());
}

TEST(TextCodec, InvalidShiftJisIsShownAsItStands) {
    const std::string broken = "ab\x81";  // a lead byte without its second byte
    EXPECT_FALSE(cp932ToUtf8(broken).has_value());
    EXPECT_EQ(cp932ForDisplay(broken), broken);
}

TEST(TextCodec, CutNeverSplitsADoubleByteCharacter) {
    // "aー" in Shift-JIS: 'a', 0x81 0x5B.
    const std::string text =
        "a\x81\x5B"
        "b";
    EXPECT_EQ(cutCp932(text, 1), "a");
    EXPECT_EQ(cutCp932(text, 2), "a");
    EXPECT_EQ(cutCp932(text, 3), "a\x81\x5B");
    EXPECT_EQ(cutCp932(text, 10), text);
    EXPECT_EQ(cutCp932("\x83", 5), "");  // a lone lead byte at the end is dropped
}

}  // namespace
}  // namespace velk
