// Replace-all in spans: the same results as replacing match by match, far
// fewer changes handed to the text, and the undo budget asked about before
// the text changes.
#include <gtest/gtest.h>

#include <random>

#include "search/span_edits.h"
#include "search_helpers.h"

namespace qz::test {
namespace {

// A StringText that counts the changes it is handed and their bytes.
class CountingText : public StringText {
public:
    using StringText::StringText;
    long changes = 0;
    uint64_t bytes = 0;
    uint32_t InsertText(uint32_t p, const char* b, uint32_t n, uint32_t h) override {
        const uint32_t k = StringText::InsertText(p, b, n, h);
        ++changes, bytes += k;
        return k;
    }
    uint32_t DeleteText(uint32_t p, uint32_t n) override {
        const uint32_t k = StringText::DeleteText(p, n);
        ++changes, bytes += k;
        return k;
    }
};

// The run as it was made before spans: each match deleted and the new text
// inserted on its own, the search going on in the changed text.
ReplaceAllResult OneByOne(StringText& t, const SearchPattern& p, const std::string& repl, uint32_t start,
                          std::optional<uint32_t> end) {
    ReplaceAllResult res;
    res.next = start;
    const uint32_t added = static_cast<uint32_t>(repl.size());
    uint32_t total = t.GetTextLength();
    uint32_t pos = std::min(start - 1, total);
    uint32_t limit = end ? std::min(*end - 1, total) : total;
    while (pos <= limit) {
        const FindResult r = Find(t, p, SearchDirection::kForward, pos + 1, limit + 1);
        if (r.status != FindStatus::kFound) break;
        const uint32_t at = r.pos - 1;
        t.DeleteText(r.pos, r.length);
        t.InsertText(r.pos, repl.data(), added, 0);
        ++res.count;
        total = total - r.length + added;
        limit = limit - r.length + added;
        pos = at + added;
        res.next = pos + 1;
        if (r.length == 0) {
            if (pos >= limit) break;
            char c = 0;
            t.ReadText(pos + 1, &c, 1);
            pos += IsSjisLead(static_cast<uint8_t>(c)) && pos + 1 < total ? 2 : 1;
        }
    }
    res.status = res.count > 0 ? ReplaceStatus::kDone : ReplaceStatus::kNone;
    return res;
}

struct Pattern {
    const char* text;
    unsigned options;
};

TEST(ReplaceSpans, SameResultsAsMatchByMatch) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const char* pieces[] = {"a", "b", "ab", " ", "\n", "\x8a\xbf", "\x83\x41", "_", "x", "return", "abab"};
    const Pattern patterns[] = {{"ab", 0},           {"a", kSearchMatchCase}, {"^", kSearchRegex},
                                {"x*", kSearchRegex}, {"b+", kSearchRegex},   {"ab", kSearchWholeWord},
                                {"\x83\x41", 0},     {"a\\n", kSearchEscapes}, {"$", kSearchRegex}};
    const std::string repls[] = {"", "X", "abab", "\n", std::string(300, 'L'), "\x8a\xbf"};
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int n = int(rng() % 120);
        for (int i = 0; i < n; ++i) text += pieces[rng() % std::size(pieces)];
        // Stretches longer than a span's gap keep some matches apart.
        if (rng() % 3 == 0) text.insert(rng() % (text.size() + 1), std::string(700, 'z'));
        const Pattern& pat = patterns[rng() % std::size(patterns)];
        const std::string& repl = repls[rng() % std::size(repls)];
        SearchPattern p;
        ASSERT_EQ(SearchPattern::Compile(pat.options, pat.text, &p), CompileStatus::kOk);
        const uint32_t start = 1 + uint32_t(rng() % (text.size() + 1));
        std::optional<uint32_t> end;
        if (rng() % 3 == 0) end = start + uint32_t(rng() % (text.size() + 2 - start));
        SCOPED_TRACE(::testing::Message() << "round " << round << " pattern " << pat.text << " text " << text);

        StringText want(text);
        const ReplaceAllResult w = OneByOne(want, p, repl, start, end);
        // Without a budget, and with budgets that hold everything, run out
        // at once or run out part way.
        for (int budget = 0; budget < 3; ++budget) {
            CountingText got(text);
            ReplaceUndoRoom room;
            int asked = 0;
            if (budget) {
                room.changes = budget == 1 ? 4096 : 1 + uint32_t(rng() % 6);
                room.bytes = budget == 1 ? 1u << 20 : rng() % 400;
                room.goOn = [&] { return ++asked, true; };
            }
            const ReplaceAllResult g = ReplaceAll(got, p, repl, start, end, {}, {}, room);
            ASSERT_EQ(got.str(), want.str()) << "budget " << budget;
            EXPECT_EQ(g.count, w.count);
            EXPECT_EQ(g.next, w.next);
            EXPECT_EQ(g.status, w.status);
            EXPECT_LE(asked, 1);
            if (budget && !asked) {
                EXPECT_LE(got.changes, long(room.changes));
                EXPECT_LE(got.bytes, room.bytes);
            }
            // Never more changes than the match-by-match run made.
            EXPECT_LE(got.changes, 2 * w.count);
        }
    }
}

