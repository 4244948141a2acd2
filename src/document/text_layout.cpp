// Text store layout: the per-record scan (wraps, tabs, comment states), the
// walks inside a record that answer row and line questions, and Check().
#include <cstdio>
#include <cstring>

#include "document/text_store.h"
#include "platform/cp932.h"

namespace qz {

namespace {

enum ByteClass : uint8_t { kPlain = 0, kLead = 1, kLf = 2, kTab = 3, kSpecial = 4 };

}  // namespace

void TextStore::SetLayout(int tabWidth, int wrapWidth, int commentBits) {
    tab_ = tabWidth < 1 ? 1 : tabWidth;
    wrap_ = wrapWidth < 20 ? 20 : wrapWidth > 240 ? 240 : wrapWidth;
    comment_ = commentBits;
    for (int c = 0; c < 512; ++c) tabNext_[c] = (c / tab_ + 1) * tab_;
    for (int b = 0; b < 256; ++b) {
        uint8_t c = IsSjisLead(static_cast<uint8_t>(b)) ? kLead : b == '\n' ? kLf : b == '\t' ? kTab : kPlain;
        rowCls_[b] = c;
        cls_[b] = c;
    }
    auto special = [this](int bit, char c) {
        if (comment_ & bit) cls_[static_cast<uint8_t>(c)] = kSpecial;
    };
    special(0x1, '/'), special(0x1, '*'), special(0x2, '/');
    special(0x8, '<'), special(0x8, '!'), special(0x8, '>');
    special(0x4, ';'), special(0x10, '*'), special(0x20, '\''), special(0x40, '#'), special(0x80, '\\');
    special(0x100, '*'), special(0x200, '\''), special(0x400, '#'), special(0x800, ';'), special(0x1000, '\\');
    rowCacheValid_ = false;
}

TextStore::ScanState TextStore::StartState(const StoreRecord& r) const {
    if (!r.BEFORE) return ScanState{kComNormal, 1, 0, 0, 0};
    const StoreRecord& b = Rec(r.BEFORE);
    return ScanState{b.COM, b.TOP, b.COL, b.KAN, b.CHR};
}

int TextStore::Step(ScanState& st, uint8_t b) const {
    auto wrapTest = [&st, this]() {
        if (st.col >= wrap_) {
            st.col = 0;
            st.top = 0;
            return 1;
        }
        return 0;
    };
    if (st.kan) {
        st.kan = 0;
        st.col++;
        st.chr = 0;
        return wrapTest();
    }
    if (IsSjisLead(b)) {
        st.col++;
        st.chr = 0;
        st.kan = 1;
        return 0;
    }
    if (b == '\n') {
        st.col = 0;
        st.chr = 0;
        st.top = 1;
        if (st.com == kComLine) st.com = kComNormal;
        return 2;
    }
    if (b == '\t') {
        // A tab may end past the wrap column; a further tab from there wraps,
        // so that no row grows without bound.
        int before = st.col;
        st.col = NextTab(st.col);
        st.chr = 0;
        return before >= wrap_ ? wrapTest() : 0;
    }
    const uint8_t q = st.chr, c = b;
    const int bits = comment_;
    switch (st.com) {
    case kComNormal0:
    case kComNormal: {
        bool token = true;
        if ((bits & 0x1) && q == '/' && c == '*') {
            st.com = kComBlock;
        } else if ((bits & 0x8) && q == '<' && c == '!') {
            st.com = kComMarkup;
        } else if ((bits & 0x2) && q == '/' && c == '/') {
            st.com = kComLine;
        } else if (((bits & 0x4) && c == ';') || ((bits & 0x10) && c == '*') ||
                   ((bits & 0x20) && c == '\'') || ((bits & 0x40) && c == '#') ||
                   ((bits & 0x80) && c == '\\') ||
                   (st.top == 1 && st.col == 0 &&
                    (((bits & 0x100) && c == '*') || ((bits & 0x200) && c == '\'') ||
                     ((bits & 0x400) && c == '#') || ((bits & 0x800) && c == ';') ||
                     ((bits & 0x1000) && c == '\\')))) {
            st.com = kComLine;
        } else {
            token = false;
        }
        st.chr = token ? 0 : c;
        break;
    }
    case kComBlock:
        if ((bits & 0x1) && q == '*' && c == '/') {
            st.com = kComNormal;
            st.chr = 0;
        } else {
            st.chr = c;
        }
        break;
    case kComMarkup:
        if ((bits & 0x8) && c == '>') {
            st.com = kComNormal;
            st.chr = 0;
        } else {
            st.chr = c;
        }
        break;
    default:
        st.chr = 0;
        break;
    }
    st.col++;
    return wrapTest();
}

bool TextStore::Scan(StoreRecord& r) const {
    ScanState st = StartState(r);
    uint32_t cr = 0, dcr = 0;
    const uint8_t* p = r.text;
    const uint32_t n = r.SIZE;
    const int w = wrap_;
    uint32_t i = 0;
    if (n && st.kan) {
        int k = Step(st, p[0]);
        cr += k != 0;
        dcr += k == 1;
        i = 1;
    }
    while (i < n) {
        const uint8_t b = p[i];
        switch (cls_[b]) {
        case kPlain: {
            uint32_t j = i + 1;
            while (j < n && cls_[p[j]] == kPlain) ++j;
            const int len = static_cast<int>(j - i);
            st.chr = st.com == kComLine ? 0 : p[j - 1];
            const int need = st.col >= w ? 1 : w - st.col;
            if (len < need) {
                st.col += len;
            } else {
                const int rem = len - need;
                const uint32_t wraps = 1 + rem / w;
                st.col = rem % w;
                cr += wraps;
                dcr += wraps;
                st.top = 0;
            }
            i = j;
            break;
        }
        case kLead:
            if (i + 1 < n) {
                // Japanese text comes in runs of double-byte characters.
                st.chr = 0;
                do {
                    st.col += 2;
                    if (st.col >= w) {
                        st.col = 0;
                        st.top = 0;
                        ++cr;
                        ++dcr;
                    }
                    i += 2;
                } while (i + 1 < n && cls_[p[i]] == kLead);
            } else {
                st.col++;
                st.chr = 0;
                st.kan = 1;
                ++i;
            }
            break;
        case kLf:
            st.col = 0;
            st.chr = 0;
            st.top = 1;
            if (st.com == kComLine) st.com = kComNormal;
            ++cr;
            ++i;
            break;
        case kTab: {
            const int before = st.col;
            st.col = NextTab(st.col);
            st.chr = 0;
            if (before >= w) {
                st.col = 0;
                st.top = 0;
                ++cr;
                ++dcr;
            }
            ++i;
            break;
        }
        default:
            if (st.com == kComLine) {
                // Inside a line comment every token is plain.
                st.chr = 0;
                if (++st.col >= w) {
                    st.col = 0;
                    st.top = 0;
                    ++cr;
                    ++dcr;
                }
            } else {
                int k = Step(st, b);
                cr += k != 0;
                dcr += k == 1;
            }
            ++i;
            break;
        }
    }
    const int top = st.col == 0 && st.top == 1;
    // Stable only when nothing a later record starts from has changed: the
    // pending character and the lead-byte flag count as much as the column.
    const bool stable = cr != dcr && r.COM == st.com && r.COL == st.col && r.TOP == top &&
                        r.KAN == st.kan && r.CHR == st.chr;
    r.CR = cr;
    r.DCR = dcr;
    r.COM = st.com;
    r.COL = st.col;
    r.KAN = st.kan;
    r.CHR = st.chr;
    r.TOP = top;
    return stable;
}

void TextStore::RelayoutAll() {
    cursor_ = StoreCursor{};
    cursor_.FATNO = head_;
    totalBytes_ = totalCR_ = totalLF_ = 0;
    for (uint32_t x = head_; x; x = Rec(x).NEXT) {
        StoreRecord& r = Rec(x);
        Scan(r);
        Add(r);
    }
    rowCacheValid_ = false;
}

// ---------------------------------------------------------------- row walks

TextStore::RowPos TextStore::FindRow(uint32_t r, int errFwd, int errBack, int errInside, int make) {
    const uint32_t t = r - 1;
    if (t == 0) {
        RowPos rp{Found{head_, 0, 0, 0}, 0, 0, ScanState{kComNormal, 1, 0, 0, 0}};
        if (make >= 0) SetCursor(rp.f, make);
        return rp;
    }
    const char* fmtNo = errFwd == 25 ? "No     :%d" : "No  :%d";
    const char* fmtRem = errFwd == 25 ? "OriLine:%d" : "Line:%d";
    Found f = Locate(Measure::Rows, Rule::After, t, errFwd, errBack, fmtNo, fmtRem);
    if (make >= 0) SetCursor(f, make);
    const StoreRecord& rec = Rec(f.rec);
    ScanState st = StartState(rec);
    const uint32_t want = t - f.sCr;
    uint32_t breaks = 0, lfs = 0;
    for (uint32_t i = 0; i < rec.SIZE; ++i) {
        int k = Step(st, rec.text[i]);
        if (!k) continue;
        lfs += k == 2;
        if (++breaks == want)
            return RowPos{f, i + 1, f.sCr - f.sDcr + lfs, st};
    }
    char buf[32];
    if (errInside == 27)
        std::snprintf(buf, sizeof buf, "OriLine:%d", static_cast<int>(r));
    else
        std::snprintf(buf, sizeof buf, "Line:%d", static_cast<int>(want - breaks));
    InternalError(errInside, buf);
}

}  // namespace qz
