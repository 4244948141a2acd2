// EUC and JIS to and from Shift-JIS as tight loops over byte buffers. Program
// text is mostly ASCII, so ASCII runs move a machine word at a time.
#include "document/kanji_convert.h"

#include "document/kanji_code.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qz {

namespace {

using Byte = unsigned char;
constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Copies the run of bytes below 0x80 at in[i..n) eight at a time; stops at
// the word holding the first byte with bit 7 set.
inline void CopyAsciiWords(const Byte* in, Byte* out, size_t n, size_t& i, size_t& o) {
    while (n - i >= 8) {
        uint64_t w;
        std::memcpy(&w, in + i, 8);
        if (w & kHighBits) return;
        std::memcpy(out + o, &w, 8);
        i += 8;
        o += 8;
    }
}

inline void PutEscape(Byte* out, size_t& o, Byte a, Byte b) {
    out[o] = 0x1B;
    out[o + 1] = a;
    out[o + 2] = b;
    o += 3;
}

}  // namespace

int EucToSjis(const char* src, char* dst, size_t& count, bool atEnd) {
    const Byte* in = reinterpret_cast<const Byte*>(src);
    Byte* out = reinterpret_cast<Byte*>(dst);
    const size_t n = count;
    size_t i = 0, o = 0;
    int left = 0;
    while (i < n) {
        CopyAsciiWords(in, out, n, i, o);
        if (i == n) break;
        const unsigned c = in[i];
        if (c < 0x80) {
            out[o++] = Byte(c);
            ++i;
            continue;
        }
        if (i + 1 == n) {
            left = atEnd ? 0 : 1;
            ++i;
            break;
        }
        const unsigned d = in[i + 1];
        if (c == 0x8E) {
            out[o++] = Byte(d);
            i += 2;
            continue;
        }
        if (d < 0x80) {
            // A stray high byte must not swallow the ASCII byte after it,
            // which is often the line feed.
            ++i;
            continue;
        }
        const unsigned s = JisPairToSjis(c, d);
        out[o] = Byte(s >> 8);
        out[o + 1] = Byte(s);
        o += 2;
        i += 2;
    }
    count = o;
    return left;
}

int JisToSjis(const char* src, char* dst, size_t& count, int& mode, bool atEnd) {
    const Byte* in = reinterpret_cast<const Byte*>(src);
    Byte* out = reinterpret_cast<Byte*>(dst);
    const size_t n = count;
    size_t i = 0, o = 0;
    int left = 0;
    while (i < n) {
        const unsigned c = in[i];
        if (c == 0x1B) {
            if (n - i < 3) {
                // Left over only while the bytes present could still begin
                // one of the escapes we know.
                const bool maybe = n - i == 1 || in[i + 1] == '$' || in[i + 1] == '(';
                if (maybe && !atEnd) {
                    left = int(n - i);
                    break;
                }
                ++i;
                continue;
            }
            const unsigned a = in[i + 1], b = in[i + 2];
            if (a == '$' && (b == 'B' || b == '@')) {
                mode = kJisKanji;
                i += 3;
            } else if (a == '(' && (b == 'B' || b == 'J')) {
                mode = kJisAscii;
                i += 3;
            } else if (a == '(' && b == 'I') {
                mode = kJisKana;
                i += 3;
            } else {
                ++i;  // an escape we do not know is dropped by itself
            }
            continue;
        }
        if (mode == kJisKanji) {
            // Control bytes and blanks stand for themselves even in kanji mode,
            // so a file that misses its ESC ( B keeps its line ends.
            if (c <= 0x20) {
                out[o++] = Byte(c);
                ++i;
                continue;
            }
            if (i + 1 == n) {
                left = atEnd ? 0 : 1;
                ++i;
                break;
            }
            const unsigned d = in[i + 1];
            if (d <= 0x20) {
                ++i;  // lone first byte
                continue;
            }
            const unsigned s = JisPairToSjis(c, d);
            out[o] = Byte(s >> 8);
            out[o + 1] = Byte(s);
            o += 2;
            i += 2;
        } else if (mode == kJisKana) {
            out[o++] = Byte(c <= 0x20 ? c : c | 0x80);
            ++i;
        } else {
            const void* esc = std::memchr(in + i, 0x1B, n - i);
            const size_t end = esc ? size_t(static_cast<const Byte*>(esc) - in) : n;
            std::memcpy(out + o, in + i, end - i);
            o += end - i;
            i = end;
        }
    }
    count = o;
    return left;
}

