// Text store layout: the per-record scan (wraps, tabs, comment states), the
// walks inside a record that answer row and line questions, and Check().
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "document/text_store.h"
#include "platform/cp932.h"

namespace qz {

namespace {

enum ByteClass : uint8_t { kPlain = 0, kLead = 1, kLf = 2, kTab = 3 };

}  // namespace

void TextStore::SetLayout(int tabWidth, int wrapWidth, int commentBits) {
    const int tab = tabWidth < 1 ? 1 : tabWidth;
    const int wrap = wrapWidth < 20 ? 20 : wrapWidth > 240 ? 240 : wrapWidth;
    rowCacheValid_ = false;
    if (layoutTables_ && tab == tab_ && wrap == wrap_ && commentBits == comment_) return;
    layoutTables_ = true;
    tab_ = tab;
    wrap_ = wrap;
    comment_ = commentBits;
    for (int c = 0; c < 512; ++c) tabNext_[c] = (c / tab_ + 1) * tab_;
    for (int b = 0; b < 256; ++b) {
        uint8_t c = IsSjisLead(static_cast<uint8_t>(b)) ? kLead : b == '\n' ? kLf : b == '\t' ? kTab : kPlain;
        rowCls_[b] = c;
    }
    // What each comment state reacts to, in a line comment nothing: single
    // characters, and the second characters of two-character tokens, which
    // count only right after their first one. The characters are numbered
    // in allSpecials_.
    allSpecialCount_ = 0;
    auto index = [this](char c) {
        int at = 0;
        while (at < allSpecialCount_ && allSpecials_[at] != uint8_t(c)) ++at;
        if (at == allSpecialCount_) allSpecials_[allSpecialCount_++] = uint8_t(c);
        return at;
    };
    for (int state = 0; state <= kComMarkup; ++state) stateUses_[state] = 0, statePairCount_[state] = 0;
    auto single = [&](int state, int bit, char c) {
        if (comment_ & bit) stateUses_[state] |= 1u << index(c);
    };
    auto pair = [&](int state, int bit, char first, char second) {
        if (comment_ & bit) statePairs_[state][statePairCount_[state]++] = TokenPair{index(first), index(second)};
    };
    for (int state : {kComNormal0, kComNormal}) {
        pair(state, 0x1, '/', '*'), pair(state, 0x2, '/', '/'), pair(state, 0x8, '<', '!');
        single(state, 0x4, ';'), single(state, 0x10, '*'), single(state, 0x20, '\''), single(state, 0x40, '#');
        single(state, 0x80, '\\'), single(state, 0x100, '*'), single(state, 0x200, '\''), single(state, 0x400, '#');
        single(state, 0x800, ';'), single(state, 0x1000, '\\');
    }
    pair(kComBlock, 0x1, '*', '/');
    single(kComMarkup, 0x8, '>');
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

// Marks, for one record, the bytes that matter in every comment state
// (base: control bytes below 0x0B and bytes from 0x80 up) and each comment
// token character (spec[k] for allSpecials_[k]): bit i stands for text[i].
// The plain bytes between marks only move the column, so the scan goes from
// mark to mark.
void TextStore::EventMasks(const uint8_t* text, uint32_t n, uint64_t base[2], uint64_t spec[][2]) const {
    base[0] = base[1] = 0;
    for (int c = 0; c < allSpecialCount_; ++c) spec[c][0] = spec[c][1] = 0;
#if defined(__SSE2__)
    const __m128i low = _mm_set1_epi8(0x0B);
    for (uint32_t k = 0; k < kRecordText / 16; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * k));
        // Signed: bytes from 0x80 up compare below 0x0B as well.
        base[k / 4] |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmplt_epi8(v, low)))) << (16 * (k % 4));
        for (int c = 0; c < allSpecialCount_; ++c) {
            const __m128i hit = _mm_cmpeq_epi8(v, _mm_set1_epi8(char(allSpecials_[c])));
            spec[c][k / 4] |= uint64_t(uint32_t(_mm_movemask_epi8(hit))) << (16 * (k % 4));
        }
    }
#else
    for (uint32_t i = 0; i < kRecordText; ++i) {
        const uint8_t b = text[i];
        if (b < 0x0B || b >= 0x80) base[i / 64] |= uint64_t(1) << (i % 64);
        for (int c = 0; c < allSpecialCount_; ++c)
            if (b == allSpecials_[c]) spec[c][i / 64] |= uint64_t(1) << (i % 64);
    }
#endif
    // Bits past the text would only be the zero bytes after SIZE.
    const uint64_t keep0 = n >= 64 ? ~uint64_t(0) : (uint64_t(1) << n) - 1;
    const uint64_t keep1 = n >= 128 ? ~uint64_t(0) : n <= 64 ? 0 : (uint64_t(1) << (n - 64)) - 1;
    base[0] &= keep0, base[1] &= keep1;
    for (int c = 0; c < allSpecialCount_; ++c) spec[c][0] &= keep0, spec[c][1] &= keep1;
}

