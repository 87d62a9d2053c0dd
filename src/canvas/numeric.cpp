#include "canvas/numeric.h"

#include "canvas/runtime_error.h"

#include <cmath>
#include <limits>

namespace kelvora {

namespace {

// nearbyint rounds with the current mode, which is round-to-nearest-even
// unless someone changed it; no code of ours does.
double roundHalfEven(double value) { return std::nearbyint(value); }

template <typename Int>
Int checkedConvert(double value)
{
    if (std::isnan(value))
        throw RuntimeError(ErrorNumber::Overflow, "not a number");
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw RuntimeError(ErrorNumber::Overflow);
    return static_cast<Int>(rounded);
}

template <typename Int>
Int checkedNarrow(std::int64_t value)
{
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        throw RuntimeError(ErrorNumber::Overflow);
    return static_cast<Int>(value);
}

}  // namespace

std::int16_t ToInt16(double value) { return checkedConvert<std::int16_t>(value); }
std::int32_t ToInt32(double value) { return checkedConvert<std::int32_t>(value); }

double Int(double value) { return std::floor(value); }

std::int16_t Narrow16(std::int64_t value) { return checkedNarrow<std::int16_t>(value); }
std::int32_t Narrow32(std::int64_t value) { return checkedNarrow<std::int32_t>(value); }

std::int16_t Add16(std::int32_t a, std::int32_t b) { return Narrow16(std::int64_t{a} + b); }
std::int16_t Sub16(std::int32_t a, std::int32_t b) { return Narrow16(std::int64_t{a} - b); }
std::int16_t Mul16(std::int32_t a, std::int32_t b) { return Narrow16(std::int64_t{a} * b); }

std::int32_t Add32(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        throw RuntimeError(ErrorNumber::Overflow);
    return Narrow32(sum);
}
std::int32_t Sub32(std::int64_t a, std::int64_t b)
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(a, b, &difference))
        throw RuntimeError(ErrorNumber::Overflow);
    return Narrow32(difference);
}
std::int32_t Mul32(std::int64_t a, std::int64_t b)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        throw RuntimeError(ErrorNumber::Overflow);
    return Narrow32(product);
}

double Log(double value)
{
    if (!(value > 0))
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "logarithm of a non-positive number");
    return std::log(value);
}

}  // namespace kelvora
