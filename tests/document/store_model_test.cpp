// Randomised edits against a std::string and a layout computed from scratch;
// every row question of the store must agree with the model. QZ_STORE_STEPS
// raises the number of steps, QZ_STORE_SEED fixes the seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "document/qzed_doc.h"
#include "settings/settings.h"

namespace qz {
namespace {

bool Lead(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) || c == 0xFF; }

// The layout of a whole text, computed in one pass over the bytes.
struct ModelLayout {
    struct Row {
        uint32_t start;  // 0-based offset of the first byte
        uint32_t line;   // logical line
        int com, top;
        uint8_t chr;
    };
    std::vector<Row> rows;
    std::vector<uint32_t> lineStart;     // 0-based offset of each logical line
    std::vector<uint32_t> lineFirstRow;  // 1-based
    uint32_t lfs = 0;

    ModelLayout(const std::string& s, int tab, int wrap, int bits) {
        int com = 1, top = 1, col = 0;
        bool trail = false;
        uint8_t pend = 0;
        rows.push_back({0, 1, 1, 1, 0});
        lineStart.push_back(0);
        lineFirstRow.push_back(1);
        for (size_t i = 0; i < s.size(); ++i) {
            const uint8_t c = static_cast<uint8_t>(s[i]);
            bool brk = false, lf = false;
            if (trail) {
                trail = false;
                pend = 0;
                brk = ++col >= wrap;
            } else if (Lead(c)) {
                trail = true;
                pend = 0;
                ++col;
            } else if (c == '\n') {
                lf = brk = true;
                pend = 0;
                if (com == 3) com = 1;
            } else if (c == '\t') {
                int before = col;
                col = (col / tab + 1) * tab;
                pend = 0;
                brk = before >= wrap;
            } else {
                const uint8_t q = pend;
                if (com == 0 || com == 1) {
                    auto on = [bits](int b) { return (bits & b) != 0; };
                    bool atStart = top == 1 && col == 0;
                    int next = com;
                    if (on(1) && q == '/' && c == '*') next = 2;
                    else if (on(8) && q == '<' && c == '!') next = 4;
                    else if (on(2) && q == '/' && c == '/') next = 3;
                    else if ((on(4) && c == ';') || (on(16) && c == '*') || (on(32) && c == '\'') ||
                             (on(64) && c == '#') || (on(128) && c == '\\'))
                        next = 3;
                    else if (atStart && ((on(0x100) && c == '*') || (on(0x200) && c == '\'') ||
                                         (on(0x400) && c == '#') || (on(0x800) && c == ';') ||
                                         (on(0x1000) && c == '\\')))
                        next = 3;
                    pend = next != com ? 0 : c;
                    com = next;
                } else if (com == 2) {
                    if ((bits & 1) && q == '*' && c == '/') com = 1, pend = 0;
                    else pend = c;
                } else if (com == 4) {
                    if ((bits & 8) && c == '>') com = 1, pend = 0;
                    else pend = c;
                } else {
                    pend = 0;
                }
                brk = ++col >= wrap;
            }
            if (!brk) continue;
            col = 0;
            top = lf ? 1 : 0;
            if (lf) {
                ++lfs;
                lineStart.push_back(static_cast<uint32_t>(i + 1));
                lineFirstRow.push_back(static_cast<uint32_t>(rows.size() + 1));
            }
            rows.push_back({static_cast<uint32_t>(i + 1), lfs + 1, com, top, pend});
        }
    }
};

struct Recorder : LinesObserver {
    uint32_t calls = 0, row = 0;
    int32_t delta = 0;
    void NotifyLinesChanged(uint32_t r, int32_t d) override { ++calls, row = r, delta = d; }
};

std::string RowOf(const std::string& s, const ModelLayout& m, size_t r) {
    uint32_t a = m.rows[r].start;
    uint32_t b = r + 1 < m.rows.size() ? m.rows[r + 1].start : static_cast<uint32_t>(s.size());
    return s.substr(a, b - a);
}

// Compares everything the store answers with the model.
void CompareAll(TextStore& st, const std::string& s, int tab, int wrap, int bits) {
    ASSERT_EQ(st.Check(), "");
    ModelLayout m(s, tab, wrap, bits);
    ASSERT_EQ(st.GetTextLength(), s.size());
    ASSERT_EQ(st.GetRowCount() + 1, m.rows.size());
    ASSERT_EQ(st.GetLineEndCount(), m.lfs);
    std::string all(s.size(), '\0');
    ASSERT_EQ(st.ReadText(1, all.data(), static_cast<uint32_t>(all.size() + 5)), s.size());
    ASSERT_EQ(all, s);
    char buf[kRowTextMax];
    const uint32_t nrows = static_cast<uint32_t>(m.rows.size());
    for (uint32_t r = 1; r <= nrows; ++r) {
        const auto& mr = m.rows[r - 1];
        std::string want = RowOf(s, m, r - 1);
        ASSERT_LT(want.size(), kRowTextMax) << "row " << r;
        uint32_t n = st.GetRowText(r, buf);
        ASSERT_EQ(std::string(buf, n), want) << "row " << r;
        ASSERT_EQ(buf[n], '\0');
        ASSERT_EQ(st.RowToOffset(r), mr.start + 1) << "row " << r;
        ASSERT_EQ(st.RowToLine(r), mr.line) << "row " << r;
        int top = -1;
        uint8_t chr = 0xEE;
        ASSERT_EQ(st.RowStartState(r, &top, &chr), mr.com) << "row " << r;
        ASSERT_EQ(top, mr.top) << "row " << r;
        ASSERT_EQ(chr, mr.chr) << "row " << r;
        uint32_t lineOfs = mr.start - m.lineStart[mr.line - 1];
        ASSERT_EQ(st.RowColumnToLineOffset(r, 3), lineOfs + 3) << "row " << r;
    }
    // A second pass in reverse order exercises the backward walks.
    for (uint32_t r = nrows; r >= 1; r -= 1 + r / 7) {
        ASSERT_EQ(st.RowToOffset(r), m.rows[r - 1].start + 1) << "row " << r;
        uint32_t n = st.GetRowText(r, buf);
        ASSERT_EQ(std::string(buf, n), RowOf(s, m, r - 1)) << "row " << r;
    }
    for (uint32_t l = 1; l <= m.lfs + 1; ++l) ASSERT_EQ(st.LineToRow(l), m.lineFirstRow[l - 1]) << "line " << l;
    for (uint32_t p = 1; p <= s.size() + 1; p += 1 + p % 5) {
        uint32_t row = static_cast<uint32_t>(
            std::upper_bound(m.rows.begin(), m.rows.end(), p - 1,
                             [](uint32_t v, const ModelLayout::Row& x) { return v < x.start; }) -
            m.rows.begin());
        ASSERT_EQ(st.OffsetToRow(p), row) << "pos " << p;
        ASSERT_EQ(st.GetCharAt(p), p <= s.size() ? static_cast<uint8_t>(s[p - 1]) : 0) << "pos " << p;
    }
    // Past the ends.
    ASSERT_EQ(st.GetRowText(nrows + 1, buf), 0u);
    ASSERT_EQ(buf[0], '\0');
    ASSERT_EQ(st.RowToOffset(nrows + 1), 0u);
    ASSERT_EQ(st.RowToLine(nrows + 1), 0u);
    ASSERT_EQ(st.LineToRow(m.lfs + 2), 0u);
    ASSERT_EQ(st.OffsetToRow(static_cast<uint32_t>(s.size() + 2)), 0u);
    ASSERT_EQ(st.ReadText(static_cast<uint32_t>(s.size() + 1), buf, 4), 0u);
    ASSERT_EQ(st.ReadText(0, buf, 4), 0u);
    ASSERT_EQ(st.RowStartState(nrows + 1, nullptr, nullptr), 1);
}

class Generator {
public:
    explicit Generator(uint32_t seed) : rng_(seed) {}
    uint32_t Below(uint32_t n) { return n ? std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_) : 0; }

