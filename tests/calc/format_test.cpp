// The result text: where the exponent form begins, how the digits are cut
// and when a whole number gets its hexadecimal form.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calc/expression.h"

namespace qz {
namespace {

std::string F(double v) { return FormatCalcResult(v, false); }

TEST(Format, ExamplesOfTheGuideLine) {
    EXPECT_EQ(F(1e20), "1e20");
    EXPECT_EQ(F(1.5e20), "1.5e20");
    EXPECT_EQ(F(2.5e-15), "2.5e-15");
    EXPECT_EQ(F(0.5), "0.5");
    EXPECT_EQ(F(123456789012345678.0), "1.23456789012346e17");
    EXPECT_EQ(FormatCalcResult(255, true), "255 ($FF)");
    EXPECT_EQ(FormatCalcResult(255, false), "255");
}

TEST(Format, LargeNumbersAtTheExponentBoundary) {
    EXPECT_EQ(F(1e14), "100000000000000");
    EXPECT_EQ(F(999999999999999.0), "999999999999999");  // fifteen digits, no fraction
    EXPECT_EQ(F(123456789012345.6), "123456789012346");
    EXPECT_EQ(F(1e15), "1e15");
    EXPECT_EQ(F(1234567890123456.0), "1.23456789012346e15");
    EXPECT_EQ(F(-1e15), "-1e15");
    EXPECT_EQ(F(12345678901234.5), "12345678901234.5");
}

TEST(Format, SmallNumbersAtTheExponentBoundary) {
    EXPECT_EQ(F(1e-14), "0.00000000000001");
    EXPECT_EQ(F(1.25e-14), "0.0000000000000125");
    EXPECT_EQ(F(9.99e-15), "9.99e-15");
    EXPECT_EQ(F(1e-15), "1e-15");
    EXPECT_EQ(F(-2.5e-15), "-2.5e-15");
    EXPECT_EQ(F(0.001), "0.001");
    EXPECT_EQ(F(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(F(-2.0 / 3), "-0.666666666666667");
}

TEST(Format, WholeNumbersWithinThirtyTwoBits) {
    EXPECT_EQ(FormatCalcResult(0, true), "0 ($0)");
    EXPECT_EQ(FormatCalcResult(-0.0, true), "0 ($0)");
    EXPECT_EQ(FormatCalcResult(-1, true), "-1 ($FFFFFFFF)");
    EXPECT_EQ(FormatCalcResult(2147483647, true), "2147483647 ($7FFFFFFF)");
    EXPECT_EQ(FormatCalcResult(-2147483648.0, true), "-2147483648 ($80000000)");
    // Beyond 32 bits a whole number has no hexadecimal form.
    EXPECT_EQ(FormatCalcResult(2147483648.0, true), "2147483648");
    EXPECT_EQ(FormatCalcResult(-2147483649.0, true), "-2147483649");
    EXPECT_EQ(FormatCalcResult(1e20, true), "1e20");
    EXPECT_EQ(FormatCalcResult(2.5, true), "2.5");
    // The digits shown decide: a value a hair below 1 prints as 1.
    EXPECT_EQ(FormatCalcResult(0.9999999999999999, true), "1 ($1)");
    EXPECT_EQ(FormatCalcResult(-1000.0000000000001, true), "-1000 ($FFFFFC18)");
    EXPECT_EQ(FormatCalcResult(100, true), "100 ($64)");
}

TEST(Format, ValuesTheEvaluatorNeverGivesStillPrintSomething) {
    EXPECT_EQ(F(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(F(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(F(std::nan("")), "nan");
    EXPECT_EQ(F(std::numeric_limits<double>::max()), "1.79769313486232e308");
    EXPECT_EQ(F(std::numeric_limits<double>::denorm_min()), "4.94065645841247e-324");
}

}  // namespace
}  // namespace qz
