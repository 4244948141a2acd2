// Sorting a dictionary in the editor's layout by headword: a scan for the
// entries, a sort of small records, and a copy of the entries in order.
#pragma once

#include "lexpak/byte_io.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexpak {

// One entry of the input: where it is and its upper-cased 16-byte key,
// zero-padded (which orders like the original NUL-terminated key).
struct SortRecord {
    uint32_t offset_low;
    uint32_t offset_high;
    uint32_t length;
    uint8_t key[16];

    uint64_t offset() const { return (uint64_t{offset_high} << 32) | offset_low; }
};
static_assert(sizeof(SortRecord) == 28, "one 28-byte record per entry");

enum class SortResult {
    kOk,
    kLineTooLong,  // a line does not fit in one 4,096-byte block
    kNoMemory,
    kReadError,
    kWriteError,
};

// Longest part of an entry's first line that breaks ties between equal keys.
constexpr size_t kTieLineBytes = 256;
// Entries are copied in pieces of this size.
constexpr size_t kCopyBytes = 1024;

// Finds the entries (a "." at the start of the input or after a line feed),
// counting them in a first scan and filling one record each in a second.
SortResult ScanEntries(RandomInput& in, std::vector<SortRecord>& records);

// Sorts by key, then by the upper-cased first line of the entry.
SortResult SortEntries(RandomInput& in, std::vector<SortRecord>& records);

// Copies the entries in record order. An entry that ends the input without a
// line end gets CR LF, so that it cannot run into the entry written after it.
SortResult WriteEntries(RandomInput& in, const std::vector<SortRecord>& records, ByteSink& out);

}  // namespace lexpak