    std::string Piece() {
        static const char* tokens[] = {"/*", "*/", "//", "<!", ">", ";", "'", "#", "\\", "*", "/", "<"};
        switch (Below(12)) {
        case 0: case 1: case 2: return std::string(1, static_cast<char>('a' + Below(26)));
        case 3: return Dbcs();
        case 4: return "\t";
        case 5: return "\n";
        case 6: return tokens[Below(12)];
        case 7: return std::string(1, static_cast<char>(0x81 + Below(0x1F)));
        case 8: {  // a long mixed run
            std::string s;
            uint32_t n = 100 + Below(600);
            while (s.size() < n) s += Small();
            return s;
        }
        case 9: return std::string(1 + Below(300), static_cast<char>('A' + Below(26)));
        default: {
            std::string s;
            for (uint32_t i = 0, n = 2 + Below(30); i < n; ++i) s += Small();
            return s;
        }
        }
    }

private:
    std::string Dbcs() {
        static const uint8_t trails[] = {0x40, 0x5C, 0x7E, 0x80, 0x9F, 0xA0, 0xFC, 0x2F, 0x2A, 0x0A};
        uint8_t lead = Below(3) == 0 ? static_cast<uint8_t>(0xE0 + Below(0x1D)) : static_cast<uint8_t>(0x81 + Below(0x1F));
        uint8_t trail = Below(4) == 0 ? trails[Below(10)] : static_cast<uint8_t>(0x40 + Below(0xBC));
        return std::string{static_cast<char>(lead), static_cast<char>(trail)};
    }
    std::string Small() {
        static const char* bits[] = {"/*", "*/", "//", "<!", ">", ";", "'", "#", "\\", "*", "\t", "\n", " "};
        uint32_t k = Below(20);
        if (k < 8) return std::string(1, static_cast<char>('a' + Below(26)));
        if (k < 11) return Dbcs();
        return bits[Below(13)];
    }
    std::mt19937 rng_;
};

