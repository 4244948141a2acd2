// The texts of the radix display (the number at the caret in decimal,
// hexadecimal and binary) and of the character code display.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qz {

// The number around byte index caret of a row (Shift-JIS, no line end):
// true with the display text, false with the error text to show instead.
bool RadixDisplayText(std::string_view row, size_t caret, std::string* text);

// The Shift-JIS, JIS and EUC forms of the character whose bytes start
// `bytes` (two bytes read at the caret, fewer at the end of the text); a
// lead byte outside the 94 x 94 table goes through the same arithmetic.
// Empty when there is no character.
std::string CodeDisplayText(std::string_view bytes);

}  // namespace qz
