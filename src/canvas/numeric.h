#pragma once

// The numeric rules every scene follows: reals become integers by rounding
// half to even (with a range check), Int is the floor, π and 2π are the
// single-precision constants 3.14159 and 6.28318, a value held in a
// single-precision variable is rounded to float, and 16/32-bit integer
// arithmetic is range-checked. Any out-of-range result raises the run-time
// error Overflow.

#include <cstdint>

namespace kelvora {

inline constexpr float kPi = 3.14159f;     // 3.1415901184082031
inline constexpr float kTwoPi = 6.28318f;  // 6.2831802368164063

// Conversion of a real to a 16-bit / 32-bit integer: nearest, ties to even.
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

// Int(): the largest integer not greater than value, kept as a real.
double Int(double value);

// A real stored in a single-precision variable.
inline float Sng(double value) { return static_cast<float>(value); }

// Range-checked integer arithmetic.
std::int16_t Add16(std::int32_t a, std::int32_t b);
std::int16_t Sub16(std::int32_t a, std::int32_t b);
std::int16_t Mul16(std::int32_t a, std::int32_t b);
std::int16_t Narrow16(std::int64_t value);
std::int32_t Add32(std::int64_t a, std::int64_t b);
std::int32_t Sub32(std::int64_t a, std::int64_t b);
std::int32_t Mul32(std::int64_t a, std::int64_t b);
std::int32_t Narrow32(std::int64_t value);

// The natural logarithm; a non-positive argument is the run-time error
// "Invalid procedure call".
double Log(double value);

}  // namespace kelvora
