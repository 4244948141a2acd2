// The rectangle calculation over the text of a box: full-width characters
// made half-width, box-drawing characters as separators, every piece summed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The pieces of one box line (Shift-JIS, no line end) as expressions:
// full-width digits, letters, blanks and operator signs become their
// half-width forms, x and ÷ become * and /, the box-drawing characters
// 0x849F-0x84BE split the line, other double-byte characters are dropped.
std::vector<std::string> CalcPieces(std::string_view line);

// Sums every piece of every line of a box (lines ending in CR LF or LF);
// blank pieces and lines count 0. 0 with the total, -1 when a piece is
// malformed or the sum does not stay finite.
int SumCalcBox(std::string_view box, double* total);

}  // namespace qz
