// Scanning Shift-JIS and UTF-8 lyrics text: delimiters inside double-byte characters, cuts.
#include <gtest/gtest.h>

#include <string>

#include "tags/lyrics_text_scan.h"

namespace velk {
namespace {

// "ラーメン": the second byte of "ー" (0x81 0x5B) is "[".
const std::string kRamen = "\x83\x89\x81\x5B\x83\x81\x83\x93";

TEST(TextScan, StepsOverTheTrailByteOfAShiftJisCharacter) {
    const std::string text = kRamen + "[00:01:00]";
    EXPECT_EQ(findChar(text, '[', 0, TextEncoding::ShiftJis), kRamen.size());
}

TEST(TextScan, SeesTheSameByteAsADelimiterInUtf8) {
    EXPECT_EQ(findChar("ab[c", '[', 0, TextEncoding::Utf8), 2u);
}

TEST(TextScan, LeadByteAtTheEndCountsAsOneByte) {
    const std::string text = "a\x83";
    EXPECT_EQ(charLength(text, 1, TextEncoding::ShiftJis), 1u);
    EXPECT_EQ(charLength(text, 2, TextEncoding::ShiftJis), 0u);
}

TEST(TextScan, CutNeverSplitsADoubleByteCharacter) {
    const std::string text = "a" + kRamen;  // boundaries at 1, 3, 5, 7, 9
    EXPECT_EQ(cutLength(text, 4, TextEncoding::ShiftJis), 3u);
    EXPECT_EQ(cutLength(text, 5, TextEncoding::ShiftJis), 5u);
    EXPECT_EQ(cutLength(text, 100, TextEncoding::ShiftJis), text.size());
}

TEST(TextScan, CutNeverSplitsAUtf8Character) {
    const std::string text = "a\xE3\x81\x82";  // "a" + "あ"
    EXPECT_EQ(cutLength(text, 3, TextEncoding::Utf8), 1u);
    EXPECT_EQ(cutLength(text, 4, TextEncoding::Utf8), 4u);
}

TEST(TextScan, FieldCopyKeepsRoomForTheTerminator) {
    char field[4];
    const std::string text = "a" + kRamen;
    EXPECT_EQ(copyToField(field, sizeof field, text, TextEncoding::ShiftJis), 3u);
    EXPECT_EQ(std::string(field), text.substr(0, 3));
}

TEST(TextScan, FindsLineBreaksAfterDoubleByteCharacters) {
    const std::string text = kRamen + "\r\n";
    EXPECT_EQ(findLineBreak(text, 0, TextEncoding::ShiftJis), kRamen.size());
}

TEST(TextEncodingDetection, ByteOrderMarkMeansUtf8AndIsDropped) {
    std::string_view text = "\xEF\xBB\xBF[00:01:00]x";
    EXPECT_EQ(detectEncoding(text), TextEncoding::Utf8);
    EXPECT_EQ(text, "[00:01:00]x");
}

TEST(TextEncodingDetection, ValidUtf8WithoutMark) {
    std::string_view text = "\xE3\x81\x82\xE3\x81\x84";
    EXPECT_EQ(detectEncoding(text), TextEncoding::Utf8);
}

TEST(TextEncodingDetection, ShiftJisAndPlainAscii) {
    std::string_view sjis = kRamen;
    EXPECT_EQ(detectEncoding(sjis), TextEncoding::ShiftJis);
    std::string_view ascii = "abc";
    EXPECT_EQ(detectEncoding(ascii), TextEncoding::ShiftJis);
    std::string_view truncated = "\xE3\x81";
    EXPECT_EQ(detectEncoding(truncated), TextEncoding::ShiftJis);
}

}  // namespace
}  // namespace velk
