// The interactive search mode of the KOM style: Up, Down and Enter search,
// Esc and a failed search end it, typing is dropped, editing, motion and the
// mouse; and a command selection that grows with every jump.
#include <gtest/gtest.h>

#include "view/fake_clipboard.h"
#include "view/search_state.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

constexpr const char* kStatus = "[ab]  <ESC>:終了  <↑><↓>:検索";
constexpr int kSlate = 16;

void Arrow(ViewScript& s, int key) { s.view->OnArrowKey(key, false, false, false, false, 4); }

class SearchMode : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        TheSearchState() = SearchState();
    }
};

TEST_F(SearchMode, UpDownAndEnterSearchUntilOneFails) {
    ViewScript s("‸ab x ab y ab\nrow2\n");
    ASSERT_TRUE(s.view->SearchFor("ab", false, 0));
    EXPECT_EQ(s.view->SearchMode(), 2);
    EXPECT_EQ(s.Text(), "ab x ‸ab y ab\nrow2\n");
    EXPECT_EQ(s.host.LastMessage()->text, kStatus);
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Prompt);
    Arrow(s, 4);
    EXPECT_EQ(s.Text(), "ab x ab y ‸ab\nrow2\n");
    EXPECT_EQ(s.view->Highlight(), 2);
    Arrow(s, 2);
    EXPECT_EQ(s.Text(), "ab x ‸ab y ab\nrow2\n");
    EXPECT_EQ(s.view->SearchMode(), 1);
    s.Run("enter");  // again upward, the mode's direction
    EXPECT_EQ(s.Text(), "‸ab x ab y ab\nrow2\n");
    EXPECT_EQ(s.host.LastMessage()->text, kStatus);
    s.Type("zz漢");  // read and dropped
    EXPECT_EQ(s.Text(), "‸ab x ab y ab\nrow2\n");
    EXPECT_EQ(s.view->SearchMode(), 1);
    s.Run("enter");  // nothing above: the mode ends with the failure
    EXPECT_EQ(s.view->SearchMode(), 0);
    EXPECT_EQ(s.host.LastMessage()->text, "文字列が見つかりません [ab]");
    EXPECT_EQ(s.host.beeps, 1);
    Arrow(s, 4);  // an arrow moves again
    EXPECT_EQ(s.Text(), "ab x ab y ab\n‸row2\n");
    // The arrows were recorded as the search commands they ran.
    std::vector<LogEntry> searches;
    for (const LogEntry& e : s.log.entries)
        if (e.kind == kLogCommand) searches.push_back(e);
    ASSERT_GE(searches.size(), 2u);
    EXPECT_EQ(searches[0], (LogEntry{kLogCommand, 45, 0}));
    EXPECT_EQ(searches[1], (LogEntry{kLogCommand, 46, 0}));
}

TEST_F(SearchMode, EscEndsItAndTheSlateStyleHasNone) {
    ViewScript s("‸ab ab\nxy\n");
    s.view->SearchFor("ab", false, 0);
    s.view->CancelCommand();
    EXPECT_EQ(s.view->SearchMode(), 0);
    EXPECT_EQ(s.view->Highlight(), 0);
    EXPECT_EQ(s.host.LastMessage()->text, "");
    s.Type("q");
    EXPECT_EQ(s.Text(), "ab q‸ab\nxy\n");
    ViewScript t("‸ab ab\nxy\n");
    t.view->SearchFor("ab", false, kSlate);
    EXPECT_EQ(t.view->SearchMode(), 0);
    Arrow(t, 4);
    EXPECT_EQ(t.view->CaretRow(), 2u);
    // A search that finds nothing does not start the mode.
    ViewScript u("‸ab\n");
    EXPECT_FALSE(u.view->SearchFor("zz", false, 0));
    EXPECT_EQ(u.view->SearchMode(), 0);
}

TEST_F(SearchMode, EditingAndTheMouseAreRefusedAndAMotionEndsIt) {
    ViewScript s("‸ab ab\nxy\n");
    s.view->SearchFor("ab", false, 0);
    s.Run("del bs delrow dup");
    s.view->OnLButtonDown(0, 16, false, false, false);
    s.view->OnLButtonUp(0, 16);
    s.view->OnLButtonDblClk(0, 16);
    s.view->UndoCommand();
    EXPECT_EQ(s.Text(), "ab ‸ab\nxy\n");
    EXPECT_EQ(s.view->SearchMode(), 2);
    s.Run("right");  // not a search key: a motion that ends the mode
    EXPECT_EQ(s.view->SearchMode(), 0);
    EXPECT_EQ(s.Text(), "ab a‸b\nxy\n");
    EXPECT_EQ(s.host.LastMessage()->text, "");
    s.Run("del");
    EXPECT_EQ(s.Sjis(), "ab a\nxy\n");
}

TEST_F(SearchMode, ACommandSelectionGrowsWithEveryJumpAndOutlivesEsc) {
    ViewScript s("‸0 ab 1 ab 2 ab\n");
    fakes::FakeClipboard clip;
    s.view->SetClipboard(&clip);
    s.view->StartCommandSelection();
    s.view->SearchFor("ab", false, 0);
    EXPECT_EQ(s.host.LastMessage()->text, "範囲指定中  [ab]  <ESC>:終了  <↑><↓>:検索");
    Arrow(s, 4);
    EXPECT_EQ(s.view->CaretOffset(), 8u);
    EXPECT_EQ(s.view->AnchorOffset(), 1u);
    EXPECT_EQ(s.host.LastMessage()->text, "範囲指定中  [ab]  <ESC>:終了  <↑><↓>:検索");
    s.view->CancelCommand();  // ends the search, not the selection
    EXPECT_EQ(s.view->SearchMode(), 0);
    EXPECT_TRUE(s.view->CommandSelectionActive());
    EXPECT_EQ(s.host.LastMessage()->text, "範囲指定中");
    s.view->Copy();
    EXPECT_EQ(clip.text, "0 ab 1 ");
    EXPECT_FALSE(s.view->CommandSelectionActive());
}

}  // namespace
}  // namespace qz::testing
