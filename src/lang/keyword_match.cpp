// Matching a file type's keyword table over one display row image and
// colouring the matched cells with their patterns' colour groups.
#include "lang/keyword_table.h"

#include "platform/cp932.h"

namespace qz {

namespace {

struct Row {
    const uint8_t* c;
    char* a;
    size_t n;
    const KeywordTable* table;  // its //#WORD sets
    bool token;  // class-1 matching: ordinary text only, stops at a space
};

inline bool Takes(const Row& r, size_t j) {
    if (j >= r.n || r.c[j] == '\n') return false;
    char a = static_cast<char>(r.a[j] & 0x7F);
    if (r.token) return a == '1' && r.c[j] != ' ';
    return a == '1' || a == 'Y' || a == 'Z';
}

// Width of the character at j when all of it takes part, else 0.
inline size_t CharAt(const Row& r, size_t j) {
    if (!Takes(r, j)) return 0;
    if (IsSjisLead(r.c[j])) return Takes(r, j + 1) ? 2 : 0;
    return 1;
}

inline bool FitsAscii(uint8_t code, uint8_t b) {
    switch (code) {
        case kCodeLower: return b >= 'a' && b <= 'z';
        case kCodeUpper: return b >= 'A' && b <= 'Z';
        case kCodeAlpha: return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
        case kCodeDigit: return b >= '0' && b <= '9';
        case kCodeSpace: return b == ' ';
        case kCodeTab: return b == '\t';
        case kCodeWhite: return b == ' ' || b == '\t' || b == '\n';
        default: return false;
    }
}

// Whether the character of width w at j is one of //#WORD's.
inline bool InWordSet(const Row& r, size_t j, size_t w) {
    if (!r.table->wordChars[r.c[j]]) return false;
    return w == 1 || r.table->wordTrails[r.c[j + 1]];
}

// Width of the character at j when it belongs to a run class (codes 1-8), else 0.
inline size_t Fits(const Row& r, uint8_t code, size_t j) {
    size_t w = CharAt(r, j);
    if (w == 0) return 0;
    if (code == kCodeWord) return InWordSet(r, j, w) ? w : 0;
    return w == 1 && FitsAscii(code, r.c[j]) ? 1 : 0;
}

inline uint8_t Upper(uint8_t b) { return b >= 'a' && b <= 'z' ? static_cast<uint8_t>(b - 32) : b; }

// Width taken when pattern element k (a literal) matches at j, else 0.
inline size_t Literal(const Row& r, const KeywordEntry& e, size_t k, size_t j) {
    uint8_t p = static_cast<uint8_t>(e.pattern[k]);
    size_t w = CharAt(r, j);
    if (w == 0) return 0;
    if (IsSjisLead(p) && k + 1 < e.length) {
        return w == 2 && r.c[j] == p && r.c[j + 1] == static_cast<uint8_t>(e.pattern[k + 1]) ? 2 : 0;
    }
    if (w != 1) return 0;
    uint8_t t = r.c[j];
    if (e.kind & kKindNoCase) return Upper(t) == Upper(p) ? 1 : 0;
    return t == p ? 1 : 0;
}

inline size_t LiteralWidth(const KeywordEntry& e, size_t k) {
    return IsSjisLead(static_cast<uint8_t>(e.pattern[k])) && k + 1 < e.length ? 2 : 1;
}

inline void Paint(const Row& r, size_t from, size_t to, uint8_t group) {
    for (size_t j = from; j < to; ++j) {
        char a = r.a[j];
        if ((a & 0x7F) == '1') r.a[j] = static_cast<char>((a & 0x80) | ('6' + group));
    }
}

// Whether the element after a skip stops it at j.
inline bool StopsSkip(const Row& r, const KeywordEntry& e, size_t k, size_t j) {
    if (k >= e.length) return false;
    uint8_t p = static_cast<uint8_t>(e.pattern[k]);
    if (p >= 1 && p <= kCodeWord) return Fits(r, p, j) != 0;
    if (p < 32) return false;
    return Literal(r, e, k, j) != 0;
}

// Matches entry e at position i. Returns the end of the matched text, or i
// when it fails. With paint set, colours the cells as they are taken.
template <bool paint>
size_t MatchEntry(const Row& r, const KeywordEntry& e, size_t i) {
    size_t j = i;
    for (size_t k = 0; k < e.length;) {
        uint8_t p = static_cast<uint8_t>(e.pattern[k]);
        uint8_t g = e.group[k];
        size_t from = j;
        if (p >= 1 && p <= kCodeWord) {
            while (size_t w = Fits(r, p, j)) j += w;
            ++k;
        } else if (p == kCodeSkip || p == kCodeSkipQuoted) {
            while (size_t w = CharAt(r, j)) {
                if (StopsSkip(r, e, k + 1, j)) break;
                if (p == kCodeSkipQuoted && r.c[j] == '"') {
                    j += 1;
                    while (size_t v = CharAt(r, j)) {
                        if (r.c[j] == '"') break;
                        if (r.c[j] == '\\') {
                            j += 1;
                            v = CharAt(r, j);
                            if (v == 0) break;
                        }
                        j += v;
                    }
                    if (CharAt(r, j) && r.c[j] == '"') j += 1;
                    continue;
                }
                j += w;
            }
            ++k;
        } else if (p == kCodeAnyChar) {
            size_t w = CharAt(r, j);
            if (w == 0) return i;
            j += w;
            ++k;
        } else if (p < 32) {
            return i;  // a code that matches nothing
        } else {
            size_t w = Literal(r, e, k, j);
            if (w == 0) return i;
            j += w;
            k += LiteralWidth(e, k);
        }
        if constexpr (paint) Paint(r, from, j, g);
    }
    return j;
}

// Whether the character of width w at j continues a word: letters, digits
// and '_' always do, and so does whatever //#WORD adds.
inline bool IsWordChar(const Row& r, size_t j, size_t w) {
    uint8_t c = r.c[j];
    bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return (w == 1 && (alnum || c == '_')) || InWordSet(r, j, w);
}

inline size_t WidthAt(const Row& r, size_t j) { return IsSjisLead(r.c[j]) && j + 1 < r.n ? 2 : 1; }

// Start of the last character of the text from i up to m.
inline size_t LastCharStart(const Row& r, size_t i, size_t m) {
    size_t last = i;
    for (size_t j = i; j < m; j += WidthAt(r, j)) last = j;
    return last;
}

// Token entries stand for whole words: a match that stops inside a word (int
// in int_max, for in format) does not count.
inline bool EndsInsideWord(const Row& r, size_t i, size_t m) {
    if (m >= r.n) return false;
    size_t last = LastCharStart(r, i, m);
    return IsWordChar(r, last, WidthAt(r, last)) && IsWordChar(r, m, WidthAt(r, m));
}

// A necessary condition for a match: the entry's leading literals equal the
// text bytes (whether those cells take part is left to the full match).
inline bool QuickTest(const Row& r, const KeywordEntry& e, size_t i) {
    const size_t q = e.quickLength;
    if (i + q > r.n) return false;
    const uint8_t* t = r.c + i;
    if (e.kind & kKindNoCase) {
        for (size_t k = 0; k < q; ++k)
            if (Upper(t[k]) != static_cast<uint8_t>(e.quick[k])) return false;
    } else {
        for (size_t k = 0; k < q; ++k)
            if (t[k] != static_cast<uint8_t>(e.quick[k])) return false;
    }
    return true;
}

// Tries the entries of one class at i; returns the end of the first match or i.
size_t TryClass(const KeywordTable& t, const Row& r, int cls, size_t i) {
    const int end = t.classEnd[cls];
    if (t.classStart[cls] < 0) return i;
    const auto& index = t.firstByte[cls];
    auto tryKey = [&](uint8_t key, bool noCaseOnly) -> size_t {
        for (int x = index[key]; x >= 0 && x < end; ++x) {
            const KeywordEntry& e = t.entries[x];
            if (static_cast<uint8_t>(e.pattern[0]) != key) break;
            if (noCaseOnly && !(e.kind & kKindNoCase)) continue;
            if (!QuickTest(r, e, i)) continue;
            size_t m = MatchEntry<false>(r, e, i);
            if (m > i && !(r.token && EndsInsideWord(r, i, m))) {
                MatchEntry<true>(r, e, i);
                return m;
            }
        }
        return i;
    };
    for (uint8_t code : t.codeKeys[cls]) {
        if (size_t m = tryKey(code, false); m > i) return m;
    }
    uint8_t c = r.c[i];
    // The next text byte rules out most literal keys at once; cells that do
    // not take part are looked at too, which only lets more through.
    if (!t.MayStart(cls, c, i + 1 < r.n ? r.c[i + 1] : 0)) return i;
    if (size_t m = tryKey(c, false); m > i) return m;
    uint8_t swapped = c >= 'a' && c <= 'z'   ? static_cast<uint8_t>(c - 32)
                      : c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + 32)
                                             : 0;
    if (swapped) {
        if (size_t m = tryKey(swapped, true); m > i) return m;
    }
    return i;
}

}  // namespace

void MatchKeywords(const KeywordTable& table, const char* chars, char* attrs, size_t n) {
    if (table.entries.empty()) return;
    Row plain{reinterpret_cast<const uint8_t*>(chars), attrs, n, &table, false};
    Row token = plain;
    token.token = true;
    const bool haveTokens = table.classStart[1] >= 0;
    // Token entries start where a word starts, so that "int" is found in
    // "main(int" and "(int)" as after a blank, but not inside "print".
    bool afterWord = false;
    size_t i = 0;
    while (i < n) {
        size_t w = WidthAt(plain, i);
        if (Takes(plain, i)) {
            size_t m = TryClass(table, plain, 0, i);
            if (m == i && haveTokens && !afterWord && Takes(token, i))
                m = TryClass(table, token, 1, i);
            if (m > i) {
                size_t last = LastCharStart(plain, i, m);
                afterWord = IsWordChar(plain, last, WidthAt(plain, last));
                i = m;
                continue;
            }
        }
        afterWord = IsWordChar(plain, i, w);
        i += w;
    }
}

}  // namespace qz
