// Interactive replace driven key by key and through the replace box, A from
// the middle, the refusals while the mode runs, and the key discard after a
// replace-all.
#include <gtest/gtest.h>

#include "view/search_state.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

constexpr const char* kStatus = "[ab]  <ESC>:終了  <R>:置き換え  <S>:スキップ  <A>:以降全て  <N><P>:検索";

// The cells of a screen row drawn as found text.
std::string Highlighted(ViewScript& s, int screenRow) {
    std::string chars, attrs, out;
    s.view->ScreenRowImage(screenRow, &chars, &attrs);
    for (size_t i = 0; i < chars.size(); ++i)
        if (attrs[i] & 0x80) out += chars[i];
    return out;
}

class InteractiveReplace : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        TheSearchState() = SearchState();
    }
};

TEST_F(InteractiveReplace, KeysReplaceSkipAndMoveBetweenMatches) {
    ViewScript s("‸x ab ab ab ab\n");
    ASSERT_TRUE(s.view->StartReplace("ab", "XY", 0, false));
    EXPECT_EQ(s.view->ReplaceMode(), 2);
    EXPECT_EQ(s.Text(), "x ‸ab ab ab ab\n");
    EXPECT_EQ(Highlighted(s, 1), "ab");
    EXPECT_EQ(s.host.LastMessage()->text, kStatus);
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Prompt);
    s.Type("r");
    EXPECT_EQ(s.Text(), "x XY ‸ab ab ab\n");
    EXPECT_EQ(Highlighted(s, 1), "ab");
    s.Type("S");
    EXPECT_EQ(s.Text(), "x XY ab ‸ab ab\n");
    s.Type("p");  // upward, and the mode's direction with it
    EXPECT_EQ(s.Text(), "x XY ‸ab ab ab\n");
    EXPECT_EQ(s.view->ReplaceMode(), 1);
    s.Type("N");
    EXPECT_EQ(s.Text(), "x XY ab ‸ab ab\n");
    EXPECT_EQ(s.view->ReplaceMode(), 2);
    s.Run("enter");
    EXPECT_EQ(s.Text(), "x XY ab XY ‸ab\n");
    s.Type("xq");  // other characters are read and dropped
    EXPECT_EQ(s.Text(), "x XY ab XY ‸ab\n");
    EXPECT_EQ(s.host.LastMessage()->text, kStatus);
    s.view->CancelCommand();
    EXPECT_EQ(s.view->ReplaceMode(), 0);
    EXPECT_EQ(s.view->Highlight(), 0);
    EXPECT_EQ(s.host.LastMessage()->text, "");
    EXPECT_EQ(Highlighted(s, 1), "");
    // Each replacement is its own undo step.
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "x XY ab ab ab\n");
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "x ab ab ab ab\n");
    // The keys were recorded as typed bytes, Esc as the cancel command.
    const std::vector<LogEntry> expected = {{kLogTyped, 'r', 0}, {kLogTyped, 'S', 0}, {kLogTyped, 'p', 0},
                                            {kLogTyped, 'N', 0}, {kLogTyped, 10, 0},  {kLogTyped, 'x', 0},
                                            {kLogTyped, 'q', 0}, {kLogCommand, 4, 0}};
    ASSERT_GE(s.log.entries.size(), expected.size());
    EXPECT_EQ(std::vector<LogEntry>(s.log.entries.begin(), s.log.entries.begin() + 8), expected);
}

TEST_F(InteractiveReplace, UpwardStartsBeforeTheCaretAndTheLastMatchEndsTheMode) {
    ViewScript s("ab ab‸ ab\n");
    ASSERT_TRUE(s.view->StartReplace("ab", "c", 0, true));
    EXPECT_EQ(s.Text(), "ab ‸ab ab\n");
    s.Type("R");
    EXPECT_EQ(s.Text(), "‸ab c ab\n");
    s.Type("R");
    // No match is left above: the mode ends with the not-found message.
    EXPECT_EQ(s.Text(), "‸c c ab\n");
    EXPECT_EQ(s.view->ReplaceMode(), 0);
    EXPECT_EQ(s.host.LastMessage()->text, "文字列が見つかりません [ab]");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error);
    EXPECT_EQ(s.host.beeps, 1);
    s.Type("R");  // typing again
    EXPECT_EQ(s.Text(), "R‸c c ab\n");
    // Downward the match at the caret is the first one.
    ViewScript t("‸ab\n");
    EXPECT_TRUE(t.view->StartReplace("ab", "c", 0, false));
    EXPECT_EQ(t.view->ReplaceMatchPos(), 1u);
    EXPECT_FALSE(t.view->StartReplace("zz", "c", 0, false));
    EXPECT_EQ(t.host.LastMessage()->text, "文字列が見つかりません [zz]");
}

