#pragma once

#include <cstdint>

// The program's integer rules in one place: 16- and 32-bit values are
// overflow-checked (error 6), a floating value becomes an integer by rounding
// to the nearest, halves to even, and integer division truncates toward zero.
namespace quorvane::arith {

// Rounds halves to even and checks the 32-bit range.
int32_t ToInt32(double value);
// Rounds halves to even and checks the 16-bit range.
int16_t ToInt16(double value);
int16_t ToInt16(int32_t value);

int32_t Add(int32_t a, int32_t b);
int32_t Sub(int32_t a, int32_t b);
int16_t Add(int16_t a, int16_t b);
int16_t Sub(int16_t a, int16_t b);

// Integer division truncating toward zero; division by zero is error 11.
int32_t Div(int32_t a, int32_t b);

// A double-precision product stored in single precision, as window geometry is kept.
float ToSingle(double value);

}  // namespace quorvane::arith
