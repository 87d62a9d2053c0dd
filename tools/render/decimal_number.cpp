#include "decimal_number.h"

#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace kelvora::render {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t digitsFrom(std::string_view text, std::size_t at)
{
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

// Whether text is a decimal number and nothing else, as described above.
bool isDecimalNumber(std::string_view text)
{
    std::size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t integerEnd = digitsFrom(text, at);
    bool anyDigit = integerEnd > at;
    at = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = digitsFrom(text, at + 1);
        anyDigit = anyDigit || fractionEnd > at + 1;
        at = fractionEnd;
    }
    if (!anyDigit)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        at = digitsFrom(text, exponent);
        if (at == exponent)
            return false;
    }
    return at == text.size();
}

}  // namespace

std::optional<double> ParseDecimalNumber(std::string_view text)
{
    if (!isDecimalNumber(text))
        return std::nullopt;
    // The classic locale reads '.' as the point whatever the user's locale.
    std::istringstream in{std::string(text)};
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    if (in.fail() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace kelvora::render
