#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/error_number.h"
#include "platform/checked_arith.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;

constexpr int32_t kMaxLong = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinLong = std::numeric_limits<int32_t>::min();

TEST(CheckedArith, RoundsHalvesToEven)
{
    EXPECT_EQ(arith::ToInt32(0.5), 0);
    EXPECT_EQ(arith::ToInt32(1.5), 2);
    EXPECT_EQ(arith::ToInt32(2.5), 2);
    EXPECT_EQ(arith::ToInt32(-2.5), -2);
    EXPECT_EQ(arith::ToInt32(-0.5), 0);
    EXPECT_EQ(arith::ToInt32(2.4999), 2);
    EXPECT_EQ(arith::ToInt32(-1.5000001), -2);
    EXPECT_EQ(arith::ToInt16(0.5), 0);
    EXPECT_EQ(arith::ToInt16(1.5), 2);
    EXPECT_EQ(arith::ToInt16(-2.5), -2);
}

TEST(CheckedArith, ConversionsCheckTheirRange)
{
    EXPECT_EQ(arith::ToInt32(2147483647.4), kMaxLong);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt32(2147483647.5); }), kOverflow);  // rounds up to 2^31
    EXPECT_EQ(arith::ToInt32(-2147483648.5), kMinLong);                        // rounds to the even bound
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt32(-2147483649.0); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt32(std::nan("")); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt32(std::numeric_limits<double>::infinity()); }), kOverflow);

    EXPECT_EQ(arith::ToInt16(32767.4), 32767);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt16(32767.5); }), kOverflow);
    EXPECT_EQ(arith::ToInt16(-32768.5), -32768);
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
