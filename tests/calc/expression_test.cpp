// The evaluator: tokenising, operators by priority, functions, the operand
// forms, and everything that must come back as a malformed expression.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "calc/expression.h"

namespace qz {
namespace {

std::optional<double> Eval(const std::string& text) {
    double v = 12345;
    if (EvaluateExpression(text, &v) != 0) {
        EXPECT_EQ(v, 12345) << "a failure left a value behind for " << text;
        return std::nullopt;
    }
    return v;
}

// What the guide line would show, or "error".
std::string Shown(const std::string& text) {
    const std::optional<double> v = Eval(text);
    return v ? FormatCalcResult(*v, false) : "error";
}

TEST(Expression, OperatorsByPriorityEqualOnesFromTheLeft) {
    EXPECT_EQ(Eval("1+2*3"), 7);
    EXPECT_EQ(Eval("2*3+4*5"), 26);
    EXPECT_EQ(Eval("(1+2)*3"), 9);
    EXPECT_EQ(Eval("7%3"), 1);
    EXPECT_EQ(Eval("1<<4"), 16);
    EXPECT_EQ(Eval("6&3|8"), 10);
    EXPECT_EQ(Eval("8-3-2"), 3);
    EXPECT_EQ(Eval("64/4/2"), 8);
    EXPECT_EQ(Eval("1+2<<3"), 24);      // + before <<
    EXPECT_EQ(Eval("1<<2&5"), 4);       // << before &
    EXPECT_EQ(Eval("3&6^5"), 7);        // & before ^
    EXPECT_EQ(Eval("1^3|4"), 6);        // ^ before |
    EXPECT_EQ(Eval("1|2^3"), 1);
    EXPECT_EQ(Eval("10/4"), 2.5);
}

TEST(Expression, IntegerOperatorsTruncateToThirtyTwoBits) {
    EXPECT_EQ(Eval("-7%3"), -1);        // the sign of the left operand
    EXPECT_EQ(Eval("7%-3"), 1);
    EXPECT_EQ(Eval("7.9%3.9"), 1);
    EXPECT_EQ(Eval("1<<33"), 2);        // low 5 bits of the count
    EXPECT_EQ(Eval("1<<31"), -2147483648.0);
    EXPECT_EQ(Eval("-16>>2"), -4);      // arithmetic shift
    EXPECT_EQ(Eval("4294967297&3"), 1); // taken modulo 2^32
    EXPECT_EQ(Eval("1e20|0"), 1661992960);
    EXPECT_EQ(Eval("-1e20|0"), -1661992960);
}

TEST(Expression, UnaryMinusAndPlus) {
    EXPECT_EQ(Eval("-2*3"), -6);
    EXPECT_EQ(Eval("2*-3"), -6);
    EXPECT_EQ(Eval("--3"), 3);
    EXPECT_EQ(Eval("+5"), 5);
    EXPECT_EQ(Eval("1- -2"), 3);
    EXPECT_EQ(Eval("-(1+2)"), -3);
    // The minus belongs to its operand, not to a product with the left one.
    EXPECT_EQ(Eval("2/-4"), -0.5);
    EXPECT_EQ(Eval("8%-3"), 2);
    EXPECT_EQ(Shown("*2"), "error");
    EXPECT_EQ(Shown("<<2"), "error");
    EXPECT_EQ(Shown("5*-"), "error");
}

TEST(Expression, BitwiseNot) {
    EXPECT_EQ(Eval("~0"), -1);
    EXPECT_EQ(Eval("~$FF"), -256);
    EXPECT_EQ(Eval("~5.7"), -6);
    EXPECT_EQ(Eval("~(1+2)"), -4);
    EXPECT_EQ(Shown("~"), "error");
    EXPECT_EQ(Shown("~~0"), "error");
}

TEST(Expression, FunctionsInDegreesAndRadians) {
    EXPECT_EQ(Shown("sin(30)"), "0.5");
    EXPECT_EQ(Eval("sin(180)"), 0);     // not 1.2e-16
    EXPECT_EQ(Eval("cos(90)"), 0);
    EXPECT_EQ(Shown("tan(45)"), "1");
    EXPECT_EQ(Shown("atan2(1,1)"), "0.785398163397448");
    EXPECT_EQ(Shown("atan2(1,0)"), "1.5707963267949");
    EXPECT_EQ(Eval("pow(2,10)"), 1024);
    EXPECT_EQ(Shown("asin(1)"), "1.5707963267949");
    EXPECT_EQ(Shown("acos(-1)"), "3.14159265358979");
    EXPECT_EQ(Shown("atan(1)*4"), "3.14159265358979");
    EXPECT_EQ(Shown("log(1)"), "0");
    EXPECT_EQ(Shown("log10(1000)"), "3");
    EXPECT_EQ(Eval("sqrt(16)+1"), 5);
    EXPECT_EQ(Shown("sin(10+20)*2"), "1");
    EXPECT_EQ(Eval("pow(1+1,2*3)"), 64);
    EXPECT_EQ(Eval("sqrt(sqrt(16))"), 2);
}

TEST(Expression, FunctionMistakes) {
    EXPECT_EQ(Shown("sin()"), "error");
    EXPECT_EQ(Shown("sin(30)2"), "error");
    EXPECT_EQ(Shown("SIN(30)"), "error");
    EXPECT_EQ(Shown("sin (30)"), "error");  // a gap inside the operand
    EXPECT_EQ(Shown("pow(2)"), "error");
    EXPECT_EQ(Shown("pow(2,3,4)"), "error");
    EXPECT_EQ(Shown("pow(pow(2,3),2)"), "error");  // split at every comma
    EXPECT_EQ(Shown("atan2(1,)"), "error");
    EXPECT_EQ(Shown("foo(1)"), "error");
}

TEST(Expression, PaiInAnyCase) {
    EXPECT_EQ(Shown("PAI"), "3.14159265358979");
    EXPECT_EQ(Eval("pai"), Eval("PaI"));
    EXPECT_EQ(Eval("2*PAI"), 2 * 3.141592653589793);
    EXPECT_EQ(Shown("PI"), "error");
}

TEST(Expression, HexadecimalOperands) {
    EXPECT_EQ(Eval("$FF"), 255);
    EXPECT_EQ(Eval("0xff"), 255);
    EXPECT_EQ(Eval("\\ff"), 255);
    EXPECT_EQ(Eval("0xFFFFFFFF"), -1);  // a signed 32-bit pattern
    EXPECT_EQ(Eval("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(Shown("$123456789"), "error");  // a ninth digit
    EXPECT_EQ(Shown("$"), "error");
    EXPECT_EQ(Shown("0x"), "error");
    EXPECT_EQ(Shown("0xfg"), "error");
    EXPECT_EQ(Shown("$1.5"), "error");
    // An e at the end of a hex number is a digit, so the sign is an operator.
    EXPECT_EQ(Eval("0x1e+1"), 31);
    EXPECT_EQ(Eval("$E-1"), 13);
    EXPECT_EQ(Eval("~0x1e+1"), -30);
}

TEST(Expression, OctalOperands) {
    EXPECT_EQ(Eval("010"), 8);
    EXPECT_EQ(Eval("0"), 0);
    EXPECT_EQ(Eval("037777777777"), -1);
    EXPECT_EQ(Shown("09"), "error");
    EXPECT_EQ(Shown("040000000000"), "error");  // 33 bits
    EXPECT_EQ(Shown("0,10"), "error");
}

TEST(Expression, DecimalOperands) {
    EXPECT_EQ(Eval("1,000"), 1000);
    EXPECT_EQ(Eval("1,234,567.5"), 1234567.5);
    EXPECT_EQ(Eval("1e3"), 1000);
    EXPECT_EQ(Eval("1E3"), 1000);
    EXPECT_EQ(Shown("1e-5+1"), "1.00001");
    EXPECT_EQ(Eval("2.5e+2"), 250);
    EXPECT_EQ(Eval(".5"), 0.5);
    EXPECT_EQ(Eval("0.25"), 0.25);
    EXPECT_EQ(Eval("1e-400"), 0);  // below the smallest double
    EXPECT_EQ(Shown("1.2.3"), "error");
    EXPECT_EQ(Shown("1e5.0"), "error");
    EXPECT_EQ(Shown("1e2e3"), "error");
    EXPECT_EQ(Shown("1e"), "error");
    EXPECT_EQ(Shown("1e+"), "error");
    EXPECT_EQ(Shown("e5"), "error");
    EXPECT_EQ(Shown("."), "error");
    EXPECT_EQ(Shown(","), "error");
    EXPECT_EQ(Shown("12abc"), "error");
    EXPECT_EQ(Shown("1e400"), "error");  // beyond the largest double
}

TEST(Expression, BlanksEqualsAndParentheses) {
    EXPECT_EQ(Shown("1 2"), "error");
    EXPECT_EQ(Eval("1 + 2"), 3);
    EXPECT_EQ(Eval("\t1\t+\t2\t"), 3);
    EXPECT_EQ(Shown("1+"), "error");
    EXPECT_EQ(Shown("(1+2"), "error");
    EXPECT_EQ(Shown("1+2)"), "error");
    EXPECT_EQ(Shown(")("), "error");
    EXPECT_EQ(Eval("3=4"), 3);
    EXPECT_EQ(Eval("1+2=garbage (("), 3);
    EXPECT_EQ(Shown("(1)(2)"), "error");
    EXPECT_EQ(Eval("((((7))))"), 7);
    EXPECT_EQ(Shown("1 e5"), "error");
    EXPECT_EQ(Shown("1e -5"), "error");
    EXPECT_EQ(Shown("1<2"), "error");
    EXPECT_EQ(Shown("1>>>2"), "error");
    EXPECT_EQ(Shown(""), "error");
    EXPECT_EQ(Shown("   "), "error");
    EXPECT_EQ(Shown("=5"), "error");
}

TEST(Expression, ImpossibleRemaindersAndNonFiniteResultsAreErrors) {
    EXPECT_EQ(Shown("5%0"), "error");
    EXPECT_EQ(Shown("5%0.9"), "error");  // truncates to 0
    EXPECT_EQ(Shown("-2147483648%-1"), "error");
    EXPECT_EQ(Shown("0x80000000%-1"), "error");
    EXPECT_EQ(Eval("-2147483648%1"), 0);
    EXPECT_EQ(Eval("-2147483647%-1"), 0);
    // Nothing infinite or undefined is ever a result.
    EXPECT_EQ(Shown("1/0"), "error");
    EXPECT_EQ(Shown("0/0"), "error");
    EXPECT_EQ(Shown("log(0)"), "error");
    EXPECT_EQ(Shown("sqrt(-1)"), "error");
    EXPECT_EQ(Shown("asin(2)"), "error");
    EXPECT_EQ(Shown("pow(10,400)"), "error");
    EXPECT_EQ(Shown("1e300*1e300"), "error");
    EXPECT_EQ(Shown("~(1/0)"), "error");
}

TEST(Expression, OperandsBeyondTheBufferAreRefused) {
    const std::string longest = "1" + std::string(kCalcOperandMax - 1, '0');
    EXPECT_TRUE(Eval(longest).has_value());
    EXPECT_EQ(Shown(longest + "0"), "error");
    EXPECT_EQ(Shown("1+" + longest + "0+1"), "error");
    // A parenthesised operand is collected in the same buffer.
    std::string inner = "1";
    while (inner.size() + 4 <= kCalcOperandMax) inner += "+1";
    EXPECT_TRUE(Eval("(" + inner + ")").has_value());
    EXPECT_EQ(Shown("(" + inner + "+1+1)"), "error");
}

TEST(Expression, AtMostOneHundredTwentyEightOperands) {
    std::string text = "1";
    for (size_t i = 1; i < kCalcOperandCount; ++i) text += "+1";
    EXPECT_EQ(Eval(text), 128);
    EXPECT_EQ(Shown(text + "+1"), "error");
    // A unary minus takes a place of its own.
    EXPECT_EQ(Shown("-" + text), "error");
}

}  // namespace
}  // namespace qz
