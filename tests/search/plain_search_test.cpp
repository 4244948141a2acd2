// Plain search strings: folding, escapes, the wildcard, whole words, the
// character-boundary rule, directions, ranges and interruption.
#include <gtest/gtest.h>

#include "search_helpers.h"

namespace qz::test {
namespace {

constexpr unsigned kCase = kSearchMatchCase;

TEST(PlainSearch, FuzzyHalfWidthKaWithMarkFindsKatakanaAndHiraganaGa) {
    const std::string pat = "\xB6\xDE";  // half-width KA + voiced mark
    EXPECT_EQ(FindIn(Sj("xガy"), pat, kSearchFuzzy), (Hit{2, 2}));
    EXPECT_EQ(FindIn(Sj("xがy"), pat, kSearchFuzzy), (Hit{2, 2}));
    EXPECT_EQ(FindIn(Sj("xカy"), pat, kSearchFuzzy), Hit{});
    EXPECT_EQ(FindIn(Sj("xガy"), pat, 0), Hit{});  // only with the fuzzy bit
    // And the other way round: full-width GA finds the half-width pair.
    EXPECT_EQ(FindIn("x\xB6\xDEy", Sj("ガ"), kSearchFuzzy), (Hit{2, 2}));
    EXPECT_EQ(FindIn("x\xB6\xDEy", Sj("が"), kSearchFuzzy), (Hit{2, 2}));
}

TEST(PlainSearch, FuzzyFoldsLettersAndKeepsCaseRule) {
    EXPECT_EQ(FindIn(Sj("--ＡＢＣ--"), "abc", kSearchFuzzy), (Hit{3, 6}));
    EXPECT_EQ(FindIn(Sj("--ＡＢＣ--"), "abc", kSearchFuzzy | kCase), Hit{});
    EXPECT_EQ(FindIn(Sj("--ＡＢＣ--"), "ABC", kSearchFuzzy | kCase), (Hit{3, 6}));
    // Without the fuzzy bit double-byte letters compare exactly.
    EXPECT_EQ(FindIn(Sj("ａ"), Sj("Ａ"), 0), Hit{});
    // Hiragana without a half-width form still meet their katakana.
    EXPECT_EQ(FindIn(Sj("ヮ"), Sj("ゎ"), kSearchFuzzy), (Hit{1, 2}));
}

TEST(PlainSearch, FuzzyNeverEndsInsideAFoldedCharacter) {
    // Half-width KA alone must not match the first half of GA.
    EXPECT_EQ(FindIn(Sj("ガ"), "\xB6", kSearchFuzzy), Hit{});
    EXPECT_EQ(FindIn(Sj("ガカ"), "\xB6", kSearchFuzzy), (Hit{3, 2}));
    // Nor may a match begin on the mark inside GA.
    EXPECT_EQ(FindIn(Sj("ガ"), "\xDE", kSearchFuzzy), Hit{});
}

TEST(PlainSearch, CaseFoldingOnlyForSingleByteLetters) {
    EXPECT_EQ(FindIn("xRETURNx", "return", 0), (Hit{2, 6}));
    EXPECT_EQ(FindIn("xRETURNx return", "return", kCase), (Hit{10, 6}));
}

TEST(PlainSearch, Escapes) {
    EXPECT_EQ(FindIn("ab a\tb", "a\\tb", kSearchEscapes), (Hit{4, 3}));
    EXPECT_EQ(FindIn("zzA", "\\x41", kSearchEscapes | kCase), (Hit{3, 1}));
    EXPECT_EQ(FindIn("zzA", "\\101", kSearchEscapes | kCase), (Hit{3, 1}));
    EXPECT_EQ(FindIn("a\nb", "a\\nb", kSearchEscapes), (Hit{1, 3}));
    EXPECT_EQ(FindIn("x\x07\x08\x0C\x0B", "\\a\\b\\f\\v", kSearchEscapes), (Hit{2, 4}));
    // Without the bit the backslash is an ordinary character.
    EXPECT_EQ(FindIn("a\\tb a\tb", "a\\tb", 0), (Hit{1, 4}));
    // Listed characters stand for themselves; others lose the backslash.
    EXPECT_EQ(FindIn("axb a.b", "a\\?b", kSearchEscapes | kSearchWildcard), Hit{});
    EXPECT_EQ(FindIn("a?b", "a\\?b", kSearchEscapes | kSearchWildcard), (Hit{1, 3}));
    EXPECT_EQ(FindIn("q\\z", "q\\\\z", kSearchEscapes), (Hit{1, 3}));
    EXPECT_EQ(FindIn("qz", "q\\z", kSearchEscapes), (Hit{1, 2}));
    // Hex digits run on as long as they last; the byte is the low eight bits.
    EXPECT_EQ(FindIn("zB", "\\x142", kSearchEscapes | kCase), (Hit{2, 1}));
    // At most three octal digits.
    EXPECT_EQ(FindIn("A1", "\\1011", kSearchEscapes | kCase), (Hit{1, 2}));
    // An escaped letter folds like a typed one.
    EXPECT_EQ(FindIn("a", "\\x41", kSearchEscapes), (Hit{1, 1}));
}

TEST(PlainSearch, TrailByteOfKanjiNeverMatches) {
    // 0x8341 is katakana A; its trail byte is the letter A.
    std::string text = "\x83\x41";
    EXPECT_EQ(FindIn(text, "A", kCase), Hit{});
    EXPECT_EQ(FindIn(text, "a", 0), Hit{});
    EXPECT_EQ(FindIn(text + "A", "A", kCase), (Hit{3, 1}));
    // A backslash as the trail byte of "表" (0x955C) is no escape either.
    EXPECT_EQ(FindIn(Sj("表t"), Sj("表t"), kSearchEscapes), (Hit{1, 3}));
    // Backward too.
    EXPECT_EQ(FindIn("A\x83\x41\x83\x41", "A", kCase, SearchDirection::kBackward), (Hit{1, 1}));
    // A run of lead-range bytes pairs up from its start.
    std::string run = "x\x81\x81\x81\x81\x81\x81";
    EXPECT_EQ(FindIn(run, "\x81\x81", kCase), (Hit{2, 2}));
    EXPECT_EQ(FindIn(run, "\x81\x81", kCase, SearchDirection::kBackward), (Hit{6, 2}));
}

TEST(PlainSearch, Wildcard) {
    EXPECT_EQ(FindIn("abc axc", "a?c", kSearchWildcard), (Hit{1, 3}));
    EXPECT_EQ(FindIn("a?c", "a?c", 0), (Hit{1, 3}));
    EXPECT_EQ(FindIn("abc", "a?c", 0), Hit{});
    // "?" takes a whole double-byte character, folded or not.
    EXPECT_EQ(FindIn(Sj("a漢c"), "a?c", kSearchWildcard), (Hit{1, 4}));
    EXPECT_EQ(FindIn(Sj("aガc"), "a?c", kSearchWildcard | kSearchFuzzy), (Hit{1, 4}));
}

TEST(PlainSearch, WholeWord) {
    EXPECT_EQ(FindIn("returns return_ return;", "return", kSearchWholeWord), (Hit{17, 6}));
    EXPECT_EQ(FindIn("xreturn return", "return", kSearchWholeWord), (Hit{9, 6}));
    EXPECT_EQ(FindIn("return", "return", kSearchWholeWord), (Hit{1, 6}));
    // A double-byte character before the word is no word character, even
    // when its trail byte is a letter.
    EXPECT_EQ(FindIn("\x83\x41" "abc", "abc", kSearchWholeWord), (Hit{3, 3}));
    EXPECT_EQ(FindIn("Aabc", "abc", kSearchWholeWord), Hit{});
}

TEST(PlainSearch, DirectionsStartAndEnd) {
    const std::string t = "ab ab ab";  // matches at 1, 4, 7
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kForward, 2), (Hit{4, 2}));
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kForward, 4), (Hit{4, 2}));
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kForward, 8), Hit{});
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kBackward, 7), (Hit{4, 2}));
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kBackward, 8), (Hit{7, 2}));
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kBackward, 4), (Hit{1, 2}));
    // The end offset bounds the whole match forward and the start backward.
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kForward, 2, 6), (Hit{4, 2}));
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kForward, 2, 5), Hit{});
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kBackward, 9, 5), (Hit{7, 2}));
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kBackward, 7, 2), (Hit{4, 2}));
    EXPECT_EQ(FindIn(t, "ab", 0, SearchDirection::kBackward, 4, 2), Hit{});
    // No wrap-around.
    EXPECT_EQ(FindIn("ab x", "ab", 0, SearchDirection::kForward, 2), Hit{});
}

