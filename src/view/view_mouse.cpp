// CQzedView words, mouse and scroll bars: word classes and word motion, the
// hit test, click, drag, release, double click, the wheel and the bars.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

int WordClass(const uint8_t* p, size_t n) {
    if (n == 0 || p[0] == '\n') return 0;
    const uint8_t b = p[0];
    if (IsSjisLead(b) && n >= 2) {
        const unsigned code = (static_cast<unsigned>(b) << 8) | p[1];
        if (code >= 0x829F && code <= 0x82F1) return 129;
        if ((code >= 0x8340 && code <= 0x8396) || code == 0x815B) return 130;
        if ((code >= 0x824F && code <= 0x8258) || (code >= 0x8260 && code <= 0x8279) ||
            (code >= 0x8281 && code <= 0x829A))
            return 131;
        if (code == 0x8140) return 132;
        if (code < 0x889F) return 133;
        return 134;
    }
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_') return 1;
    if (b == ' ' || b == '\t') return 2;
    if (b >= 0x80) return 3;
    return 4;
}

namespace {

bool Skippable(int cls) { return cls == 2 || cls == 4; }

// Width in bytes of the character at i of buf (n bytes).
inline uint32_t CharBytes(const std::vector<uint8_t>& buf, size_t i) {
    return IsSjisLead(buf[i]) && i + 1 < buf.size() ? 2 : 1;
}

}  // namespace

// Moves the caret by words: forward skips the run holding the caret (a line
// end moves one byte); backward goes to the start of the run before it.
void CQzedView::WordMove(int dir, int arg) {
    TextStore& st = doc_.Store();
    const uint32_t len = st.GetTextLength();
    uint32_t p = Abs();
    if (dir > 0) {
        if (p > len) return;
        do {
            uint8_t c[2] = {0, 0};
            uint32_t got = st.ReadText(p, reinterpret_cast<char*>(c), 2);
            const int cls = WordClass(c, got);
            if (cls == 0) {
                ++p;
                break;
            }
            while (p <= len) {
                got = st.ReadText(p, reinterpret_cast<char*>(c), 2);
                if (WordClass(c, got) != cls) break;
                p += IsSjisLead(c[0]) && got == 2 ? 2 : 1;
            }
            if (arg != 1 || p > len) break;
            got = st.ReadText(p, reinterpret_cast<char*>(c), 2);
            if (!Skippable(WordClass(c, got))) break;
        } while (true);
    } else {
        if (p <= 1) return;
        // The logical line holding the character before the caret.
        const uint32_t lineRow = st.LineToRow(st.RowToLine(st.OffsetToRow(p - 1)));
        const uint32_t lineStart = st.RowToOffset(lineRow);
        if (p == lineStart) {
            --p;  // onto the previous line's line feed
        } else {
            std::vector<uint8_t> buf(p - lineStart);
            st.ReadText(lineStart, reinterpret_cast<char*>(buf.data()), p - lineStart);
            // Runs of the line up to the caret: (start, class).
            std::vector<std::pair<uint32_t, int>> runs;
            for (size_t i = 0; i < buf.size();) {
                const int cls = WordClass(&buf[i], buf.size() - i);
                if (runs.empty() || runs.back().second != cls) runs.emplace_back(static_cast<uint32_t>(i), cls);
                i += CharBytes(buf, i);
            }
            size_t k = runs.size() - 1;
            if (arg == 1)
                while (k > 0 && Skippable(runs[k].second)) --k;
            p = lineStart + runs[k].first;
        }
    }
    SetFromAbsolute(p);
    desiredCol_ = caretCol_;
}

