// What the external programs read from a view (the caret's line and word,
// the selection) and the OS command window's appending at the end.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "view/qzed_view.h"

namespace qz {

std::string CQzedView::CaretLine(int* column) {
    int at = 0;
    std::string line = CaretLineText(&at);
    if (column) *column = at;
    return line;
}

std::string CQzedView::TakeSelectionText(uint32_t maxBytes) {
    std::string text(SjisPrefix(StreamSelectionText(maxBytes + 1), maxBytes));
    EndAnySelection();
    return text;
}

std::string CQzedView::CaretWord(uint32_t maxBytes) {
    char row[kRowTextMax];
    const uint32_t n = RowText(caretRow_, row);
    const auto* p = reinterpret_cast<const uint8_t*>(row);
    // Characters of the row: start byte and word class.
    std::vector<std::pair<uint32_t, int>> chars;
    for (uint32_t i = 0; i < n;) {
        chars.emplace_back(i, WordClass(p + i, n - i));
        i += IsSjisLead(p[i]) && i + 1 < n ? 2 : 1;
    }
    size_t k = 0;
    while (k + 1 < chars.size() && chars[k + 1].first <= caretOff_ - 1) ++k;
    if (chars.empty() || chars[k].first != caretOff_ - 1 || chars[k].second == 0 || chars[k].second == 2) return {};
    const int cls = chars[k].second;
    size_t a = k, b = k + 1;
    // Punctuation is a word of one character.
    if (cls != 4) {
        while (a > 0 && chars[a - 1].second == cls) --a;
        while (b < chars.size() && chars[b].second == cls) ++b;
    }
    const uint32_t end = b < chars.size() ? chars[b].first : n;
    std::string word(row + chars[a].first, end - chars[a].first);
    if (!word.empty() && word.back() == '\n') word.pop_back();
    return std::string(SjisPrefix(word, maxBytes));
}

void CQzedView::AppendAtEnd(const std::string& sjis) {
    const uint32_t rowBefore = caretRow_, rowsBefore = RowCount(), topBefore = top_;
    const int leftBefore = left_;
    const uint32_t end = doc_.GetTextLength() + 1;
    doc_.BeginUndoGroup();
    editing_ = true;
    const uint32_t done = doc_.Store().InsertText(end, sjis.data(), static_cast<uint32_t>(sjis.size()), 0);
    editing_ = false;
    SetFromAbsolute(end + done);
    FinishEdit(rowBefore, rowsBefore, -1, false, topBefore, leftBefore);
}

}  // namespace qz
