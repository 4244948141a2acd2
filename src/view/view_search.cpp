// CQzedView search commands: search next and previous with the current
// search string, and replace-all with its progress counts and Esc.
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "search/search_engine.h"
#include "search/search_pattern.h"
#include "settings/settings.h"
#include "view/qzed_view.h"
#include "view/search_state.h"

namespace qz {

namespace {
constexpr size_t kSearchKeyMax = 128;
constexpr const char* kWriteProtected = "このファイルは書き込み禁止です";

std::string Bracketed(const char* format, const std::string& sjis) {
    char buf[400];
    std::snprintf(buf, sizeof buf, format, SjisToUtf8(sjis).c_str());
    return buf;
}
}  // namespace

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
    if (host_.WindowSelectActive()) return;
    if (!SearchGiven()) return ErrorMessage("検索文字がありません");
    RunSearch(*this, doc_, host_, false, static_cast<unsigned>(TheSettings().env.Search));
    desiredCol_ = caretCol_;
}

void CQzedView::SearchPrevious() {
    Record(46, 0);
    if (host_.WindowSelectActive()) return;
    if (!SearchGiven()) return ErrorMessage("検索文字がありません");
    RunSearch(*this, doc_, host_, true, static_cast<unsigned>(TheSettings().env.Search));
    desiredCol_ = caretCol_;
}

void CQzedView::SearchStringFromCaret() {
    Record(23, 0);
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
    if (chars.empty() || chars[k].first != caretOff_ - 1 || chars[k].second == 0 || chars[k].second == 2) {
        host_.Beep();
        return;
    }
    const int cls = chars[k].second;
    size_t a = k, b = k + 1;
    // Punctuation is a word of one character.
    if (cls != 4) {
        while (a > 0 && chars[a - 1].second == cls) --a;
        while (b < chars.size() && chars[b].second == cls) ++b;
    }
    const uint32_t end = b < chars.size() ? chars[b].first : n;
    std::string word(row + chars[a].first, end - chars[a].first);
    if (!word.empty() && word.back() == '\n') word.pop_back();
    GiveSearchString(word);
    host_.ShowMessage(Bracketed("検索文字列:[%s]", TheSettings().searchKey), MessageKind::Info);
}

bool CQzedView::SearchFor(const std::string& sjis, bool upward, unsigned options) {
    GiveSearchString(sjis);
    const bool found = RunSearch(*this, doc_, host_, upward, options);
    desiredCol_ = caretCol_;
    return found;
}

long CQzedView::ReplaceAllFrom(const std::string& fromSjis, const std::string& toSjis, unsigned options,
                               uint32_t start, bool interruptible) {
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
    editing_ = true;
    const ReplaceAllResult r = ReplaceAll(
        doc_, pattern, toSjis, start, std::nullopt,
        [&](long n) {
            host_.ShowMessage(ReplaceProgressText(n, interruptible), MessageKind::Prompt);
            return true;
        },
        interruptible ? InterruptCheck([&] { return host_.IsKeyDown(AsyncKey::Escape); }) : InterruptCheck());
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
    }
    SetFromAbsolute(caret);
    desiredCol_ = caretCol_;
    RedrawAll();
    return r.count;
}

}  // namespace qz
