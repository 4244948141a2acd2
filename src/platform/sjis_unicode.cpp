// The Shift-JIS <-> Unicode tables, built once from glibc's code page 932
// table, and the UTF-8 byte rules.
#include "platform/sjis_unicode.h"

#include <iconv.h>

#include <cstring>
#include <memory>
#include <stdexcept>

#include "platform/cp932.h"

namespace qz {

const TwoForms kTwoForms[kTwoFormCount] = {
    {0x815C, 0x2015, 0x2014},  // ― horizontal bar / — em dash
    {0x8160, 0xFF5E, 0x301C},  // ～ fullwidth tilde / 〜 wave dash
    {0x8161, 0x2225, 0x2016},  // ∥ parallel to / ‖ double vertical line
    {0x817C, 0xFF0D, 0x2212},  // － fullwidth hyphen-minus / − minus sign
    {0x8191, 0xFFE0, 0x00A2},  // ￠ / ¢ cent sign
    {0x8192, 0xFFE1, 0x00A3},  // ￡ / £ pound sign
    {0x81CA, 0xFFE2, 0x00AC},  // ￢ / ¬ not sign
    {0x818F, 0xFFE5, 0x00A5},  // ￥ / ¥ yen sign
    {0x8150, 0xFFE3, 0x203E},  // ￣ fullwidth macron / ‾ overline
    {0xFA55, 0xFFE4, 0x00A6},  // ￤ / ¦ broken bar
};

namespace {

// Code page 932 has only characters of the Basic Multilingual Plane, so both
// directions fit flat tables of 16-bit entries, 0 meaning none.
struct Tables {
    std::unique_ptr<uint16_t[]> toUnicode{new uint16_t[0x10000]()};
    std::unique_ptr<uint16_t[]> toSjis{new uint16_t[0x10000]()};
};

// The same character under several codes: Windows writes the JIS X 0208 one,
// then NEC row 13, then the IBM rows 0xFA-0xFC before the NEC copies of them.
int Rank(unsigned sjis) {
    const unsigned lead = sjis >> 8;
    return lead == 0xED || lead == 0xEE ? 1 : 0;
}

Tables BuildTables() {
    Tables t;
    for (unsigned c = 1; c < 0x80; ++c) t.toUnicode[c] = uint16_t(c);
    for (unsigned c = 0xA1; c <= 0xDF; ++c) t.toUnicode[c] = uint16_t(0xFF61 + c - 0xA1);
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed: CP932 -> UTF-32LE");
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsSjisLead(uint8_t(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            char in[2] = {char(lead), char(trail)};
            unsigned char out[8];
            char* src = in;
            char* dst = reinterpret_cast<char*>(out);
            size_t inLeft = 2, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &inLeft, &dst, &outLeft) == size_t(-1) || inLeft != 0 || outLeft != 4) continue;
            const char32_t u = out[0] | out[1] << 8 | out[2] << 16 | char32_t(out[3]) << 24;
            if (u == 0 || u > 0xFFFF) continue;
            t.toUnicode[lead << 8 | trail] = uint16_t(u);
        }
    }
    iconv_close(cd);
    for (unsigned c = 1; c < 0x10000; ++c) {
        const unsigned u = t.toUnicode[c];
        if (!u) continue;
        const unsigned held = t.toSjis[u];
        if (!held || Rank(c) < Rank(held)) t.toSjis[u] = uint16_t(c);
    }
    for (const TwoForms& f : kTwoForms) t.toSjis[f.other] = uint16_t(f.sjis);
    return t;
}

const Tables& TheTables() {
    static const Tables tables = BuildTables();
    return tables;
}

}  // namespace

char32_t SjisCharToUnicode(unsigned sjis) { return sjis < 0x10000 ? TheTables().toUnicode[sjis] : 0; }

unsigned UnicodeToSjisChar(char32_t u) { return u < 0x10000 ? TheTables().toSjis[u] : 0; }

int TwoFormIndexOfSjis(unsigned sjis) {
    for (int i = 0; i < kTwoFormCount; ++i)
        if (kTwoForms[i].sjis == sjis) return i;
    return -1;
}

