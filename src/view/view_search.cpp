// CQzedView search commands: search next and previous with the current
// search string, the interactive search mode of the KOM style, and
// replace-all with its progress counts and Esc.
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "platform/message_box.h"
#include "search/search_engine.h"
#include "search/search_pattern.h"
#include "settings/settings.h"
#include "view/qzed_view.h"
#include "view/replace_session.h"
#include "view/search_state.h"

namespace qz {

namespace {
constexpr size_t kSearchKeyMax = 128;
constexpr const char* kWriteProtected = "このファイルは書き込み禁止です";
constexpr const char* kTooBigForUndo =
    "置き換えの量がUNDO記憶ﾊﾞｯﾌｧを超えるため、この置き換えはUNDOできません\n置き換えますか？";

constexpr const char* kSearchModeStatus = "[%s]  <ESC>:終了  <↑><↓>:検索";
constexpr const char* kSearchModeSelecting = "範囲指定中  [%s]  <ESC>:終了  <↑><↓>:検索";
constexpr const char* kSelecting = "範囲指定中";
}  // namespace

// format holds one "%s"; a long string is never cut inside a character.
std::string Bracketed(const char* format, const std::string& sjis) {
    std::string text(format);
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, SjisToUtf8(sjis));
    return text;
}

SearchState& TheSearchState() {
    static SearchState state;
    return state;
}

void GiveSearchString(const std::string& sjis) {
    const std::string key(SjisPrefix(sjis, kSearchKeyMax));
    TheSettings().searchKey = key;
    PushHistory(TheSettings().searchHistory, key);
    TheSearchState().given = !key.empty();
}

bool SearchGiven() { return TheSearchState().given || !TheSettings().searchKey.empty(); }

static bool RunSearch(CQzedView& v, CQzedDoc& doc, ViewHost& host, bool upward, unsigned options) {
    const std::string& key = TheSettings().searchKey;
    SearchPattern pattern;
    const CompileStatus cs = SearchPattern::Compile(options, key, &pattern);
    if (cs != CompileStatus::kOk) {
        const std::string text = cs == CompileStatus::kEmpty ? "検索文字がありません" : CompileErrorMessage(cs);
        host.ShowMessage(text, MessageKind::Error);
        host.Beep();
        return false;
    }
    TextStore& st = doc.Store();
    const uint32_t caret = st.RowToOffset(v.CaretRow()) + v.CaretOffset() - 1;
    uint32_t start = caret;
    if (!upward) {
        // Past the character at the caret, so that the match there is not found again.
        char c[2];
        const uint32_t n = st.ReadText(caret, c, 2);
        start = caret + (n == 2 && IsSjisLead(static_cast<uint8_t>(c[0])) ? 2 : n ? 1 : 0);
    }
    if (upward) host.ShowMessage(Bracketed("上へ検索:[%s]", key), MessageKind::Prompt);
    bool stopped = false;
    const FindResult r = Find(doc, pattern, upward ? SearchDirection::kBackward : SearchDirection::kForward,
                              start, std::nullopt, [&] { return stopped = host.IsKeyDown(AsyncKey::Escape); });
    if (r.status == FindStatus::kInterrupted) {
        host.ShowMessage("検索を中断しました", MessageKind::Error);
        host.Beep();
        return false;
    }
    if (r.status != FindStatus::kFound) {
        host.ShowMessage(Bracketed("文字列が見つかりません [%s]", key), MessageKind::Error);
        host.Beep();
        return false;
    }
    if (upward) host.ShowMessage("", MessageKind::Info);
    v.CancelSelection();
    v.SetFromAbsolute(r.pos);
    v.SetHighlight(static_cast<int>(r.length));
    v.KeepVisibleVertical(1);
    v.KeepVisibleHorizontal();
    v.UpdateLogical();
    v.PaintRows(1, 1, v.VisibleRows() + 1);
    v.PlaceCaret();
    v.UpdateScrollBars();
    v.UpdatePanes();
    return true;
}