uint32_t EnvNumber(const char* name, uint32_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? static_cast<uint32_t>(std::strtoul(v, nullptr, 10)) : fallback;
}

// Offsets (0-based) where one record ends and the next begins.
std::vector<uint32_t> Boundaries(const TextStore& st) {
    std::vector<uint32_t> b;
    uint32_t sum = 0;
    for (uint32_t x = st.Head(); x; x = st.Record(x).NEXT) {
        sum += st.Record(x).SIZE;
        b.push_back(sum);
    }
    return b;
}

struct Config {
    int tab, wrap, bits;
    uint32_t segMax = 64, walkMax = 64;  // index tuning; small values force the index
};

void RunModel(uint32_t seed, const Config& cfg, uint32_t steps) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " tab " + std::to_string(cfg.tab) + " wrap " +
                 std::to_string(cfg.wrap) + " bits " + std::to_string(cfg.bits));
    TheSettings().Type(1).Undo = 8192;  // room for a whole segment of history
    CQzedDoc doc(1);
    Recorder view;
    doc.AddView(&view);
    TextStore& st = doc.Store();
    st.SetLayout(cfg.tab, cfg.wrap, cfg.bits);
    st.RelayoutAll();
    st.SetIndexTuningForTest(cfg.segMax, cfg.walkMax);
    Generator g(seed);
    std::string model;
    std::vector<std::string> history{model};
    const uint32_t segment = 300;
    for (uint32_t step = 1; step <= steps; ++step) {
        doc.BeginUndoGroup();
        const uint32_t len = static_cast<uint32_t>(model.size());
        uint32_t p;
        uint32_t how = g.Below(10);
        if (how < 3 && len) {
            auto b = Boundaries(st);
            p = b[g.Below(static_cast<uint32_t>(b.size()))] + 1;
            p = std::min<uint32_t>(len + 1, std::max<uint32_t>(1, p + g.Below(3) - 1));
        } else {
            p = 1 + g.Below(len + 1);
        }
        // Bias towards growth until the text is a few kilobytes.
        bool insert = len < 200 || g.Below(100) < (len < 6000 ? 60 : 45);
        if (!insert && p > len) p = len;
        uint32_t oldRow = st.OffsetToRow(p);
        uint32_t oldCr = st.GetRowCount();
        uint32_t calls = view.calls;
        if (insert) {
            std::string piece = g.Piece();
            ASSERT_EQ(st.InsertText(p, piece.data(), static_cast<uint32_t>(piece.size()), 0), piece.size());
            model.insert(p - 1, piece);
            ASSERT_EQ(st.GetLastEditPos(), p + piece.size() - 1);
        } else {
            uint32_t n = g.Below(8) == 0 ? 50 + g.Below(600) : 1 + g.Below(6);
            uint32_t want = std::min(n, len - (p - 1));
            ASSERT_EQ(st.DeleteText(p, n), want);
            model.erase(p - 1, want);
            ASSERT_EQ(st.GetLastEditPos(), p);
        }
        ASSERT_EQ(view.calls, calls + 1);
        ASSERT_EQ(view.row, oldRow);
        ASSERT_EQ(view.delta, static_cast<int32_t>(st.GetRowCount() - oldCr));
        ASSERT_TRUE(doc.IsModified());
        history.push_back(model);
        if (step % 5 == 0 || model.size() < 300) {
            CompareAll(st, model, cfg.tab, cfg.wrap, cfg.bits);
            if (::testing::Test::HasFatalFailure()) return;
        } else {
            ASSERT_EQ(st.Check(), "") << "step " << step;
            ASSERT_EQ(st.GetTextLength(), model.size());
        }
        if (step % segment == 0 || step == steps) {
            // Undo the whole segment group by group, then redo it.
            uint32_t pos = 0;
            for (size_t k = history.size() - 1; k > 0; --k) {
                ASSERT_EQ(doc.UndoStep(&pos), 0) << "undo " << k;
                std::string now(st.GetTextLength(), '\0');
                st.ReadText(1, now.data(), static_cast<uint32_t>(now.size()));
                ASSERT_EQ(now, history[k - 1]) << "undo to " << k - 1;
                ASSERT_EQ(st.Check(), "");
            }
            ASSERT_EQ(doc.UndoStep(&pos), -1);
            CompareAll(st, history.front(), cfg.tab, cfg.wrap, cfg.bits);
            for (size_t k = 1; k < history.size(); ++k) {
                ASSERT_EQ(doc.RedoStep(&pos), 0) << "redo " << k;
                ASSERT_EQ(st.GetTextLength(), history[k].size());
                ASSERT_EQ(st.Check(), "");
            }
            ASSERT_EQ(doc.RedoStep(&pos), -1);
            CompareAll(st, model, cfg.tab, cfg.wrap, cfg.bits);
            if (::testing::Test::HasFatalFailure()) return;
            doc.ClearUndo();
            history.assign(1, model);
        }
    }
    ASSERT_TRUE(st.IndexOn());
    // A change of layout inputs re-lays-out the same text.
    st.SetLayout(cfg.tab + 1, cfg.wrap + 13, cfg.bits ^ 0x103);
    st.RelayoutAll();
    CompareAll(st, model, cfg.tab + 1, std::min(240, cfg.wrap + 13), cfg.bits ^ 0x103);
}

TEST(StoreModel, RandomEditsAgreeWithModel) {
    const uint32_t steps = EnvNumber("QZ_STORE_STEPS", 900);
    const uint32_t seed0 = EnvNumber("QZ_STORE_SEED", 20261207);
    // The last three look everything up through small index segments.
    const Config configs[] = {
        {4, 20, 0x3}, {8, 80, 0x1FFF}, {1, 240, 0x0}, {3, 37, 0x10B}, {5, 21, 0x1EF4},
        {4, 20, 0x3, 2, 0}, {8, 80, 0x1FFF, 5, 1}, {3, 37, 0x10B, 3, 2},
    };
    uint32_t i = 0;
    for (const Config& c : configs) {
        RunModel(seed0 + i++, c, steps);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace qz
