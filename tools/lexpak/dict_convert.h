// Conversion of the four source layouts into the editor's dictionary layout
// (unsorted): entries of a "." headword line and body lines, CR LF inserted.
#pragma once

#include "lexpak/byte_io.h"

#include <cstdint>
#include <functional>

namespace lexpak {

enum class Layout { kEijiro = 1, kTwoLine = 2, kTab = 3, kSpace = 4 };

enum class ConvertResult {
    kOk,
    kLineTooLong,      // a layout-1 line does not fit in one 4,096-byte block
    kHeadwordTooLong,  // a layout-3/4 line without its separator in one piece
    kReadFailed,
    kWriteFailed,
};

// Called after each block or line piece with the number of source bytes
// read so far.
using Progress = std::function<void(uint64_t consumed)>;

// Block size of layout 1 and of the sort's scan.
constexpr size_t kBlockBytes = 4096;
// Longest line piece of layouts 2 to 4 (a 4,096-byte buffer less its NUL).
constexpr size_t kPieceBytes = 4095;

ConvertResult Convert(Layout layout, ByteSource& in, ByteSink& out, const Progress& progress);

}  // namespace lexpak