void CQzedView::WordLeft(int arg) {
    if (!BeginMotion(47, arg, false)) return;
    const uint32_t oldRow = caretRow_, oldTop = top_;
    const int oldLeft = left_;
    WordMove(-1, arg);
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::WordRight(int arg) {
    if (!BeginMotion(48, arg, false)) return;
    const uint32_t oldRow = caretRow_, oldTop = top_;
    const int oldLeft = left_;
    WordMove(1, arg);
    FinishMotion(oldRow, oldTop, oldLeft);
}

// ------------------------------------------------------------------ mouse

bool CQzedView::HitTest(int x, int y, uint32_t* row, int* column, uint32_t* offset) {
    const int rh = RowHeight(), cw = CellWidth();
    const int sr = y >= 0 ? y / rh : -((-y + rh - 1) / rh);
    // Left of the text (a drag past the edge) counts as columns to the left,
    // so that the view scrolls there.
    int cell = (x >= 0 ? x / cw : -((-x + cw - 1) / cw)) - (T().LineDisp == 1 ? kNumberCells : 0);
    int64_t r = static_cast<int64_t>(top_) + sr;
    r = std::clamp<int64_t>(r, 1, static_cast<int64_t>(RowCount()) + 1);
    const int col = std::max(1, left_ + cell);
    const int keep = desiredCol_;
    const uint32_t cr = caretRow_, co = caretOff_;
    const int cc = caretCol_;
    desiredCol_ = col;
    caretRow_ = static_cast<uint32_t>(r);
    StepVertical(0);  // the character covering the column
    *row = caretRow_;
    *offset = caretOff_;
    *column = caretCol_;
    desiredCol_ = keep;
    caretRow_ = cr, caretOff_ = co, caretCol_ = cc;
    return true;
}

namespace {

struct Link {
    bool found = false;
    char code = 0;
    int from = 0, to = 0;  // cells of the row image
    std::string text;
};

}  // namespace

// The link under a client point, from the attributes of its row image.
static Link LinkAt(CQzedView& v, uint32_t row, int column) {
    Link link;
    char buf[kRowTextMax];
    uint32_t n = v.Doc().Store().GetRowText(row, buf);
    char c[kRowImageMax], a[kRowImageMax];
    const int p = v.BuildRowImage(row, buf, n, c, a);
    const int cell = column - 1;
    if (cell < 0 || cell >= p) return link;
    const char code = static_cast<char>(a[cell] & 0x7F);
    if (code != 'Y' && code != 'Z') return link;
    int from = cell, to = cell + 1;
    while (from > 0 && (a[from - 1] & 0x7F) == code) --from;
    while (to < p && (a[to] & 0x7F) == code) ++to;
    link.found = true;
    link.code = code;
    link.from = from;
    link.to = to;
    link.text.assign(c + from, c + to);
    return link;
}

// Byte offset (1-based) of a cell column in a row's text.
static uint32_t OffsetOfColumn(CQzedView& v, uint32_t row, int column) {
    char buf[kRowTextMax];
    const uint32_t n = v.Doc().Store().GetRowText(row, buf);
    for (uint32_t k = 1; k <= n + 1; ++k)
        if (v.ColumnOf(buf, n, k) >= column) return k;
    return n + 1;
}

// The interactive modes own the caret: the mouse may not move it.
void CQzedView::OnLButtonDown(int x, int y, bool shift, bool ctrl, bool alt) {
    if (TheSettings().env.Mouse == 0 || host_.WindowSelectActive() || searchMode_ || replaceMode_) return;
    if (skipNextClick_) {
        skipNextClick_ = false;
        return;
    }
    const bool hadSelection = keySel_ != kSelNone;
    if (hadSelection && !shift) CancelSelection();
    const uint32_t oldRow = caretRow_, oldOff = caretOff_;
    const int oldCol = caretCol_;
    uint32_t row, off;
    int col;
    HitTest(x, y, &row, &col, &off);
    caretRow_ = row, caretOff_ = off, caretCol_ = col;
    desiredCol_ = caretCol_;
    if (shift && hadSelection) {
        keySel_ = kSelDragging;
        host_.CaptureMouse(true);
    } else if (RunningMode()) {
        // only the caret moves
    } else if (Link l = LinkAt(*this, row, col); l.found) {
        keySel_ = kSelMade;
        selKind_ = kSelStream;
        anchorRow_ = row, anchorCol_ = l.from + 1, anchorOff_ = OffsetOfColumn(*this, row, l.from + 1);
        SetCaret(row, OffsetOfColumn(*this, row, l.to + 1));
        desiredCol_ = caretCol_;
    } else {
        keySel_ = kSelDragging;
        selKind_ = (alt || ctrl) ? kSelBox : kSelStream;
        dragBox_ = selKind_ == kSelBox;
        if (shift) anchorRow_ = oldRow, anchorCol_ = oldCol, anchorOff_ = oldOff;
        else anchorRow_ = caretRow_, anchorCol_ = caretCol_, anchorOff_ = caretOff_;
        host_.CaptureMouse(true);
    }
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    lastRow_ = caretRow_, lastCol_ = caretCol_;
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

void CQzedView::OnMouseMove(int x, int y, bool left, bool otherButtons, bool ctrl, bool alt) {
    skipNextClick_ = false;
    if (TheSettings().env.Mouse == 0 || host_.WindowSelectActive() || searchMode_ || replaceMode_) return;
    if (keySel_ == kSelDragging && otherButtons) {
        host_.CaptureMouse(false);
        keySel_ = kSelNone;
        dragBox_ = false;
        NormaliseCaret();
        PaintRows(1, 1, visRows_ + 1);
        return;
    }
    if (keySel_ != kSelDragging || !left) {
        uint32_t row, off;
        int col;
        HitTest(x, y, &row, &col, &off);
        host_.SetPointer(T().ClickableURL == 1 && LinkAt(*this, row, col).found ? PointerShape::Hand
                                                                             : PointerShape::Default);
        return;
    }
    host_.Sleep(10);
    selKind_ = (alt || ctrl) ? kSelBox : kSelStream;
    dragBox_ = selKind_ == kSelBox;
    uint32_t row, off;
    int col;
    HitTest(x, y, &row, &col, &off);
    const uint32_t oldTop = top_;
    const int oldLeft = left_;
    const bool moved = row != caretRow_ || off != caretOff_;
    caretRow_ = row, caretOff_ = off, caretCol_ = col;
    desiredCol_ = col;
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    host_.RepeatPointerPosition();
    if (moved || oldTop != top_ || oldLeft != left_) {
        PaintRows(1, 1, visRows_ + 1);
        PlaceCaret();
        UpdateLogical();
        UpdateScrollBars();
        UpdatePanes();
    }
}

void CQzedView::OnLButtonUp(int, int) {
    host_.CaptureMouse(false);
    if (keySel_ != kSelDragging) return;
    if (anchorRow_ == caretRow_ && anchorOff_ == caretOff_) {
        keySel_ = kSelNone;
        dragBox_ = false;
        NormaliseCaret();
    } else {
        keySel_ = kSelMade;
    }
    PaintRows(1, 1, visRows_ + 1);
}

void CQzedView::OnLButtonDblClk(int x, int y) {
    if (TheSettings().env.Mouse == 0 || host_.WindowSelectActive() || searchMode_ || replaceMode_) return;
    uint32_t row, off;
    int col;
    HitTest(x, y, &row, &col, &off);
    if (Link l = LinkAt(*this, row, col); l.found) {
        std::string target = l.code == 'Z' ? "mailto:" + l.text : l.text;
        if (host_.ShellOpen(target) < 32) {
            char msg[600];
            std::snprintf(msg, sizeof msg, "'%s'は開けません", l.text.c_str());
            ErrorMessage(msg);
        }
        return;
    }
    host_.CaptureMouse(false);
    if (keySel_ != kSelNone) CancelSelection();
    SetCaret(row, off);
    // Past the end of a row there is no word: the caret only goes there.
    const uint32_t at = Abs();
    const bool pastEnd = at > doc_.Store().GetTextLength() || doc_.Store().GetCharAt(at) == '\n';
    if (host_.IsShellDocument() || pastEnd) {
        keySel_ = kSelNone;
    } else {
        // The word under the pointer: from the start of its run to its end.
        WordMove(1, 0);
        const uint32_t endRow = caretRow_, endOff = caretOff_;
        const int endCol = caretCol_;
        SetCaret(row, off);
        // Backward from one past the start character finds the start of its run.
        StepHorizontal(1, 2);
        WordMove(-1, 0);
        anchorRow_ = caretRow_, anchorCol_ = caretCol_, anchorOff_ = caretOff_;
        caretRow_ = endRow, caretOff_ = endOff, caretCol_ = endCol;
        keySel_ = (anchorRow_ == caretRow_ && anchorOff_ == caretOff_) ? kSelNone : kSelMade;
        selKind_ = kSelStream;
        dragBox_ = false;
    }
    desiredCol_ = caretCol_;
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    UpdateLogical();
    UpdatePanes();
}

void CQzedView::OnMouseWheel(int delta, bool shift) {
    if (TheSettings().env.Mouse == 0 || host_.WindowSelectActive() || searchMode_ || replaceMode_) return;
    const int notches = delta / 120;
    if (notches == 0) return;
    if (shift) {
        for (int i = 0; i < std::abs(notches); ++i) notches > 0 ? HalfPageUp() : HalfPageDown();
        return;
    }
    const int rows = -notches * std::max(1, TheSettings().env.MouseWheel);
    const int64_t maxTop = std::max<int64_t>(1, static_cast<int64_t>(RowCount()) + 2 - visRows_);
    const int64_t nt = std::clamp<int64_t>(static_cast<int64_t>(top_) + rows, 1, maxTop);
    const int moved = static_cast<int>(nt - static_cast<int64_t>(top_));
    if (moved == 0) return;
    const int64_t cr = std::clamp<int64_t>(static_cast<int64_t>(caretRow_) + moved, 1,
                                           static_cast<int64_t>(RowCount()) + 1);
    caretRow_ = static_cast<uint32_t>(cr);
    StepVertical(0);
    ScrollBy(moved);
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

// ------------------------------------------------------------------ scroll bars

void CQzedView::OnVScroll(ScrollAction action, int thumb) {
    // The caret moves with the rows here, off the match a mode stands on.
    if (searchMode_ || replaceMode_) return;
    const uint32_t N = RowCount();
    const int64_t maxTop = std::max<int64_t>(1, static_cast<int64_t>(N) + 2 - visRows_);
    int64_t nt = top_;
    switch (action) {
    case kLineUp: --nt; break;
    case kLineDown: ++nt; break;
    case kPageUp: nt -= visRows_; break;
    case kPageDown: nt += visRows_; break;
    case kThumbTrack:
        nt = N >= static_cast<uint32_t>(kScrollBarMax)
                 ? static_cast<int64_t>(static_cast<double>(thumb) * N / kScrollBarMax)
                 : thumb;
        break;
    case kTop: nt = 1; break;
    case kBottom: nt = maxTop; break;
    }
    nt = std::clamp<int64_t>(nt, 1, maxTop);
    const int moved = static_cast<int>(nt - static_cast<int64_t>(top_));
    if (moved == 0) return;
    // The caret keeps its screen row, inside the margins.
    int64_t screen = static_cast<int64_t>(caretRow_) - static_cast<int64_t>(top_);
    const int m = vMargin_;
    screen = std::clamp<int64_t>(screen, std::min<int64_t>(m, visRows_ - 1),
                                 std::max<int64_t>(0, visRows_ - 1 - m));
    ScrollBy(moved);
    caretRow_ = static_cast<uint32_t>(
        std::clamp<int64_t>(static_cast<int64_t>(top_) + screen, 1, static_cast<int64_t>(N) + 1));
    StepVertical(0);
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

void CQzedView::OnHScroll(ScrollAction action, int thumb) {
    const int maxLeft = std::max(1, doc_.GetWrapWidth() + 2 - visCols_);
    int nl = left_;
    switch (action) {
    case kLineUp: --nl; break;
    case kLineDown: ++nl; break;
    case kPageUp: nl -= visCols_; break;
    case kPageDown: nl += visCols_; break;
    case kThumbTrack: nl = thumb; break;
    case kTop: nl = 1; break;
    case kBottom: nl = maxLeft; break;
    }
    nl = std::clamp(nl, 1, maxLeft);
    if (nl == left_) return;
    // The caret keeps its screen column, inside the margins, as it keeps
    // its screen row on the vertical bar: it never stays off screen.
    const int margin = (doc_.GetWrapMode() & kWrapWindow) ? 0 : hMargin_;
    int screen = caretCol_ - left_;
    screen = std::clamp(screen, std::min(margin, visCols_ - 1), std::max(0, visCols_ - 1 - margin));
    left_ = nl;
    if (keySel_ == kSelNone || selKind_ != kSelBox) {
        desiredCol_ = left_ + screen;
        StepVertical(0);
        desiredCol_ = caretCol_;
    }
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

}  // namespace qz
