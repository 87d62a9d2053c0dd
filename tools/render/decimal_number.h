#pragma once

#include <optional>
#include <string_view>

namespace kelvora::render {

// The whole of text as a decimal number: an optional '-', digits with an
// optional point, an optional exponent ("1", "1.5", ".5", "2e-1"); no sign
// '+', no space, no hexadecimal, independent of the locale, rounded to the
// nearest double. Nothing when text is anything else or out of range.
// The same on every build (the WebAssembly C++ library has no
// floating-point std::from_chars).
std::optional<double> ParseDecimalNumber(std::string_view text);

}  // namespace kelvora::render
