// Ruled-line drawing: thin and thick lines of the Shift-JIS box-drawing
// glyphs chosen by a neighbour table, and lines of "-", "|" and "+".
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

// The 32 glyphs 0x849F to 0x84BE in code order.
constexpr const char* kGlyphs = "─│┌┐┘└├┬┤┴┼━┃┏┓┛┗┣┳┫┻╋┠┯┨┷┿┝┰┥┸╂";

// The table, written for thick strokes: operation, left, centre, right,
// above, below (a set letter, "-" any, or one glyph) and the glyphs for up,
// down, right and left ("_" two spaces).
constexpr const char* kTable[] = {
    "d A - B C D ╋ ╋ ╋ ╋", "d A - B c d ┿ ┿ ┿ ┿", "d a - b C D ╂ ╂ ╂ ╂", "d A - B - D ╋ ┳ ┳ ┳",
    "d A - B - d ┿ ┯ ┯ ┯", "d a - b - D ╂ ┰ ┰ ┰", "d A - B C - ┻ ╋ ┻ ┻", "d A - B c - ┷ ┿ ┷ ┷",
    "d a - b C - ┸ ╂ ┸ ┸", "d A - - C D ┫ ┫ ╋ ┫", "d a - - C D ┨ ┨ ╂ ┨", "d A - - c d ┥ ┥ ┿ ┥",
    "d - - B C D ┣ ┣ ┣ ╋", "d - - b C D ┠ ┠ ┠ ╂", "d - - B c d ┝ ┝ ┝ ┿", "d A - B - - ┻ ┳ ━ ━",
    "d a - b - - ┸ ┰ ━ ━", "d A - - C - ┛ ┫ ┻ ┛", "d a - - C - ┛ ┨ ┻ ┛", "d A - - c - ┛ ┫ ┷ ┛",
    "d A - - - D ┫ ┓ ┳ ┓", "d a - - - D ┨ ┓ ┳ ┓", "d A - - - d ┫ ┓ ┯ ┓", "d - - B C - ┗ ┣ ┗ ┻",
    "d - - b C - ┗ ┠ ┗ ┻", "d - - B c - ┗ ┣ ┗ ┷", "d - - B - D ┣ ┏ ┏ ┳", "d - - b - D ┠ ┏ ┏ ┳",
    "d - - B - d ┣ ┏ ┏ ┯", "d - - - C D ┃ ┃ ┣ ┫", "d - - - c d ┃ ┃ ┝ ┥", "d A - - - - ┛ ┓ ━ ━",
    "d - - B - - ┗ ┏ ━ ━", "d - - - C - ┃ ┃ ┗ ┛", "d - - - - D ┃ ┃ ┏ ┓", "d - - - - - ┃ ┃ ━ ━",
    "e A - B C D ┳ ┻ ┫ ┣", "e A - B c d ┯ ┷ ┥ ┝", "e a - b C D ┰ ┸ ┨ ┠", "e A - B - D ┳ ━ ┓ ┏",
    "e A - B - d ┯ ━ │ │", "e a - b - D ┰ ─ ┃ ┃", "e A - B C - ━ ┻ ┛ ┗", "e A - B c - ━ ┷ │ │",
    "e a - b C - ─ ┸ ┃ ┃", "e A - - C D ┓ ┛ ┫ ┃", "e a - - C D ┃ ─ ┨ ┃", "e A - - c d │ ━ ┥ │",
    "e - - B C D ┏ ┗ ┃ ┣", "e - - b C D ─ ─ ┃ ┠", "e - - B c d ━ ━ │ ┝", "e A - B - - ━ ━ _ _",
    "e a - b - - ─ ─ _ _", "e A - - C - ━ ━ ┛ ┃", "e a - - c - ─ ─ ┘ │", "e A - - - D ━ ━ ┓ ┃",
    "e a - - - d ─ ─ ┐ │", "e - - B C - ━ ━ ┃ ┗", "e - - b c - ─ ─ │ └", "e - - B - D ━ ━ ┃ ┏",
    "e - - b - d ─ ─ │ ┌", "e - - - C D _ _ ┃ ┃", "e - - - c d _ _ │ │", "e - ━ - - - ━ ━ _ _",
    "e - ─ - - - ─ ─ _ _", "e - ┃ - - - _ _ ┃ ┃", "e - │ - - - _ _ │ │", "e - - - - - _ _ _ _",
};
constexpr int kRows = 68;

