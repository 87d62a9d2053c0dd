#include "decimal_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelvora::render {
namespace {

TEST(DecimalNumber, ReadsTheWholeTextOrNothing)
{
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {"2", 2.0}, {"1.5", 1.5}, {"-0.25", -0.25}, {".5", 0.5}, {"3.", 3.0}, {"15e-1", 1.5}, {"2E+0", 2.0},
        // The nearest double, as a correctly rounding reader gives it.
        {"0.1", 0.1}, {"1.0000000000000002", 1.0000000000000002},
        {"", std::nullopt}, {"+2", std::nullopt}, {" 2", std::nullopt}, {"2 ", std::nullopt},
        {"1,5", std::nullopt}, {"0x2", std::nullopt}, {"2e", std::nullopt}, {".", std::nullopt},
        {"-", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e999", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseDecimalNumber(text), expected) << "'" << text << "'";
}

}  // namespace
}  // namespace kelvora::render