void CQzedView::SearchNext() {
    Record(45, 0);
    // Interactive replace moves between its matches with N and P only.
    if (host_.WindowSelectActive() || replaceMode_) return;
    if (searchMode_) return ModeSearch(false);
    if (!SearchGiven()) {
        StopReplay();
        return ErrorMessage("検索文字がありません");
    }
    if (!RunSearch(*this, doc_, host_, false, static_cast<unsigned>(TheSettings().env.Search))) StopReplay();
    desiredCol_ = caretCol_;
}

void CQzedView::SearchPrevious() {
    Record(46, 0);
    if (host_.WindowSelectActive() || replaceMode_) return;
    if (searchMode_) return ModeSearch(true);
    if (!SearchGiven()) {
        StopReplay();
        return ErrorMessage("検索文字がありません");
    }
    if (!RunSearch(*this, doc_, host_, true, static_cast<unsigned>(TheSettings().env.Search))) StopReplay();
    desiredCol_ = caretCol_;
}

// ------------------------------------------------------------------ interactive search

void CQzedView::ShowSearchModeStatus() {
    host_.ShowMessage(Bracketed(cmdSel_ ? kSearchModeSelecting : kSearchModeStatus, TheSettings().searchKey),
                      MessageKind::Prompt);
}

// A search in the mode takes the mode's direction and the dialog's options;
// a failure ends the mode and leaves its message.
void CQzedView::ModeSearch(bool upward) {
    if (RunSearch(*this, doc_, host_, upward, searchModeOptions_)) {
        searchMode_ = upward ? 1 : 2;
        ShowSearchModeStatus();
    } else {
        searchMode_ = 0;
        modeLead_ = false;
        StopReplay();
    }
    desiredCol_ = caretCol_;
}

void CQzedView::EndSearchMode(bool showStatus) {
    searchMode_ = 0;
    modeLead_ = false;
    if (!showStatus) return;
    if (cmdSel_) host_.ShowMessage(kSelecting, MessageKind::Prompt);
    else host_.ShowMessage("", MessageKind::Info);
}

void CQzedView::SearchModeKey(uint8_t c) {
    if (c == '\n') return ModeSearch(searchMode_ == 1);
    if (c == 0x1B) {
        highlightLen_ = 0;
        EndSearchMode(true);
        RedrawAll();
    }
    // Any other character is read and dropped: nothing is typed in the mode.
}

void CQzedView::ModeKey(uint8_t c) {
    if (recorder_) recorder_->Record(kLogTyped, c, 0);
    leadTyped_ = false;
    // A double-byte character is no key, and its trail byte may look like one ("ア" ends in "A").
    if (modeLead_) {
        modeLead_ = false;
        return;
    }
    if (IsSjisLead(c)) {
        modeLead_ = true;
        return;
    }
    if (searchMode_) SearchModeKey(c);
    else if (replaceMode_) ReplaceModeKey(c);
}

bool CQzedView::MotionAllowedInMode() {
    if (replaceMode_) return false;
    if (searchMode_) EndSearchMode(true);
    return true;
}

void CQzedView::EndInteractiveModes() {
    searchMode_ = 0;
    if (replaceMode_) EndReplaceMode();
    modeLead_ = false;
}

void CQzedView::StopReplay() {
    if (recorder_) recorder_->StopReplay();
}

// The word under the caret by the word classes: empty at a line end or on
// blanks; a punctuation character is a word of its own.
std::string CQzedView::WordAtCaret() {
    char row[kRowTextMax];
    const uint32_t n = RowText(caretRow_, row);
    const auto* p = reinterpret_cast<const uint8_t*>(row);
    // Characters of the row: start byte and word class.
    std::vector<std::pair<uint32_t, int>> chars;
    for (uint32_t i = 0; i < n;) {
        const int cls = WordClass(p + i, n - i);
        chars.emplace_back(i, cls);
        i += IsSjisLead(p[i]) && i + 1 < n ? 2 : 1;
    }
    size_t k = 0;
    while (k + 1 < chars.size() && chars[k + 1].first <= caretOff_ - 1) ++k;
    if (chars.empty() || chars[k].first != caretOff_ - 1 || chars[k].second == 0 || chars[k].second == 2) return {};
    const int cls = chars[k].second;
    size_t a = k, b = k + 1;
    if (cls != 4) {
        while (a > 0 && chars[a - 1].second == cls) --a;
        while (b < chars.size() && chars[b].second == cls) ++b;
    }
    const uint32_t end = b < chars.size() ? chars[b].first : n;
    std::string word(row + chars[a].first, end - chars[a].first);
    if (!word.empty() && word.back() == '\n') word.pop_back();
    return word;
}