TEST(ReplaceSpans, NoToTheBudgetQuestionLeavesTheTextAlone) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "ab cd ";
    CountingText t(text);
    SearchPattern p;
    ASSERT_EQ(SearchPattern::Compile(0, "ab", &p), CompileStatus::kOk);
    ReplaceUndoRoom room;
    room.changes = 2048;
    room.bytes = 300;  // the 1200 bytes of the replaced stretch do not fit
    std::vector<long> progress;
    int asked = 0;
    room.goOn = [&] {
        ++asked;
        EXPECT_EQ(t.changes, 0);  // asked before anything changed
        return false;
    };
    const ReplaceAllResult r = ReplaceAll(t, p, "X", 1, std::nullopt, [&](long n) {
        progress.push_back(n);
        return true;
    }, {}, room);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(t.str(), text);
    EXPECT_EQ(t.changes, 0);
    EXPECT_EQ(r.status, ReplaceStatus::kInterrupted);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(ReplaceResultText(r), "置き換えを中断しました:[0] changed");
    // Without an answer to give, the run cannot go on either.
    room.goOn = nullptr;
    EXPECT_EQ(ReplaceAll(t, p, "X", 1, std::nullopt, {}, {}, room).count, 0);
    EXPECT_EQ(t.str(), text);
}

TEST(ReplaceSpans, LongTextChangesOncePerSpan) {
    // 3 MB in one line: each change handed over lays out the rest of the line
    // again, so however far apart the matches lie, and also once the user
    // has let a run go on past the undo history, they reach the text as a
    // handful of spans of at most kSpanBytes.
    const std::string filler = "; else y = f(y, 12345678901234567890); ";
    struct Case {
        int fillers;  // between two matches
        bool pastTheBudget;
    };
    for (const Case c : {Case{1, false}, Case{40, false}, Case{40, true}}) {
        SCOPED_TRACE(::testing::Message() << c.fillers << " fillers, past the budget " << c.pastTheBudget);
        std::string piece = "if (x) return x";
        for (int i = 0; i < c.fillers; ++i) piece += filler;
        std::string text;
        while (text.size() < 3u << 20) text += piece;
        CountingText t(text);
        SearchPattern p;
        ASSERT_EQ(SearchPattern::Compile(kSearchMatchCase, "return", &p), CompileStatus::kOk);
        ReplaceUndoRoom room;
        if (c.pastTheBudget) {
            room.changes = 2048;
            room.bytes = 64 << 10;
            room.goOn = [] { return true; };
        }
        const ReplaceAllResult r = ReplaceAll(t, p, "yield_value", 1, std::nullopt, {}, {}, room);
        EXPECT_GT(r.count, long(text.size() / piece.size()) - 1);
        EXPECT_LE(t.changes, 2 * (3 + 2) + (c.pastTheBudget ? 2 * 64 : 0));
        std::string want;
        size_t from = 0;
        for (size_t at; (at = text.find("return", from)) != std::string::npos; from = at + 6)
            want += text.substr(from, at - from) + "yield_value";
        want += text.substr(from);
        EXPECT_TRUE(t.str() == want);
    }
}

TEST(ReplaceSpans, ReadsSeeHeldEditsAcrossSeveralSpans) {
    // Held spans far apart, read across in one go.
    const std::string text = "ab" + std::string(1000, '.') + "ab" + std::string(1000, '.') + "ab";
    StringText base(text);
    SpanEdits edits(base, 2048, 1u << 20);
    ASSERT_TRUE(edits.Replace(0, 2, "XYZ"));
    ASSERT_TRUE(edits.Replace(1003, 2, ""));
    ASSERT_TRUE(edits.Replace(2003, 2, "Q"));
    std::string want = "XYZ" + std::string(1000, '.') + std::string(1000, '.') + "Q";
    EXPECT_EQ(edits.GetTextLength(), want.size());
    std::string seen(want.size() + 5, '\0');
    seen.resize(edits.ReadText(1, seen.data(), uint32_t(seen.size())));
    EXPECT_EQ(seen, want);
    char mid[6] = {};
    EXPECT_EQ(edits.ReadText(1001, mid, 6), 6u);  // across the deletion
    EXPECT_EQ(std::string(mid, 6), "......");
    EXPECT_EQ(base.str(), text);  // held back
    EXPECT_TRUE(edits.Flush());
    EXPECT_EQ(base.str(), want);
    EXPECT_EQ(edits.Applied(), 3);
}

}  // namespace
}  // namespace qz::test
