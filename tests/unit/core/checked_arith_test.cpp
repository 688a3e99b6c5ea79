#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "support/error_number.h"
#include "platform/checked_arith.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;

constexpr int32_t kMaxLong = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinLong = std::numeric_limits<int32_t>::min();

// Halves round to even; a result outside the range, NaN or infinity overflows.
TEST(CheckedArith, ConversionsRoundHalvesToEvenAndCheckTheirRange)
{
    const std::pair<double, int32_t> toLong[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-0.5, 0}, {2.4999, 2}, {-1.5000001, -2},
        {2147483647.4, kMaxLong}, {-2147483648.5, kMinLong}};
    for (const auto& [value, expected] : toLong) {
        EXPECT_EQ(arith::ToInt32(value), expected) << value;
    }
    for (double value : {2147483647.5, -2147483649.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(ErrorNumberOf([&] { arith::ToInt32(value); }), kOverflow) << value;
    }
    const std::pair<double, int16_t> toInteger[] = {{0.5, 0}, {1.5, 2}, {-2.5, -2}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& [value, expected] : toInteger) {
        EXPECT_EQ(arith::ToInt16(value), expected) << value;
    }
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt16(32767.5); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt16(-32769.0); }), kOverflow);
    EXPECT_EQ(arith::ToInt16(int32_t{-32768}), -32768);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt16(int32_t{32768}); }), kOverflow);
}

TEST(CheckedArith, SumsAndDifferencesOverflowAtTheBounds)
{
    EXPECT_EQ(arith::Add(kMaxLong - 1, 1), kMaxLong);
    EXPECT_EQ(ErrorNumberOf([] { arith::Add(kMaxLong, 1); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::Add(kMinLong, -1); }), kOverflow);
    EXPECT_EQ(arith::Sub(kMinLong + 1, 1), kMinLong);
    EXPECT_EQ(ErrorNumberOf([] { arith::Sub(kMinLong, 1); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::Sub(0, kMinLong); }), kOverflow);

    EXPECT_EQ(arith::Add(int16_t{32766}, int16_t{1}), 32767);
    EXPECT_EQ(ErrorNumberOf([] { arith::Add(int16_t{32767}, int16_t{1}); }), kOverflow);
    EXPECT_EQ(arith::Sub(int16_t{-32767}, int16_t{1}), -32768);
    EXPECT_EQ(ErrorNumberOf([] { arith::Sub(int16_t{-32768}, int16_t{1}); }), kOverflow);
}

TEST(CheckedArith, DivisionTruncatesTowardZero)
{
    EXPECT_EQ(arith::Div(7, 2), 3);
    EXPECT_EQ(arith::Div(-7, 2), -3);
    EXPECT_EQ(arith::Div(7, -2), -3);
    EXPECT_EQ(arith::Div(-7, -2), 3);
    EXPECT_EQ(arith::Div(-541, 2), -270);
    EXPECT_EQ(arith::Div(kMinLong, 1), kMinLong);
    EXPECT_EQ(ErrorNumberOf([] { arith::Div(kMinLong, -1); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::Div(1, 0); }), kDivisionByZero);
    EXPECT_EQ(ErrorNumberOf([] { arith::Div(0, 0); }), kDivisionByZero);
}

}  // namespace
}  // namespace quorvane