namespace {

// The first marked position at or after i (i < 128), or 128.
inline uint32_t NextMark(const uint64_t m[2], uint32_t i) {
    if (i < 64) {
        const uint64_t w = m[0] >> i;
        if (w) return i + uint32_t(__builtin_ctzll(w));
        i = 64;
    }
    const uint64_t w = m[1] >> (i - 64);
    return w ? i + uint32_t(__builtin_ctzll(w)) : 128;
}

}  // namespace

// Flattened: the comment machine for token characters is worth inlining here.
[[gnu::flatten]] bool TextStore::ScanFrom(StoreRecord& r, ScanState st) const {
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
    auto wrap = [&]() {
        st.col = 0;
        st.top = 0;
        ++cr;
        ++dcr;
    };
    uint64_t base[2], spec[16][2], ev[2] = {0, 0};
    EventMasks(p, n, base, spec);
    if (n < kRecordText) base[n / 64] |= uint64_t(1) << (n % 64);  // the end is a mark too
    int evState = -1;       // the comment state ev is for
    bool tracks = false;    // whether that state keeps the pending character
    while (i < n) {
        const int state = st.com >= kComNormal0 && st.com <= kComMarkup ? st.com : kComLine;
        if (state != evState) {
            ev[0] = base[0], ev[1] = base[1];
            for (uint32_t uses = stateUses_[state]; uses; uses &= uses - 1) {
                const int c = __builtin_ctz(uses);
                ev[0] |= spec[c][0], ev[1] |= spec[c][1];
            }
            // A second character after its first; the first byte of the
            // record always, as its first one is the pending character.
            for (int k = 0; k < statePairCount_[state]; ++k) {
                const uint64_t* f = spec[statePairs_[state][k].first];
                const uint64_t* c = spec[statePairs_[state][k].second];
                ev[0] |= c[0] & (f[0] << 1 | 1);
                ev[1] |= c[1] & (f[1] << 1 | f[0] >> 63);
            }
            evState = state;
            tracks = state != kComLine;
        }
        const uint32_t len = NextMark(ev, i) - i;
        if (len) {
            // Single-byte characters that are no comment token here: only the
            // column moves, and the last one is the pending character.
            const int need = st.col >= w ? 1 : w - st.col;
            if (int(len) < need) {
                st.col += int(len);
            } else {
                const int rem = int(len) - need;
                const uint32_t wraps = 1 + uint32_t(rem / w);
                st.col = rem % w;
                cr += wraps;
                dcr += wraps;
                st.top = 0;
            }
            i += len;
            st.chr = tracks ? p[i - 1] : 0;
            if (i >= n) break;
        }
        const uint8_t b = p[i];
        if (b >= 0x80) {
            if (rowCls_[b] != kLead) {  // half-width kana
                st.chr = tracks ? b : 0;
                if (++st.col >= w) wrap();
                ++i;
            } else if (i + 1 < n) {
                // Japanese text comes in runs of double-byte characters.
                st.chr = 0;
                do {
                    st.col += 2;
                    if (st.col >= w) wrap();
                    i += 2;
                } while (i + 1 < n && rowCls_[p[i]] == kLead);
            } else {
                st.col++;
                st.chr = 0;
                st.kan = 1;
                ++i;
            }
        } else if (b == '\n') {
            st.col = 0;
            st.chr = 0;
            st.top = 1;
            if (st.com == kComLine) st.com = kComNormal;
            ++cr;
            ++i;
            // Program text indents with tabs: they follow at once.
            for (; i < n && p[i] == '\t'; ++i) {
                const int before = st.col;
                st.col = NextTab(st.col);
                if (before >= w) wrap();
            }
        } else if (b == '\t') {
            st.chr = 0;
            do {
                const int before = st.col;
                st.col = NextTab(st.col);
                if (before >= w) wrap();
            } while (++i < n && p[i] == '\t');
        } else {
            // A comment token character, or a control byte below the tab.
            const int k = Step(st, b);
            cr += k != 0;
            dcr += k == 1;
            ++i;
        }
    }
    const int top = st.col == 0 && st.top == 1;
    // Stable when nothing a later record starts from has changed: the
    // pending character and the lead-byte flag count as much as the column.
    // With the whole carried state compared, no line feed is needed as well:
    // a tab or a wrap that brings the columns together again ends the
    // relayout of a long line there.
    const bool stable = r.COM == st.com && r.COL == st.col && r.TOP == top && r.KAN == st.kan && r.CHR == st.chr;
    r.CR = cr;
    r.DCR = dcr;
    r.COM = st.com;
    r.COL = st.col;
    r.KAN = st.kan;
    r.CHR = st.chr;
    r.TOP = top;
    return stable;
}