// The sets, as glyph strings.
const char* SetOf(char letter) {
    switch (letter) {
    case 'A': return "━┏┗┣┳┻╋";
    case 'a': return "─┌└├┬┴┼";
    case 'B': return "━┓┛┳┫┻╋";
    case 'b': return "─┐┘┬┤┴┼";
    case 'C': return "┃┏┓┣┳┫╋";
    case 'c': return "│┌┐├┬┤┼";
    case 'D': return "┃┛┗┣┫┻╋";
    case 'd': return "│┘└├┤┴┼";
    }
    return "";
}

uint16_t GlyphCode(const char* utf8) {
    const char* p = std::strstr(kGlyphs, std::string(utf8, 3).c_str());
    return p ? static_cast<uint16_t>(0x849F + (p - kGlyphs) / 3) : 0;
}

// The thin glyphs and their thick counterparts trade places.
uint16_t Exchange(uint16_t c) {
    if (c >= 0x849F && c <= 0x84A9) return c + 11;
    if (c >= 0x84AA && c <= 0x84B4) return c - 11;
    if (c >= 0x84B5 && c <= 0x84B9) return c + 5;
    if (c >= 0x84BA && c <= 0x84BE) return c - 5;
    return c;
}

// One cell of a parsed row: any, a set of codes, or one code.
struct Cond {
    bool any = true;
    std::array<uint16_t, 8> codes{};
    int count = 0;
    bool Holds(uint16_t c, bool swap) const {
        if (any) return true;
        for (int i = 0; i < count; ++i)
            if ((swap ? Exchange(codes[i]) : codes[i]) == c) return true;
        return false;
    }
};

struct Row {
    bool draw = false;
    Cond cond[5];
    uint16_t out[4] = {};  // 0 = two spaces
};

