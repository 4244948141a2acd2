// Converts arbitrary bytes in the layout chosen by the first byte, then sorts
// the result, checking that the sort only reorders whole entries.
#include "lexpak/dict_convert.h"
#include "lexpak/dict_sort.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    auto layout = static_cast<lexpak::Layout>(data[0] % 4 + 1);
    std::string src(reinterpret_cast<const char*>(data + 1), size - 1);

    lexpak::MemorySource in(src);
    lexpak::StringSink converted;
    uint64_t last = 0;
    lexpak::ConvertResult r = lexpak::Convert(layout, in, converted, [&](uint64_t n) {
        if (n < last || n > src.size()) std::abort();
        last = n;
    });
    if (r == lexpak::ConvertResult::kReadFailed || r == lexpak::ConvertResult::kWriteFailed)
        std::abort();
    if (r != lexpak::ConvertResult::kOk) return 0;

    const std::string& dict = converted.out;
    lexpak::MemorySource sort_in(dict);
    std::vector<lexpak::SortRecord> recs;
    if (lexpak::ScanEntries(sort_in, recs) != lexpak::SortResult::kOk) return 0;
    if (lexpak::SortEntries(sort_in, recs) != lexpak::SortResult::kOk) std::abort();
    lexpak::StringSink sorted;
    if (lexpak::WriteEntries(sort_in, recs, sorted) != lexpak::SortResult::kOk) std::abort();

    // Every byte from the first entry on appears once, plus at most one CR LF
    // for an unterminated last entry.
    size_t first = dict.size();
    for (const auto& rec : recs) first = std::min<size_t>(first, rec.offset());
    size_t count[256] = {};
    for (size_t i = first; i < dict.size(); ++i) ++count[static_cast<uint8_t>(dict[i])];
    for (unsigned char c : sorted.out) {
        if (count[c] == 0 && c != '\r' && c != '\n') std::abort();
        if (count[c] > 0) --count[c];
    }
    for (size_t c : count)
        if (c != 0) std::abort();
    if (sorted.out.size() > dict.size() - first + 2) std::abort();
    for (size_t i = 1; i < recs.size(); ++i)
        if (std::memcmp(recs[i - 1].key, recs[i].key, 16) > 0) std::abort();
    return 0;
}
