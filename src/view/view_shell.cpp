// What the external programs read from a view (the caret's line and word,
// the selection) and the OS command window's appending at the end.
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

std::string CQzedView::CaretWord(uint32_t maxBytes) { return std::string(SjisPrefix(WordAtCaret(), maxBytes)); }

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