int TwoFormIndexOfUnicode(char32_t u, bool* other) {
    for (int i = 0; i < kTwoFormCount; ++i) {
        if (kTwoForms[i].usual == u || kTwoForms[i].other == u) {
            if (other) *other = kTwoForms[i].other == u;
            return i;
        }
    }
    return -1;
}

int DecodeUtf8(const unsigned char* p, size_t n, char32_t* u) {
    const unsigned c = p[0];
    if (c < 0x80) {
        *u = c;
        return 1;
    }
    int len;
    unsigned lo = 0x80, hi = 0xBF;  // the range of the second byte
    char32_t v;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2, v = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3, v = c & 0x0F;
        if (c == 0xE0) lo = 0xA0;       // overlong
        else if (c == 0xED) hi = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4, v = c & 0x07;
        if (c == 0xF0) lo = 0x90;       // overlong
        else if (c == 0xF4) hi = 0x8F;  // past U+10FFFF
    } else {
        return 0;
    }
    for (int i = 1; i < len; ++i) {
        if (size_t(i) >= n) return -1;
        const unsigned b = p[i];
        if (i == 1 ? (b < lo || b > hi) : (b & 0xC0) != 0x80) return 0;
        v = v << 6 | (b & 0x3F);
    }
    *u = v;
    return len;
}

size_t EncodeUtf8(char32_t u, char* out) {
    if (u < 0x80) {
        out[0] = char(u);
        return 1;
    }
    if (u < 0x800) {
        out[0] = char(0xC0 | u >> 6);
        out[1] = char(0x80 | (u & 0x3F));
        return 2;
    }
    if (u < 0x10000) {
        out[0] = char(0xE0 | u >> 12);
        out[1] = char(0x80 | (u >> 6 & 0x3F));
        out[2] = char(0x80 | (u & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | u >> 18);
    out[1] = char(0x80 | (u >> 12 & 0x3F));
    out[2] = char(0x80 | (u >> 6 & 0x3F));
    out[3] = char(0x80 | (u & 0x3F));
    return 4;
}

bool LooksLikeUtf8(std::string_view bytes, bool mayBeCut) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    bool multi = false;
    size_t i = 0;
    while (i < n) {
        // Runs of ASCII go eight bytes at a time.
        uint64_t w;
        if (n - i >= 8 && (std::memcpy(&w, p + i, 8), (w & 0x8080808080808080ull) == 0)) {
            i += 8;
            continue;
        }
        char32_t u;
        const int len = DecodeUtf8(p + i, n - i, &u);
        if (len == 0) return false;
        if (len < 0) return mayBeCut;  // the beginning of a multi-byte sequence
        multi |= len > 1;
        i += size_t(len);
    }
    return multi;
}

bool Utf8ToSjisStrict(std::string_view utf8, std::string& sjis, size_t* bad) {
    sjis.clear();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t i = 0; i < utf8.size();) {
        char32_t u;
        const int len = DecodeUtf8(p + i, utf8.size() - i, &u);
        const unsigned c = len == 1 ? unsigned(u) : len > 1 ? UnicodeToSjisChar(u) : 0;
        if (c == 0 && !(len == 1 && u == 0)) {
            if (bad) *bad = i;
            return false;
        }
        if (c > 0xFF) sjis += char(c >> 8);
        sjis += char(c & 0xFF);
        i += size_t(len);
    }
    return true;
}

std::string Utf8TextToSjis(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    for (size_t i = 0; i < n;) {
        char32_t u;
        const int len = DecodeUtf8(p + i, n - i, &u);
        if (len <= 0) {
            out += '?';
            ++i;
            continue;
        }
        i += size_t(len);
        const unsigned c = len == 1 ? u : UnicodeToSjisChar(u);
        const unsigned sjis = c ? c : kGetaMark;
        if (sjis > 0xFF) out += char(sjis >> 8);
        out += char(sjis & 0xFF);
    }
    return out;
}

}  // namespace qz
