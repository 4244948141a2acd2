// CQzedView box commands: the two-point prompts, box cut and yank onto the
// clipboard, and box paste (overwrite) and box insert from it.
#include <algorithm>

#include "platform/cp932.h"
#include "platform/message_box.h"
#include "view/qzed_view.h"

namespace qz {

namespace {
constexpr const char* kWriteProtected = "このファイルは書き込み禁止です";
constexpr const char* kSecondPoint = "（どこまで？）  <ESC>:中断  <改行>:確定";

// Byte index and start column of every character of a row; tabs expand.
struct Cell {
    uint32_t index;
    int column, width;
    uint32_t bytes;
};

std::vector<Cell> Cells(const char* text, uint32_t n, int tab) {
    std::vector<Cell> cells;
    int col = 1;
    for (uint32_t i = 0; i < n;) {
        const uint8_t b = static_cast<uint8_t>(text[i]);
        if (b == '\n') break;
        Cell c{i, col, 1, 1};
        if (b == '\t') c.width = tab - (col - 1) % tab;
        else if (IsSjisLead(b) && i + 1 < n) c.width = 2, c.bytes = 2;
        cells.push_back(c);
        col += c.width;
        i += c.bytes;
    }
    return cells;
}
}  // namespace

std::vector<CQzedView::BoxPiece> CQzedView::BoxPieces(uint32_t r1, int c1, uint32_t r2, int c2) {
    std::vector<BoxPiece> pieces;
    TextStore& st = doc_.Store();
    char row[kRowTextMax];
    for (uint32_t r = r1; r <= r2 && r <= RowCount() + 1; ++r) {
        const uint32_t n = RowText(r, row);
        const uint32_t start = st.RowToOffset(r);
        BoxPiece p{start, 0};
        bool begun = false;
        for (const Cell& c : Cells(row, n, doc_.GetTabWidth())) {
            if (c.column < c1 || c.column >= c2) continue;
            if (!begun) p.abs = start + c.index, begun = true;
            p.length = start + c.index + c.bytes - p.abs;
        }
        if (!begun) {
            // An empty piece still marks where the row's part would be.
            uint32_t at = n;
            for (const Cell& c : Cells(row, n, doc_.GetTabWidth()))
                if (c.column >= c1) { at = c.index; break; }
            if (n && row[n - 1] == '\n' && at == n) at = n - 1;
            p.abs = start + at;
        }
        pieces.push_back(p);
    }
    return pieces;
}

std::string CQzedView::BoxText(uint32_t r1, int c1, uint32_t r2, int c2) {
    std::string text;
    TextStore& st = doc_.Store();
    for (const BoxPiece& p : BoxPieces(r1, c1, r2, c2)) {
        std::string bytes(p.length, '\0');
        if (p.length) st.ReadText(p.abs, bytes.data(), p.length);
        text += bytes;
        text += "\r\n";
    }
    return text;
}

void CQzedView::BoxToClipboard(bool cut, uint32_t r1, int c1, uint32_t r2, int c2) {
    const char* caption = cut ? "矩形ＣＵＴ" : "矩形ＹＡＮＫ";
    const std::vector<BoxPiece> pieces = BoxPieces(r1, c1, r2, c2);
    bool ok = false;
    if (OpenClipboard(caption)) {
        if (!clipboard_->Empty()) {
            ClipboardFailure("クリップボード内容が破棄できません", caption);
        } else {
            ClipboardKind() = kClipBox;
            ok = clipboard_->SetText(BoxText(r1, c1, r2, c2));
            if (!ok)
                ClipboardFailure(cut ? "クリップボードに削除データを登録できませんでした"
                                     : "クリップボードに確定データを登録できませんでした",
                                 caption);
        }
        clipboard_->Close();
    }
    EndMarking();
    if (ok && cut && !pieces.empty()) {
        doc_.BeginUndoGroup();
        TextStore& st = doc_.Store();
        uint32_t removed = 0;
        editing_ = true;
        for (const BoxPiece& p : pieces) {
            if (p.length) st.DeleteText(p.abs - removed, p.length);
            removed += p.length;
        }
        editing_ = false;
        SetFromAbsolute(pieces.back().abs - (removed - pieces.back().length));
        desiredCol_ = caretCol_;
    }
    host_.ShowMessage("", MessageKind::Info);
    RedrawAll();
}

void CQzedView::StartBoxPrompt(int mode, const char* promptUtf8) {
    if (replaceMode_) return;
    if (searchMode_) EndSearchMode(false);
    CancelSelection();
    cmdSel_ = false;
    boxMode_ = mode;
    host_.ShowMessage(promptUtf8, MessageKind::Prompt);
}

void CQzedView::SetBoxPromptHandler(int mode, void (*handler)(CQzedView&, uint32_t, int, uint32_t, int)) {
    if (mode == 64) calcHandler_ = handler;
}

void CQzedView::BoxCut() {
    Record(64, 0);
    if (host_.WindowSelectActive()) return;
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    if (keySel_ != kSelNone && selKind_ == kSelBox) return Cut();
    if (keySel_ != kSelNone) return ErrorMessage("矩形を選択してください");
    StartBoxPrompt(16, "矩形Ｃｕｔ範囲指定（どこから？）  <ESC>:中断  <改行>:確定");
}

void CQzedView::BoxYank() {
    Record(65, 0);
    if (host_.WindowSelectActive()) return;
    if (keySel_ != kSelNone && selKind_ == kSelBox) return Copy();
    if (keySel_ != kSelNone) return ErrorMessage("矩形を選択してください");
    StartBoxPrompt(32, "矩形Ｙａｎｋ範囲指定（どこから？）  <ESC>:中断  <改行>:確定");
}

void CQzedView::BoxPromptEnter() {
    Record(52, 0);
    if (boxMode_ == 0) return;
    if ((boxMode_ & 15) == 0) {
        firstRow_ = caretRow_, firstCol_ = caretCol_, firstOff_ = caretOff_;
        boxMode_ += 1;
        keySel_ = kSelMade;
        selKind_ = kSelBox;
        anchorRow_ = caretRow_, anchorCol_ = caretCol_, anchorOff_ = caretOff_;
        host_.ShowMessage(kSecondPoint, MessageKind::Prompt);
        return;
    }
    const int mode = boxMode_;
    const uint32_t r1 = firstRow_, r2 = caretRow_;
    const int c1 = firstCol_, c2 = caretCol_;
    if (r1 > r2 || c1 >= c2) {
        // A second point above or left of the first marks no box.
        EndMarking();
        host_.ShowMessage("", MessageKind::Info);
        RedrawAll();
        return;
    }
    if (mode == 65) {
        EndMarking();
        host_.ShowMessage("", MessageKind::Info);
        if (calcHandler_) calcHandler_(*this, r1, c1, r2, c2);
        RedrawAll();
        return;
    }
    if (mode == 17 && doc_.IsReadOnly()) {
        EndMarking();
        RedrawAll();
        return ErrorMessage(kWriteProtected);
    }
    BoxToClipboard(mode == 17, r1, c1, r2, c2);
}

void CQzedView::BoxFromClipboard(bool overwrite, const char* caption) {
    if (!OpenClipboard(caption)) return;
    std::string text;
    long replaced = 0;
    const bool has = clipboard_->GetText(&text, &replaced);
    clipboard_->Close();
    if (!has || !AdmitClipboardForms()) return;
    TextStore& st = doc_.Store();
    const int c = caretCol_;
    const int tab = doc_.GetTabWidth();
    const uint32_t keepRow = caretRow_, keepOff = caretOff_;
    doc_.BeginUndoGroup();
    editing_ = true;
    uint32_t r = caretRow_;
    char row[kRowTextMax];
    size_t i = 0;
    const size_t end = std::min(text.size(), text.find('\0'));
    bool firstLine = true;
    while (i < end) {
        size_t e = text.find('\r', i);
        if (e == std::string::npos || e > end) e = end;
        const std::string line = text.substr(i, e - i);
        i = e;
        if (i < end && text[i] == '\r') ++i;
        if (i < end && text[i] == '\n') ++i;
        if (!firstLine) {
            ++r;
            if (r > RowCount() + 1) {
                st.InsertText(st.GetTextLength() + 1, "\n", 1, 0);
            }
        }
        firstLine = false;
        const uint32_t n = RowText(r, row);
        const uint32_t start = st.RowToOffset(r);
        const std::vector<Cell> cells = Cells(row, n, tab);
        uint32_t at = n && row[n - 1] == '\n' ? n - 1 : n;
        int col = cells.empty() ? 1 : cells.back().column + cells.back().width;
        size_t k = 0;
        for (; k < cells.size(); ++k)
            if (cells[k].column >= c) {
                at = cells[k].index, col = cells[k].column;
                break;
            }
        if (k == cells.size() && col < c) {
            const std::string pad(static_cast<size_t>(c - col), ' ');
            st.InsertText(start + at, pad.data(), static_cast<uint32_t>(pad.size()), 0);
            at += static_cast<uint32_t>(pad.size());
        } else if (overwrite) {
            // The line's width from column c, tabs expanded there.
            int cc = col;
            for (size_t j = 0; j < line.size();) {
                const uint8_t b = static_cast<uint8_t>(line[j]);
                if (b == '\t') cc += tab - (cc - 1) % tab, ++j;
                else if (IsSjisLead(b) && j + 1 < line.size()) cc += 2, j += 2;
                else ++cc, ++j;
            }
            const int w = cc - col;
            uint32_t del = 0;
            for (size_t j = k; j < cells.size() && cells[j].column < col + w; ++j) del += cells[j].bytes;
            if (del) st.DeleteText(start + at, del);
        }
        if (!line.empty()) st.InsertText(start + at, line.data(), static_cast<uint32_t>(line.size()), 0);
    }
    editing_ = false;
    SetCaret(keepRow, keepOff);
    desiredCol_ = caretCol_;
    RedrawAll();
    ReportReplacedCharacters(replaced);
}

void CQzedView::BoxPaste() {
    Record(66, 0);
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    if (RunningMode() || host_.WindowSelectActive()) return;
    CancelSelection();
    BoxFromClipboard(true, "矩形貼り付け");
}

void CQzedView::BoxInsert() {
    Record(67, 0);
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    if (RunningMode() || host_.WindowSelectActive()) return;
    CancelSelection();
    BoxFromClipboard(false, "矩形貼り付け");
}

}  // namespace qz
