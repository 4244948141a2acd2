// CQzedView command selection and stream clipboard commands: start
// selection, cancel, cut, copy, paste and the character search that
// extends a command selection.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

#include "platform/cp932.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

int& ClipboardKind() {
    static int kind = kClipNone;
    return kind;
}

namespace {
constexpr const char* kWriteProtected = "このファイルは書き込み禁止です";
constexpr const char* kSelecting = "範囲指定中";
}  // namespace

void CQzedView::ClipboardFailure(const char* text, const char* caption) {
    host_.Boxes().Show(text, caption, MbIcon::Stop, MbButtons::Ok);
}

bool CQzedView::OpenClipboard(const char* caption) {
    if (!clipboard_ || !clipboard_->Open()) {
        ClipboardFailure("クリップボードが別アプリケーションで使用されています", caption);
        return false;
    }
    return true;
}

// Another program's text may hold characters the editor cannot keep; they were
// pasted as "・", and the user hears how many, as typing one would tell.
void CQzedView::ReportReplacedCharacters(long replaced) {
    if (replaced <= 0) return;
    char text[128];
    std::snprintf(text, sizeof text, "シフトJISで表せない文字%ld個を「・」に置き換えました", replaced);
    ErrorMessage(text);
}

// Pasted text in the other form of a code a UTF-8 document writes in one
// form would not come back as pasted: refused as typing it is.
bool CQzedView::AdmitClipboardForms() {
    const Utf8Forms forms = clipboard_->TextForms();
    const int clash = AdmitForms(doc_, forms);
    if (clash < 0) return true;
    ErrorMessage(FormConflictMessage(clash, forms).c_str());
    return false;
}

// Ends the command selection, a box prompt and the key selection.
void CQzedView::EndMarking() {
    cmdSel_ = false;
    boxMode_ = 0;
    if (keySel_ == kSelDragging) host_.CaptureMouse(false);
    keySel_ = kSelNone;
    dragBox_ = false;
    NormaliseCaret();
}

void CQzedView::StartCommandSelection() {
    Record(12, 0);
    if (host_.WindowSelectActive() || replaceMode_) return;
    if (cmdSel_ && anchorRow_ == caretRow_) {
        SetCaret(caretRow_, 1);
        desiredCol_ = caretCol_;
    }
    if (!cmdSel_) CancelSelection();
    cmdSel_ = true;
    keySel_ = kSelMade;
    selKind_ = kSelStream;
    anchorRow_ = caretRow_, anchorCol_ = caretCol_, anchorOff_ = caretOff_;
    // Interactive search goes on: its jumps now grow the selection.
    if (searchMode_) ShowSearchModeStatus();
    else host_.ShowMessage(kSelecting, MessageKind::Prompt);
    RedrawAll();
}

void CQzedView::CancelCommand() {
    Record(4, 0);
    // Esc first ends an interactive mode; a command selection that the
    // search grew stays for the cut or copy that ends it.
    if (replaceMode_) {
        EndReplaceMode();
        host_.ShowMessage("", MessageKind::Info);
        RedrawAll();
        return;
    }
    if (searchMode_) {
        highlightLen_ = 0;
        EndSearchMode(true);
        RedrawAll();
        return;
    }
    const bool had = cmdSel_ || boxMode_ != 0 || keySel_ != kSelNone;
    EndMarking();
    host_.ShowMessage("", MessageKind::Info);
    host_.ShowModifierLabels(0);
    if (had) RedrawAll();
}

bool CQzedView::StreamRange(uint32_t* a, uint32_t* b) {
    if (keySel_ == kSelNone) return false;
    TextStore& st = doc_.Store();
    *a = st.RowToOffset(anchorRow_) + anchorOff_ - 1;
    *b = Abs();
    if (*a > *b) std::swap(*a, *b);
    return *a != *b;
}

void CQzedView::StreamToClipboard(bool cut) {
    const char* caption = cut ? "PF07:削除" : "PF08:確定";
    uint32_t a = 0, b = 0;
    if (!StreamRange(&a, &b)) {
        EndMarking();
        RedrawAll();
        return;
    }
    TextStore& st = doc_.Store();
    bool ok = false;
    if (OpenClipboard(caption)) {
        if (!clipboard_->Empty()) {
            ClipboardFailure("クリップボード内容が破棄できません", caption);
        } else {
            ClipboardKind() = kClipStream;
            std::string text;
            bool memory = true;
            try {
                text.reserve((b - a) * 2 + 1);
            } catch (const std::bad_alloc&) {
                memory = false;
            }
            if (!memory) {
                ClipboardFailure("グローバルメモリが取得できません", caption);
            } else {
                char piece[512];
                for (uint32_t p = a; p < b;) {
                    const uint32_t n = st.ReadText(p, piece, std::min<uint32_t>(512, b - p));
                    if (n == 0) break;
                    for (uint32_t i = 0; i < n; ++i) {
                        if (piece[i] == '\n') text += '\r';
                        text += piece[i];
                    }
                    p += n;
                }
                ok = clipboard_->SetText(text);
                if (!ok)
                    ClipboardFailure(cut ? "クリップボードに削除データを登録できませんでした"
                                         : "クリップボードに確定データを登録できませんでした",
                                     caption);
            }
        }
        clipboard_->Close();
    }
    EndMarking();
    if (ok && cut) {
        doc_.BeginUndoGroup();
        editing_ = true;
        for (uint32_t left = b - a; left;) {
            const uint32_t n = std::min<uint32_t>(left, 20480);
            st.DeleteText(a, n);
            left -= n;
        }
        editing_ = false;
        SetFromAbsolute(a);
        desiredCol_ = caretCol_;
    }
    host_.ShowMessage("", MessageKind::Info);
    RedrawAll();
}