TEST_F(InteractiveReplace, AFromTheMiddleReplacesOnlyTheLaterMatches) {
    ViewScript s("‸ab ab ab ab ab\n");
    ASSERT_TRUE(s.view->StartReplace("ab", "XY", 0, false));
    s.Type("ss");
    s.Type("A");
    EXPECT_EQ(s.Sjis(), "ab ab XY XY XY\n");
    EXPECT_EQ(s.view->ReplaceMode(), 0);
    EXPECT_EQ(s.host.LastMessage()->text, "置き換え終了:[3] changed");
    EXPECT_EQ(s.Text(), "ab ab ‸XY XY XY\n");  // not a run over the whole text
    bool counted = false;
    for (const auto& m : s.host.messages) counted = counted || m.text == "全て置き換え:[3] changed  <ESC>:中断";
    EXPECT_TRUE(counted);
    EXPECT_EQ(s.host.keyDiscards, 1);
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "ab ab ab ab ab\n");
    // Upward, "later" is still towards the end of the text.
    ViewScript t("ab ab ab ab‸\n");
    ASSERT_TRUE(t.view->StartReplace("ab", "XY", 0, true));
    t.Type("Pa");
    EXPECT_EQ(t.Sjis(), "ab ab XY XY\n");
    EXPECT_EQ(t.host.LastMessage()->text, "置き換え終了:[2] changed");
}

TEST_F(InteractiveReplace, RefusedWithoutAStringOrOnAProtectedFile) {
    ViewScript s("‸ab\n");
    EXPECT_FALSE(s.view->StartReplace("", "c", 0, false));
    EXPECT_EQ(s.host.LastMessage()->text, "現文字がありません");
    s.doc->SetReadOnly(true);
    EXPECT_FALSE(s.view->StartReplace("ab", "c", 0, false));
    EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です");
    EXPECT_EQ(s.host.beeps, 2);
    EXPECT_EQ(s.view->ReplaceMode(), 0);
    // Made protected while the mode runs: R is refused, the mode stays.
    s.doc->SetReadOnly(false);
    ASSERT_TRUE(s.view->StartReplace("ab", "c", 0, false));
    s.doc->SetReadOnly(true);
    s.Type("r");
    EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です");
    s.Type("a");
    EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です");
    EXPECT_EQ(s.host.beeps, 4);
    EXPECT_EQ(s.Sjis(), "ab\n");
    EXPECT_EQ(s.view->ReplaceMode(), 2);
}

TEST_F(InteractiveReplace, EditingMotionAndTheMouseAreRefusedWhileItRuns) {
    ViewScript s("‸q ab ab\nzzz\n");
    ASSERT_TRUE(s.view->StartReplace("ab", "c", 0, false));
    s.Run("del bs delrow tab down right");
    s.view->OnArrowKey(4, false, false, false, false, 4);
    s.view->OnLButtonDown(0, 16, false, false, false);  // on row 2
    s.view->OnLButtonUp(0, 16);
    s.view->OnMouseWheel(-120, false);
    s.view->UndoCommand();
    EXPECT_EQ(s.Text(), "q ‸ab ab\nzzz\n");
    EXPECT_EQ(s.view->ReplaceMode(), 2);
    EXPECT_EQ(s.view->ReplaceMatchPos(), 3u);
    // The trail byte of "ア" is "A": a double-byte character is no key.
    ASSERT_EQ(Utf8ToSjis("ア"), "\x83" "A");
    s.Type("ア");
    EXPECT_EQ(s.Sjis(), "q ab ab\nzzz\n");
    s.Type("s");  // the keys still work after it
    EXPECT_EQ(s.view->ReplaceMatchPos(), 6u);
}

TEST_F(InteractiveReplace, AnEditInAnotherPaneEndsTheModeAndClosesTheBox) {
    ViewScript s("‸ab ab\n");
    ASSERT_TRUE(s.view->StartReplace("ab", "c", 32, false));
    ASSERT_EQ(s.host.replaceBoxShows.size(), 1u);
    s.view->OnKillFocus();
    fakes::FakeViewHost other;
    CQzedView pane(*s.doc, other);
    pane.OnInitialUpdate(2);
    pane.OnSetFocus();
    pane.SetCaret(2, 1);
    pane.OnChar('z');
    EXPECT_EQ(s.view->ReplaceMode(), 0);
    EXPECT_EQ(s.host.replaceBoxHides, 1);
    EXPECT_EQ(s.view->Highlight(), 0);
}

