// CQzedView caret motion: horizontal and vertical steps over Shift-JIS text,
// keeping the caret visible, scrolling, and the motion commands with their frame.
#include <algorithm>

#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

// Whether 1-based offset k of a row is the trail byte of a double-byte character.
bool IsTrail(const char* t, uint32_t n, uint32_t k) {
    uint32_t j = 1;
    while (j < k && j <= n) j += IsSjisLead(static_cast<uint8_t>(t[j - 1])) && j < n ? 2 : 1;
    return j > k && k <= n;
}

}  // namespace

int CQzedView::StepHorizontal(int delta, int mode) {
    char buf[kRowTextMax];
    uint32_t row = caretRow_;
    uint32_t n = RowText(row, buf);
    int64_t off = caretOff_;
    const bool box = (keySel_ != kSelNone && selKind_ == kSelBox) || dragBox_;
    if (box) {
        off += delta;
        if (off < 1 || off > doc_.GetWrapWidth() + 2) return -1;
    } else if (delta > 0 && off >= LastOffset(row)) {
        if (mode == 2 || row > RowCount()) return -1;
        ++row;
        off = 1;
        n = RowText(row, buf);
    } else if (delta < 0 && off <= 1) {
        if (row == 1) return -1;
        --row;
        off = LastOffset(row);
        n = RowText(row, buf);
    } else {
        off += delta;
    }
    if (off >= 1 && IsTrail(buf, n, static_cast<uint32_t>(off))) off += delta > 0 ? 1 : -1;
    caretRow_ = row;
    caretOff_ = static_cast<uint32_t>(std::max<int64_t>(1, off));
    caretCol_ = ColumnOf(buf, n, caretOff_);
    return 0;
}

int CQzedView::StepVertical(int delta) {
    const int64_t nr = static_cast<int64_t>(caretRow_) + delta;
    if (nr < 1 || nr > static_cast<int64_t>(RowCount()) + 1) return -1;
    char buf[kRowTextMax];
    const uint32_t row = static_cast<uint32_t>(nr);
    const uint32_t n = RowText(row, buf);
    const int tabs = std::max(1, T().Tabs);
    const uint32_t last = LastOffset(row);
    int col = 1;
    uint32_t k = 1;
    while (k < last && k <= n) {
        const uint8_t b = static_cast<uint8_t>(buf[k - 1]);
        uint32_t bytes = 1;
        int w = 1;
        if (b == '\t') w = ((col - 1) / tabs + 1) * tabs + 1 - col;
        else if (IsSjisLead(b) && k < n) bytes = 2, w = 2;
        if (col + w > desiredCol_) break;
        col += w;
        k += bytes;
    }
    const bool box = (keySel_ != kSelNone && selKind_ == kSelBox) || dragBox_;
    if (box && col < desiredCol_ && k >= last) {
        k += static_cast<uint32_t>(desiredCol_ - col);
    }
    caretRow_ = row;
    caretOff_ = k;
    caretCol_ = ColumnOf(buf, n, k);
    return 0;
}

void CQzedView::ScrollBy(int rows) {
    if (rows == 0) return;
    const int64_t nt = std::max<int64_t>(1, static_cast<int64_t>(top_) + rows);
    rows = static_cast<int>(nt - static_cast<int64_t>(top_));
    if (rows == 0) return;
    top_ = static_cast<uint32_t>(nt);
    if (noUpdate_) return;
    if (std::abs(rows) >= visRows_) {
        PaintRows(1, 1, visRows_ + 1);
    } else {
        host_.ScrollRows(rows);
        if (rows > 0) PaintRows(1, visRows_ - rows + 1, visRows_ + 1);
        else PaintRows(1, 1, -rows + 1);
    }
}

void CQzedView::ScrollTopTo(uint32_t top) {
    ScrollBy(static_cast<int>(static_cast<int64_t>(std::max<uint32_t>(top, 1)) - static_cast<int64_t>(top_)));
}