const std::array<Row, kRows>& Table() {
    static const std::array<Row, kRows> table = [] {
        std::array<Row, kRows> t{};
        for (int r = 0; r < kRows; ++r) {
            const char* p = kTable[r];
            Row& row = t[r];
            row.draw = *p == 'd';
            p += 2;
            for (int k = 0; k < 9; ++k) {
                std::string tok;
                while (*p && *p != ' ') tok += *p++;
                if (*p == ' ') ++p;
                if (k < 5) {
                    Cond& c = row.cond[k];
                    if (tok == "-") continue;
                    c.any = false;
                    if (tok.size() == 1) {
                        const char* set = SetOf(tok[0]);
                        for (size_t i = 0; set[i]; i += 3) c.codes[c.count++] = GlyphCode(set + i);
                    } else {
                        c.codes[c.count++] = GlyphCode(tok.c_str());
                    }
                } else {
                    row.out[k - 5] = tok == "_" ? 0 : GlyphCode(tok.c_str());
                }
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

// The double-byte code (or single byte, or 0 for none) of the character
// covering display column col of row r.
static uint16_t CharAtColumn(CQzedView& v, uint32_t r, int col, uint32_t rows) {
    if (r < 1 || r > rows + 1) return 0;
    char buf[kRowTextMax];
    const uint32_t n = v.Doc().Store().GetRowText(r, buf);
    for (uint32_t k = 1; k <= n;) {
        const uint8_t b = static_cast<uint8_t>(buf[k - 1]);
        const uint32_t w = IsSjisLead(b) && k < n ? 2 : 1;
        const int c0 = v.ColumnOf(buf, n, k), c1 = v.ColumnOf(buf, n, k + w);
        if (b == '\n') return 0;
        if (col >= c0 && col < c1) return w == 2 ? static_cast<uint16_t>((b << 8) | static_cast<uint8_t>(buf[k])) : b;
        k += w;
    }
    return 0;
}

void CQzedView::RuleLine(int op, int direction) { RuleLineAs(op, TheSettings().env.RuleLineMode, direction); }

void CQzedView::RuleLineAs(int op, int style, int direction) {
    if (style < 1 || style > 3 || direction < 1 || direction > 4) return;
    if (style == 3) {
        if (!BeginEdit(26, op * 256 + direction)) return;
        RuleLineSingle(op, direction);
    } else {
        if (!BeginEdit(44, op * 65536 + (op == 2 ? style : 0) * 256 + direction)) return;
        RuleLineDouble(op, style, direction);
    }
}

// The caret's cell, where the glyph goes: the neighbours were taken there
// too. On a row shorter than the column a vertical stroke came from, that is
// the row's end (the line feed makes room for the glyph).
void CQzedView::MakeCellSingle(uint32_t* absOut) { *absOut = Abs(); }

void CQzedView::RuleLineDouble(int op, int style, int direction) {
    TextStore& st = doc_.Store();
    const uint32_t rowsBefore = RowCount(), topBefore = top_;
    const int leftBefore = left_;
    const uint32_t row0 = caretRow_;
    // Neighbours.
    const int col = caretCol_;
    const uint32_t N = RowCount();
    const uint16_t left = col > 1 ? CharAtColumn(*this, caretRow_, col - 1, N) : 0;
    uint16_t centre = CharAtColumn(*this, caretRow_, col, N);
    const int centreW = centre > 0xFF ? 2 : 1;
    const uint16_t right = CharAtColumn(*this, caretRow_, col + 2, N);  // the cell after the two-column cell
    const uint16_t above = caretRow_ > 1 ? CharAtColumn(*this, caretRow_ - 1, col, N) : 0;
    const uint16_t below = CharAtColumn(*this, caretRow_ + 1, col, N);
    (void)centreW;
    const bool swap = op == 2 && style == 1;
    const uint16_t nb[5] = {left, centre, right, above, below};
    int found = -1;
    for (int r = 0; r < kRows && found < 0; ++r) {
        const Row& row = Table()[r];
        if (row.draw != (op == 2)) continue;
        bool ok = true;
        for (int k = 0; k < 5 && ok; ++k) ok = row.cond[k].Holds(nb[k], swap);
        if (ok) found = r;
    }
    if (found < 0) return;
    uint16_t glyph = Table()[found].out[direction - 1];
    if (swap && glyph) glyph = Exchange(glyph);
    // The caret's cell as two single-byte cells.
    uint32_t abs;
    MakeCellSingle(&abs);
    editing_ = true;
    for (int cell = 0; cell < 2; ++cell) {
        char c[2] = {0, 0};
        const uint32_t got = st.ReadText(abs + cell, c, 2);
        const uint8_t b = static_cast<uint8_t>(c[0]);
        if (got == 0 || b == '\n') {
            st.InsertText(abs + cell, " ", 1, 0);
        } else if (IsSjisLead(b) && got == 2) {
            st.DeleteText(abs + cell, 2);
            st.InsertText(abs + cell, "  ", 2, 0);
        } else if (b == '\t') {
            const int c0 = caretCol_ + cell;
            const int tabs = std::max(1, T().Tabs);
            const int fill = ((c0 - 1) / tabs + 1) * tabs + 1 - c0;
            st.DeleteText(abs + cell, 1);
            const std::string sp(static_cast<size_t>(fill), ' ');
            st.InsertText(abs + cell, sp.data(), static_cast<uint32_t>(fill), 0);
        }
    }
    const char out[2] = {glyph ? static_cast<char>(glyph >> 8) : ' ', glyph ? static_cast<char>(glyph & 0xFF) : ' '};
    st.DeleteText(abs, 2);
    st.InsertText(abs, out, 2, 0);
    editing_ = false;
    SetFromAbsolute(abs);
    MoveAfterRule(direction, 2);
    const int keep = desiredCol_;
    FinishEdit(row0, rowsBefore, -1, false, topBefore, leftBefore);
    desiredCol_ = keep;
}

void CQzedView::MoveAfterRule(int direction, int cells) {
    // One cell in the direction, whatever the cells now hold. A stroke that
    // goes up or down stays in its column: a shorter row there is filled
    // with spaces so that the caret, and the next glyph, stand in line.
    const int col = caretCol_;
    if (direction <= 2) {
        desiredCol_ = col;
        StepVertical(direction == 1 ? -1 : 1);
        TextStore& st = doc_.Store();
        const uint32_t at = Abs();
        const bool atRowEnd = at > st.GetTextLength() || st.GetCharAt(at) == '\n';
        if (caretCol_ < col && atRowEnd) {
            const std::string pad(static_cast<size_t>(col - caretCol_), ' ');
            editing_ = true;
            st.InsertText(at, pad.data(), static_cast<uint32_t>(pad.size()), 0);
            editing_ = false;
            SetFromAbsolute(at + static_cast<uint32_t>(pad.size()));
        }
        desiredCol_ = col;
        return;
    }
    desiredCol_ = direction == 3 ? col + cells : std::max(1, col - cells);
    StepVertical(0);
}

// Lines of single-byte characters. A cell becomes "-" for a horizontal
// stroke and "|" for a vertical one, and "+" where it meets a stroke of the
// other kind (already in the cell, or in the neighbour the new stroke does
// not run to). Erasing leaves the other kind's stroke where "+" stood and a
// space elsewhere.
void CQzedView::RuleLineSingle(int op, int direction) {
    TextStore& st = doc_.Store();
    const uint32_t rowsBefore = RowCount(), topBefore = top_;
    const int leftBefore = left_;
    const uint32_t row0 = caretRow_;
    const int col = caretCol_;
    const uint32_t N = RowCount();
    const uint16_t centre = CharAtColumn(*this, caretRow_, col, N);
    const uint16_t left = col > 1 ? CharAtColumn(*this, caretRow_, col - 1, N) : 0;
    const uint16_t right = CharAtColumn(*this, caretRow_, col + 1, N);
    const uint16_t above = caretRow_ > 1 ? CharAtColumn(*this, caretRow_ - 1, col, N) : 0;
    const uint16_t below = CharAtColumn(*this, caretRow_ + 1, col, N);
    auto vert = [](uint16_t c) { return c == '|' || c == '+'; };
    auto horz = [](uint16_t c) { return c == '-' || c == '+'; };
    const bool horizontal = direction >= 3;
    char out;
    if (op == 2) {
        if (horizontal) out = (vert(centre) || vert(above) || vert(below)) ? '+' : '-';
        else out = (horz(centre) || horz(left) || horz(right)) ? '+' : '|';
    } else {
        if (centre == '+') out = horizontal ? ((vert(above) || vert(below)) ? '|' : ' ')
                                            : ((horz(left) || horz(right)) ? '-' : ' ');
        else out = ' ';
    }
    uint32_t abs;
    MakeCellSingle(&abs);
    editing_ = true;
    char c[2] = {0, 0};
    const uint32_t got = st.ReadText(abs, c, 2);
    const uint8_t b = static_cast<uint8_t>(c[0]);
    if (got == 0 || b == '\n') {
        st.InsertText(abs, &out, 1, 0);
    } else if (IsSjisLead(b) && got == 2) {
        st.DeleteText(abs, 2);
        const char two[2] = {out, ' '};
        st.InsertText(abs, two, 2, 0);
    } else if (b == '\t') {
        const int tabs = std::max(1, T().Tabs);
        const int fill = ((caretCol_ - 1) / tabs + 1) * tabs + 1 - caretCol_;
        st.DeleteText(abs, 1);
        std::string sp(static_cast<size_t>(fill), ' ');
        sp[0] = out;
        st.InsertText(abs, sp.data(), static_cast<uint32_t>(fill), 0);
    } else {
        st.DeleteText(abs, 1);
        st.InsertText(abs, &out, 1, 0);
    }
    editing_ = false;
    SetFromAbsolute(abs);
    MoveAfterRule(direction, 1);
    const int keep = desiredCol_;
    FinishEdit(row0, rowsBefore, -1, false, topBefore, leftBefore);
    desiredCol_ = keep;
}

}  // namespace qz
