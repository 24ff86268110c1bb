// The Lyrics3 block in memory: building, parsing, and hostile blocks.
#include "tags/lyrics3_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lyrics/lyrics_files.h"

namespace velk {
namespace {

using test::emptyLyrics3Tag;
using test::field;
using test::rawLyrics3;

std::string_view view(const test::Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(Lyrics3Block, EveryFieldIsWrittenInOrder) {
    auto tag = emptyLyrics3Tag();
    std::strcpy(tag->lyr, "[00:01:00]la  ");
    std::strcpy(tag->ett, "Title");
    const test::Bytes block = buildLyrics3Block(*tag);
    const std::string expectedFields = "IND00002" + std::string("00") +
                                       field("LYR", "[00:01:00]la") + field("INF", "") +
                                       field("AUT", "") + field("EAL", "") + field("EAR", "") +
                                       field("ETT", "Title") + field("IMG", "");
    EXPECT_EQ(view(block), view(rawLyrics3(expectedFields)));
}

TEST(Lyrics3Block, RoundTripKeepsEveryField) {
    auto tag = emptyLyrics3Tag();
    tag->ind[0] = '1';
    tag->ind[1] = '0';
    std::memset(tag->lyr, 'l', sizeof tag->lyr - 1);
    std::strcpy(tag->inf, "info");
    std::strcpy(tag->aut, "author");
    std::strcpy(tag->eal, "album");
    std::strcpy(tag->ear, "artist");
    std::strcpy(tag->ett, "\x83\x89\x81\x5B");
    std::strcpy(tag->img, "cover.jpg||");
    const test::Bytes block = buildLyrics3Block(*tag);
    auto back = emptyLyrics3Tag();
    ASSERT_TRUE(parseLyrics3Block(view(block), *back));
    EXPECT_EQ(std::memcmp(tag.get(), back.get(), sizeof *tag), 0);
}

TEST(Lyrics3Block, UnknownFieldsAreSkippedAndShortIndIsTaken) {
    auto tag = emptyLyrics3Tag();
    const test::Bytes block = rawLyrics3(field("IND", "1") + field("XYZ", "whatever") +
                                         field("LYR", "text") + field("AUT", ""));
    ASSERT_TRUE(parseLyrics3Block(view(block), *tag));
    EXPECT_EQ(tag->ind[0], '1');
    EXPECT_EQ(tag->ind[1], '\0');
    EXPECT_STREQ(tag->lyr, "text");
}

TEST(Lyrics3Block, FieldLongerThanItsCapacityIsCutOnACharacter) {
    std::string author;
    for (int i = 0; i < 200; ++i) author += "\x83\x89";  // 400 bytes
    auto tag = emptyLyrics3Tag();
    ASSERT_TRUE(parseLyrics3Block(view(rawLyrics3(field("AUT", author))), *tag));
    EXPECT_EQ(std::strlen(tag->aut), 248u);  // 249 would split a character
}

TEST(Lyrics3Block, MalformedBlocksReadAsNothing) {
    const std::string good = field("LYR", "text");
    test::Bytes pastTheEnd = rawLyrics3("LYR00099abc");
    test::Bytes badDigits = rawLyrics3("LYR00x04text");
    test::Bytes noBegin = rawLyrics3(good);
    noBegin[0] = 'X';
    test::Bytes wrongSize = rawLyrics3(good);
    wrongSize[wrongSize.size() - 10] = '9';
    test::Bytes shortHeader = rawLyrics3("LYR00");
    for (const test::Bytes* block : {&pastTheEnd, &badDigits, &noBegin, &wrongSize, &shortHeader}) {
        auto tag = emptyLyrics3Tag();
        tag->lyr[0] = 'z';
        EXPECT_FALSE(parseLyrics3Block(view(*block), *tag)) << view(*block);
        EXPECT_EQ(tag->lyr[0], '\0');
    }
    auto tag = emptyLyrics3Tag();
    EXPECT_FALSE(parseLyrics3Block("LYRICS200", *tag));
    EXPECT_FALSE(parseLyrics3Block("", *tag));
}

TEST(Lyrics3Block, DamagedCopiesOfAGoodBlockNeverReadOutside) {
    const test::Bytes good = rawLyrics3(field("IND", "11") + field("LYR", "[00:01:00]abc") +
                                        field("AUT", "me") + field("IMG", "x"));
    auto tag = emptyLyrics3Tag();
    for (size_t cut = 0; cut < good.size(); ++cut) {
        const test::Bytes head(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(parseLyrics3Block(view(head), *tag)) << cut;
    }
    uint32_t seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        test::Bytes damaged = good;
        for (int k = 0; k < 3; ++k) {
            seed = seed * 1103515245u + 12345u;
            const size_t at = (seed >> 8) % damaged.size();
            seed = seed * 1103515245u + 12345u;
            damaged[at] = static_cast<uint8_t>("0123456789LYR\xFF"[(seed >> 16) % 14]);
        }
        if (parseLyrics3Block(view(damaged), *tag)) {
            EXPECT_LT(std::strlen(tag->lyr), sizeof tag->lyr);
        }
    }
}

}  // namespace
}  // namespace velk
