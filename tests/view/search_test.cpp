// Search next and previous in the view with their messages and the given
// flag, and replace-all with its progress counts, its result and Esc.
#include <gtest/gtest.h>

#include "view/search_state.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

class ViewSearch : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        TheSearchState() = SearchState();
    }
};

TEST_F(ViewSearch, NextAndPreviousMoveToTheMatchAndHighlightIt) {
    ViewScript s("‸ab xab yab\n");
    s.view->SearchNext();
    EXPECT_EQ(s.host.LastMessage()->text, "検索文字がありません");
    EXPECT_TRUE(s.view->SearchFor("ab", false, 0));  // the match at the caret is skipped
    EXPECT_EQ(s.Text(), "ab x‸ab yab\n");
    EXPECT_EQ(s.view->Highlight(), 2);
    EXPECT_EQ(TheSettings().searchHistory[0], "ab");
    s.view->SearchNext();
    EXPECT_EQ(s.Text(), "ab xab y‸ab\n");
    s.view->SearchNext();
    EXPECT_EQ(s.host.LastMessage()->text, "文字列が見つかりません [ab]");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error);
    EXPECT_EQ(s.Text(), "ab xab y‸ab\n");
    s.view->SearchPrevious();
    EXPECT_EQ(s.Text(), "ab x‸ab yab\n");
    bool prompt = false;
    for (const auto& m : s.host.messages) prompt = prompt || m.text == "上へ検索:[ab]";
    EXPECT_TRUE(prompt);
    EXPECT_EQ(s.log.entries.back(), (LogEntry{kLogCommand, 46, 0}));
}

TEST_F(ViewSearch, TheWordUnderTheCaretBecomesTheSearchString) {
    ViewScript s("int co‸unt_2 = 漢字x;\n");
    s.view->SearchStringFromCaret();
    EXPECT_EQ(TheSettings().searchKey, "count_2");
    EXPECT_EQ(s.host.LastMessage()->text, "検索文字列:[count_2]");
    EXPECT_EQ(s.Text(), "int co‸unt_2 = 漢字x;\n");  // no search runs
    s.view->SetCaret(1, 17);  // the second kanji
    s.view->SearchStringFromCaret();
    EXPECT_EQ(s.host.LastMessage()->text, "検索文字列:[漢字]");
    s.view->SetCaret(1, 4);  // a blank: no word
    s.view->SearchStringFromCaret();
    EXPECT_EQ(s.host.beeps, 1);
    EXPECT_EQ(s.host.LastMessage()->text, "検索文字列:[漢字]");
}

TEST_F(ViewSearch, AKanjiSearchStringIsShownInTheMessage) {
    ViewScript s("‸abc\n");
    s.view->SearchFor(Utf8ToSjis("漢字"), false, 0);
    EXPECT_EQ(s.host.LastMessage()->text, "文字列が見つかりません [漢字]");
}

TEST_F(ViewSearch, ReplaceAllShowsTheCountsOf1500Matches) {
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "ab\n";
    ViewScript s("‸" + text);
    EXPECT_EQ(s.view->ReplaceAllFrom("ab", "xyz", 0, 1, true), 1500);
    std::vector<std::string> progress;
    for (const auto& m : s.host.messages)
        if (m.kind == MessageKind::Prompt) progress.push_back(m.text);
    ASSERT_EQ(progress.size(), 28u);  // 1-9, 10-90, 100-900, 1000
    EXPECT_EQ(progress[0], "全て置き換え:[1] changed  <ESC>:中断");
    EXPECT_EQ(progress[9], "全て置き換え:[10] changed  <ESC>:中断");
    EXPECT_EQ(progress[27], "全て置き換え:[1000] changed  <ESC>:中断");
    EXPECT_EQ(s.host.LastMessage()->text, "置き換え終了:[1500] changed");
    EXPECT_EQ(s.view->AbsoluteOffset(), s.doc->GetTextLength() + 1);
    // The replaced lines are one span in the history: one step undoes them.
    s.view->UndoCommand();
    EXPECT_TRUE(s.host.boxes.shown.empty());
    EXPECT_EQ(s.Sjis(), text);
}

