// Test text for benchmarks: realistic C source in Shift-JIS with LF line
// ends, Japanese comments and strings, of any requested size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qzbench {

// Exactly `bytes` bytes of Shift-JIS C program text (whole lines, the last
// one cut to fit). The same seed always gives the same text.
std::string GenerateSjisCSource(size_t bytes, uint32_t seed = 1);

}  // namespace qzbench