void CQzedView::SearchStringFromCaret() {
    Record(23, 0);
    const std::string word = WordAtCaret();
    if (word.empty()) {
        host_.Beep();
        return;
    }
    GiveSearchString(word);
    host_.ShowMessage(Bracketed("検索文字列:[%s]", TheSettings().searchKey), MessageKind::Info);
}

bool CQzedView::SearchFor(const std::string& sjis, bool upward, unsigned options) {
    EndInteractiveModes();
    GiveSearchString(sjis);
    const bool found = RunSearch(*this, doc_, host_, upward, options);
    // The KOM style (bit 16 clear) stays in the interactive search mode.
    if (found && !(options & 16)) {
        searchMode_ = upward ? 1 : 2;
        searchModeOptions_ = options;
        ShowSearchModeStatus();
    }
    desiredCol_ = caretCol_;
    return found;
}

long CQzedView::ReplaceAllFrom(const std::string& fromSjis, const std::string& toSjis, unsigned options,
                               uint32_t start, bool interruptible) {
    EndInteractiveModes();
    if (doc_.IsReadOnly()) {
        ErrorMessage(kWriteProtected);
        return 0;
    }
    if (fromSjis.empty()) {
        ErrorMessage("現文字がありません");
        return 0;
    }
    SearchPattern pattern;
    const CompileStatus cs = SearchPattern::Compile(options, fromSjis, &pattern);
    if (cs != CompileStatus::kOk) {
        ErrorMessage(CompileErrorMessage(cs).c_str());
        return 0;
    }
    TheSearchState().replacement = toSjis;
    const uint32_t caretBefore = Abs();
    CancelSelection();
    highlightLen_ = 0;
    doc_.BeginUndoGroup();
    // The run stays one undo step whenever the history can hold it; when it
    // cannot, the user hears so before anything is replaced.
    ReplaceUndoRoom undo;
    undo.changes = doc_.Undo().GroupRoomRecords();
    undo.bytes = doc_.Undo().GroupRoomBytes();
    undo.goOn = [&] {
        return host_.Boxes().Show(kTooBigForUndo, "全て置き換え", MbIcon::Question, MbButtons::YesNo) == MbResult::Yes;
    };
    editing_ = true;
    const ReplaceAllResult r = ReplaceAll(
        doc_, pattern, toSjis, start, std::nullopt,
        [&](long n) {
            host_.ShowMessage(ReplaceProgressText(n, interruptible), MessageKind::Prompt);
            return true;
        },
        interruptible ? InterruptCheck([&] { return host_.IsKeyDown(AsyncKey::Escape); }) : InterruptCheck(), undo);
    editing_ = false;
    const std::string text = ReplaceResultText(r);
    // The caret's row may have changed under it: place it by its old
    // position, or at the end after a run over the whole text.
    uint32_t caret = std::min(caretBefore, doc_.GetTextLength() + 1);
    if (r.status == ReplaceStatus::kDone) {
        host_.ShowMessage(text, MessageKind::Info);
        if (start == 1) caret = doc_.GetTextLength() + 1;
    } else {
        ErrorMessage(text.c_str());
        StopReplay();
    }
    SetFromAbsolute(caret);
    desiredCol_ = caretCol_;
    RedrawAll();
    // Keys pressed while the run held the window would edit the new text.
    host_.DiscardQueuedKeys();
    return r.count;
}

}  // namespace qz