TEST_F(ViewSearch, ReplaceAllBeyondTheUndoHistoryAsksFirst) {
    TheSettings().Type(1).Undo = 1;  // a 1024-byte ring
    std::string text;
    for (int i = 0; i < 300; ++i) text += "ab cd\n";
    ViewScript s("‸" + text);
    constexpr const char* kQuestion =
        "置き換えの量がUNDO記憶ﾊﾞｯﾌｧを超えるため、この置き換えはUNDOできません\n置き換えますか？";

    s.host.boxes.answers = {MbResult::No};
    EXPECT_EQ(s.view->ReplaceAllFrom("ab", "xyz", 0, 1, true), 0);
    ASSERT_EQ(s.host.boxes.shown.size(), 1u);
    EXPECT_EQ(s.host.boxes.shown[0].text, kQuestion);
    EXPECT_EQ(s.host.boxes.shown[0].caption, "全て置き換え");
    EXPECT_EQ(s.host.boxes.shown[0].icon, MbIcon::Question);
    EXPECT_EQ(s.host.boxes.shown[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(s.Sjis(), text);
    EXPECT_FALSE(s.doc->IsModified());
    EXPECT_EQ(s.host.LastMessage()->text, "置き換えを中断しました:[0] changed");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error);

    // Yes replaces everything; the history is lost, as the question said.
    s.host.boxes.answers = {MbResult::Yes};
    EXPECT_EQ(s.view->ReplaceAllFrom("ab", "xyz", 0, 1, true), 300);
    EXPECT_EQ(s.host.LastMessage()->text, "置き換え終了:[300] changed");
    EXPECT_EQ(s.Sjis().substr(0, 14), "xyz cd\nxyz cd\n");
    s.view->UndoCommand();
    ASSERT_EQ(s.host.boxes.shown.size(), 3u);
    EXPECT_EQ(s.host.boxes.shown[2].caption, "Ｕｎｄｏ");

    // A run the ring holds asks nothing and is one step.
    ViewScript small("‸ab ab\n" + text);
    EXPECT_EQ(small.view->ReplaceAllFrom("ab ab", "q", 0, 1, true), 1);
    EXPECT_TRUE(small.host.boxes.shown.empty());
}

TEST_F(ViewSearch, AReplaceAllOfSeveralSpansIsUndoneAndRedoneInOneStep) {
    // 1500 matches in five groups far apart: five spans, 3000 matches' worth
    // of deletions and insertions in a 2 MB ring.
    TheSettings().Type(1).Undo = 2000;
    std::string text;
    for (int block = 0; block < 5; ++block) {
        for (int i = 0; i < 300; ++i) text += "ab" + std::string(400, '.') + "\n";
        text += std::string(5000, 'z') + "\n";
    }
    ViewScript s("‸" + text);
    EXPECT_EQ(s.view->ReplaceAllFrom("ab", "xyz", 0, 1, false), 1500);
    EXPECT_TRUE(s.host.boxes.shown.empty());
    const std::string replaced = s.Sjis();
    s.view->UndoCommand();
    EXPECT_TRUE(s.Sjis() == text);
    s.view->RedoCommand();
    EXPECT_TRUE(s.Sjis() == replaced);
    EXPECT_TRUE(s.host.boxes.shown.empty());
}

TEST_F(ViewSearch, ASmallReplaceAllIsUndoneInOneStep) {
    ViewScript s("‸ab ab ab\n");
    EXPECT_EQ(s.view->ReplaceAllFrom("ab", "c", 0, 1, false), 3);
    EXPECT_EQ(s.host.LastMessage()->text, "置き換え終了:[3] changed");
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "ab ab ab\n");
}

