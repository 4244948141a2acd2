// CQzedView editing commands: the command frame, typing in insert and
// overwrite mode, deletions with the two delete buffers, line commands.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp932.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

constexpr const char* kWriteProtected = "このファイルは書き込み禁止です";
constexpr const char* kBufferEmpty = "削除バッファが空です";

// What a change needs remembered to repaint as little as possible.
struct Before {
    uint32_t row, rows, top;
    int left;
    int comNext;
    bool rowEndsLf;
};

}  // namespace

// Steps 1 to 7 of every editing command. kind1: the command is a typed byte.
bool CQzedView::BeginEdit(int32_t code, int32_t arg, bool kind1, bool typing) {
    return BeginEditFrame(code, arg, kind1) && TakeSelection(typing);
}

// Steps 1 to 6: the log, write protection, the window-selection prompt,
// the found-text highlight, the undo group and the running modes.
bool CQzedView::BeginEditFrame(int32_t code, int32_t arg, bool kind1) {
    if (kind1) {
        if (recorder_) recorder_->Record(kLogTyped, code, arg);
    } else {
        Record(code, arg);
        leadTyped_ = false;
    }
    if (doc_.IsReadOnly()) {
        ErrorMessage(kWriteProtected);
        return false;
    }
    if (host_.WindowSelectActive()) return false;
    if (highlightLen_) {
        highlightLen_ = 0;
        const int s = static_cast<int>(caretRow_ - top_) + 1;
        PaintRows(1, s, s);
    }
    // A trail byte belongs to the edit its lead byte opened.
    if (!(kind1 && leadTyped_)) doc_.BeginUndoGroup();
    return !RunningMode();
}

// Step 7: a stream selection is deleted first, a box selection refused.
bool CQzedView::TakeSelection(bool typing) {
    if (keySel_ == kSelDragging) {
        host_.CaptureMouse(false);
        keySel_ = kSelNone;
        dragBox_ = false;
        NormaliseCaret();
        PaintRows(1, 1, visRows_ + 1);
    } else if (keySel_ == kSelMade) {
        if (selKind_ == kSelBox) {
            host_.Beep();
            return false;
        }
        DeleteStreamSelection(typing ? 1024 : 20480);
    }
    return true;
}

bool CQzedView::DeleteStreamSelection(uint32_t piece) {
    TextStore& st = doc_.Store();
    uint32_t a = st.RowToOffset(anchorRow_) + anchorOff_ - 1;
    uint32_t b = Abs();
    if (a > b) std::swap(a, b);
    keySel_ = kSelNone;
    editing_ = true;
    uint32_t left = b - a;
    while (left) {
        const uint32_t done = st.DeleteText(a, std::min(left, piece));
        if (!done) break;
        left -= done;
    }
    editing_ = false;
    SetFromAbsolute(a);
    desiredCol_ = caretCol_;
    PaintRows(1, 1, visRows_ + 1);
    return true;
}

static Before Snapshot(CQzedView& v, TextStore& st) {
    Before b;
    b.row = v.CaretRow();
    b.rows = st.GetRowCount();
    b.top = v.TopRow();
    b.left = v.LeftColumn();
    b.comNext = st.RowStartState(b.row + 1, nullptr, nullptr);
    char buf[kRowTextMax];
    uint32_t n = st.GetRowText(b.row, buf);
    b.rowEndsLf = n && buf[n - 1] == '\n';
    return b;
}

