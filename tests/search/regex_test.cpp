// Regular expressions as a table: each element kind, classes, anchors,
// groups, the repetition order, the limits and the bracket error.
#include <gtest/gtest.h>

#include "search_helpers.h"

namespace qz::test {
namespace {

constexpr unsigned R = kSearchRegex;
constexpr unsigned C = kSearchMatchCase;

struct Case {
    std::string pattern;
    unsigned options;
    std::string text;
    Hit hit;  // {0, 0}: not found
};

class RegexTable : public ::testing::TestWithParam<Case> {};

TEST_P(RegexTable, FindsTheFirstMatch) {
    const Case& c = GetParam();
    EXPECT_EQ(FindIn(c.text, c.pattern, c.options | R), c.hit)
        << "pattern «" << c.pattern << "» in «" << c.text << "»";
}

const Case kCases[] = {
    // Literals, case.
    {"abc", 0, "xxABCabc", {3, 3}},
    {"abc", C, "xxABCabc", {6, 3}},
    {"x", 0, "\x83\x58x", {3, 1}},  // trail byte 'X' of a kanji skipped (case folded)
    // "." is one character other than a line feed.
    {"a.c", 0, "a\nc abc", {5, 3}},
    {"a.c", 0, "a\x83\x41" "c", {1, 4}},
    {"a..c", 0, "a\x83\x41" "c", {0, 0}},
    // Classes, ranges, negation.
    {"[xyz]", 0, "abcy", {4, 1}},
    {"[a-c]+q", 0, "zzbcaq", {3, 4}},
    {"[^a-c]", 0, "abcd", {4, 1}},
    {"[^a]", 0, "a\nb", {3, 1}},      // a negated class never takes a line feed
    {"[-a]", 0, "x-", {2, 1}},        // a first "-" is a member
    {"[a-]", 0, "x-", {2, 1}},        // so is a last one
    {"[a\\-z]", 0, "m-", {2, 1}},     // an escaped "-" is a member, not a range
    {"[\\]]", 0, "a]", {2, 1}},
    {"[\\x41]", C, "aA", {2, 1}},
    {"[A-Z]", 0, "abcD", {4, 1}},     // ranges compare codes as they are
    {"[A]", 0, "a", {1, 1}},          // single members fold case
    {"[ア-オ]", 0, "かイ", {3, 2}},
    {"[]", 0, "abc", {0, 0}},
    {"[^]", 0, "\nb", {2, 1}},
    // Repetition: fewest first when more follows, most when last.
    {"a.*b", 0, "axbxb", {1, 3}},
    {"a.*", 0, "axbxb\nzz", {1, 5}},
    {"a.+b", 0, "abxbb", {1, 4}},
    {"ab+", 0, "abbbc", {1, 4}},
    {"ab*c", 0, "ac abbc", {1, 2}},
    {"ab?c", 0, "abbc abc", {6, 3}},
    {"ab?", 0, "abc", {1, 2}},
    {"x*", 0, "abc", {1, 0}},
    {"a*b", 0, "caaab", {2, 4}},
    {"colou?r", 0, "color colour", {1, 5}},
    // A quantifier applies to the last unit of a literal run only.
    {"ab*", 0, "abab", {1, 2}},
    // Quantifiers with nothing to repeat are literal units.
    {"*a", 0, "x*a", {2, 2}},
    {"a**", 0, "aa**", {1, 3}},
    {"(*)", 0, "x*", {2, 1}},
    {"(a)*", 0, "a*", {1, 2}},
    {"a|*b", 0, "x*b", {2, 2}},
    // Anchors.
    {"^ab", 0, "xab\nab", {5, 2}},
    {"^ab", 0, "ab", {1, 2}},
    {"ab$", 0, "abx\nab\nz", {5, 2}},
    {"ab$", 0, "zzab", {3, 2}},
    {"a^b", 0, "a^b", {1, 3}},
    {"a$b", 0, "a$b", {1, 3}},
    {"^", 0, "abc", {1, 0}},
    {"\\^a", 0, "a^a", {2, 2}},
    {"a\\$", 0, "a$", {1, 2}},
    {"^a|b", 0, "cb\na", {4, 1}},  // the anchor holds for the whole pattern
    // Groups and alternatives, tried in order.
    {"(ab|a)c", 0, "ac abc", {1, 2}},
    {"x(a|b|c)y", 0, "xdy xcy", {5, 3}},
    {"cat|dog", 0, "hotdog cat", {4, 3}},
    {"(a|ab)(c|bcd)", 0, "abcd", {1, 4}},
    {"a(b(c|d))e", 0, "abde", {1, 4}},
    {"(|x)a", 0, "xa", {1, 2}},
    {"a(b|c)*", 0, "ab*", {1, 3}},  // quantifiers never apply to groups
    {"(ab*|c)", 0, "abbb", {1, 4}},  // last in the pattern through the group: most
    {"(ab*|c)d", 0, "abbd", {1, 4}},
    {"(ab*|c)b", 0, "abbb", {1, 2}},  // followed by more: fewest
    // Escapes.
    {"a\\tb", 0, "a\tb", {1, 3}},
    {"\\x41", C, "aA", {2, 1}},
    {"\\101", C, "aA", {2, 1}},
    {"\\(\\)\\|\\.", 0, "().|()|.", {5, 4}},
    {"\\q", 0, "q", {1, 1}},
    {"a\\nb", 0, "a\nb", {1, 3}},
    // Whole words.
    {"re[a-z]+n", kSearchWholeWord, "rerun", {1, 5}},
    {"re[a-z]+n", kSearchWholeWord, "rerunx return", {8, 6}},
    {"ab|cd", kSearchWholeWord, "abc cd", {5, 2}},
    // Fuzzy folding in elements and classes.
    {"\xB6\xDE", kSearchFuzzy, "xがy", {0, 0}},  // (the text below is converted)
};

// The Japanese texts of the table are written as UTF-8 and converted here.
std::vector<Case> Converted() {
    std::vector<Case> out;
    for (Case c : kCases) {
        std::string t;
        if (Utf8ToCp932(c.text, t)) c.text = t;
        if (Utf8ToCp932(c.pattern, t)) c.pattern = t;
        out.push_back(c);
    }
    out.back().hit = {2, 2};
    out.push_back({"\x83\x4B+", kSearchFuzzy, Sj("xがガ") + "\xB6\xDE", {2, 6}});  // GA+ repeats the whole GA
    out.push_back({"[\x83\x4B]", kSearchFuzzy, Sj("カが"), {3, 2}});
    out.push_back({Sj("[ｱ-ｵ]"), kSearchFuzzy, Sj("かイ"), {3, 2}});
    out.push_back({Sj("[ｱ-ｵ]"), 0, Sj("イ") + "\xB2", {3, 1}});
    out.push_back({".", kSearchFuzzy, Sj("ガ"), {1, 2}});
    out.push_back({"\xB6.", kSearchFuzzy, Sj("ガ"), {1, 2}});  // "." takes the mark left over
    return out;
}

INSTANTIATE_TEST_SUITE_P(Elements, RegexTable, ::testing::ValuesIn(Converted()));

TEST(Regex, BracketErrors) {
    SearchPattern p;
    for (const char* bad : {"[abc", "a(b", "a)b", "(a|b", "((a)", ")", "[\\]", "a\\"}) {
        CompileStatus st = SearchPattern::Compile(R, bad, &p);
        if (std::string(bad) == "a\\") {
            EXPECT_EQ(st, CompileStatus::kOk) << bad;  // a trailing backslash is just dropped
            continue;
        }
        EXPECT_EQ(st, CompileStatus::kBracketError) << bad;
        EXPECT_TRUE(p.empty());
    }
    EXPECT_EQ(CompileErrorMessage(CompileStatus::kBracketError), "カッコの対応が正しくありません");
    // Outside regular expressions brackets are ordinary characters.
    EXPECT_EQ(SearchPattern::Compile(0, "a(b[", &p), CompileStatus::kOk);
}

TEST(Regex, ElementLimit) {
    SearchPattern p;
    EXPECT_EQ(SearchPattern::Compile(R, std::string(143, 'a'), &p), CompileStatus::kOk);
    EXPECT_EQ(p.element_count(), 143);
    EXPECT_EQ(SearchPattern::Compile(R, std::string(144, 'a'), &p), CompileStatus::kTooComplex);
    EXPECT_TRUE(p.empty());
    // Quantifiers, classes and their members, groups and bars all count.
    EXPECT_EQ(SearchPattern::Compile(R, "a*[bc](d|e)", &p), CompileStatus::kOk);
    EXPECT_EQ(p.element_count(), 2 + 3 + 5);
    EXPECT_EQ(SearchPattern::Compile(R, std::string(141, 'a') + "[bc]", &p), CompileStatus::kTooComplex);
    EXPECT_EQ(SearchPattern::Compile(R | kSearchWholeWord, std::string(142, 'a'), &p), CompileStatus::kTooComplex);
    EXPECT_FALSE(CompileErrorMessage(CompileStatus::kTooComplex).empty());
    // Deep nesting is refused long before it could exhaust the stack.
    EXPECT_EQ(SearchPattern::Compile(R, std::string(200000, '(') + "a" + std::string(200000, ')'), &p),
              CompileStatus::kTooComplex);
}

TEST(Regex, AlternativeLimit) {
    SearchPattern p;
    // 128 top-level alternatives need 127 bars, already over 143 elements
    // with one unit each, so the element limit is the one met first.
    std::string alts = "a";
    for (int i = 1; i < 72; ++i) alts += "|a";
    EXPECT_EQ(SearchPattern::Compile(R, alts, &p), CompileStatus::kOk);
    alts += "|a";
    EXPECT_EQ(SearchPattern::Compile(R, alts, &p), CompileStatus::kTooComplex);
}

TEST(Regex, MatchLengthEndsAtLastElement) {
    EXPECT_EQ(FindIn("aaa", "a+", R), (Hit{1, 3}));
    EXPECT_EQ(FindIn("abx", "ab|abx", R), (Hit{1, 2}));
}

TEST(Regex, Backward) {
    EXPECT_EQ(FindIn("ab1 ab22 ab3", "ab[0-9]+", R, SearchDirection::kBackward), (Hit{10, 3}));
    EXPECT_EQ(FindIn("ab1 ab22 ab3", "ab[0-9]+", R, SearchDirection::kBackward, 10), (Hit{5, 4}));
    EXPECT_EQ(FindIn("x\nab\nab", "^ab", R, SearchDirection::kBackward), (Hit{6, 2}));
}

TEST(Regex, MatchesLongerThanTheFirstReadAreFound) {
    std::string t = "<" + std::string(5000, 'x') + ">";
    EXPECT_EQ(FindIn(t, "<x*>", R), (Hit{1, 5002}));
    EXPECT_EQ(FindIn(t, "<x*", R), (Hit{1, 5001}));
    EXPECT_EQ(FindIn(t + "z", "x>z$", R, SearchDirection::kBackward), (Hit{5001, 3}));
    // A long attempt in the middle of a window must not lose the rest of it.
    std::string u = "zab" + std::string(300, 'y') + "<" + std::string(5000, 'x');
    EXPECT_EQ(FindIn(u, "<x*>|ab", R, SearchDirection::kBackward), (Hit{2, 2}));
    EXPECT_EQ(FindIn(u + "ab", "<x*>|ab", R, SearchDirection::kForward, 4), (Hit{5305, 2}));
}

}  // namespace
}  // namespace qz::test