int SjisToEuc(const char* src, char* dst, size_t& count, bool atEnd) {
    const Byte* in = reinterpret_cast<const Byte*>(src);
    Byte* out = reinterpret_cast<Byte*>(dst);
    const size_t n = count;
    size_t i = 0, o = 0;
    int left = 0;
    while (i < n) {
        CopyAsciiWords(in, out, n, i, o);
        if (i == n) break;
        const unsigned c = in[i];
        if (c < 0x80) {
            out[o++] = Byte(c);
            ++i;
            continue;
        }
        if (IsHalfKana(c)) {
            out[o] = 0x8E;
            out[o + 1] = Byte(c);
            o += 2;
            ++i;
            continue;
        }
        if (i + 1 == n) {
            left = atEnd ? 0 : 1;
            ++i;
            break;
        }
        const unsigned d = in[i + 1];
        if (!IsSjisTrail(d)) {
            ++i;  // a lead without its trail; the next byte stands alone
            continue;
        }
        i += 2;
        const unsigned j = SjisPairToJis(c, d);
        if (!j) continue;  // outside JIS X 0208: EUC has no place for it
        out[o] = Byte(j >> 8 | 0x80);
        out[o + 1] = Byte(j | 0x80);
        o += 2;
    }
    count = o;
    return left;
}

int SjisToJis(const char* src, char* dst, size_t& count, int& mode, bool atEnd) {
    const Byte* in = reinterpret_cast<const Byte*>(src);
    Byte* out = reinterpret_cast<Byte*>(dst);
    const size_t n = count;
    size_t i = 0, o = 0;
    int left = 0;
    while (i < n) {
        const unsigned c = in[i];
        if (c < 0x80) {
            if (mode != kJisAscii) {
                PutEscape(out, o, '(', 'B');
                mode = kJisAscii;
            }
            CopyAsciiWords(in, out, n, i, o);
            while (i < n && in[i] < 0x80) out[o++] = in[i++];
            continue;
        }
        unsigned j;
        if (IsHalfKana(c)) {
            const unsigned wide = WidenHalfKana(c);
            ++i;
            if (!wide) continue;  // 0xA0 has no full-width form
            j = SjisPairToJis(wide >> 8, wide & 0xFF);
        } else {
            if (i + 1 == n) {
                left = atEnd ? 0 : 1;
                ++i;
                break;
            }
            const unsigned d = in[i + 1];
            if (!IsSjisTrail(d)) {
                ++i;
                continue;
            }
            i += 2;
            j = SjisPairToJis(c, d);
            if (!j) continue;
        }
        if (mode != kJisKanji) {
            PutEscape(out, o, '$', 'B');
            mode = kJisKanji;
        }
        out[o] = Byte(j >> 8);
        out[o + 1] = Byte(j);
        o += 2;
    }
    count = o;
    return left;
}

size_t ExpandLineEnds(const char* in, size_t count, char* out) {
    size_t i = 0, o = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time, stored whole and kept up to the first line
    // feed among them. Every byte still to come writes at least one, so a
    // whole store never reaches past the 2 * count bytes out holds.
    const __m128i lf = _mm_set1_epi8('\n');
    while (i + 16 <= count) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), v);
        const unsigned m = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
        if (!m) {
            i += 16, o += 16;
            continue;
        }
        const unsigned k = unsigned(__builtin_ctz(m));
        o += k;
        out[o] = '\r';
        out[o + 1] = '\n';
        o += 2;
        i += k + 1;
    }
#endif
    for (; i < count; ++i) {
        if (in[i] == '\n') out[o++] = '\r';
        out[o++] = in[i];
    }
    return o;
}

std::string DecodeToSjis(int code, std::string_view bytes) {
    if (code != kCodeEuc && code != kCodeJis) return std::string(bytes);
    std::string out(bytes.size(), '\0');
    size_t n = bytes.size();
    int mode = kJisAscii;
    if (code == kCodeEuc)
        EucToSjis(bytes.data(), out.data(), n, true);
    else
        JisToSjis(bytes.data(), out.data(), n, mode, true);
    out.resize(n);
    return out;
}

std::string EncodeFromSjis(int code, std::string_view sjis) {
    if (code != kCodeEuc && code != kCodeJis) return std::string(sjis);
    std::string out(sjis.size() * (code == kCodeEuc ? kMaxEucGrowth : kMaxJisGrowth), '\0');
    size_t n = sjis.size();
    int mode = kJisAscii;
    if (code == kCodeEuc)
        SjisToEuc(sjis.data(), out.data(), n, true);
    else
        SjisToJis(sjis.data(), out.data(), n, mode, true);
    out.resize(n);
    return out;
}

}  // namespace qz
