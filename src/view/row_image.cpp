// Row images: one display row turned into shown characters with one colour
// attribute per cell (tabs, marks, comments, links, keywords, selections).
#include <cstdio>
#include <cstring>

#include "lang/language_data.h"
#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

constexpr char kSel = static_cast<char>(0x80);

// Cell kinds kept beside the image so that links never match double-byte
// halves or the letters shown for control characters.
enum CellKind : uint8_t { kSingle = 0, kLead = 1, kControl = 2, kTrail = 3 };

inline bool Plain(char a) { return (a & 0x7F) == '1'; }

bool UrlChar(uint8_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::strchr("!#$%&*+,-./:;=?@^_~", c) != nullptr && c != 0;
}
bool AddressChar(uint8_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::strchr("!$%&*-/;=?^_~", c) != nullptr && c != 0;
}
bool DomainChar(uint8_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::strchr("!$%&*-./;=?@^_~", c) != nullptr && c != 0;
}

struct Cells {
    const char* c;
    const char* a;
    const uint8_t* k;
    int n;
    bool Ok(int j) const { return j < n && Plain(a[j]) && k[j] == kSingle; }
    bool Lit(int j, char ch) const { return Ok(j) && c[j] == ch; }
    template <typename F>
    int Run(int j, F cls) const {
        while (Ok(j) && cls(static_cast<uint8_t>(c[j]))) ++j;
        return j;
    }
};

// Length of a URL starting at j ("http:" or "ftp:" then URL characters), or 0.
int MatchUrl(const Cells& s, int j) {
    for (const char* lead : {"http:", "ftp:"}) {
        int e = j;
        bool ok = true;
        for (const char* q = lead; *q; ++q, ++e) {
            if (!s.Lit(e, *q)) { ok = false; break; }
        }
        if (ok) return s.Run(e, UrlChar) - j;
    }
    return 0;
}

// Length of an e-mail address at j, or 0; *skip tells how far a failed try
// lets the scan jump (every start inside the first run fails the same way).
int MatchMail(const Cells& s, int j, int* skip) {
    int e = s.Run(j, AddressChar);
    *skip = e > j ? e - j : 1;
    if (!s.Lit(e, '@')) return 0;
    e = s.Run(e + 1, AddressChar);
    if (!s.Lit(e, '.')) return 0;
    e = s.Run(e + 1, DomainChar);
    *skip = 0;
    return e - j;
}

}  // namespace