void CQzedView::Cut() {
    Record(10, 0);
    if (host_.WindowSelectActive() || replaceMode_) return;
    if (searchMode_) EndSearchMode(false);
    if (doc_.IsReadOnly()) {
        EndMarking();
        return ErrorMessage(kWriteProtected);
    }
    if (keySel_ != kSelNone && selKind_ == kSelBox && !cmdSel_) {
        const uint32_t r1 = std::min(anchorRow_, caretRow_), r2 = std::max(anchorRow_, caretRow_);
        const int c1 = std::min(anchorCol_, caretCol_), c2 = std::max(anchorCol_, caretCol_);
        return BoxToClipboard(true, r1, c1, r2, c2);
    }
    StreamToClipboard(true);
}

void CQzedView::Copy() {
    Record(11, 0);
    if (host_.WindowSelectActive() || replaceMode_) return;
    if (searchMode_) EndSearchMode(false);
    if (keySel_ != kSelNone && selKind_ == kSelBox && !cmdSel_) {
        const uint32_t r1 = std::min(anchorRow_, caretRow_), r2 = std::max(anchorRow_, caretRow_);
        const int c1 = std::min(anchorCol_, caretCol_), c2 = std::max(anchorCol_, caretCol_);
        return BoxToClipboard(false, r1, c1, r2, c2);
    }
    StreamToClipboard(false);
}

void CQzedView::Paste() {
    Record(9, 0);
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    if (RunningMode() || host_.WindowSelectActive()) return;
    if (keySel_ != kSelNone && selKind_ == kSelBox) {
        host_.Beep();
        return;
    }
    if (!OpenClipboard("PF09:複写")) return;
    const bool box = TheSettings().env.PasteMode == 1 && clipboard_->OwnedByThisProgram() &&
                     ClipboardKind() == kClipBox;
    std::string text;
    long replaced = 0;
    const bool has = clipboard_->GetText(&text, &replaced);
    clipboard_->Close();
    if (!has) return;
    if (box) {
        CancelSelection();
        return BoxFromClipboard(false, "矩形貼り付け");
    }
    if (!AdmitClipboardForms()) return;
    TextStore& st = doc_.Store();
    doc_.BeginUndoGroup();
    if (keySel_ != kSelNone) DeleteStreamSelection(20480);
    std::string bytes;
    bytes.reserve(text.size());
    for (char ch : text) {
        if (ch == 0) break;
        if (ch != '\r') bytes += ch;
    }
    uint32_t abs = Abs();
    editing_ = true;
    for (size_t i = 0; i < bytes.size();) {
        const std::string_view rest(bytes.data() + i, bytes.size() - i);
        size_t n = SjisPrefix(rest, 512).size();
        if (n == 0) n = std::min<size_t>(2, rest.size());
        st.InsertText(abs, bytes.data() + i, static_cast<uint32_t>(n), static_cast<uint32_t>(bytes.size() - i - n));
        abs += static_cast<uint32_t>(n);
        i += n;
    }
    editing_ = false;
    SetFromAbsolute(abs);
    desiredCol_ = caretCol_;
    RedrawAll();
    ReportReplacedCharacters(replaced);
}

// A typed single-byte character while selecting: the caret jumps to its next
// occurrence after the caret, so the selection grows to it.
void CQzedView::SelectionCharSearch(uint8_t c) {
    Record(51, c);
    if (!MotionAllowedInMode()) return;
    TextStore& st = doc_.Store();
    const uint32_t end = st.GetTextLength();
    uint32_t p = Abs();
    // Step over the character at the caret first.
    {
        char first[2];
        const uint32_t n = st.ReadText(p, first, 2);
        if (n == 0) return;
        p += IsSjisLead(static_cast<uint8_t>(first[0])) && n == 2 ? 2 : 1;
    }
    char buf[257];
    while (p <= end) {
        const uint32_t n = st.ReadText(p, buf, 256);
        if (n == 0) return;
        uint32_t i = 0;
        for (; i < n; ++i) {
            const uint8_t b = static_cast<uint8_t>(buf[i]);
            if (IsSjisLead(b)) {
                // A lead byte that ends the text stands alone; one that ends
                // the piece is read again, with its pair, in the next one.
                if (p + i == end) continue;
                if (i + 1 >= n) break;
                ++i;
                continue;
            }
            if (b == c) {
                const uint32_t oldRow = caretRow_, oldTop = top_;
                const int oldLeft = left_;
                SetFromAbsolute(p + i);
                desiredCol_ = caretCol_;
                FinishMotion(oldRow, oldTop, oldLeft);
                return;
            }
        }
        p += i;
    }
}

}  // namespace qz
