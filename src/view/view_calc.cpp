// CQzedView calculation commands: the rectangle calculation over a box, the
// radix display of the number at the caret and the code of the character there.
#include <algorithm>
#include <new>
#include <string>

#include "calc/box_sum.h"
#include "calc/code_text.h"
#include "calc/expression.h"
#include "platform/message_box.h"
#include "view/qzed_view.h"

namespace qz {

void CQzedView::OnRectCalc() {
    Record(43, 0);
    if (host_.WindowSelectActive() || replaceMode_) return;
    if (searchMode_) EndSearchMode(false);
    if (keySel_ == kSelNone) {
        SetBoxPromptHandler(64, [](CQzedView& v, uint32_t r1, int c1, uint32_t r2, int c2) {
            v.CalculateBox(r1, c1, r2, c2);
        });
        StartBoxPrompt(64, "表計算範囲指定（どこから？）  <ESC>:中断  <改行>:確定");
        return;
    }
    const uint32_t r1 = std::min(anchorRow_, caretRow_), r2 = std::max(anchorRow_, caretRow_);
    const int c1 = std::min(anchorCol_, caretCol_), c2 = std::max(anchorCol_, caretCol_);
    const bool box = selKind_ == kSelBox && !cmdSel_;
    EndMarking();
    host_.ShowMessage("", MessageKind::Info);
    RedrawAll();
    if (!box && r1 != r2) return ErrorMessage("複数行の計算は矩形選択で行って下さい");
    if (c1 < c2) CalculateBox(r1, c1, r2, c2);
}

void CQzedView::CalculateBox(uint32_t r1, int c1, uint32_t r2, int c2) {
    double total = 0;
    if (SumCalcBox(BoxText(r1, c1, r2, c2), &total) != 0) return ErrorMessage("計算式に誤りがあります");
    host_.ShowMessage("計算結果： " + FormatCalcResult(total, true), MessageKind::Info);

    const char* caption = "表計算";
    if (!OpenClipboard(caption)) return;
    if (!clipboard_->Empty()) {
        ClipboardFailure("クリップボード内容が破棄できません", caption);
    } else {
        // The result is plain text: a paste must not take it for a box.
        ClipboardKind() = kClipStream;
        bool set = false, memory = true;
        try {
            set = clipboard_->SetText(FormatCalcResult(total, false));
        } catch (const std::bad_alloc&) {
            memory = false;
        }
        if (!memory) ClipboardFailure("グローバルメモリが取得できません", caption);
        else if (!set) ClipboardFailure("クリップボードに削除データを登録できませんでした", caption);
    }
    clipboard_->Close();
}

void CQzedView::OnRadixDisplay() {
    Record(7, 0);
    if (host_.WindowSelectActive()) return;
    CancelSelection();
    char row[kRowTextMax];
    uint32_t n = RowText(caretRow_, row);
    if (n && row[n - 1] == '\n') --n;
    std::string text;
    if (!RadixDisplayText(std::string_view(row, n), caretOff_ - 1, &text)) return ErrorMessage(text.c_str());
    host_.ShowMessage(text, MessageKind::Info);
}

void CQzedView::OnCodeDisplay() {
    Record(49, 0);
    if (host_.WindowSelectActive()) return;
    CancelSelection();
    char bytes[2];
    const uint32_t n = doc_.Store().ReadText(Abs(), bytes, 2);
    const std::string text = CodeDisplayText(std::string_view(bytes, n));
    // At the end of the text there is no character to tell about.
    if (text.empty()) return host_.Beep();
    host_.ShowMessage(text, MessageKind::Info);
}

}  // namespace qz
