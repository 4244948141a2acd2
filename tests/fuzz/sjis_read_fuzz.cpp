// Fuzz target: Shift-JIS text of any bytes written as EUC and JIS, whole and
// in pieces, and read back.
#include "kanji_fuzz_common.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qz::fuzz;
    if (size == 0) return 0;
    const size_t piece = 3 + data[0] % 61;
    CheckWriters(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), piece);
    return 0;
}