TEST(PlainSearch, MatchesAcrossWindowEdgesAndFarAway) {
    for (size_t at : {0u, 250u, 254u, 255u, 256u, 511u, 4095u, 70000u, 200000u}) {
        std::string t(at, 'x');
        t += "needle";
        t += std::string(300, 'y');
        EXPECT_EQ(FindIn(t, "needle", kCase), (Hit{static_cast<uint32_t>(at + 1), 6})) << at;
        EXPECT_EQ(FindIn(t, "NEEDLE", 0), (Hit{static_cast<uint32_t>(at + 1), 6})) << at;
        EXPECT_EQ(FindIn(t, "needle", kCase, SearchDirection::kBackward), (Hit{static_cast<uint32_t>(at + 1), 6}))
            << at;
    }
    // A kanji straddling a window edge decides where the next character starts.
    std::string t(255, 'x');
    t += "\x83\x41" "A";
    EXPECT_EQ(FindIn(t, "A", kCase), (Hit{258, 1}));
}

TEST(PlainSearch, EmptyPatternsDoNotCompile) {
    SearchPattern p;
    EXPECT_EQ(SearchPattern::Compile(0, "", &p), CompileStatus::kEmpty);
    EXPECT_EQ(SearchPattern::Compile(kSearchEscapes, "\\", &p), CompileStatus::kEmpty);
    EXPECT_EQ(SearchPattern::Compile(kSearchRegex, "", &p), CompileStatus::kEmpty);
    StringText t("abc");
    EXPECT_EQ(Find(t, p, SearchDirection::kForward, 1).status, FindStatus::kNotFound);
}