// A long run goes on two cores: the second half from a guessed start (a line
// start in normal state), then laid out again from its true start until a
// record ends as it did from the guess. The load does the same in
// LoadLayoutRest, where the helper also sums its half's segments while the
// records are in its cache: summing them afterwards on one thread made the
// load of a large file a fifth slower.
void TextStore::ScanRun(const std::vector<uint32_t>& run) {
    const size_t n = run.size(), mid = n / 2;
    if (n >= kParallelRecords) {
        std::thread helper;
        try {
            helper = std::thread([this, &run, mid, n] {
                ScanFrom(Rec(run[mid]), ScanState{kComNormal, 1, 0, 0, 0});
                for (size_t k = mid + 1; k < n; ++k) Scan(Rec(run[k]));
            });
        } catch (const std::system_error&) {
        }
        if (helper.joinable()) {
            for (size_t k = 0; k < mid; ++k) Scan(Rec(run[k]));
            helper.join();
            for (size_t k = mid; k < n && !Scan(Rec(run[k])); ++k) {
            }
            return;
        }
    }
    for (uint32_t x : run) Scan(Rec(x));
}

void TextStore::RelayoutAll() {
    for (uint32_t x = head_; x; x = Rec(x).NEXT) Scan(Rec(x));
    IndexRebuild();
}

// ---------------------------------------------------------------- row walks

void TextStore::WalkBreaks(const StoreRecord& r, BreakWalk& w, uint32_t end, uint32_t stopBreaks,
                           uint32_t stopLfs) const {
    if (w.breaks >= stopBreaks || w.lfs >= stopLfs) return;
    const uint8_t* p = r.text;
    const int ww = wrap_;
    while (w.i < end) {
        if (!w.kan) {
            // A run of single-byte characters wraps every ww columns.
            const uint32_t len = PlainRun(p + w.i, end - w.i);
            if (len) {
                const uint32_t need = w.col >= ww ? 1u : uint32_t(ww - w.col);
                if (len < need) {
                    w.col += int(len);
                } else {
                    const uint32_t wraps = 1 + (len - need) / uint32_t(ww);
                    if (wraps >= stopBreaks - w.breaks) {
                        w.i += need + (stopBreaks - w.breaks - 1) * uint32_t(ww);
                        w.breaks = stopBreaks;
                        w.col = 0;
                        return;
                    }
                    w.breaks += wraps;
                    w.col = int((len - need) % uint32_t(ww));
                }
                w.i += len;
                continue;
            }
        }
        const uint8_t b = p[w.i++];
        int k = 0;  // 1 for a wrap, 2 for a line feed
        if (w.kan) {
            w.kan = false;
            k = ++w.col >= ww;
        } else if (rowCls_[b] == kLead) {
            ++w.col;
            w.kan = true;
        } else if (rowCls_[b] == kLf) {
            k = 2;
        } else if (rowCls_[b] == kTab) {
            const int before = w.col;
            w.col = NextTab(w.col);
            k = before >= ww;
        } else {
            k = ++w.col >= ww;
        }
        if (!k) continue;
        w.col = 0;
        ++w.breaks;
        w.lfs += k == 2;
        if (w.breaks == stopBreaks || w.lfs == stopLfs) return;
    }
}

TextStore::RowPos TextStore::FindRow(uint32_t r, int errFwd, int errBack, int errInside, int make) {
    const uint32_t t = r - 1;
    if (t == 0) {
        RowPos rp{Found{head_, 0, 0, 0, 0}, 0, 0};
        if (make >= 0) SetCursor(rp.f, make);
        return rp;
    }
    const char* fmtNo = errFwd == 25 ? "No     :%d" : "No  :%d";
    const char* fmtRem = errFwd == 25 ? "OriLine:%d" : "Line:%d";
    Found f = Locate(Measure::Rows, Rule::After, t, errFwd, errBack, fmtNo, fmtRem);
    if (make >= 0) SetCursor(f, make);
    const StoreRecord& rec = Rec(f.rec);
    const uint32_t want = t - f.sCr;
    BreakWalk w = StartWalk(rec);
    WalkBreaks(rec, w, rec.SIZE, want);
    if (w.breaks == want) return RowPos{f, w.i, f.sCr - f.sDcr + w.lfs};
    const uint32_t breaks = w.breaks;
    char buf[32];
    if (errInside == 27)
        std::snprintf(buf, sizeof buf, "OriLine:%d", static_cast<int>(r));
    else
        std::snprintf(buf, sizeof buf, "Line:%d", static_cast<int>(want - breaks));
    InternalError(errInside, buf);
}

}  // namespace qz
