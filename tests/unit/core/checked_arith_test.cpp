#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/checked_arith.h"
#include "support/error_number.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;

// Halves round to even; a result outside the range, NaN or infinity
// overflows. Halving and the sums of the monitor scan are tested there.
TEST(CheckedArith, ResultsOverflowJustBeyondTheirRange)
{
    EXPECT_EQ(arith::ToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(arith::ToInt32(-2147483648.5), -2147483647 - 1);
    for (double value : {2147483647.5, -2147483649.0, std::nan(""), -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(ErrorNumberOf([&] { arith::ToInt32(value); }), kOverflow) << value;
    }
    EXPECT_EQ(arith::ToInt16(-32768.5), -32768);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt16(32767.5); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::ToInt16(int32_t{32768}); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::Sub(0, -2147483647 - 1); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::Div(-2147483647 - 1, -1); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { arith::Div(0, 0); }), kDivisionByZero);
}

}  // namespace
}  // namespace quorvane