int CQzedView::BuildRowImage(uint32_t r, const char* text, uint32_t n, char* chars, char* attrs) {
    const TypeSettings& t = T();
    const int tabs = t.Tabs < 1 ? 1 : t.Tabs;
    uint8_t* kind = cellKind_;
    int16_t byteCell[kRowTextMax + 1];
    const int cap = kRowImageMax - 8;  // room for "[EOF]"
    int hlFrom = -1, hlTo = -1;
    if (highlightLen_ > 0 && r == caretRow_) {
        hlFrom = static_cast<int>(caretOff_) - 1;
        hlTo = hlFrom + highlightLen_;
    }
    int p = 0;
    uint32_t i = 0;
    for (; i < n && p < cap; ++i) {
        const uint8_t b = static_cast<uint8_t>(text[i]);
        byteCell[i] = static_cast<int16_t>(p);
        const bool hl = static_cast<int>(i) >= hlFrom && static_cast<int>(i) < hlTo;
        const char sel = hl ? kSel : 0;
        if (IsSjisLead(b) && i + 1 < n) {
            const uint8_t b2 = static_cast<uint8_t>(text[i + 1]);
            byteCell[i + 1] = static_cast<int16_t>(p + 1);
            if (b == 0x81 && b2 == 0x40 && t.SpaceDisp == 1) {
                chars[p] = static_cast<char>(0x81);
                chars[p + 1] = static_cast<char>(0xA0);
                attrs[p] = attrs[p + 1] = hl ? static_cast<char>('1' | kSel) : 'V';
            } else {
                chars[p] = static_cast<char>(b);
                chars[p + 1] = static_cast<char>(b2);
                attrs[p] = attrs[p + 1] = static_cast<char>('1' | sel);
            }
            kind[p] = kLead;
            kind[p + 1] = kTrail;
            p += 2;
            ++i;
        } else if (b == '\t') {
            int stop = (p / tabs + 1) * tabs;
            if (stop > cap) stop = cap;
            for (int q = p; q < stop; ++q) {
                if (t.TabCr == 2) {
                    chars[q] = q == p ? 'o' : '.';
                    attrs[q] = static_cast<char>('3' | sel);
                } else {
                    chars[q] = ' ';
                    attrs[q] = static_cast<char>('1' | sel);
                }
                kind[q] = kSingle;
            }
            p = stop;
        } else if (b == '\n') {
            if (t.TabCr != 0) {
                chars[p] = static_cast<char>(0xBF);
                attrs[p] = '4';
                kind[p++] = kSingle;
            }
        } else if (b < 0x20) {
            chars[p] = static_cast<char>(b + 0x40);
            attrs[p] = static_cast<char>(hl ? '1' : ('1' | kSel));
            kind[p++] = kControl;
        } else {
            chars[p] = static_cast<char>(b);
            attrs[p] = static_cast<char>('1' | sel);
            kind[p++] = kSingle;
        }
    }
    const uint32_t used = i;
    byteCell[used] = static_cast<int16_t>(p);

    // Comments: the store keeps the state at every row start; the opener of a
    // two-byte token split over a row end is found by looking at the next row.
    if (t.Comment != 0) {
        const int bits = t.Comment;
        int top = 1;
        uint8_t chr = 0;
        int com = doc_.Store().RowStartState(r, &top, &chr);
        int col = 0;
        int pendCell = -1;  // cell of the pending byte chr when it lies in this row
        auto mark = [&](uint32_t bi) {
            for (int q = byteCell[bi]; q < byteCell[bi + 1]; ++q)
                if (Plain(attrs[q])) attrs[q] = static_cast<char>(attrs[q] + 4);
        };
        auto markCell = [&](int q) {
            if (q >= 0 && Plain(attrs[q])) attrs[q] = static_cast<char>(attrs[q] + 4);
        };
        auto inComment = [&] { return com == kComBlock || com == kComLine || com == kComMarkup; };
        for (uint32_t k = 0; k < used; ++k) {
            const uint8_t c = static_cast<uint8_t>(text[k]);
            if (IsSjisLead(c) && k + 1 < used) {
                if (inComment()) mark(k), mark(k + 1);
                chr = 0;
                pendCell = -1;
                ++col;
                ++k;
                ++col;
                continue;
            }
            if (c == '\n') {
                if (com == kComLine) com = kComNormal;
                chr = 0;
                pendCell = -1;
                top = 1;
                col = 0;
                continue;
            }
            if (c == '\t') {
                if (inComment()) mark(k);
                chr = 0;
                pendCell = -1;
                col = (col / tabs + 1) * tabs;
                continue;
            }
            const uint8_t q = chr;
            switch (com) {
            case kComNormal0:
            case kComNormal: {
                bool two = false, one = false;
                if ((bits & 0x1) && q == '/' && c == '*') com = kComBlock, two = true;
                else if ((bits & 0x8) && q == '<' && c == '!') com = kComMarkup, two = true;
                else if ((bits & 0x2) && q == '/' && c == '/') com = kComLine, two = true;
                else if (((bits & 0x4) && c == ';') || ((bits & 0x10) && c == '*') ||
                         ((bits & 0x20) && c == '\'') || ((bits & 0x40) && c == '#') ||
                         ((bits & 0x80) && c == '\\') ||
                         (top == 1 && col == 0 &&
                          (((bits & 0x100) && c == '*') || ((bits & 0x200) && c == '\'') ||
                           ((bits & 0x400) && c == '#') || ((bits & 0x800) && c == ';') ||
                           ((bits & 0x1000) && c == '\\'))))
                    com = kComLine, one = true;
                if (two) markCell(pendCell);
                if (two || one) {
                    mark(k);
                    chr = 0;
                    pendCell = -1;
                } else {
                    chr = c;
                    pendCell = byteCell[k];
                }
                break;
            }
            case kComBlock:
                mark(k);
                if ((bits & 0x1) && q == '*' && c == '/') com = kComNormal, chr = 0;
                else chr = c;
                break;
            case kComMarkup:
                mark(k);
                if ((bits & 0x8) && c == '>') com = kComNormal, chr = 0;
                else chr = c;
                break;
            default:
                mark(k);
                chr = 0;
                break;
            }
            ++col;
        }
        if ((com == kComNormal || com == kComNormal0) && pendCell >= 0 && (chr == '/' || chr == '<') &&
            r <= RowCount()) {
            char next[kRowTextMax];
            uint32_t m = doc_.Store().GetRowText(r + 1, next);
            if (m > 0) {
                const uint8_t c = static_cast<uint8_t>(next[0]);
                if (((bits & 0x1) && chr == '/' && c == '*') || ((bits & 0x8) && chr == '<' && c == '!') ||
                    ((bits & 0x2) && chr == '/' && c == '/'))
                    markCell(pendCell);
            }
        }
    }

    // Links.
    if (t.ClickableURL == 1) {
        Cells s{chars, attrs, kind, p};
        // Every cell is a possible start. A failed address run fails the
        // same way from each cell inside it, so the address pattern skips
        // them; the URL patterns are still tried there ("URL=http://...").
        int mailFailsUntil = 0;
        int j = 0;
        while (j < p) {
            if (!s.Ok(j)) { ++j; continue; }
            int len = MatchUrl(s, j);
            char code = 'Y';
            if (!len && j >= mailFailsUntil) {
                int skip = 1;
                len = MatchMail(s, j, &skip);
                code = 'Z';
                if (!len) mailFailsUntil = j + skip;
            }
            if (len) {
                for (int q = j; q < j + len; ++q) attrs[q] = static_cast<char>(code | (attrs[q] & kSel));
                j += len;
            } else {
                ++j;
            }
        }
    }

    // Keywords.
    const KeywordTable& table = TheKeywordTable(doc_.GetFileType());
    if (!table.Empty()) MatchKeywords(table, chars, attrs, static_cast<size_t>(p));

    // Selections: the selected bit is toggled, so that inverted control
    // characters show normal inside a selection; line-end cells never invert.
    if (keySel_ != kSelNone && !(anchorRow_ == caretRow_ && anchorCol_ == caretCol_)) {
        uint32_t r1 = anchorRow_, r2 = caretRow_;
        int c1 = anchorCol_, c2 = caretCol_;
        int from = 0, to = 0;
        bool any = false;
        if (selKind_ == kSelBox) {
            if (r1 > r2) std::swap(r1, r2);
            if (c1 > c2) std::swap(c1, c2);
            if (r >= r1 && r <= r2) from = c1 - 1, to = c2 - 1, any = true;
        } else {
            if (r1 > r2 || (r1 == r2 && c1 > c2)) std::swap(r1, r2), std::swap(c1, c2);
            if (r == r1 && r == r2) from = c1 - 1, to = c2 - 1, any = true;
            else if (r == r1) from = c1 - 1, to = p, any = true;
            else if (r > r1 && r < r2) from = 0, to = p, any = true;
            else if (r == r2) from = 0, to = c2 - 1, any = true;
        }
        if (any) {
            if (to > p) to = p;
            for (int q = from < 0 ? 0 : from; q < to; ++q)
                if (attrs[q] != '4') attrs[q] = static_cast<char>(attrs[q] ^ kSel);
        }
    }
    return p;
}

