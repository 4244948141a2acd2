// The width toggle at the caret: half-width characters to their full-width
// forms and back, voiced and semi-voiced katakana joined with their marks.
#include <string>

#include "platform/cp932.h"
#include "search/kana_width.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

// The character at p (n bytes available) in its other width, with the bytes
// it took; the block conversions' mappings, one character at a time.
std::string ToggleWidth(const uint8_t* p, uint32_t n, uint32_t* used) {
    *used = 1;
    if (n == 0) return "";
    if (IsSjisLead(p[0]) && n >= 2) {
        *used = 2;
        uint8_t half[2];
        const int k = ToHalfWidth(static_cast<uint16_t>((p[0] << 8) | p[1]), half);
        if (k == 0) return std::string(reinterpret_cast<const char*>(p), 2);
        return std::string(reinterpret_cast<const char*>(half), static_cast<size_t>(k));
    }
    int taken = 1;
    const uint16_t full = ToFullWidth(p[0], n >= 2 ? p[1] : -1, &taken);
    if (full == 0) return std::string(1, static_cast<char>(p[0]));
    *used = static_cast<uint32_t>(taken);
    return std::string{static_cast<char>(full >> 8), static_cast<char>(full & 0xFF)};
}

}  // namespace

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
