// CQzedView language commands: templates, the function jumps and the
// function list's start, tag and definition jumps, the one-point mark and
// the numbered marks.
#include <cstring>
#include <memory>

#include "lang/file_reference.h"
#include "lang/function_nav.h"
#include "lang/function_scan.h"
#include "lang/jump_stack.h"
#include "lang/language_data.h"
#include "lang/mark_dialog.h"
#include "lang/tag_search.h"
#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {
constexpr uint32_t kTagNameBytes = 255;
}  // namespace

// ------------------------------------------------------------------ templates

void CQzedView::InsertTemplateKey(int slot) {
    if (!BeginEditFrame(30, slot)) return;
    const TemplateTable& table = TheTemplateTable(doc_.GetFileType());
    if (slot < 0 || slot >= kTemplateSlots || !table.slots[slot].defined) return;
    if (TakeSelection(false)) InsertAsEdit(table.slots[slot].text);
}

bool CQzedView::TemplateDialogAllowed() {
    if (doc_.IsReadOnly()) {
        ErrorMessage(kMsgWriteProtected);
        return false;
    }
    return !host_.WindowSelectActive();
}

void CQzedView::InsertDialogText(const std::string& sjis) {
    if (BeginEdit(kNotLogged, 0)) InsertAsEdit(sjis);
}

// The text goes in before the caret as one insertion; the caret ends after it.
void CQzedView::InsertAsEdit(const std::string& sjis) {
    const uint32_t rowBefore = caretRow_, rowsBefore = RowCount(), topBefore = top_;
    const int leftBefore = left_;
    const uint32_t abs = Abs();
    editing_ = true;
    const uint32_t done = doc_.Store().InsertText(abs, sjis.data(), static_cast<uint32_t>(sjis.size()), 0);
    editing_ = false;
    SetFromAbsolute(abs + done);
    FinishEdit(rowBefore, rowsBefore, -1, false, topBefore, leftBefore);
}

// ------------------------------------------------------------------ functions

void CQzedView::GoToFunction(int32_t line, const char* message) {
    if (line <= 0) {
        ErrorMessage(message);
        // A replayed "next function, then edit" ends with the last function.
        StopReplay();
        return;
    }
    host_.ShowMessage("", MessageKind::Info);
    GoToLine(static_cast<uint32_t>(line));
}

void CQzedView::NextFunction() {
    if (!BeginMotion(37, 0, false)) return;
    auto scan = std::make_unique<FuncListResult>();
    ScanDefinitions(doc_.Store(), static_cast<uint32_t>(T().Comment), *scan);
    const FunctionJump jump = qz::NextFunction(*scan, static_cast<int32_t>(doc_.Store().RowToLine(caretRow_)));
    GoToFunction(jump.line, jump.message);
}

void CQzedView::PreviousFunction() {
    if (!BeginMotion(39, 0, false)) return;
    auto scan = std::make_unique<FuncListResult>();
    ScanDefinitions(doc_.Store(), static_cast<uint32_t>(T().Comment), *scan);
    const FunctionJump jump =
        qz::PreviousFunction(*scan, static_cast<int32_t>(doc_.Store().RowToLine(caretRow_)));
    GoToFunction(jump.line, jump.message);
}

bool CQzedView::ScanFunctions(FuncListResult& scan) {
    if (!BeginMotion(kNotLogged, 0, false)) return false;
    UpdateLogical();
    ScanDefinitions(doc_.Store(), static_cast<uint32_t>(T().Comment), scan);
    return true;
}

// ------------------------------------------------------------------ tag jumps

std::string CQzedView::CaretLineText(int* column) {
    TextStore& st = doc_.Store();
    const uint32_t start = st.RowToOffset(st.LineToRow(st.RowToLine(caretRow_)));
    *column = static_cast<int>(Abs() - start);
    std::string line;
    char buf[4096];
    for (uint32_t p = start;;) {
        const uint32_t got = st.ReadText(p, buf, sizeof buf);
        const void* lf = std::memchr(buf, '\n', got);
        line.append(buf, lf ? static_cast<size_t>(static_cast<const char*>(lf) - buf) : got);
        if (lf || got == 0) break;
        p += got;
    }
    return line;
}

std::string CQzedView::StreamSelectionText(uint32_t maxBytes) {
    uint32_t a = 0, b = 0;
    if (selKind_ != kSelStream || !StreamRange(&a, &b)) return {};
    std::string text(std::min(b - a, maxBytes), '\0');
    text.resize(doc_.Store().ReadText(a, text.data(), static_cast<uint32_t>(text.size())));
    return text;
}

