// CQzedView core: geometry, painting screen rows as runs, caret placement,
// guide lines, scroll bars, position panes and the document's callbacks.
#include "view/qzed_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/replace_session.h"

namespace qz {

const uint32_t kPalette[16] = {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF, 0x00FF00, 0x00FFFF,
                               0xFFFF00, 0xFF00FF, 0xC0C0C0, 0x800000, 0x000080, 0x008000,
                               0x008080, 0x808000, 0x800080, 0x808080};

CQzedView::CQzedView(CQzedDoc& doc, ViewHost& host) : doc_(doc), host_(host) {
    doc_.AddView(this);
    ComputeGeometry();
}

CQzedView::~CQzedView() { doc_.RemoveView(this); }

const TypeSettings& CQzedView::T() const { return TheSettings().Type(doc_.GetFileType()); }

uint32_t CQzedView::RowText(uint32_t r, char* buf) const {
    buf[0] = 0;
    if (r == 0 || r > RowCount() + 1) return 0;
    return doc_.Store().GetRowText(r, buf);
}

// The row's end position: its line feed, one past the text on the last row,
// and the last character's start on a row that wraps.
uint32_t CQzedView::LastOffset(uint32_t r) const {
    char buf[kRowTextMax];
    uint32_t n = RowText(r, buf);
    if (n == 0) return 1;
    if (buf[n - 1] == '\n') return n;
    if (r > RowCount()) return n + 1;
    uint32_t k = 1, last = 1;
    while (k <= n) {
        last = k;
        k += IsSjisLead(static_cast<uint8_t>(buf[k - 1])) && k < n ? 2 : 1;
    }
    return last;
}

void CQzedView::Record(int32_t code, int32_t arg) {
    if (recorder_ && code != kNotLogged) recorder_->Record(kLogCommand, code, arg);
}

void CQzedView::ErrorMessage(const char* utf8) {
    host_.ShowMessage(utf8, MessageKind::Error);
    host_.Beep();
}

int CQzedView::RowHeight() const { return std::max(1, host_.CharHeight() + T().WidthLine); }
int CQzedView::CellWidth() const { return std::max(1, host_.CharWidth() + T().WidthColumn); }

int CQzedView::EraseFromX() const {
    return (visCols_ + 1 + (T().LineDisp == 1 ? kNumberCells : 0)) * CellWidth();
}

void CQzedView::ComputeGeometry() {
    visRows_ = std::max(1, host_.ClientHeight() / RowHeight());
    int cols = host_.ClientWidth() / CellWidth() - (T().LineDisp == 1 ? kNumberCells : 0);
    visCols_ = std::clamp(cols, 1, kMaxVisibleColumns);
    vMargin_ = visRows_ >= 8 ? 3 : 0;
    hMargin_ = visCols_ > 9 ? 4 : 0;
}

// Window wrapping at the last visible column; every layout change relays out
// the whole text, so nothing is set that is already so.
void CQzedView::WrapAtWindow() {
    if (doc_.GetWrapColumn() != visCols_ - 1) doc_.SetWrapColumn(visCols_ - 1);
    if (!(doc_.GetWrapMode() & kWrapWindow)) doc_.SetWrapMode(doc_.GetWrapMode() | kWrapWindow);
}

void CQzedView::OnInitialUpdate(int viewsOfDoc) {
    ComputeGeometry();
    layoutWrap_ = doc_.GetWrapWidth();
    if (T().RightTurn == 1) {
        if (viewsOfDoc == 1) WrapAtWindow();
        else if (doc_.GetWrapMode() & kWrapWindow) doc_.SetWrapMode(doc_.GetWrapMode() & ~kWrapWindow);
        Relayout();
    }
    host_.SetCompositionFont();
    const int fep = TheSettings().env.FepMode;
    if (fep == 1) host_.SetInputMethodOpen(true);
    else if (fep == 2) host_.SetInputMethodOpen(false);
    UpdateScrollBars();
}

void CQzedView::OnSize(int viewsOfDoc) {
    if (host_.ClientWidth() <= 0 || host_.ClientHeight() <= 0) return;
    ComputeGeometry();
    if (T().RightTurn == 1 && viewsOfDoc == 1) {
        WrapAtWindow();
        Relayout();
    } else if (doc_.GetWrapWidth() != layoutWrap_) {
        // Another view changed the document's wrapping (a split turned
        // window wrapping off): rows and offsets are derived again from the
        // caret's place in the text.
        Relayout();
    } else {
        KeepVisibleVertical(1);
        KeepVisibleHorizontal();
        PlaceCaret();
        UpdateScrollBars();
    }
}

void CQzedView::Relayout() {
    const int64_t screenOffset = static_cast<int64_t>(caretRow_) - static_cast<int64_t>(top_);
    const uint32_t abs = absOff_;
    ComputeGeometry();
    layoutWrap_ = doc_.GetWrapWidth();
    SetFromAbsolute(std::min(abs, doc_.Store().GetTextLength() + 1));
    desiredCol_ = caretCol_;
    top_ = static_cast<uint32_t>(std::max<int64_t>(1, static_cast<int64_t>(caretRow_) - screenOffset));
    if (focused_) {
        MoveGuideLines(false);
        host_.DestroyCaret();
        caretShown_ = false;
        MakeCaret();
    }
    host_.SetCompositionFont();
    UpdateLogical();
    UpdateScrollBars();
    host_.InvalidateAll();
}

void CQzedView::OnSettingsChanged(int viewsOfDoc) {
    ComputeGeometry();
    if (T().RightTurn == 1 && viewsOfDoc == 1) WrapAtWindow();
    else if (doc_.GetWrapMode() & kWrapWindow) doc_.SetWrapMode(doc_.GetWrapMode() & ~kWrapWindow);
    Relayout();
}

void CQzedView::MakeCaret() {
    const int h = host_.CharHeight();
    host_.CreateCaret(host_.CharWidth(), insertMode_ ? std::max(1, h / 4) : h);
    caretShown_ = true;
    PlaceCaret();
    host_.ShowCaret();
}

void CQzedView::OnSetFocus(bool fromAnotherWindow) {
    focused_ = true;
    MakeCaret();
    host_.SetCompositionFont();
    PaintRows(1, 1, visRows_ + 1);
    // The click that switches edit windows only switches them; one into
    // another pane of the same window places the caret as any click does.
    skipNextClick_ = TheSettings().env.MouseLSkip == 1 && fromAnotherWindow;
    UpdatePanes();
}

void CQzedView::OnKillFocus() {
    focused_ = false;
    MoveGuideLines(false);
    if (caretShown_) host_.DestroyCaret();
    caretShown_ = false;
}

// ------------------------------------------------------------------ painting

void CQzedView::PaintRows(int mode, int first, int last) {
    if (noUpdate_) return;
    if (first > last) std::swap(first, last);
    first = std::max(first, 1);
    last = std::min(last, visRows_ + 1);
    if (first > last) return;
    if (caretShown_) host_.HideCaret();
    std::string chars, attrs;
    for (int s = first; s <= last; ++s) {
        ScreenRowImage(s, &chars, &attrs);
        const bool caretRow = top_ + static_cast<uint32_t>(s) - 1 == caretRow_;
        host_.DrawRow(s, MakeRuns(chars, attrs, mode, caretRow));
    }
    if (caretShown_) host_.ShowCaret();
}

void CQzedView::OnPaint(int top, int bottom) {
    const int h = RowHeight();
    PaintRows(1, (top - 1) / h + 1, std::min(visRows_ + 1, (bottom - 1) / h + 1));
}

std::vector<PaintRun> CQzedView::MakeRuns(const std::string& chars, const std::string& attrs, int mode,
                                          bool caretRow) const {
    const TypeSettings& t = T();
    std::vector<PaintRun> runs;
    const size_t n = attrs.size();
    size_t i = 0;
    while (i < n) {
        size_t j = i + 1;
        while (j < n && attrs[j] == attrs[i]) ++j;
        const char a = attrs[i];
        if (a != '0') {
            PaintRun run;
            run.cell = static_cast<int>(i);
            run.text.assign(chars, i, j - i);
            run.back = t.Back_Col;
            switch (a) {
            case '1':
                // Only a stream selection or a mouse selection in the making
                // takes the caret row's colour away; a box by the keys keeps it.
                run.fore = mode == 1 && caretRow && keySel_ != kSelDragging &&
                                   !(keySel_ != kSelNone && selKind_ == kSelStream)
                               ? t.Csr_Col
                               : t.Text_Col;
                break;
            case '2':
            case '3': run.fore = t.Tab_Col; break;
            case '4': run.fore = t.Cr_Col, run.font = FontKind::Mark; break;
            case '5': run.fore = t.Com_Col; break;
            case '6': run.fore = t.UsrFunc_Col1; break;
            case '7': run.fore = t.UsrFunc_Col2; break;
            case '8': run.fore = t.UsrFunc_Col3; break;
            case '9': run.fore = t.UsrFunc_Col4; break;
            case 'V': run.fore = t.FSpace_Col; break;
            case 'W': run.fore = t.LineNo_Col; break;
            case 'X': run.fore = t.VLine_Col, run.font = FontKind::Mark; break;
            case 'Y': run.fore = t.URL_Col, run.font = FontKind::Underline; break;
            case 'Z': run.fore = t.EMail_Col, run.font = FontKind::Underline; break;
            default: run.fore = t.SelTxt_Col, run.back = t.SelBak_Col; break;
            }
            runs.push_back(std::move(run));
        }
        i = j;
    }
    return runs;
}

// ------------------------------------------------------------------ caret placement

GuideLines CQzedView::CurrentGuides() const {
    const TypeSettings& t = T();
    const int cw = CellWidth(), rh = RowHeight(), ch = host_.CharHeight();
    GuideLines g;
    const int cellX = (caretCol_ - left_ + (t.LineDisp == 1 ? kNumberCells : 0)) * cw;
    const int cellY = static_cast<int>(caretRow_ - top_) * rh;
    g.x = std::max(0, cellX - (t.WidthColumn % 2) - t.WidthColumn / 2);
    g.y = cellY + ch + (t.WidthLine % 2) + t.WidthLine / 2;
    g.right = host_.ClientWidth();
    g.bottom = host_.ClientHeight();
    g.vStyle = t.VLineType;
    g.hStyle = t.HLineType;
    g.backColour = t.Back_Col;
    g.lineColour = t.CsrLine_Col;
    return g;
}

void CQzedView::MoveGuideLines(bool draw) {
    const TypeSettings& t = T();
    if (t.VLineType == 0 && t.HLineType == 0) {
        guidesDrawn_ = false;
        return;
    }
    GuideLines g = CurrentGuides();
    if (guidesDrawn_ && (!draw || !(g == guides_))) {
        host_.XorGuideLines(guides_);
        guidesDrawn_ = false;
    }
    if (draw && !guidesDrawn_) {
        host_.XorGuideLines(g);
        guides_ = g;
        guidesDrawn_ = true;
    }
}

void CQzedView::PlaceCaret() {
    if (noUpdate_ || !caretShown_) return;
    const bool inside = caretRow_ >= top_ && caretRow_ < top_ + static_cast<uint32_t>(visRows_) &&
                        caretCol_ >= left_ && caretCol_ <= left_ + visCols_;
    if (!inside) {
        MoveGuideLines(false);
        return;
    }
    const int cw = CellWidth(), rh = RowHeight(), ch = host_.CharHeight();
    const int x = (caretCol_ - left_ + (T().LineDisp == 1 ? kNumberCells : 0)) * cw;
    const int y = static_cast<int>(caretRow_ - top_) * rh;
    host_.SetCaretPos(x, insertMode_ ? y + ch - ch / 4 : y);
    host_.SetCompositionWindow(x, y);
    MoveGuideLines(true);
}

// ------------------------------------------------------------------ position

int CQzedView::ColumnOf(const char* text, uint32_t n, uint32_t k) const {
    const int tabs = std::max(1, T().Tabs);
    const int wrap = doc_.GetWrapWidth();
    int col = 0;
    for (uint32_t j = 0; j + 1 < k; ++j) {
        if (col > wrap) break;
        if (j < n && text[j] == '\t') col = (col / tabs + 1) * tabs;
        else ++col;
    }
    return col + 1;
}

void CQzedView::SetCaret(uint32_t row, uint32_t offset) {
    const uint32_t N = RowCount();
    row = std::clamp<uint32_t>(row, 1, N + 1);
    char buf[kRowTextMax];
    uint32_t n = RowText(row, buf);
    const bool box = keySel_ != kSelNone && selKind_ == kSelBox;
    uint32_t last = LastOffset(row);
    if (!box) offset = std::min(offset, last);
    offset = std::max<uint32_t>(offset, 1);
    // Never inside a double-byte character.
    uint32_t k = 1;
    while (k < offset && k <= n) {
        uint32_t w = IsSjisLead(static_cast<uint8_t>(buf[k - 1])) && k < n ? 2 : 1;
        if (k + w > offset) break;
        k += w;
    }
    if (offset <= n && k < offset) offset = k;
    caretRow_ = row;
    caretOff_ = offset;
    caretCol_ = ColumnOf(buf, n, offset);
    desiredCol_ = caretCol_;
}

void CQzedView::SetFromAbsolute(uint32_t abs) {
    TextStore& st = doc_.Store();
    abs = std::clamp<uint32_t>(abs, 1, st.GetTextLength() + 1);
    uint32_t row = st.OffsetToRow(abs);
    if (row == 0) row = RowCount() + 1;
    uint32_t off = abs - st.RowToOffset(row) + 1;
    if (off > LastOffset(row) && row <= RowCount()) ++row, off = 1;
    SetCaret(row, off);
}

uint32_t CQzedView::Abs() const { return doc_.Store().RowToOffset(caretRow_) + caretOff_ - 1; }

void CQzedView::UpdateLogical() {
    TextStore& st = doc_.Store();
    logLine_ = st.RowToLine(caretRow_);
    logCol_ = st.RowColumnToLineOffset(caretRow_, caretOff_);
    absOff_ = st.RowToOffset(caretRow_) + caretOff_ - 1;
}

void CQzedView::UpdateScrollBars() {
    if (noUpdate_) return;
    const uint32_t N = RowCount();
    if (N >= static_cast<uint32_t>(kScrollBarMax)) {
        const double k = static_cast<double>(kScrollBarMax) / N;
        host_.SetScrollBar(true, 1, kScrollBarMax, std::max(1, static_cast<int>(visRows_ * k)),
                           std::max(1, static_cast<int>(top_ * k)));
    } else {
        host_.SetScrollBar(true, 1, static_cast<int>(N + 1), visRows_, static_cast<int>(top_));
    }
    host_.SetScrollBar(false, 1, doc_.GetWrapWidth() + 1, visCols_, left_);
}

void CQzedView::UpdatePanes() {
    if (noUpdate_ || !host_.IsActiveView()) return;
    const TypeSettings& t = T();
    char row[32], col[32];
    if (t.LineType == 1) {
        std::snprintf(row, sizeof row, "%07ld", static_cast<long>(logLine_));
        std::snprintf(col, sizeof col, "%04ld", static_cast<long>(logCol_));
    } else if (t.LineType == 2) {
        std::snprintf(row, sizeof row, "%07ld", static_cast<long>(caretRow_));
        std::snprintf(col, sizeof col, "%04ld", static_cast<long>(caretCol_));
    } else {
        const long pc = t.PageCount > 0 ? t.PageCount : 1;
        std::snprintf(row, sizeof row, "%03ld-%03ld", static_cast<long>((caretRow_ - 1) / pc + 1),
                      static_cast<long>((caretRow_ - 1) % pc + 1));
        std::snprintf(col, sizeof col, "%04ld", static_cast<long>(caretCol_));
    }
    host_.SetPositionPanes(row, col);
}

// ------------------------------------------------------------------ document calls

void CQzedView::NotifyLinesChanged(uint32_t row, int32_t delta) {
    if (focused_ || editing_) return;
    highlightLen_ = 0;
    EndInteractiveModes();
    if (caretRow_ > row) {
        if (delta < 0 && static_cast<int64_t>(caretRow_) - row <= -static_cast<int64_t>(delta))
            caretRow_ = row;
        else
            caretRow_ = static_cast<uint32_t>(static_cast<int64_t>(caretRow_) + delta);
    }
    caretRow_ = std::clamp<uint32_t>(caretRow_, 1, RowCount() + 1);
    const uint32_t start = doc_.Store().RowToOffset(caretRow_);
    SetFromAbsolute(std::min(start + caretOff_ - 1, doc_.Store().GetTextLength() + 1));
    if (top_ > RowCount() + 1) top_ = RowCount() + 1;
    const uint32_t topBefore = top_;
    KeepVisibleVertical(1);
    UpdateLogical();
    // This pane shows the change too: from its row down, or all after a scroll.
    const int64_t s = static_cast<int64_t>(row) - static_cast<int64_t>(top_) + 1;
    if (top_ != topBefore || s < 1) PaintRows(1, 1, visRows_ + 1);
    else if (s <= visRows_ + 1) PaintRows(1, static_cast<int>(s), visRows_ + 1);
    UpdateScrollBars();
}

void CQzedView::Reset() {
    EndInteractiveModes();
    highlightLen_ = 0;
    const uint32_t N = RowCount();
    if (caretRow_ > N + 1) caretRow_ = N + 1;
    if (top_ > N + 1) top_ = N + 1;
    EndMarking();
    SetCaret(caretRow_, 1);
    desiredCol_ = caretCol_;
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    host_.ShowMessage("", MessageKind::Info);
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

void CQzedView::GoToLine(uint32_t line) {
    EndInteractiveModes();
    // The command selection and a prompt live in the key selection that ends here.
    EndMarking();
    highlightLen_ = 0;
    TextStore& st = doc_.Store();
    const uint32_t lines = st.GetLineEndCount() + 1;
    line = std::clamp<uint32_t>(line, 1, lines);
    SetCaret(st.LineToRow(line), 1);
    desiredCol_ = caretCol_;
    KeepVisibleVertical(2);
    KeepVisibleHorizontal();
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    lastRow_ = caretRow_, lastCol_ = caretCol_;
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

}  // namespace qz
