// Fuzzes the keyword file parser and the matcher: any bytes must give a table
// that keeps its limits and order, and matching must stay inside the row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lang/keyword_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    qz::KeywordTable t;
    qz::ParseKeywordFile(bytes, t);
    if (t.entries.size() > qz::kMaxKeywords) std::abort();
    for (size_t i = 0; i < t.entries.size(); ++i) {
        const auto& e = t.entries[i];
        if (e.length == 0 || e.length > qz::kMaxPatternBytes || e.pattern[e.length] != 0) std::abort();
        for (int k = 0; k < e.length; ++k)
            if (e.group[k] > 3) std::abort();
        int cls = e.kind & qz::kKindToken;
        int first = t.firstByte[cls][static_cast<uint8_t>(e.pattern[0])];
        if (first < 0 || static_cast<size_t>(first) > i) std::abort();
    }
    // Match the file's own text as a row, with a few cells marked as other kinds.
    std::string attrs(bytes.size(), '1');
    for (size_t i = 0; i < attrs.size(); i += 7) attrs[i] = "1YZ5\xB1"[i % 5];
    qz::MatchKeywords(t, bytes.data(), attrs.data(), bytes.size());
    for (size_t i = 0; i < attrs.size(); ++i) {
        char a = static_cast<char>(attrs[i] & 0x7F);
        if (!(a == '1' || a == 'Y' || a == 'Z' || a == '5' || (a >= '6' && a <= '9'))) std::abort();
    }
    return 0;
}
