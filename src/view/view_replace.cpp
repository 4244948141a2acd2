// CQzedView interactive replace: the matches one by one with the R, S, A, N,
// P and Esc keys (and the replace box's buttons that stand for them).
#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/cp932.h"
#include "platform/message_box.h"
#include "search/search_engine.h"
#include "settings/settings.h"
#include "view/qzed_view.h"
#include "view/replace_session.h"
#include "view/search_state.h"

namespace qz {

namespace {
constexpr const char* kWriteProtected = "このファイルは書き込み禁止です";
constexpr const char* kReplaceStatus = "[%s]  <ESC>:終了  <R>:置き換え  <S>:スキップ  <A>:以降全て  <N><P>:検索";
}  // namespace

uint32_t CQzedView::ReplaceMatchPos() const { return replace_ ? replace_->pos : 0; }
uint32_t CQzedView::ReplaceMatchLength() const { return replace_ ? replace_->length : 0; }

bool CQzedView::StartReplace(const std::string& fromSjis, const std::string& toSjis, unsigned options,
                             bool upward) {
    if (host_.WindowSelectActive()) return false;
    EndInteractiveModes();
    if (fromSjis.empty()) {
        ErrorMessage("現文字がありません");
        return false;
    }
    if (doc_.IsReadOnly()) {
        ErrorMessage(kWriteProtected);
        return false;
    }
    auto session = std::make_unique<ReplaceSession>();
    const CompileStatus cs = SearchPattern::Compile(options, fromSjis, &session->pattern);
    if (cs != CompileStatus::kOk) {
        ErrorMessage(CompileErrorMessage(cs).c_str());
        return false;
    }
    session->from = fromSjis;
    session->to = toSjis;
    session->options = options;
    TheSearchState().replacement = toSjis;
    // The mode owns the caret from here: no selection or prompt under it.
    const bool marked = cmdSel_ || boxMode_ != 0 || keySel_ != kSelNone;
    EndMarking();
    if (marked) PaintRows(1, 1, visRows_ + 1);
    replace_ = std::move(session);
    replaceMode_ = upward ? 1 : 2;
    // Downward the match at the caret is the first; upward the matches before it.
    return ReplaceFind(upward, Abs());
}

void CQzedView::EndReplaceMode() {
    if (replace_ && replace_->boxShown) host_.HideReplaceBox();
    replace_.reset();
    replaceMode_ = 0;
    modeLead_ = false;
    highlightLen_ = 0;
}

void CQzedView::ShowReplaceStatus() {
    ReplaceSession& s = *replace_;
    host_.ShowMessage(Bracketed(kReplaceStatus, s.from), MessageKind::Prompt);
    if (!(s.options & 32) || s.boxFailed) return;
    const int x = (caretCol_ - left_ + (T().LineDisp == 1 ? kNumberCells : 0)) * CellWidth();
    const int y = static_cast<int>(static_cast<int64_t>(caretRow_) - static_cast<int64_t>(top_)) * RowHeight();
    if (host_.ShowReplaceBox(x, y, RowHeight())) {
        s.boxShown = true;
        return;
    }
    s.boxShown = false;
    s.boxFailed = true;
    host_.Boxes().Show("The Replace box cannot be generated.", "Create Error", MbIcon::Stop, MbButtons::Ok);
}

// Finds the next match from start and stands on it; when there is none the
// mode ends with the not-found message.
bool CQzedView::ReplaceFind(bool upward, uint32_t start) {
    ReplaceSession& s = *replace_;
    const FindResult r = Find(doc_, s.pattern, upward ? SearchDirection::kBackward : SearchDirection::kForward,
                              start, std::nullopt, [&] { return host_.IsKeyDown(AsyncKey::Escape); });
    if (r.status != FindStatus::kFound) {
        const std::string from = s.from;
        EndReplaceMode();
        if (r.status == FindStatus::kInterrupted) ErrorMessage("検索を中断しました");
        else ErrorMessage(Bracketed("文字列が見つかりません [%s]", from).c_str());
        StopReplay();
        desiredCol_ = caretCol_;
        RedrawAll();
        return false;
    }
    s.pos = r.pos;
    s.length = r.length;
    SetFromAbsolute(r.pos);
    desiredCol_ = caretCol_;
    highlightLen_ = static_cast<int>(r.length);
    RedrawAll();
    ShowReplaceStatus();
    return true;
}

// Where the search goes on past the current match without replacing it.
static uint32_t PastMatch(TextStore& st, uint32_t pos, uint32_t length) {
    if (length > 0) return pos + length;
    char c[2];
    const uint32_t n = st.ReadText(pos, c, 2);
    return pos + (n == 2 && IsSjisLead(static_cast<uint8_t>(c[0])) ? 2 : 1);
}

void CQzedView::ReplaceStep(bool upward) {
    replaceMode_ = upward ? 1 : 2;
    const ReplaceSession& s = *replace_;
    ReplaceFind(upward, upward ? s.pos : PastMatch(doc_.Store(), s.pos, s.length));
}

// Enter and R: this match becomes the new string, as one undo step, and the
// next match in the mode's direction follows.
void CQzedView::ReplaceCurrent() {
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    ReplaceSession& s = *replace_;
    TextStore& st = doc_.Store();
    const uint32_t added = static_cast<uint32_t>(s.to.size());
    bool ok = s.pos >= 1 && s.pos + s.length <= st.GetTextLength() + 1;
    if (ok) {
        doc_.BeginUndoGroup();
        editing_ = true;
        if (s.length) ok = st.DeleteText(s.pos, s.length) == s.length;
        if (ok && added) ok = st.InsertText(s.pos, s.to.data(), added, 0) == added;
        editing_ = false;
    }
    const bool upward = replaceMode_ == 1;
    if (!ok) {
        // The store said why; the match is no longer what the mode holds.
        EndReplaceMode();
        RedrawAll();
        return;
    }
    const uint32_t after = s.pos + added;
    highlightLen_ = 0;
    SetFromAbsolute(upward ? s.pos : after);
    uint32_t next = upward ? s.pos : after;
    // An empty match replaced by nothing would be found again at once.
    if (!upward && s.length == 0 && added == 0) next = PastMatch(st, after, 0);
    ReplaceFind(upward, next);
}

// A: replace-all from the current match on; the mode ends.
void CQzedView::ReplaceRestFromMatch() {
    // Refused as R is, with the mode kept, rather than ended by the run's own refusal.
    if (doc_.IsReadOnly()) return ErrorMessage(kWriteProtected);
    const std::string from = replace_->from, to = replace_->to;
    const unsigned options = replace_->options;
    const uint32_t start = replace_->pos;
    EndReplaceMode();
    ReplaceAllFrom(from, to, options, start, true);
}

void CQzedView::ReplaceModeKey(uint8_t c) {
    switch (std::toupper(c)) {
    case '\n':
    case 'R': ReplaceCurrent(); break;
    case 'S': ReplaceStep(replaceMode_ == 1); break;
    case 'A': ReplaceRestFromMatch(); break;
    case 'N': ReplaceStep(false); break;
    case 'P': ReplaceStep(true); break;
    case 0x1B:
        EndReplaceMode();
        host_.ShowMessage("", MessageKind::Info);
        RedrawAll();
        break;
    default: break;  // read and dropped: nothing is typed in the mode
    }
}

// ------------------------------------------------------------------ the replace box

void CQzedView::ReplaceBoxKey(uint8_t c) {
    if (!replaceMode_) {
        host_.HideReplaceBox();  // a box left over from a mode that ended
        return;
    }
    ModeKey(c);
}

void CQzedView::ReplaceBoxReplace() { ReplaceBoxKey('R'); }
void CQzedView::ReplaceBoxSkip() { ReplaceBoxKey('S'); }
void CQzedView::ReplaceBoxAll() { ReplaceBoxKey('A'); }
void CQzedView::ReplaceBoxPrevious() { ReplaceBoxKey('P'); }
void CQzedView::ReplaceBoxNext() { ReplaceBoxKey('N'); }

void CQzedView::ReplaceBoxCancel() {
    if (!replaceMode_) {
        host_.HideReplaceBox();
        return;
    }
    CancelCommand();
}

}  // namespace qz
