// CQzedView undo and redo commands: they step the document's undo history
// and put the caret where the stepped change was.
#include <algorithm>

#include "platform/message_box.h"
#include "view/qzed_view.h"

namespace qz {

namespace {
constexpr const char* kWriteProtected = "このファイルは書き込み禁止です";
}

void CQzedView::RedrawAll() {
    KeepVisibleVertical(1);
    KeepVisibleHorizontal();
    UpdateLogical();
    PaintRows(1, 1, visRows_ + 1);
    PlaceCaret();
    UpdateScrollBars();
    UpdatePanes();
}

static void StepCommand(CQzedView& v, CQzedDoc& doc, ViewHost& host, bool undo, bool* editing) {
    host.ShowMessage("", MessageKind::Info);
    uint32_t pos = 0;
    *editing = true;
    const int r = undo ? doc.UndoStep(&pos) : doc.RedoStep(&pos);
    *editing = false;
    if (r < 0) {
        host.ShowMessage(undo ? "これ以上はアンドゥできません" : "この以上はリドゥできません", MessageKind::Error);
        host.Beep();
        return;
    }
    if (r > 0) {
        host.Boxes().Show(undo ? "UNDO記憶ﾊﾞｯﾌｧ不足か処理の制限を超えているためUNDOできません"
                               : "UNDO記憶ﾊﾞｯﾌｧ不足か処理の制限を超えているためREDOできません",
                          undo ? "Ｕｎｄｏ" : "Ｒｅｄｏ", MbIcon::Stop, MbButtons::Ok);
        return;
    }
    v.SetFromAbsolute(std::min(pos, doc.GetTextLength() + 1));
}

void CQzedView::UndoCommand() {
    Record(20, 0);
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    if (RunningMode() || host_.WindowSelectActive()) return;
    CancelSelection();
    StepCommand(*this, doc_, host_, true, &editing_);
    desiredCol_ = caretCol_;
    RedrawAll();
}

void CQzedView::RedoCommand() {
    Record(68, 0);
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    if (RunningMode() || host_.WindowSelectActive()) return;
    CancelSelection();
    StepCommand(*this, doc_, host_, false, &editing_);
    desiredCol_ = caretCol_;
    RedrawAll();
}

}  // namespace qz
