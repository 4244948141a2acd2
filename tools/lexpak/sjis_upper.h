// Upper-casing of Shift-JIS text for the dictionary's sort keys.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lexpak {

// Copies n bytes from in to out upper-cased: ASCII letters, and the
// double-byte full-width Latin, Greek and Cyrillic letters. Second bytes of
// double-byte characters are never taken for letters; a lead byte at the end
// of the range is copied as it is.
void UpperSjis(const uint8_t* in, size_t n, uint8_t* out);

}  // namespace lexpak