TEST_F(InteractiveReplace, TheBoxFollowsTheMatchAndClosesWithTheMode) {
    ViewScript s("‸ab\n  ab\n");
    const int rh = s.view->RowHeight(), cw = s.view->CellWidth();
    ASSERT_TRUE(s.view->StartReplace("ab", "c", 32, false));
    using Place = fakes::FakeViewHost::BoxPlace;
    ASSERT_EQ(s.host.replaceBoxShows.size(), 1u);
    EXPECT_EQ(s.host.replaceBoxShows[0], (Place{0, 0, rh}));
    s.view->ReplaceBoxReplace();
    ASSERT_EQ(s.host.replaceBoxShows.size(), 2u);
    EXPECT_EQ(s.host.replaceBoxShows[1], (Place{2 * cw, rh, rh}));
    EXPECT_EQ(s.host.replaceBoxHides, 0);
    s.view->ReplaceBoxReplace();  // the last one: the mode ends
    EXPECT_EQ(s.Sjis(), "c\n  c\n");
    EXPECT_EQ(s.host.replaceBoxHides, 1);
    // Without option bit 32 there is no box.
    ViewScript t("‸ab\n");
    t.view->StartReplace("ab", "c", 0, false);
    t.view->CancelCommand();
    EXPECT_TRUE(t.host.replaceBoxShows.empty());
    EXPECT_EQ(t.host.replaceBoxHides, 0);
}

TEST_F(InteractiveReplace, TheBoxButtonsDoWhatTheKeysDo) {
    const std::string text = "‸ab ab ab ab ab ab\n";
    ViewScript keys(text), box(text);
    keys.view->StartReplace("ab", "c", 32, false);
    box.view->StartReplace("ab", "c", 32, false);
    keys.Type("RSNP");
    box.view->ReplaceBoxReplace();
    box.view->ReplaceBoxSkip();
    box.view->ReplaceBoxNext();
    box.view->ReplaceBoxPrevious();
    EXPECT_EQ(box.Text(), keys.Text());
    EXPECT_EQ(box.log.entries, keys.log.entries);
    keys.Type("A");
    box.view->ReplaceBoxAll();
    EXPECT_EQ(box.Text(), keys.Text());
    EXPECT_EQ(box.host.LastMessage()->text, keys.host.LastMessage()->text);
    EXPECT_EQ(box.host.replaceBoxHides, 1);
    // A button of a box that outlived its mode only closes it.
    box.view->ReplaceBoxReplace();
    EXPECT_EQ(box.Text(), keys.Text());
    EXPECT_EQ(box.host.replaceBoxHides, 2);
    ViewScript c(text);
    c.view->StartReplace("ab", "c", 32, false);
    c.view->ReplaceBoxCancel();
    EXPECT_EQ(c.view->ReplaceMode(), 0);
    EXPECT_EQ(c.host.replaceBoxHides, 1);
    EXPECT_EQ(c.log.entries.back(), (LogEntry{kLogCommand, 4, 0}));
}

TEST_F(InteractiveReplace, ABoxThatCannotBeMadeIsReportedOnceAndTheKeysGoOn) {
    ViewScript s("‸ab ab ab\n");
    s.host.replaceBoxOk = false;
    ASSERT_TRUE(s.view->StartReplace("ab", "c", 32, false));
    ASSERT_EQ(s.host.boxes.shown.size(), 1u);
    EXPECT_EQ(s.host.boxes.shown[0].text, "The Replace box cannot be generated.");
    EXPECT_EQ(s.host.boxes.shown[0].caption, "Create Error");
    s.Type("rr");
    EXPECT_EQ(s.Sjis(), "c c ab\n");
    EXPECT_EQ(s.host.boxes.shown.size(), 1u);
    EXPECT_EQ(s.host.replaceBoxShows.size(), 1u);
    s.view->CancelCommand();
    EXPECT_EQ(s.host.replaceBoxHides, 0);  // nothing was shown
}

TEST_F(InteractiveReplace, EveryReplaceAllRunDiscardsTheQueuedKeys) {
    ViewScript s("‸ab ab\n");
    s.view->ReplaceAllFrom("ab", "c", 0, 1, true);
    EXPECT_EQ(s.host.keyDiscards, 1);
    s.view->ReplaceAllFrom("zz", "c", 0, 1, true);  // found nothing: a run all the same
    EXPECT_EQ(s.host.keyDiscards, 2);
    s.doc->SetReadOnly(true);
    s.view->ReplaceAllFrom("c", "d", 0, 1, true);  // refused before any run
    EXPECT_EQ(s.host.keyDiscards, 2);
}

}  // namespace
}  // namespace qz::testing
