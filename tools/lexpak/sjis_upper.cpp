// Case mapping of the Shift-JIS letters that have an upper case.
#include "lexpak/sjis_upper.h"

#include "platform/cp932.h"

namespace lexpak {
namespace {

// The second byte of the upper-case form of a double-byte letter (the lead
// byte never changes), or the byte itself.
uint8_t UpperTrail(uint8_t lead, uint8_t t) {
    switch (lead) {
    case 0x82:  // full-width a-z 0x8281-0x829A -> A-Z 0x8260-0x8279
        if (t >= 0x81 && t <= 0x9A) return static_cast<uint8_t>(t - 0x21);
        break;
    case 0x83:  // Greek small 0x83BF-0x83D6 -> capital 0x839F-0x83B6
        if (t >= 0xBF && t <= 0xD6) return static_cast<uint8_t>(t - 0x20);
        break;
    case 0x84:  // Cyrillic small 0x8470-0x8491 (0x847F unused) -> 0x8440-0x8460
        if (t >= 0x70 && t <= 0x7E) return static_cast<uint8_t>(t - 0x30);
        if (t >= 0x80 && t <= 0x91) return static_cast<uint8_t>(t - 0x31);
        break;
    default:
        break;
    }
    return t;
}

}  // namespace

void UpperSjis(const uint8_t* in, size_t n, uint8_t* out) {
    size_t i = 0;
    while (i < n) {
        uint8_t c = in[i];
        if (qz::IsSjisLead(c)) {
            out[i] = c;
            if (i + 1 < n) out[i + 1] = UpperTrail(c, in[i + 1]);
            i += 2;
            continue;
        }
        out[i] = (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 0x20) : c;
        ++i;
    }
}

}  // namespace lexpak