void CQzedView::ScreenRowImage(int s, std::string* chars, std::string* attrs) {
    const TypeSettings& t = T();
    const uint32_t r = top_ + static_cast<uint32_t>(s) - 1;
    const uint32_t N = RowCount();
    char c[kRowImageMax], a[kRowImageMax];
    int p = 0;
    if (r <= N + 1) {
        uint32_t n = RowText(r, rowBuf_);
        p = BuildRowImage(r, rowBuf_, n, c, a);
    }
    if (r == N + 1) {
        std::memcpy(c + p, "[EOF]", 5);
        std::memcpy(a + p, "22222", 5);
        std::memset(cellKind_ + p, kSingle, 5);
        p += 5;
    }
    const int width = visCols_ + 1;
    const int area = t.LineDisp == 1 ? kNumberCells : 0;
    chars->assign(static_cast<size_t>(area + width), ' ');
    attrs->assign(static_cast<size_t>(area + width), '1');
    if (area) {
        char num[32];
        if (r > N + 1) {
            std::memcpy(num, "\x81\x60    ", 6);
        } else {
            char tmp[32];
            if (t.LineType == 1) {
                std::snprintf(tmp, sizeof tmp, "%*ld", 6, static_cast<long>(doc_.Store().RowToLine(r)));
            } else if (t.LineType == 2) {
                std::snprintf(tmp, sizeof tmp, "%*ld", 6, static_cast<long>(r));
            } else {
                const long pc = t.PageCount > 0 ? t.PageCount : 1;
                std::snprintf(tmp, sizeof tmp, "%3d-%*ld", static_cast<int>((r - 1) / pc + 1), 2,
                              static_cast<long>((r - 1) % pc + 1));
            }
            // Keep the low digits when a number outgrows its six cells.
            size_t len = std::strlen(tmp);
            std::memcpy(num, tmp + (len > 6 ? len - 6 : 0), 6);
        }
        for (int q = 0; q < 6; ++q) (*chars)[q] = num[q], (*attrs)[q] = 'W';
        (*chars)[6] = static_cast<char>(0xBD);
        (*attrs)[6] = 'X';
    }
    // The horizontal cut; half a double-byte character left over shows as a space.
    int from = left_ - 1;
    for (int q = 0; q < width; ++q) {
        int src = from + q;
        if (src >= p) break;
        char ch = c[src];
        char at = a[src];
        if (q == 0 && cellKind_[src] == kTrail) ch = ' ', at = '1';
        (*chars)[area + q] = ch;
        (*attrs)[area + q] = at;
    }
}

}  // namespace qz
