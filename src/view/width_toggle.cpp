// The width toggle at the caret: half-width characters to their full-width
// forms and back, voiced and semi-voiced katakana joined with their marks.
#include <cstring>
#include <string>

#include "platform/cp932.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

// Full-width forms (Unicode) of the half-width katakana 0xA1 to 0xDF.
constexpr char16_t kKana[63] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

std::string Utf8Of(char32_t u) {
    std::string s;
    if (u < 0x80) s += static_cast<char>(u);
    else if (u < 0x800) s += static_cast<char>(0xC0 | (u >> 6)), s += static_cast<char>(0x80 | (u & 0x3F));
    else s += static_cast<char>(0xE0 | (u >> 12)), s += static_cast<char>(0x80 | ((u >> 6) & 0x3F)),
         s += static_cast<char>(0x80 | (u & 0x3F));
    return s;
}

char32_t UnicodeOf(const std::string& sjis) {
    std::string u;
    if (!Cp932ToUtf8(sjis, u) || u.empty()) return 0;
    const uint8_t* p = reinterpret_cast<const uint8_t*>(u.data());
    if (p[0] < 0x80) return p[0];
    if ((p[0] & 0xE0) == 0xC0 && u.size() >= 2) return ((p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    if ((p[0] & 0xF0) == 0xE0 && u.size() >= 3) return ((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    return 0;
}

// The double-byte code of a Unicode character, or empty.
std::string SjisOf(char32_t u) {
    std::string s;
    if (!Utf8ToCp932(Utf8Of(u), s)) return "";
    return s;
}

// Half-width byte of a full-width character (Unicode), or 0.
uint8_t HalfOf(char32_t u) {
    if (u == 0x3000) return ' ';
    if (u >= 0xFF01 && u <= 0xFF5E) return static_cast<uint8_t>(u - 0xFEE0);
    for (int i = 0; i < 63; ++i)
        if (kKana[i] == u) return static_cast<uint8_t>(0xA1 + i);
    return 0;
}

}  // namespace

// Converts the character at p (n bytes available) and tells how many bytes it took.
std::string ToggleWidth(const uint8_t* p, uint32_t n, uint32_t* used) {
    *used = 1;
    if (n == 0) return "";
    if (IsSjisLead(p[0]) && n >= 2) {
        *used = 2;
        const unsigned code = (p[0] << 8) | p[1];
        const std::string same(reinterpret_cast<const char*>(p), 2);
        if (code == 0x8394) return "\xB3\xDE";
        if (code >= 0x829F && code <= 0x82F1) return same;
        const char32_t u = UnicodeOf(same);
        if (uint8_t h = HalfOf(u)) return std::string(1, static_cast<char>(h));
        if (uint8_t h = HalfOf(u - 1); h >= 0xB6 && h <= 0xCE) return std::string{static_cast<char>(h), '\xDE'};
        if (uint8_t h = HalfOf(u - 2); h >= 0xCA && h <= 0xCE) return std::string{static_cast<char>(h), '\xDF'};
        return same;
    }
    const uint8_t b = p[0];
    char32_t u = 0;
    if (b == ' ') u = 0x3000;
    else if (b > 0x20 && b < 0x7F) u = b + 0xFEE0;
    else if (b >= 0xA1 && b <= 0xDF) u = kKana[b - 0xA1];
    if (!u) return std::string(1, static_cast<char>(b));
    if (n >= 2 && b == 0xB3 && p[1] == 0xDE) return *used = 2, std::string("\x83\x94");
    if (n >= 2 && p[1] == 0xDE && ((b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE))) *used = 2, u += 1;
    else if (n >= 2 && p[1] == 0xDF && b >= 0xCA && b <= 0xCE) *used = 2, u += 2;
    std::string s = SjisOf(u);
    return s.empty() ? std::string(1, static_cast<char>(b)) : s;
}

void CQzedView::ToggleWidthAtCaret() {
    if (!BeginEdit(6, 0)) return;
    TextStore& st = doc_.Store();
    const uint32_t rowBefore = caretRow_, rowsBefore = RowCount(), topBefore = top_;
    const int leftBefore = left_;
    const uint32_t abs = Abs();
    uint8_t c[2] = {0, 0};
    const uint32_t got = st.ReadText(abs, reinterpret_cast<char*>(c), 2);
    uint32_t used = 0;
    const std::string out = c[0] == '\n' ? std::string() : ToggleWidth(c, got, &used);
    if (!out.empty() && out != std::string(reinterpret_cast<char*>(c), used)) {
        editing_ = true;
        st.DeleteText(abs, used);
        st.InsertText(abs, out.data(), static_cast<uint32_t>(out.size()), 0);
        editing_ = false;
    }
    // Past the whole converted text: a voiced katakana may become two bytes.
    if (!out.empty()) SetFromAbsolute(abs + static_cast<uint32_t>(out.size()));
    FinishEdit(rowBefore, rowsBefore, -1, false, topBefore, leftBefore);
}

}  // namespace qz
