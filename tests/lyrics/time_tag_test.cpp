// The time-tag grammar and its written form.
#include <gtest/gtest.h>

#include "tags/lyrics_time_tag.h"

namespace velk {
namespace {

int32_t parsed(std::string_view text, size_t expectedLength) {
    int32_t ms = -1;
    EXPECT_EQ(parseTimeTag(text, ms), expectedLength) << text;
    return ms;
}

TEST(TimeTag, FractionDigitsAreLeftAligned) {
    EXPECT_EQ(parsed("[01:23:4]", 9), 83400);
    EXPECT_EQ(parsed("[01:23:45]", 10), 83450);
    EXPECT_EQ(parsed("[01:23:456]", 11), 83456);
}

TEST(TimeTag, OneDigitMinutesAndSeconds) {
    EXPECT_EQ(parsed("[1:2]abc", 5), 62000);
    EXPECT_EQ(parsed("[0:5:1]", 7), 5100);
}

TEST(TimeTag, RejectsOtherForms) {
    for (std::string_view bad :
         {"[00:12.34]", "[00:12", "[:12]", "[001:12]", "[00:123]", "[00:12:]", "[00:12:1234]",
          "(00:12)", "[", "", "[00]", "[a:12]", "[00:12:3x]"}) {
        int32_t ms = 7;
        EXPECT_EQ(parseTimeTag(bad, ms), 0u) << bad;
        EXPECT_EQ(ms, 7) << bad;
    }
}

TEST(TimeTag, WrittenAsMinutesSecondsAndHundredths) {
    EXPECT_EQ(formatTimeTag(83456), "[01:23:45]");
    EXPECT_EQ(formatTimeTag(0), "[00:00:00]");
    EXPECT_EQ(formatTimeTag(-5), "[00:00:00]");
    EXPECT_EQ(formatTimeTag(6000000), "[100:00:00]");
}

TEST(TimeTag, WrittenFormReadsBackToTheHundredth) {
    for (int32_t ms : {0, 10, 990, 59990, 61230, 3599990}) {
        const std::string tag = formatTimeTag(ms);
        int32_t back = -1;
        ASSERT_EQ(parseTimeTag(tag, back), tag.size());
        EXPECT_EQ(back, ms);
    }
}

}  // namespace
}  // namespace velk
