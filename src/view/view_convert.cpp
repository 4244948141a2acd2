// CQzedView block conversions: the stream selection is read, converted and
// written back over itself in bounded pieces, as one step for undo.
#include <algorithm>
#include <new>

#include "platform/cp932.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {
constexpr uint32_t kDeletePiece = 20480;
}  // namespace

void CQzedView::ConvertSelection(BlockConversion c) {
    const BlockConversionInfo& info = InfoOf(c);
    if (!BeginEditFrame(info.logCode, 0)) return;
    if (keySel_ != kSelMade) return;
    if (selKind_ == kSelBox) {
        host_.Beep();
        return;
    }
    TextStore& st = doc_.Store();
    const uint32_t end = st.GetTextLength() + 1;
    uint32_t a = std::min(st.RowToOffset(anchorRow_) + anchorOff_ - 1, end);
    uint32_t b = std::min(Abs(), end);
    uint32_t firstRow = anchorRow_;
    int firstCol = anchorCol_;
    if (b < a) {
        std::swap(a, b);
        firstRow = caretRow_, firstCol = caretCol_;
    }
    int startColumn = firstCol - 1;
    if (StartsAtRow(c)) {
        a = st.RowToOffset(firstRow);
        startColumn = 0;
    }
    const uint32_t rowsBefore = RowCount(), topBefore = top_;
    const int leftBefore = left_;
    std::string text, out;
    try {
        text.resize(b - a);
        text.resize(st.ReadText(a, text.data(), b - a));
        out = ConvertBlock(c, text, startColumn, T().Tabs);
    } catch (const std::bad_alloc&) {
        host_.Boxes().Show("グローバルメモリが取得できません", info.menuText, MbIcon::Stop, MbButtons::Ok);
        return;
    }
    keySel_ = kSelNone;
    dragBox_ = false;
    editing_ = true;
    for (uint32_t left = static_cast<uint32_t>(text.size()); left;) {
        const uint32_t done = st.DeleteText(a, std::min(left, kDeletePiece));
        if (!done) break;
        left -= done;
    }
    uint32_t at = a;
    const size_t piece = BlockPieceBytes(c);
    for (size_t i = 0; i < out.size();) {
        const std::string_view rest = std::string_view(out).substr(i);
        const auto n = static_cast<uint32_t>(SjisPrefix(rest, piece).size());
        const uint32_t done = st.InsertText(at, rest.data(), n, static_cast<uint32_t>(rest.size() - n));
        at += done;
        if (done != n) break;
        i += n;
    }
    editing_ = false;
    SetFromAbsolute(at);
    // Everything from the first selected row down was shown selected.
    FinishEdit(firstRow, rowsBefore, -1, false, topBefore, leftBefore);
}

}  // namespace qz
