// The "@" header lines.
#include "tags/lyrics_header.h"

#include <gtest/gtest.h>

#include <cstring>

namespace velk {
namespace {

struct Parsed {
    LyricsHeader header;
    Parsed() { resetLyricsHeader(header); }
    bool line(std::string_view text, uint32_t number = 0) {
        return parseLyricsHeaderLine(text, number, TextEncoding::ShiftJis, header);
    }
};

TEST(LyricsHeader, TextValuesSkipLeadingSpacesAndKeysLoseTheirSpaces) {
    Parsed p;
    EXPECT_TRUE(p.line("@ Ti tle =   Song name  ", 3));
    EXPECT_STREQ(p.header.title, "Song name  ");
    EXPECT_EQ(p.header.titleLine, 3u);
    EXPECT_EQ(p.header.present, 1u);
    EXPECT_EQ(p.header.artistLine, 0xFFFFFFFFu);
}

TEST(LyricsHeader, LongerNameIsTestedFirst) {
    Parsed p;
    EXPECT_TRUE(p.line("@SilencemSec=250"));
    EXPECT_EQ(p.header.silenceMSec, 250);
    EXPECT_EQ(p.header.silenceLine, 0xFFFFFFFFu);
    EXPECT_TRUE(p.line("@Silence=7", 1));
    EXPECT_EQ(p.header.silence, 7);
}

TEST(LyricsHeader, RatioThenTimeTypeStaysRatio) {
    Parsed p;
    EXPECT_TRUE(p.line("@TimeRatio=1.5"));
    EXPECT_TRUE(p.line("@TimeType=Normal", 1));
    EXPECT_DOUBLE_EQ(p.header.timeRatio, 1.5);
    EXPECT_EQ(p.header.timeType, 2u);
    EXPECT_STREQ(p.header.timeTypeText, "Normal");
}

TEST(LyricsHeader, TimeTypeWithoutRatio) {
    Parsed p;
    EXPECT_TRUE(p.line("@TimeType=Normal"));
    EXPECT_EQ(p.header.timeType, 1u);
    EXPECT_TRUE(p.line("@TimeType=WinAmp"));
    EXPECT_EQ(p.header.timeType, 0u);
    EXPECT_TRUE(p.line("@TimeRatio=0"));
    EXPECT_EQ(p.header.timeType, 0u);
}

TEST(LyricsHeader, IntegersAreTheLeadingNumber) {
    Parsed p;
    EXPECT_TRUE(p.line("@Offset=-120ms"));
    EXPECT_EQ(p.header.offset, -120);
    EXPECT_TRUE(p.line("@TotalSec=abc"));
    EXPECT_EQ(p.header.totalSec, 0);
    EXPECT_TRUE(p.line("@Flames=99999999999999"));
    EXPECT_EQ(p.header.flames, INT32_MAX);
}

TEST(LyricsHeader, NotRecognised) {
    Parsed p;
    EXPECT_FALSE(p.line("@Title"));      // no "="
    EXPECT_FALSE(p.line("@Comment=x"));  // no such key
    // An "=" that is the trail byte of a double-byte character is no separator.
    EXPECT_FALSE(p.line("@Title\x83=x"));
    EXPECT_EQ(p.header.present, 0u);
}

TEST(LyricsHeader, LongTextValueIsCut) {
    Parsed p;
    const std::string value(3000, 'v');
    EXPECT_TRUE(p.line("@Artist=" + value));
    EXPECT_EQ(std::strlen(p.header.artist), 1023u);
}

}  // namespace
}  // namespace velk
