// Small helpers for the search tests: UTF-8 literals to Shift-JIS, and one
// call that compiles and finds.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "search/search_engine.h"
#include "string_text.h"

namespace qz::test {

inline std::string Sj(const std::string& utf8) {
    std::string out;
    EXPECT_TRUE(Utf8ToCp932(utf8, out)) << utf8;
    return out;
}

// The match as (1-based position, length), or (0, 0) when none.
struct Hit {
    uint32_t pos = 0, len = 0;
    bool operator==(const Hit&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Hit& h) {
    return os << "{" << h.pos << ", " << h.len << "}";
}

inline Hit FindIn(const std::string& text, const std::string& pattern, unsigned options,
                  SearchDirection dir = SearchDirection::kForward, uint32_t start = 1,
                  std::optional<uint32_t> end = std::nullopt) {
    SearchPattern p;
    CompileStatus st = SearchPattern::Compile(options, pattern, &p);
    EXPECT_EQ(st, CompileStatus::kOk) << pattern;
    StringText t(text);
    if (dir == SearchDirection::kBackward && start == 1) start = static_cast<uint32_t>(text.size()) + 2;
    FindResult r = Find(t, p, dir, start, end);
    EXPECT_NE(r.status, FindStatus::kInterrupted);
    if (r.status != FindStatus::kFound) return {};
    return {r.pos, r.length};
}

}  // namespace qz::test
