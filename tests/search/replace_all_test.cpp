// Replace-all over a text: results, the progress counts, interruption and
// the cases that could loop or lose text.
#include <gtest/gtest.h>

#include "search/buffer_text.h"
#include "search_helpers.h"

namespace qz::test {
namespace {

ReplaceAllResult Replace(StringText& t, const std::string& pat, unsigned opts, const std::string& repl,
                     uint32_t start = 1, std::optional<uint32_t> end = std::nullopt,
                     const ReplaceProgress& progress = {}, const InterruptCheck& interrupt = {}) {
    SearchPattern p;
    EXPECT_EQ(SearchPattern::Compile(opts, pat, &p), CompileStatus::kOk);
    return ReplaceAll(t, p, repl, start, end, progress, interrupt);
}

TEST(ReplaceAll, ReplacesEveryMatchAndGoesOnAfterTheInsertedText) {
    StringText t("return a; return b;");
    ReplaceAllResult r = Replace(t, "return", 0, "yield_value");
    EXPECT_EQ(r.status, ReplaceStatus::kDone);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(t.str(), "yield_value a; yield_value b;");
    EXPECT_EQ(r.next, 27u);
    // The new text contains the old one: no endless loop, no re-replacement.
    StringText u("aa");
    r = Replace(u, "a", 0, "aXa");
    EXPECT_EQ(u.str(), "aXaaXa");
    EXPECT_EQ(r.count, 2);
}

TEST(ReplaceAll, FromAStartAndWithinAnEndThatMoves) {
    StringText t("ab ab ab ab");
    // Matches at 4 and 7 lie inside [4, 9); the end moves with each change.
    ReplaceAllResult r = Replace(t, "ab", 0, "xyz", 4, 9);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(t.str(), "ab xyz xyz ab");
    StringText u("ab ab ab");
    r = Replace(u, "ab", 0, "", 2);
    EXPECT_EQ(u.str(), "ab  ");
}

TEST(ReplaceAll, NothingFound) {
    StringText t("abc");
    ReplaceAllResult r = Replace(t, "zz", 0, "y");
    EXPECT_EQ(r.status, ReplaceStatus::kNone);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(ReplaceResultText(r), "文字列が見つかりません [0] changed");
}

TEST(ReplaceAll, EmptyMatchesStepOverOneCharacter) {
    StringText t("a\x83\x41" "b");
    ReplaceAllResult r = Replace(t, "x*", kSearchRegex, "-");
    EXPECT_EQ(r.status, ReplaceStatus::kDone);
    EXPECT_EQ(t.str(), "-a-\x83\x41-b-");
    EXPECT_EQ(r.count, 4);
    StringText lines("ab\ncd\n");
    Replace(lines, "^", kSearchRegex, "> ");
    EXPECT_EQ(lines.str(), "> ab\n> cd\n> ");
    // An empty text has one empty match, and nothing to replace it with.
    StringText empty("");
    EXPECT_EQ(Replace(empty, "x*", kSearchRegex, "").count, 1);
    EXPECT_EQ(empty.str(), "");
}

TEST(ReplaceAll, ProgressCountsAtTheGivenPoints) {
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "ab ";
    StringText t(text);
    std::vector<long> seen;
    ReplaceAllResult r = Replace(t, "ab", kSearchMatchCase, "c", 1, std::nullopt, [&](long n) {
        seen.push_back(n);
        return true;
    });
    std::vector<long> want;
    for (long n = 1; n < 10; ++n) want.push_back(n);
    for (long n = 10; n < 100; n += 10) want.push_back(n);
    for (long n = 100; n < 1000; n += 100) want.push_back(n);
    want.push_back(1000);
    EXPECT_EQ(seen, want);
    EXPECT_EQ(r.count, 1500);
    EXPECT_EQ(ReplaceResultText(r), "置き換え終了:[1500] changed");
    EXPECT_EQ(ReplaceProgressText(20, true), "全て置き換え:[20] changed  <ESC>:中断");
    EXPECT_EQ(ReplaceProgressText(20, false), "全て置き換え:[20] changed");
}

TEST(ReplaceAll, InterruptKeepsWhatWasReplaced) {
    StringText t("ab ab ab ab ab");
    int checks = 0;
    ReplaceAllResult r = Replace(t, "ab", 0, "X", 1, std::nullopt, {}, [&] {
        // Checked during each find and after each replacement.
        return ++checks == 5;
    });
    EXPECT_EQ(r.status, ReplaceStatus::kInterrupted);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(t.str(), "X X ab ab ab");
    EXPECT_EQ(ReplaceResultText(r), "置き換えを中断しました:[2] changed");
    // The progress callback can stop the run as well.
    StringText u("ab ab ab");
    r = Replace(u, "ab", 0, "X", 1, std::nullopt, [](long n) { return n < 2; });
    EXPECT_EQ(r.status, ReplaceStatus::kInterrupted);
    EXPECT_EQ(u.str(), "X X ab");
}

TEST(ReplaceAll, RefusedInsertIsReportedNotCounted) {
    StringText t("ab ab");
    t.refuse_insert = true;
    ReplaceAllResult r = Replace(t, "ab", 0, "X");
    EXPECT_EQ(r.status, ReplaceStatus::kStoreError);
    EXPECT_EQ(r.count, 0);
}

TEST(ReplaceAll, ManyMatchesAcrossWindows) {
    std::string text, want;
    for (int i = 0; i < 3000; ++i) {
        text += (i % 7 ? "return x;\n" : "// \x95\x5C\x8E\xA6 return\n");
        want += (i % 7 ? "yield_value x;\n" : "// \x95\x5C\x8E\xA6 yield_value\n");
    }
    StringText t(text);
    ReplaceAllResult r = Replace(t, "return", kSearchMatchCase | kSearchWholeWord, "yield_value");
    EXPECT_EQ(r.count, 3000);
    EXPECT_EQ(t.str(), want);
}

}  // namespace
}  // namespace qz::test

namespace qz::test {
namespace {

TEST(BufferText, SearchesMemoryAndRefusesEdits) {
    const std::string line = Sj("検索エンジンのテスト return;");
    BufferText text(line);
    SearchPattern p;
    ASSERT_EQ(SearchPattern::Compile(kSearchWholeWord, "RETURN", &p), CompileStatus::kOk);
    FindResult r = Find(text, p, SearchDirection::kForward, 1);
    EXPECT_EQ(r.status, FindStatus::kFound);
    EXPECT_EQ(line.substr(r.pos - 1, r.length), "return");
    // Replacing in a read-only text is a store refusal, not a success.
    ReplaceAllResult rr = ReplaceAll(text, p, "x", 1);
    EXPECT_EQ(rr.status, ReplaceStatus::kStoreError);
    EXPECT_EQ(rr.count, 0);
}

}  // namespace
}  // namespace qz::test
