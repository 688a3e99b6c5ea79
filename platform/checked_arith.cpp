#include "platform/checked_arith.h"

#include <cmath>
#include <limits>
#include <string>

#include "platform/run_time_error.h"

namespace quorvane::arith {

namespace {

template <typename Int>
Int Checked(int64_t value)
{
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
        throw RunTimeError(kOverflow, std::to_string(value) + " does not fit in " +
                                          std::to_string(8 * sizeof(Int)) + " bits");
    }
    return static_cast<Int>(value);
}

template <typename Int>
Int Rounded(double value)
{
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max())) {
        throw RunTimeError(kOverflow, std::to_string(value) + " does not fit in " +
                                          std::to_string(8 * sizeof(Int)) + " bits");
    }
    return static_cast<Int>(rounded);
}

}  // namespace

int32_t ToInt32(double value) { return Rounded<int32_t>(value); }
int16_t ToInt16(double value) { return Rounded<int16_t>(value); }
int16_t ToInt16(int32_t value) { return Checked<int16_t>(value); }

int32_t Add(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} + b); }
int32_t Sub(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} - b); }
int16_t Add(int16_t a, int16_t b) { return Checked<int16_t>(int64_t{a} + b); }
int16_t Sub(int16_t a, int16_t b) { return Checked<int16_t>(int64_t{a} - b); }

int32_t Div(int32_t a, int32_t b)
{
    if (b == 0) {
        throw RunTimeError(kDivisionByZero, std::to_string(a) + " / 0");
    }
    return Checked<int32_t>(int64_t{a} / b);  // C++ division truncates toward zero
}

float ToSingle(double value) { return static_cast<float>(value); }

}  // namespace quorvane::arith
