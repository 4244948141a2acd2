// The arithmetic of the rectangle calculation: one expression text to a
// double, and a double to the text the guide line and the clipboard get.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qz {

// Longest operand text (parentheses and function arguments included) and
// most operands of one expression; anything beyond is a malformed expression.
constexpr size_t kCalcOperandMax = 255;
constexpr size_t kCalcOperandCount = 128;

// 0 with the value in *result, -1 for any malformed expression. A value that
// is not finite (division by zero, overflow, a logarithm of 0, the square
// root of a negative number) counts as malformed: nothing could print it.
int EvaluateExpression(std::string_view text, double* result);

// 15 significant digits, in exponent form beyond e14 and below e-14; a
// whole number within 32 bits prints as "%d", or "%d ($%X)" with withHex.
std::string FormatCalcResult(double value, bool withHex);

}  // namespace qz