TEST_F(ViewSearch, ReplaceAllWithNothingFoundOrWriteProtected) {
    ViewScript s("‸abc\n");
    EXPECT_EQ(s.view->ReplaceAllFrom("q", "z", 0, 1, true), 0);
    EXPECT_EQ(s.host.LastMessage()->text, "文字列が見つかりません [0] changed");
    EXPECT_EQ(s.host.beeps, 1);
    s.doc->SetReadOnly(true);
    s.view->ReplaceAllFrom("a", "z", 0, 1, true);
    EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です");
    EXPECT_EQ(s.Sjis(), "abc\n");
}

// Esc goes down after a few checks.
struct EscLater : fakes::FakeViewHost {
    int checks = 0, escAfter = 0;
    bool IsKeyDown(AsyncKey key) override { return key == AsyncKey::Escape && ++checks > escAfter; }
};

TEST_F(ViewSearch, EscapeStopsReplaceAllAndKeepsWhatWasDone) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "ab\n";
    ViewScript s(text);
    EscLater host;
    host.escAfter = 6;
    CQzedView view(*s.doc, host);
    view.OnInitialUpdate(1);
    view.OnSetFocus();
    const long n = view.ReplaceAllFrom("ab", "c", 0, 1, true);
    EXPECT_GT(n, 0);
    EXPECT_LT(n, 50);
    char expected[96];
    std::snprintf(expected, sizeof expected, "置き換えを中断しました:[%ld] changed", n);
    EXPECT_EQ(host.LastMessage()->text, expected);
    std::string done;
    for (long i = 0; i < n; ++i) done += "c\n";
    EXPECT_EQ(s.Sjis().substr(0, done.size()), done);
    EXPECT_EQ(s.Sjis().size(), text.size() - static_cast<size_t>(n));
}

}  // namespace
}  // namespace qz::testing

namespace qz::testing {
namespace {

TEST(BracketJump, SkipsNestedPairsBothWays) {
    ResetSettings();
    // The trail byte of "±" (0x81 0x7D) is the byte of "}": it must not count.
    ViewScript s("‸{ a { b } ± }\nx\n");
    ASSERT_EQ(Utf8ToSjis("±"), "\x81}");
    s.view->BracketJump();
    EXPECT_EQ(s.Text(), "{ a { b } ± ‸}\nx\n");
    s.view->BracketJump();
    EXPECT_EQ(s.Text(), "‸{ a { b } ± }\nx\n");
}

TEST(BracketJump, FarPartnersAcrossLongLinesAndCutCharacters) {
    ResetSettings();
    // Pairs and "±" (trail byte "}") far more than the text read at a time,
    // on one line of over 200,000 bytes, with a lone "}" hidden in each "±".
    std::string middle;
    for (int i = 0; i < 30000; ++i) middle += i % 3 == 0 ? "{x}" : "±";
    const std::string text = "a\n{" + middle + "\n" + middle + "}\n";
    ViewScript s(text);
    s.view->SetFromAbsolute(3);
    s.view->BracketJump();
    const uint32_t end = static_cast<uint32_t>(Utf8ToSjis(text).size()) - 1;
    EXPECT_EQ(s.view->AbsoluteOffset(), end);
    s.view->BracketJump();
    EXPECT_EQ(s.view->AbsoluteOffset(), 3u);
}

TEST(BracketJump, PreprocessorLinesAndRefusals) {
    ResetSettings();
    ViewScript s("#if A\n#if B\n#endif\n‸#else\nx\n#endif\n");
    s.view->BracketJump();
    EXPECT_EQ(s.Text(), "#if A\n#if B\n#endif\n#else\nx\n‸#endif\n");
    s.view->BracketJump();
    EXPECT_EQ(s.Text(), "‸#if A\n#if B\n#endif\n#else\nx\n#endif\n");
    s.view->SetCaret(5, 1);  // "x"
    s.view->BracketJump();
    EXPECT_EQ(s.host.LastMessage()->text, "このカッコ又は定義文字は不正です");
    ViewScript t("‸(()\n");
    t.view->BracketJump();
    EXPECT_EQ(t.host.LastMessage()->text, "Could not find");
    EXPECT_EQ(t.host.beeps, 1);
}

}  // namespace
}  // namespace qz::testing
