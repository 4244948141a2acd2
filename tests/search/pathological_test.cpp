// Regular expressions that would backtrack without end stay interruptible
// and finish, even inside one start position.
#include <gtest/gtest.h>

#include "search/pattern_match.h"
#include "search_helpers.h"

namespace qz::test {
namespace {

std::string NestedStars(int n) {
    std::string p;
    for (int i = 0; i < n; ++i) p += "a*";
    return p + "b";
}

TEST(PathologicalRegex, InterruptReachedInsideOneStartPosition) {
    // One window of text, so the per-window check runs once before any
    // matching; a second call can only come from inside the matching.
    StringText t(std::string(250, 'a'));
    SearchPattern p;
    ASSERT_EQ(SearchPattern::Compile(kSearchRegex, NestedStars(40), &p), CompileStatus::kOk);
    int calls = 0;
    FindResult r = Find(t, p, SearchDirection::kForward, 1, std::nullopt, [&] { return ++calls >= 2; });
    EXPECT_EQ(r.status, FindStatus::kInterrupted);
    EXPECT_EQ(calls, 2);
}

TEST(PathologicalRegex, WorkIsBoundedWithoutAnyInterrupt) {
    // Without remembering failed states this would take about C(2040, 40) steps.
    const std::string line(2000, 'a');
    SearchPattern p;
    ASSERT_EQ(SearchPattern::Compile(kSearchRegex, NestedStars(40) + "|.*.*.*.*.*.*c", &p), CompileStatus::kOk);
    Matcher m;
    Subject s{reinterpret_cast<const uint8_t*>(line.data()), 0, 2000, 2000, 2000};
    uint32_t len;
    for (uint32_t pos = 0; pos < 2000; ++pos) ASSERT_EQ(m.MatchAt(p, s, pos, {}, &len), MatchStatus::kNoMatch);
    // Every (instruction, position) state is visited at most once.
    EXPECT_LT(m.steps(), uint64_t{p.program().size()} * 2001 * 2 + 2000 * 300);
    StringText t(line + "\n" + line + "b");
    FindResult r = Find(t, p, SearchDirection::kForward, 1);
    EXPECT_EQ(r.status, FindStatus::kFound);
    EXPECT_EQ(r.pos, 2002u);
    EXPECT_EQ(r.length, 2001u);
}

}  // namespace
}  // namespace qz::test