int CQzedView::KeepVisibleVertical(int mode) {
    const uint32_t before = top_;
    if (mode == 2) {
        const int64_t t = std::max<int64_t>(1, static_cast<int64_t>(caretRow_) - visRows_ / 2);
        ScrollTopTo(static_cast<uint32_t>(t));
        return static_cast<int>(static_cast<int64_t>(top_) - before);
    }
    int m = vMargin_;
    if (keySel_ == kSelDragging && m) m = 1;
    const int64_t row = caretRow_, top = top_;
    if (row < top + m) {
        ScrollBy(-static_cast<int>(std::min<int64_t>(top - 1, top + m - row)));
    } else if (row - top + 1 > visRows_ - m) {
        ScrollBy(static_cast<int>(row - visRows_ - top + m + 1));
    }
    return static_cast<int>(static_cast<int64_t>(top_) - before);
}

int CQzedView::KeepVisibleHorizontal() {
    int h = hMargin_;
    if (keySel_ == kSelDragging && h) h = 1;
    if (doc_.GetWrapMode() & kWrapWindow) h = 0;
    const int extra = hMargin_ ? 5 : 0;
    const int before = left_;
    if (caretCol_ < left_) {
        left_ = std::max(1, caretCol_ - h - extra);
    } else if (caretCol_ > left_ + visCols_ - 1) {
        left_ = std::max(1, caretCol_ - visCols_ + 1 + h + extra);
    }
    return left_ - before;
}

// ------------------------------------------------------------------ the motion frame

// A box lets the caret stand in virtual space past a row's end; without one
// it goes back to the row's end.
void CQzedView::NormaliseCaret() {
    if ((keySel_ != kSelNone && selKind_ == kSelBox) || dragBox_) return;
    if (caretOff_ > LastOffset(caretRow_)) {
        const int keep = desiredCol_;
        SetCaret(caretRow_, caretOff_);
        desiredCol_ = keep;
    }
}

void CQzedView::CancelSelection() {
    // The command selection and a prompt's box live in the key selection;
    // only their own end clears them.
    if (keySel_ == kSelNone || cmdSel_ || (boxMode_ & 15)) return;
    if (keySel_ == kSelDragging) host_.CaptureMouse(false);
    keySel_ = kSelNone;
    dragBox_ = false;
    NormaliseCaret();
    PaintRows(1, 1, visRows_ + 1);
}

bool CQzedView::BeginMotion(int32_t code, int32_t arg, bool selecting) {
    Record(code, arg);
    leadTyped_ = false;
    if (host_.WindowSelectActive()) return false;
    if (!MotionAllowedInMode()) return false;
    if (highlightLen_) {
        highlightLen_ = 0;
        const int s = static_cast<int>(caretRow_ - top_) + 1;
        PaintRows(1, s, s);
    }
    if (!selecting) CancelSelection();
    return true;
}

void CQzedView::StartKeySelection(int kind) {
    if (keySel_ == kSelNone) {
        anchorRow_ = caretRow_, anchorCol_ = caretCol_, anchorOff_ = caretOff_;
        keySel_ = kSelMade;
    }
    selKind_ = kind;
    NormaliseCaret();
}