// The jumps read the selection, then end it, a command selection and its
// prompt too.
void CQzedView::EndAnySelection() {
    if (!cmdSel_ && boxMode_ == 0) return CancelSelection();
    EndMarking();
    host_.ShowMessage("", MessageKind::Info);
    RedrawAll();
}

void CQzedView::TagJump() {
    if (!BeginMotion(41, 1, true)) return;
    int column = 0;
    const std::string line = CaretLineText(&column);
    // One byte more than a name takes, so that the cut falls between characters.
    const std::string selection = StreamSelectionText(kTagNameBytes + 1);
    EndAnySelection();
    const TagJumpTarget target = PrepareTagJump(line, column, selection, doc_.GetPathName());
    if (!target.message.empty()) return ErrorMessage(target.message.c_str());
    if (!host_.OpenAtLine(target.path, target.line, nullptr)) ErrorMessage(kMsgCannotJumpToLine);
}

bool CQzedView::GuidanceKeyword(std::string* keyword) {
    if (host_.WindowSelectActive() || RunningMode()) return false;
    constexpr size_t kKeywordBytes = 128;
    const std::string selection = StreamSelectionText(kKeywordBytes + 1);
    *keyword = SjisPrefix(selection.empty() ? WordAtCaret() : selection, kKeywordBytes);
    CancelSelection();
    return true;
}

void CQzedView::DefinitionJump() {
    if (!BeginMotion(41, 2, true)) return;
    int column = 0;
    const std::string line = CaretLineText(&column);
    const std::string selection = StreamSelectionText(kSearchKeyBytes + 1);
    EndAnySelection();
    const std::string key = DefinitionSearchKey(line, column, selection);
    const TypeSettings& t = T();
    const DefinitionSearch found =
        SearchDefinitions(key, {t.TagsFile1, t.TagsFile2, t.TagsFile3}, doc_.GetPathName());
    if (found.status != DefinitionSearch::kFound) return ErrorMessage(found.message.c_str());
    const int count = static_cast<int>(found.candidates.size());
    const int chosen = count == 1 ? 0 : host_.ChooseJumpTarget(found.candidates);
    if (chosen < 0 || chosen >= count) return;
    const DefinitionCandidate& c = found.candidates[static_cast<size_t>(chosen)];
    if (const std::string refused = JumpTargetError(c.fileName, c.fileName); !refused.empty())
        return ErrorMessage(refused.c_str());
    TheJumpBackStack().Push(JumpPlace{1, doc_.GetPathName(), this,
                                      static_cast<int32_t>(doc_.Store().RowToLine(caretRow_))});
    if (!host_.OpenAtLine(c.fileName, c.line, nullptr)) ErrorMessage(kMsgCannotJumpToLine);
}

// ------------------------------------------------------------------ marks

void CQzedView::OnePointMark() {
    if (!BeginMotion(2, 1, false)) return;
    onePointLine_ = doc_.Store().RowToLine(caretRow_);
}

void CQzedView::OnePointJump() {
    if (!BeginMotion(2, 2, false)) return;
    if (onePointLine_ == 0) return ErrorMessage(kMsgNoReturnPoint);
    GoToLine(onePointLine_);
}

void CQzedView::MarkNext() {
    if (!BeginMotion(2, 3, false)) return;
    const int i = TheMarks().MarkNext(doc_.GetPathName(), this,
                                      static_cast<int32_t>(doc_.Store().RowToLine(caretRow_)));
    if (i < 0) return ErrorMessage(kMsgMarksFull);
    host_.ShowMessage(MarkedMessage(i + 1), MessageKind::Info);
}

bool CQzedView::BeginMarkDialog() { return BeginMotion(kNotLogged, 0, false); }

void CQzedView::FinishMarkDialog(const MarkDialogModel& model, bool ok) {
    JumpPlace target;
    const MarkDialogModel::After after =
        model.Finish(ok, TheMarks(), TheSettings().env.MarkRestore, doc_.GetPathName(), this,
                     static_cast<int32_t>(doc_.Store().RowToLine(caretRow_)), target);
    if (after == MarkDialogModel::kJump && !host_.OpenAtLine(target.fileName, target.line, target.viewWindow))
        ErrorMessage(kMsgCannotJumpToLine);
}

}  // namespace qz
