// Turning Shift-JIS characters into the units the patterns compare: one
// 16-bit code per character, or two after fuzzy folding of a voiced kana.
#pragma once

#include <cstdint>

#include "platform/cp932.h"
#include "search/kana_width.h"

namespace qz {

// Up to two units from one character. `key` packs them into one code for
// classes, "." and "?": a single unit as itself, a pair as base * 256 + mark
// (the bases are half-width kana 0xB3-0xCE, so no double-byte code collides).
struct FoldedChar {
    uint16_t unit[2];
    uint8_t count;
    uint16_t Key() const { return count == 2 ? static_cast<uint16_t>(unit[0] << 8 | unit[1]) : unit[0]; }
};

constexpr bool IsAsciiWordByte(uint8_t b) {
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_';
}

constexpr uint16_t FoldCase(uint16_t u) {
    return (u >= 'A' && u <= 'Z') ? static_cast<uint16_t>(u + 0x20) : u;
}

// The folding both the text and the pattern go through before comparison.
struct Folding {
    bool ignore_case = true;
    bool fuzzy = false;

    // code: the byte, or lead * 256 + trail for a double-byte character.
    FoldedChar Fold(uint16_t code, bool dbcs) const {
        FoldedChar f{{code, 0}, 1};
        if (dbcs && fuzzy) {
            uint16_t kata = HiraganaToKatakana(code);
            uint8_t half[2];
            int n = ToHalfWidth(kata, half);
            if (n == 2) return FoldedChar{{half[0], half[1]}, 2};
            f.unit[0] = n == 1 ? half[0] : kata;
        }
        if (ignore_case) f.unit[0] = FoldCase(f.unit[0]);
        return f;
    }
    // The same without the case step: class ranges compare codes as they are.
    FoldedChar FoldKeepCase(uint16_t code, bool dbcs) const {
        Folding f{false, fuzzy};
        return f.Fold(code, dbcs);
    }
};

}  // namespace qz