void CQzedView::FinishMotion(uint32_t oldRow, uint32_t oldTop, int oldLeft) {
    KeepVisibleVertical(1);
    const int dl = KeepVisibleHorizontal();
    if (dl != 0 || left_ != oldLeft) {
        PaintRows(1, 1, visRows_ + 1);
    } else {
        auto screen = [this](uint32_t r) {
            return static_cast<int>(static_cast<int64_t>(r) - static_cast<int64_t>(top_)) + 1;
        };
        if (keySel_ != kSelNone) {
            uint32_t a = std::min({oldRow, caretRow_, anchorRow_});
            uint32_t b = std::max({oldRow, caretRow_, anchorRow_});
            if (selKind_ == kSelStream) a = std::min(oldRow, caretRow_), b = std::max(oldRow, caretRow_);
            PaintRows(1, std::max(1, screen(a)), std::min(visRows_ + 1, screen(b)));
        } else {
            if (top_ == oldTop || screen(oldRow) >= 1) PaintRows(0, screen(oldRow), screen(oldRow));
            PaintRows(1, screen(caretRow_), screen(caretRow_));
        }
    }
    PlaceCaret();
    lastRow_ = caretRow_, lastCol_ = caretCol_;
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

#define QZ_MOTION(code, arg, selecting)                              \
    if (!BeginMotion(code, arg, selecting)) return;                  \
    const uint32_t oldRow = caretRow_, oldTop = top_;                \
    const int oldLeft = left_

void CQzedView::CharLeft() {
    QZ_MOTION(57, 0, false);
    if (StepHorizontal(-1, 1) == 0) desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::CharRight() {
    QZ_MOTION(56, 0, false);
    if (StepHorizontal(1, 1) == 0) desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::MoveRowsKeepDesired(int n) {
    const int dir = n < 0 ? -1 : 1;
    for (int i = 0; i < std::abs(n); ++i)
        if (StepVertical(dir) != 0) break;
}

void CQzedView::RowsUp(int n) {
    QZ_MOTION(54, n, false);
    MoveRowsKeepDesired(-n);
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::RowsDown(int n) {
    QZ_MOTION(55, n, false);
    MoveRowsKeepDesired(n);
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::RowStart() {
    QZ_MOTION(63, 0, false);
    SetCaret(caretRow_, 1);
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::RowEnd() {
    QZ_MOTION(62, 0, false);
    SetCaret(caretRow_, LastOffset(caretRow_));
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::PageMove(int rows) {
    MoveRowsKeepDesired(rows);
    KeepVisibleVertical(2);
}

void CQzedView::PageUp() {
    QZ_MOTION(22, 0, false);
    PageMove(-visRows_);
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::PageDown() {
    QZ_MOTION(21, 0, false);
    PageMove(visRows_);
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::HalfPageUp() {
    QZ_MOTION(25, 0, false);
    PageMove(-((visRows_ - 1) / 2 + 1));
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::HalfPageDown() {
    QZ_MOTION(24, 0, false);
    PageMove((visRows_ - 1) / 2 + 1);
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::FileTop() {
    QZ_MOTION(19, 0, false);
    SetCaret(1, 1);
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::FileEnd() {
    QZ_MOTION(18, 0, false);
    SetCaret(RowCount() + 1, LastOffset(RowCount() + 1));
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::SelectAll() {
    QZ_MOTION(1, 0, true);
    keySel_ = kSelMade;
    selKind_ = kSelStream;
    anchorRow_ = 1, anchorCol_ = 1, anchorOff_ = 1;
    SetCaret(RowCount() + 1, LastOffset(RowCount() + 1));
    desiredCol_ = caretCol_;
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    PaintRows(1, 1, visRows_ + 1);
    FinishMotion(oldRow, oldTop, oldLeft);
}

#define QZ_SELECT(code, arg, kind)  \
    QZ_MOTION(code, arg, true);     \
    StartKeySelection(kind)

void CQzedView::SelCharLeft() {
    QZ_SELECT(61, 0, kSelStream);
    if (StepHorizontal(-1, 1) == 0) desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelCharRight() {
    QZ_SELECT(60, 0, kSelStream);
    if (StepHorizontal(1, 1) == 0) desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelRowsUp(int n) {
    QZ_SELECT(58, n, kSelStream);
    MoveRowsKeepDesired(-n);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelRowsDown(int n) {
    QZ_SELECT(59, n, kSelStream);
    MoveRowsKeepDesired(n);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelPageUp() {
    QZ_SELECT(36, 0, kSelStream);
    PageMove(-visRows_);
    PaintRows(1, 1, visRows_ + 1);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelPageDown() {
    QZ_SELECT(35, 0, kSelStream);
    PageMove(visRows_);
    PaintRows(1, 1, visRows_ + 1);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelRowStart() {
    QZ_SELECT(33, 0, kSelStream);
    SetCaret(caretRow_, 1);
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelRowEnd() {
    QZ_SELECT(34, 0, kSelStream);
    SetCaret(caretRow_, LastOffset(caretRow_));
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelFileTop() {
    QZ_SELECT(32, 0, kSelStream);
    SetCaret(1, 1);
    desiredCol_ = caretCol_;
    KeepVisibleVertical(1);
    PaintRows(1, 1, visRows_ + 1);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelFileEnd() {
    QZ_SELECT(31, 0, kSelStream);
    SetCaret(RowCount() + 1, LastOffset(RowCount() + 1));
    desiredCol_ = caretCol_;
    KeepVisibleVertical(1);
    PaintRows(1, 1, visRows_ + 1);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelWordLeft() {
    QZ_SELECT(86, 0, kSelStream);
    WordMove(-1, 0);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::SelWordRight() {
    QZ_SELECT(85, 0, kSelStream);
    WordMove(1, 0);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::BoxCharLeft() {
    QZ_SELECT(84, 0, kSelBox);
    if (StepHorizontal(-1, 1) == 0) desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::BoxCharRight() {
    QZ_SELECT(83, 0, kSelBox);
    if (StepHorizontal(1, 1) == 0) desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::BoxRowsUp(int n) {
    QZ_SELECT(81, n, kSelBox);
    MoveRowsKeepDesired(-n);
    FinishMotion(oldRow, oldTop, oldLeft);
}
void CQzedView::BoxRowsDown(int n) {
    QZ_SELECT(82, n, kSelBox);
    MoveRowsKeepDesired(n);
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::ToggleInsertMode() {
    Record(29, 0);
    insertMode_ = insertMode_ ? 0 : 1;
    if (caretShown_) {
        MoveGuideLines(false);
        host_.DestroyCaret();
        caretShown_ = false;
        MakeCaret();
    }
}

int CQzedView::RepeatRows(int dir, bool repeat) const {
    if (!repeat) return 1;
    const int64_t row = caretRow_, top = top_;
    const bool atMargin = dir < 0 ? row - 1 < top + vMargin_ : row - top + 2 > visRows_ - vMargin_;
    return atMargin ? std::max(1, T().ScrollCount) : 1;
}

void CQzedView::OnModifierKey(bool shift, bool ctrl, bool repeat) {
    if (repeat) return;
    if (shift) host_.ShowModifierLabels(1);
    else if (ctrl) host_.ShowModifierLabels(2);
}

void CQzedView::OnArrowKey(int key, bool shift, bool ctrl, bool alt, bool repeat, int scheme) {
    if (prefixPending_) {
        prefixPending_ = false;
        return;
    }
    // In interactive search the plain Up and Down keys search; every other
    // arrow is a motion that ends the mode.
    if (searchMode_ && !shift && !ctrl && !alt && (key == 2 || key == 4)) {
        if (key == 2) SearchPrevious();
        else SearchNext();
        return;
    }
    const bool modern = scheme == 2 || scheme == 4;
    const int dir = key == 2 ? -1 : key == 4 ? 1 : 0;
    if (ctrl && alt) {
        if (scheme == 3) {
            ctrl = alt = false;
        } else {
            switch (key) {
            case 1: BoxCharLeft(); break;
            case 3: BoxCharRight(); break;
            case 2: BoxRowsUp(RepeatRows(-1, repeat)); break;
            case 4: BoxRowsDown(RepeatRows(1, repeat)); break;
            }
            return;
        }
    }
    if (ctrl || alt) return;  // those reach commands through the key tables
    if (shift) {
        const int sc = std::max(1, T().ScrollCount);
        switch (key) {
        case 1: modern ? SelCharLeft() : RowStart(); break;
        case 3: modern ? SelCharRight() : RowEnd(); break;
        case 2: modern ? SelRowsUp(RepeatRows(-1, repeat)) : RowsUp(2 * sc); break;
        case 4: modern ? SelRowsDown(RepeatRows(1, repeat)) : RowsDown(2 * sc); break;
        }
        return;
    }
    switch (key) {
    case 1: CharLeft(); break;
    case 3: CharRight(); break;
    case 2: RowsUp(RepeatRows(dir, repeat)); break;
    case 4: RowsDown(RepeatRows(dir, repeat)); break;
    }
}

}  // namespace qz