void CQzedView::FinishEdit(uint32_t rowBefore, uint32_t rowsBefore, int comNextBefore, bool rowEndBefore,
                           uint32_t topBefore, int leftBefore) {
    TextStore& st = doc_.Store();
    desiredCol_ = caretCol_;
    const bool oldNoUpdate = noUpdate_;
    noUpdate_ = true;  // scrolling here is repainted below in one go
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    noUpdate_ = oldNoUpdate;
    const int s = static_cast<int>(static_cast<int64_t>(caretRow_) - static_cast<int64_t>(top_)) + 1;
    if (top_ != topBefore || left_ != leftBefore) {
        PaintRows(1, 1, visRows_ + 1);
    } else {
        char buf[kRowTextMax];
        uint32_t n = st.GetRowText(caretRow_, buf);
        const bool lf = n && buf[n - 1] == '\n';
        if (caretRow_ == rowBefore && st.GetRowCount() == rowsBefore && lf == rowEndBefore &&
            st.RowStartState(caretRow_ + 1, nullptr, nullptr) == comNextBefore) {
            PaintRows(1, s, s);
        } else {
            const uint32_t from = std::min(rowBefore, caretRow_);
            const int sf = static_cast<int>(static_cast<int64_t>(from) - static_cast<int64_t>(top_));
            PaintRows(1, std::max(1, sf), visRows_ + 1);
        }
    }
    PlaceCaret();
    lastRow_ = caretRow_, lastCol_ = caretCol_;
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

#define QZ_FINISH(b) FinishEdit(b.row, b.rows, b.comNext, b.rowEndsLf, b.top, b.left)

void CQzedView::InsertAtCaret(const char* bytes, uint32_t n) {
    editing_ = true;
    doc_.Store().InsertText(Abs(), bytes, n, 0);
    editing_ = false;
}

// ------------------------------------------------------------------ typing

void CQzedView::OnChar(uint8_t c) {
    if (c == 0) return;
    if (c == 13) c = 10;
    if (prefixPending_) {
        const bool stroke = prefixTakesCharacter_;
        SetPrefixPending(false);
        if (stroke) PrefixStroke(c);
        return;  // in the other schemes the key only clears the flag
    }
    // The interactive modes read their keys first: a command selection
    // may run under the search mode.
    if (searchMode_ || replaceMode_) return ModeKey(c);
    if (cmdSel_) return SelectionCharSearch(c);
    if (boxMode_ != 0) {
        if (c == 10) BoxPromptEnter();
        return;
    }
    if (!BeginEdit(c, 0, true, true)) {
        leadTyped_ = false;
        return;
    }
    TypeByte(c);
}

// Scheme 3: the character after Ctrl+Q (or an idle Esc), upper-cased.
void CQzedView::PrefixStroke(uint8_t c) {
    const char k = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    switch (k) {
    case 'C': FileEnd(); break;
    case 'D': RowEnd(); break;
    case 'J': JumpLastEdit(); break;
    case 'R': FileTop(); break;
    case 'S': RowStart(); break;
    case '.': case '@': case 'B': case 'F': case 'U': case '[': case ']':
        host_.PrefixSecondStroke(k);
        break;
    default:
        if (k >= '0' && k <= '9') host_.PrefixSecondStroke(k);
        break;  // any other character is dropped
    }
}

void CQzedView::TypeByte(uint8_t c) {
    TextStore& st = doc_.Store();
    const Before b = Snapshot(*this, st);
    const bool wasLead = leadTyped_;
    leadTyped_ = !wasLead && IsSjisLead(c);
    const TypeSettings& t = T();
    char row[kRowTextMax];
    const uint32_t n = RowText(caretRow_, row);
    auto indentOf = [&]() {
        std::string ind;
        for (uint32_t i = 0; i < n && (row[i] == ' ' || row[i] == '\t'); ++i) ind += row[i];
        return ind;
    };
    uint32_t abs = Abs();
    editing_ = true;
    if (c == '\n') {
        if (insertMode_ || caretRow_ > RowCount()) {
            std::string ins = "\n";
            if (t.Indent == 1) ins += indentOf();
            if (!insertMode_) abs = st.GetTextLength() + 1;  // overwrite: append at the end
            st.InsertText(abs, ins.data(), static_cast<uint32_t>(ins.size()), 0);
            editing_ = false;
            SetFromAbsolute(abs + static_cast<uint32_t>(ins.size()));
        } else {
            editing_ = false;
            SetCaret(caretRow_ + 1, 1);
        }
        QZ_FINISH(b);
        return;
    }
    if (!insertMode_) {
        const uint32_t k = caretOff_;
        // Classify the caret byte by walking the row from its start.
        uint32_t j = 1;
        bool onLead = false, onTrail = false;
        while (j <= n) {
            const bool lead = IsSjisLead(static_cast<uint8_t>(row[j - 1])) && j < n;
            if (j == k) { onLead = lead; break; }
            if (lead && j + 1 == k) { onTrail = true; break; }
            j += lead ? 2 : 1;
        }
        if (k <= n) {
            const uint8_t here = static_cast<uint8_t>(row[k - 1]);
            if (onLead) {
                st.DeleteText(abs, 2);
                st.InsertText(abs, " ", 1, 0);
            } else if (here != '\n') {
                // The byte after the caret may stand on the next display row
                // when the caret is on the last byte of a wrapped row: ask the
                // store, not the row.
                const uint32_t len = st.GetTextLength();
                const bool wholeAfter = abs + 2 <= len && IsSjisLead(st.GetCharAt(abs + 1)) &&
                                        st.GetCharAt(abs + 2) != '\n';
                if (onTrail) {
                    st.DeleteText(abs, 1);
                } else if (wholeAfter && IsSjisLead(c)) {
                    st.DeleteText(abs, 3);
                    st.InsertText(abs, "  ", 2, 0);
                } else {
                    st.DeleteText(abs, 1);
                }
            }
        }
    }
    const char ch = static_cast<char>(c);
    st.InsertText(abs, &ch, 1, 0);
    editing_ = false;
    // One byte right, without the double-byte skip: after a lead byte the
    // caret waits between the two bytes.
    const uint32_t row2 = st.OffsetToRow(abs + 1);
    const uint32_t start = st.RowToOffset(row2);
    char buf[kRowTextMax];
    const uint32_t m = RowText(row2, buf);
    uint32_t off = abs + 1 - start + 1;
    caretRow_ = row2;
    if (off > m && row2 <= RowCount()) {
        caretRow_ = row2 + 1;
        off = 1;
        caretCol_ = 1;
    } else {
        caretCol_ = ColumnOf(buf, m, off);
    }
    caretOff_ = off;
    QZ_FINISH(b);
}

void CQzedView::OnImeResult(const std::string& sjis) {
    if (sjis.empty()) return;
    if (sjis.size() == 1) {
        OnChar(static_cast<uint8_t>(sjis[0]));
        return;
    }
    const bool old = noUpdate_;
    noUpdate_ = true;
    doc_.BeginUndoGroup();
    doc_.Undo().HoldGroup(1);
    for (char c : sjis) OnChar(static_cast<uint8_t>(c));
    doc_.Undo().HoldGroup(0);
    noUpdate_ = old;
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
}

void CQzedView::TabKey() {
    if (T().TabSp != 1) {
        OnChar('\t');
        return;
    }
    if (!BeginEdit(53, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    const int n = 4 - ((caretCol_ - 1) % 4);
    const uint32_t abs = Abs();
    InsertAtCaret("    ", static_cast<uint32_t>(n));
    SetFromAbsolute(abs + static_cast<uint32_t>(n));
    QZ_FINISH(b);
}

// ------------------------------------------------------------------ deletions

// Deletes the character at the caret into the character buffer. False at the end of the text.
static bool DeleteCharAt(CQzedDoc& doc, uint32_t abs, DeleteRing<uint16_t>& ring, bool* editing) {
    TextStore& st = doc.Store();
    if (abs > st.GetTextLength()) return false;
    uint8_t c[2] = {0, 0};
    const uint32_t got = st.ReadText(abs, reinterpret_cast<char*>(c), 2);
    const uint32_t w = IsSjisLead(c[0]) && got == 2 ? 2 : 1;
    ring.Push(w == 2 ? static_cast<uint16_t>((c[0] << 8) | c[1]) : c[0]);
    *editing = true;
    st.DeleteText(abs, w);
    *editing = false;
    return true;
}

void CQzedView::DeleteChar() {
    // A box selection is deleted column range by column range here, so the
    // frame's refusal of boxes must not see it.
    if (keySel_ == kSelMade && selKind_ == kSelBox) {
        Record(13, 0);
        if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
        if (host_.WindowSelectActive()) return;
        doc_.BeginUndoGroup();
        if (RunningMode()) return;
        TextStore& st = doc_.Store();
        const uint32_t r1 = std::min(anchorRow_, caretRow_), r2 = std::max(anchorRow_, caretRow_);
        const int c1 = std::min(anchorCol_, caretCol_), c2 = std::max(anchorCol_, caretCol_);
        keySel_ = kSelNone;
        dragBox_ = false;
        editing_ = true;
        for (uint32_t r = r1; r <= r2; ++r) {
            char buf[kRowTextMax];
            const uint32_t n = st.GetRowText(r, buf);
            // The bytes whose cells start inside [c1, c2), whole characters only.
            uint32_t from = 0, to = 0;
            bool any = false;
            for (uint32_t k = 1; k <= n && buf[k - 1] != '\n';) {
                const int col = ColumnOf(buf, n, k);
                const uint32_t w = IsSjisLead(static_cast<uint8_t>(buf[k - 1])) && k < n ? 2 : 1;
                if (col >= c2) break;
                if (col >= c1) {
                    if (!any) from = k, any = true;
                    to = k + w;
                }
                k += w;
            }
            if (any) st.DeleteText(st.RowToOffset(r) + from - 1, to - from);
        }
        editing_ = false;
        SetCaret(r1, 1);
        desiredCol_ = c1;
        StepVertical(0);
        PaintRows(1, 1, visRows_ + 1);
        FinishEdit(caretRow_, RowCount(), 0, false, top_, left_);
        return;
    }
    const bool hadSelection = keySel_ == kSelMade;
    if (!BeginEdit(13, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    if (!hadSelection) DeleteCharAt(doc_, Abs(), charRing_, &editing_);
    SetCaret(caretRow_, caretOff_);
    QZ_FINISH(b);
}

void CQzedView::Backspace() {
    const bool hadSelection = keySel_ == kSelMade && selKind_ == kSelStream;
    if (!BeginEdit(3, 0)) return;
    const Before b0 = Snapshot(*this, doc_.Store());
    if (!hadSelection) {
        if (StepHorizontal(-1, 1) != 0) return;
        const Before b = Snapshot(*this, doc_.Store());
        DeleteCharAt(doc_, Abs(), charRing_, &editing_);
        SetCaret(caretRow_, caretOff_);
        FinishEdit(b0.row, b.rows, b.comNext, b.rowEndsLf, b.top, b.left);
        return;
    }
    QZ_FINISH(b0);
}

void CQzedView::UndeleteChar() {
    if (!BeginEdit(27, 0)) return;
    uint16_t code;
    if (!charRing_.Pop(&code)) return ErrorMessage(kBufferEmpty);
    const Before b = Snapshot(*this, doc_.Store());
    char bytes[2];
    uint32_t n = 0;
    if (code > 0xFF) bytes[n++] = static_cast<char>(code >> 8);
    bytes[n++] = static_cast<char>(code & 0xFF);
    const uint32_t abs = Abs();
    InsertAtCaret(bytes, n);
    SetFromAbsolute(abs);
    QZ_FINISH(b);
}

void CQzedView::DeleteRow() {
    if (!BeginEdit(15, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    char buf[kRowTextMax];
    const uint32_t n = RowText(caretRow_, buf);
    if (n == 0) return;
    lineRing_.Push(std::string(buf, std::min<uint32_t>(n, kLineEntryMax)));
    const uint32_t start = doc_.Store().RowToOffset(caretRow_);
    editing_ = true;
    doc_.Store().DeleteText(start, n);
    editing_ = false;
    SetCaret(caretRow_, 1);
    QZ_FINISH(b);
}

void CQzedView::UndeleteRow() {
    if (!BeginEdit(28, 0)) return;
    std::string text;
    if (!lineRing_.Pop(&text)) return ErrorMessage(kBufferEmpty);
    const Before b = Snapshot(*this, doc_.Store());
    const uint32_t start = doc_.Store().RowToOffset(caretRow_);
    editing_ = true;
    doc_.Store().InsertText(start, text.data(), static_cast<uint32_t>(text.size()), 0);
    editing_ = false;
    SetFromAbsolute(start);
    QZ_FINISH(b);
}

void CQzedView::DeleteToLineEnd() {
    if (!BeginEdit(16, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    TextStore& st = doc_.Store();
    const uint32_t abs = Abs(), len = st.GetTextLength();
    uint32_t e = abs;
    char buf[4096];
    while (e <= len) {
        const uint32_t got = st.ReadText(e, buf, sizeof buf);
        const void* lf = std::memchr(buf, '\n', got);
        if (lf) {
            e += static_cast<uint32_t>(static_cast<const char*>(lf) - buf);
            break;
        }
        e += got;
        if (!got) break;
    }
    if (e > abs) {
        editing_ = true;
        st.DeleteText(abs, e - abs);
        editing_ = false;
    }
    SetFromAbsolute(abs);
    QZ_FINISH(b);
}

void CQzedView::DeleteToRowStart() {
    if (!BeginEdit(14, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    const uint32_t start = doc_.Store().RowToOffset(caretRow_);
    const uint32_t abs = Abs();
    if (abs > start) {
        editing_ = true;
        doc_.Store().DeleteText(start, abs - start);
        editing_ = false;
    }
    SetFromAbsolute(start);
    QZ_FINISH(b);
}

void CQzedView::DeleteWord() {
    if (!BeginEdit(17, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    const uint32_t abs = Abs();
    const uint32_t row = caretRow_, off = caretOff_;
    const int col = caretCol_;
    WordMove(1, 0);
    const uint32_t e = Abs();
    caretRow_ = row, caretOff_ = off, caretCol_ = col;
    if (e > abs) {
        editing_ = true;
        doc_.Store().DeleteText(abs, e - abs);
        editing_ = false;
    }
    SetFromAbsolute(abs);
    QZ_FINISH(b);
}

// ------------------------------------------------------------------ line commands

void CQzedView::DuplicateRow() {
    if (!BeginEdit(8, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    char buf[kRowTextMax];
    uint32_t n = RowText(caretRow_, buf);
    std::string copy(buf, n);
    if (caretRow_ > RowCount() && (n == 0 || buf[n - 1] != '\n')) copy += '\n';
    const uint32_t start = doc_.Store().RowToOffset(caretRow_);
    editing_ = true;
    doc_.Store().InsertText(start, copy.data(), static_cast<uint32_t>(copy.size()), 0);
    editing_ = false;
    SetFromAbsolute(start + static_cast<uint32_t>(copy.size()));
    QZ_FINISH(b);
}

void CQzedView::OpenLineBelow() {
    if (!BeginEdit(38, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    TextStore& st = doc_.Store();
    const uint32_t at = caretRow_ > RowCount() ? st.GetTextLength() + 1 : st.RowToOffset(caretRow_ + 1);
    editing_ = true;
    st.InsertText(at, "\n", 1, 0);
    editing_ = false;
    SetCaret(caretRow_ + 1, 1);
    QZ_FINISH(b);
}

void CQzedView::OpenLineAbove() {
    if (!BeginEdit(42, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    const uint32_t at = doc_.Store().RowToOffset(caretRow_);
    editing_ = true;
    doc_.Store().InsertText(at, "\n", 1, 0);
    editing_ = false;
    SetCaret(caretRow_, 1);
    QZ_FINISH(b);
}

void CQzedView::ToggleCaseAtCaret() {
    if (!BeginEdit(5, 0)) return;
    const Before b = Snapshot(*this, doc_.Store());
    TextStore& st = doc_.Store();
    const uint32_t abs = Abs();
    uint8_t c[2] = {0, 0};
    const uint32_t got = st.ReadText(abs, reinterpret_cast<char*>(c), 2);
    uint8_t out[2] = {c[0], c[1]};
    uint32_t w = 0;
    if (got >= 1 && IsSjisLead(c[0]) && got == 2) {
        const unsigned code = (c[0] << 8) | c[1];
        unsigned to = code;
        if (code >= 0x8260 && code <= 0x8279) to = code + 33;
        else if (code >= 0x8281 && code <= 0x829A) to = code - 33;
        if (to != code) out[0] = static_cast<uint8_t>(to >> 8), out[1] = static_cast<uint8_t>(to), w = 2;
    } else if (got >= 1) {
        if (c[0] >= 'a' && c[0] <= 'z') out[0] = static_cast<uint8_t>(c[0] - 32), w = 1;
        else if (c[0] >= 'A' && c[0] <= 'Z') out[0] = static_cast<uint8_t>(c[0] + 32), w = 1;
    }
    if (w) {
        editing_ = true;
        st.DeleteText(abs, w);
        st.InsertText(abs, reinterpret_cast<char*>(out), w, 0);
        editing_ = false;
    }
    SetFromAbsolute(abs);
    StepHorizontal(1, 1);
    QZ_FINISH(b);
}

void CQzedView::JumpLastEdit() {
    if (!BeginMotion(79, 0, false)) return;
    const uint32_t pos = doc_.Store().GetLastEditPos();
    if (pos == 0) {
        host_.Beep();
        return;
    }
    const uint32_t oldRow = caretRow_, oldTop = top_;
    const int oldLeft = left_;
    SetFromAbsolute(pos);
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

void CQzedView::EditProhibit() {
    Record(80, 0);
    doc_.SetReadOnly(!doc_.IsReadOnly());
    UpdatePanes();
}

void CQzedView::RememberLine() {
    Record(40, 0);
    rememberedLine_ = doc_.Store().RowToLine(caretRow_);
}

void CQzedView::JumpToLine(int firstDigit) {
    long line = 0;
    const std::string initial = firstDigit >= 0 && firstDigit <= 9 ? std::string(1, char('0' + firstDigit)) : "";
    if (!host_.AskLineNumber("指定行に移動", "行番号を入力して下さい(&J)", initial, &line)) return;
    GoToLine(static_cast<uint32_t>(std::max(1L, line)));
}

// ------------------------------------------------------------------ another file

void CQzedView::InsertFile() {
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    if (host_.WindowSelectActive()) return;
    doc_.BeginUndoGroup();
    if (RunningMode()) return;
    if (keySel_ != kSelNone) CancelSelection();
    std::string path;
    if (!host_.AskOpenFile("別ファイルの読み込み",
                           "ｿｰｽﾌｧｲﾙ(*.cpp;*.c)|*.cpp;*.c|ﾍｯﾀﾞｰﾌｧｲﾙ(*.h)|*.h|全ﾌｧｲﾙ(*.*)|*.*||", &path))
        return;
    InsertFileAt(path);
}

bool CQzedView::InsertFileAt(const std::string& pathUtf8) {
    FILE* f = std::fopen(pathUtf8.c_str(), "rb");
    if (!f) {
        host_.Boxes().Show("指定ファイルが開けませんでした", "別ファイルの読み込み", MbIcon::Stop, MbButtons::Ok);
        return false;
    }
    TextStore& st = doc_.Store();
    uint32_t at = Abs();
    // The runtime's text mode: CR LF arrives as LF and 0x1A ends the data.
    // NUL bytes are dropped as the loader drops them: the text never holds one.
    char piece[512];
    uint32_t n = 0;
    bool end = false, cr = false;
    bool ok = true;
    auto flush = [&]() {
        if (!n) return;
        editing_ = true;
        const uint32_t done = st.InsertText(at, piece, n, 0);
        editing_ = false;
        if (done != n) ok = false;
        at += done;
        n = 0;
    };
    auto put = [&](char c) {
        piece[n++] = c;
        if (n == sizeof piece) flush();
    };
    int c;
    while (!end && ok && (c = std::fgetc(f)) != EOF) {
        if (cr) {
            cr = false;
            if (c != '\n') put('\r');
        }
        if (c == 0x1A) end = true;
        else if (c == '\r') cr = true;
        else if (c != 0) put(static_cast<char>(c));
    }
    if (cr && ok) put('\r');
    flush();
    std::fclose(f);
    SetFromAbsolute(at);
    desiredCol_ = caretCol_;
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    UpdateLogical();
    UpdateScrollBars();
    UpdatePanes();
    return true;
}

}  // namespace qz
