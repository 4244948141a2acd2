// Finding what EUC, JIS and UTF-8 cannot hold, with the same byte classes the
// writing converters use, so that the question names exactly what they drop.
#include "document/unwritable.h"

#include <cstdio>
#include <vector>

#include "document/kanji_code.h"
#include "document/text_access.h"
#include "platform/cp932.h"
#include "platform/sjis_unicode.h"

namespace qz {

namespace {

constexpr uint32_t kPiece = 64 * 1024;

// Length of the character that starts at in[0] as the converter of code takes
// it (avail bytes at hand, 1 only at the end of the text), and whether the
// converter writes nothing for it.
uint32_t TakeChar(int code, const uint8_t* in, uint32_t avail, bool* dropped) {
    const unsigned c = in[0];
    *dropped = false;
    if (c < 0x80) return 1;
    if (IsHalfKana(c)) {
        *dropped = code == kCodeJis ? WidenHalfKana(c) == 0 : code == kCodeUtf8 && SjisCharToUnicode(c) == 0;
        return 1;
    }
    if (avail < 2 || !IsSjisTrail(in[1])) {
        *dropped = true;  // a lead byte alone; what follows stands by itself
        return 1;
    }
    *dropped = code == kCodeUtf8 ? SjisCharToUnicode(c << 8 | in[1]) == 0 : SjisPairToJis(c, in[1]) == 0;
    return 2;
}

// U+E000 to U+F8FF in UTF-8: EE 80 80 to EF A3 BF.
bool IsPrivateUse(const std::string& utf8) {
    const auto b = [&](size_t i) { return i < utf8.size() ? uint8_t(utf8[i]) : 0; };
    return b(0) == 0xEE || (b(0) == 0xEF && b(1) < 0xA4);
}

}  // namespace

UnwritableChar FindUnwritable(TextAccess& text, int code) {
    UnwritableChar found;
    if (code != kCodeEuc && code != kCodeJis && code != kCodeUtf8) return found;
    const uint32_t total = text.GetTextLength();
    std::vector<uint8_t> buf(kPiece);
    uint32_t line = 1;
    for (uint32_t pos = 1; pos <= total;) {
        const uint32_t n = text.ReadText(pos, reinterpret_cast<char*>(buf.data()), kPiece);
        if (n == 0) break;
        const bool last = uint64_t(pos) + n > total || n == 1;
        uint32_t i = 0;
        // A lead byte at the end of a piece is taken again with the next one.
        while (i < n && (last || i + 1 < n)) {
            bool dropped;
            const uint32_t len = TakeChar(code, buf.data() + i, n - i, &dropped);
            if (dropped && found.count++ == 0) {
                found.pos = pos + i;
                found.line = line;
                found.bytes.assign(reinterpret_cast<const char*>(buf.data() + i), len);
            }
            if (buf[i] == '\n') ++line;
            i += len;
        }
        pos += i;
    }
    return found;
}

std::string UnwritableQuestion(const UnwritableChar& c, int code) {
    std::string hex;
    for (unsigned char b : c.bytes) {
        char h[4];
        std::snprintf(h, sizeof h, "%02X", b);
        hex += h;
    }
    // The character itself where it has a Unicode form that shows (a
    // user-defined character maps to the private use area); its code always.
    std::string shown;
    std::string glyph;
    if (c.bytes.size() == 2 && Cp932ToUtf8(c.bytes, glyph) && !IsPrivateUse(glyph)) shown = "「" + glyph + "」";
    shown += "(" + hex + ")";
    const char* name = code == kCodeJis ? "JIS" : code == kCodeUtf8 ? "UTF-8" : "EUC";
    char text[512];
    if (c.count == 1)
        std::snprintf(text, sizeof text,
                      "%u行目の%sは%sで書き込めない文字です\nこの文字を書き込まずに保存しますか？", c.line,
                      shown.c_str(), name);
    else
        std::snprintf(text, sizeof text,
                      "%u行目の%sなど、%sで書き込めない文字が%u個あります\nこれらの文字を書き込まずに保存しますか？",
                      c.line, shown.c_str(), name, c.count);
    return text;
}

}  // namespace qz
