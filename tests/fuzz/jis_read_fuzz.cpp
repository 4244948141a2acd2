// Fuzz target: reading 7-bit JIS into Shift-JIS, whole and in pieces, and writing
// the result back.
#include "kanji_fuzz_common.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qz;
    using namespace qz::fuzz;
    if (size == 0) return 0;
    // The first byte picks the piece size; the rest is the file.
    const size_t piece = 3 + data[0] % 61;
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string sjis = Whole(Dir::Read, kCodeJis, file);
    Check(sjis.size() <= file.size());
    Check(Pieces(Dir::Read, kCodeJis, file, piece) == sjis);
    CheckWriters(sjis, piece);
    return 0;
}