TEST(PlainSearch, InterruptIsCheckedPerWindow) {
    StringText t(std::string(10000, 'x'));
    SearchPattern p;
    ASSERT_EQ(SearchPattern::Compile(0, "needle", &p), CompileStatus::kOk);
    int calls = 0;
    FindResult r = Find(t, p, SearchDirection::kForward, 1, std::nullopt, [&] { return ++calls == 3; });
    EXPECT_EQ(r.status, FindStatus::kInterrupted);
    EXPECT_EQ(calls, 3);
    calls = 0;
    r = Find(t, p, SearchDirection::kForward, 1, std::nullopt, [&] { return ++calls < 0; });
    EXPECT_EQ(r.status, FindStatus::kNotFound);
    EXPECT_EQ(calls, (10000 + 1 + 255) / 256);
}

TEST(PlainSearch, NearbyMatchReadsLittle) {
    StringText t("x needle " + std::string(1 << 20, 'y'));
    SearchPattern p;
    ASSERT_EQ(SearchPattern::Compile(0, "needle", &p), CompileStatus::kOk);
    ASSERT_EQ(Find(t, p, SearchDirection::kForward, 1).status, FindStatus::kFound);
    EXPECT_LE(t.reads, 2);
}

}  // namespace
}  // namespace qz::test
