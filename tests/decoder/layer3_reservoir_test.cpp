// The bit reservoir: where a frame's main data starts, the refill rule and its bounds.
#include "decoder/layer3_reservoir.h"

#include <gtest/gtest.h>

#include <vector>

namespace velk {
namespace {

std::vector<uint8_t> bytes(size_t count, uint8_t value) {
    return std::vector<uint8_t>(count, value);
}

TEST(BitReservoir, AFrameMayStartInThePreviousFramesData) {
    BitReservoir r;
    const auto a = bytes(100, 1), b = bytes(50, 2);
    EXPECT_EQ(r.append(a.data(), a.size(), 0), 0);
    EXPECT_EQ(r.append(b.data(), b.size(), 30), 70);
    EXPECT_EQ(r.size(), 150u);
    EXPECT_EQ(r.data()[70], 1);
    EXPECT_EQ(r.data()[100], 2);
}

TEST(BitReservoir, MissingEarlierDataIsReported) {
    BitReservoir r;
    const auto a = bytes(20, 1);
    EXPECT_EQ(r.append(a.data(), a.size(), 21), -1);
    EXPECT_EQ(r.size(), 20u);  // the data is kept for the next frame
    EXPECT_EQ(r.append(a.data(), a.size(), 21), -1);
    EXPECT_EQ(r.append(a.data(), a.size(), 21), 40 - 21);
}

TEST(BitReservoir, ResetForgetsEverything) {
    BitReservoir r;
    const auto a = bytes(400, 1);
    r.append(a.data(), a.size(), 0);
    r.reset();
    EXPECT_EQ(r.append(a.data(), a.size(), 10), -1);
}

TEST(BitReservoir, AboveTheCompactionMarkOnlyTheReferencedBytesAreKept) {
    BitReservoir r;
    std::vector<uint8_t> filler(BitReservoir::kCompactAbove + 1);
    for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<uint8_t>(i);
    r.append(filler.data(), filler.size(), 0);
    const auto next = bytes(10, 0xEE);
    EXPECT_EQ(r.append(next.data(), next.size(), 5), 0);
    EXPECT_EQ(r.size(), 15u);
    EXPECT_EQ(r.data()[0], static_cast<uint8_t>(filler.size() - 5));
    EXPECT_EQ(r.data()[5], 0xEE);
}

TEST(BitReservoir, NeverHoldsMoreThanItsCapacity) {
    BitReservoir r;
    const auto huge = bytes(BitReservoir::kCapacity * 2, 3);
    r.append(huge.data(), huge.size(), 0);
    EXPECT_EQ(r.size(), BitReservoir::kCapacity);
    r.append(huge.data(), huge.size(), 511);
    EXPECT_LE(r.size(), BitReservoir::kCapacity);
    r.append(nullptr, 0, 0);
}

}  // namespace
}  // namespace velk
