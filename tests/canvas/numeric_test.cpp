#include "canvas/numeric.h"
#include "canvas/runtime_error.h"

#include <gtest/gtest.h>

namespace kelvora {
namespace {

TEST(Numeric, ConversionRoundsHalfToEven)
{
    EXPECT_EQ(ToInt16(0.5), 0);
    EXPECT_EQ(ToInt16(1.5), 2);
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(-2.5), -2);
    EXPECT_EQ(ToInt32(-0.5), 0);
    EXPECT_EQ(ToInt32(69.4999), 69);
    EXPECT_EQ(ToInt32(-69.5), -70);
}

TEST(Numeric, ConversionOutOfRangeIsOverflow)
{
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.5), -32768);  // ties to even: -32768
    try {
        ToInt16(32767.5);  // rounds to 32768
        FAIL() << "no overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::Overflow);
        EXPECT_NE(std::string(e.what()).find("6"), std::string::npos);
    }
    EXPECT_THROW(ToInt32(2147483647.5), RuntimeError);
    EXPECT_EQ(ToInt32(-2147483648.0), INT32_MIN);
    EXPECT_THROW(ToInt32(0.0 / 0.0), RuntimeError);
}

TEST(Numeric, IntIsTheFloor)
{
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Int(2.9999), 2);
    EXPECT_EQ(Int(7.0), 7);
}

TEST(Numeric, SinglePrecisionConstants)
{
    EXPECT_EQ(static_cast<double>(kPi), 3.1415901184082031);
    EXPECT_EQ(static_cast<double>(kTwoPi), 6.2831802368164063);
    EXPECT_EQ(static_cast<double>(Sng(0.1)), 0.100000001490116119384765625);
}

TEST(Numeric, CheckedIntegerArithmetic)
{
    EXPECT_EQ(Add16(32000, 767), 32767);
    EXPECT_THROW(Add16(32000, 768), RuntimeError);
    EXPECT_THROW(Sub16(-32768, 1), RuntimeError);
    EXPECT_THROW(Mul16(200, 200), RuntimeError);
    EXPECT_EQ(Mul32(46340, 46340), 2147395600);
    EXPECT_THROW(Mul32(46341, 46341), RuntimeError);
    EXPECT_THROW(Add32(INT32_MAX, 1), RuntimeError);
    EXPECT_THROW(Sub32(INT32_MIN, 1), RuntimeError);
    EXPECT_THROW(Narrow16(40000), RuntimeError);
}

TEST(Numeric, LogOfNonPositiveIsAnError)
{
    EXPECT_DOUBLE_EQ(Log(1.0), 0.0);
    try {
        Log(0.0);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InvalidProcedureCall);
    }
    EXPECT_THROW(Log(-1.0), RuntimeError);
}

}  // namespace
}  // namespace kelvora
