// Caret motion as scripted runs: steps over double-byte text and tabs,
// vertical steps keeping the desired column, box virtual space, scrolling
// at the margins, pages, words, the mouse, the wheel and the scroll bars.
#include <gtest/gtest.h>

#include "view/view_script.h"

namespace qz::testing {
namespace {

class Motion : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    TypeSettings& Type() { return TheSettings().Type(1); }
    static std::string Lines(int n) {
        std::string t;
        for (int i = 1; i <= n; ++i) t += "line" + std::to_string(i) + "\n";
        return t;
    }
};

TEST_F(Motion, RightAndLeftCrossRowEnds) {
    EXPECT_EQ(RunScript("a‸b\ncd\n", "right"), "ab‸\ncd\n");
    EXPECT_EQ(RunScript("a‸b\ncd\n", "right right"), "ab\n‸cd\n");
    EXPECT_EQ(RunScript("ab\n‸cd\n", "left"), "ab‸\ncd\n");
    EXPECT_EQ(RunScript("‸ab\n", "left"), "‸ab\n");           // start of the file
    EXPECT_EQ(RunScript("ab\ncd‸", "right"), "ab\ncd‸");      // end of the file
    EXPECT_EQ(RunScript("‸あいう\n", "right right"), "あい‸う\n");
    EXPECT_EQ(RunScript("あい‸う\n", "left"), "あ‸いう\n");
}

TEST_F(Motion, ColumnsCountTabsAndDoubleBytes) {
    ViewScript s("a\tあb\n");
    s.Run("right");
    EXPECT_EQ(s.view->CaretColumn(), 2);
    s.Run("right");
    EXPECT_EQ(s.view->CaretColumn(), 5);  // tab to the stop at 4
    EXPECT_EQ(s.view->CaretOffset(), 3u);
    s.Run("right");
    EXPECT_EQ(s.view->CaretColumn(), 7);
    EXPECT_EQ(s.view->CaretOffset(), 5u);
}

TEST_F(Motion, DownOntoADoubleByteKeepsTheDesiredColumn) {
    // Row 2's characters 9 and 10 form one double-byte character.
    ViewScript s("abcdefghijkl\nabcdefghあxy\nabcdefghijkl\n");
    s.view->SetCaret(1, 10);
    ASSERT_EQ(s.view->CaretColumn(), 10);
    s.Run("down");
    EXPECT_EQ(s.view->CaretColumn(), 9);
    EXPECT_EQ(s.view->CaretOffset(), 9u);
    EXPECT_EQ(s.view->DesiredColumn(), 10);
    s.Run("down");
    EXPECT_EQ(s.view->CaretColumn(), 10);
}

TEST_F(Motion, VerticalStepsOverTabsAndShortRows) {
    ViewScript s("abcdefgh\n\tx\nab\n");
    s.view->SetCaret(1, 3);
    s.Run("down");
    EXPECT_EQ(s.view->CaretOffset(), 1u);  // the tab spanning column 3
    s.Run("down");
    EXPECT_EQ(s.Text(), "abcdefgh\n\tx\nab‸\n");
}

TEST_F(Motion, BoxSelectionKeepsItsColumnOverShortRows) {
    ViewScript s("abcdefgh\nab\nabcdefgh\n");
    s.view->SetCaret(1, 6);
    s.Run("box-down");
    EXPECT_EQ(s.view->CaretRow(), 2u);
    EXPECT_EQ(s.view->CaretColumn(), 6);
    s.Run("box-right");
    EXPECT_EQ(s.view->CaretColumn(), 7);
    EXPECT_EQ(s.Sjis(), "abcdefgh\nab\nabcdefgh\n");  // virtual, nothing inserted
    s.Run("box-down");
    EXPECT_EQ(s.view->CaretOffset(), 7u);
}

TEST_F(Motion, RowStartEndAndFileEnds) {
    EXPECT_EQ(RunScript("ab\ncd‸ef\n", "home"), "ab\n‸cdef\n");
    EXPECT_EQ(RunScript("ab\nc‸def\ngh", "end"), "ab\ncdef‸\ngh");
    EXPECT_EQ(RunScript("ab\nc‸def\ngh", "bottom"), "ab\ncdef\ngh‸");
    EXPECT_EQ(RunScript("ab\nc‸def\ngh", "top"), "‸ab\ncdef\ngh");
}

TEST_F(Motion, KeepVisibleUsesTheMarginOfThreeRows) {
    ViewScript s(Lines(100));  // 20 visible rows
    EXPECT_EQ(s.view->VerticalMargin(), 3);
    for (int i = 0; i < 16; ++i) s.Run("down");
    EXPECT_EQ(s.view->TopRow(), 1u);  // caret on screen row 17
    s.Run("down");
    EXPECT_EQ(s.view->TopRow(), 2u);
    EXPECT_EQ(s.host.scrolls.back(), 1);
    EXPECT_EQ(s.Screen(1), "line2");
    EXPECT_EQ(s.Screen(20), "line21");
    for (int i = 0; i < 13; ++i) s.Run("up");
    EXPECT_EQ(s.view->TopRow(), 2u);
    s.Run("up");
    EXPECT_EQ(s.view->TopRow(), 1u);
}

TEST_F(Motion, NoVerticalMarginWithSevenRows) {
    ViewScript s(Lines(50));
    s.host.height = 7 * 16;
    s.view->OnSize(1);
    EXPECT_EQ(s.view->VisibleRows(), 7);
    EXPECT_EQ(s.view->VerticalMargin(), 0);
    for (int i = 0; i < 6; ++i) s.Run("down");
    EXPECT_EQ(s.view->TopRow(), 1u);
    s.Run("down");
    EXPECT_EQ(s.view->TopRow(), 2u);
}

TEST_F(Motion, HeldDownAtTheMarginMovesScrollCountRows) {
    Type().ScrollCount = 5;
    ViewScript s(Lines(100));
    s.view->SetCaret(17, 1);
    s.view->OnArrowKey(4, false, false, false, true, 4);
    EXPECT_EQ(s.view->CaretRow(), 22u);
    s.view->OnArrowKey(4, false, false, false, false, 4);
    EXPECT_EQ(s.view->CaretRow(), 23u);
    s.view->SetCaret(5, 1);
    s.view->OnArrowKey(4, false, false, false, true, 4);  // not at the margin
    EXPECT_EQ(s.view->CaretRow(), 6u);
}

TEST_F(Motion, ArrowKeysPerScheme) {
    ViewScript s("abc\ndef\nghi\n");
    s.view->SetCaret(1, 2);
    s.view->OnArrowKey(3, true, false, false, false, 4);
    EXPECT_EQ(s.view->KeySelection(), kSelMade);
    EXPECT_EQ(s.view->CaretOffset(), 3u);
    s.view->OnArrowKey(3, false, false, false, false, 4);
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    s.view->OnArrowKey(1, true, false, false, false, 1);  // scheme 1: start of row
    EXPECT_EQ(s.view->CaretOffset(), 1u);
    s.view->OnArrowKey(4, false, true, true, false, 3);   // scheme 3: plain arrow
    EXPECT_EQ(s.view->CaretRow(), 2u);
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    s.view->OnArrowKey(4, false, true, true, false, 1);   // scheme 1: box
    EXPECT_EQ(s.view->SelectionKind(), kSelBox);
    s.view->SetPrefixPending(true);
    s.view->OnArrowKey(4, false, false, false, false, 3);  // swallowed
    EXPECT_EQ(s.view->CaretRow(), 3u);
    EXPECT_FALSE(s.view->PrefixPending());
}

TEST_F(Motion, PagesAndHalfPagesCentre) {
    ViewScript s(Lines(200));
    s.Run("pgdn");
    EXPECT_EQ(s.view->CaretRow(), 21u);
    EXPECT_EQ(s.view->TopRow(), 11u);
    s.Run("half-down");
    EXPECT_EQ(s.view->CaretRow(), 31u);  // (20 - 1) / 2 + 1 rows
    EXPECT_EQ(s.view->TopRow(), 21u);
    s.Run("pgup pgup");
    EXPECT_EQ(s.view->CaretRow(), 1u);
    EXPECT_EQ(s.view->TopRow(), 1u);
}

TEST_F(Motion, WordMotionByClasses) {
    EXPECT_EQ(RunScript("‸foo_1 (bar)\n", "word-right"), "foo_1‸ (bar)\n");
    EXPECT_EQ(RunScript("foo_1‸ (bar)\n", "word-right"), "foo_1 ‸(bar)\n");
    EXPECT_EQ(RunScript("foo_1 (bar)‸\n", "word-right"), "foo_1 (bar)\n‸");
    EXPECT_EQ(RunScript("foo_1 (ba‸r)\n", "word-left"), "foo_1 (‸bar)\n");
    EXPECT_EQ(RunScript("ab\n‸cd\n", "word-left"), "ab‸\ncd\n");
    EXPECT_EQ(RunScript("‸ひらがなカタカナ漢字\n", "word-right word-right"), "ひらがなカタカナ‸漢字\n");
    // Argument 1 stops only at letters, digits and double-byte words.
    EXPECT_EQ(RunScript("‸foo = (bar)\n", "word-right1"), "foo = (‸bar)\n");
    EXPECT_EQ(RunScript("foo = (bar‸)\n", "word-left1"), "foo = (‸bar)\n");
    EXPECT_EQ(RunScript("foo = (‸bar)\n", "word-left1"), "‸foo = (bar)\n");
}

TEST_F(Motion, WordClassTable) {
    auto cls = [](const char* s) { return WordClass(reinterpret_cast<const uint8_t*>(s), std::strlen(s)); };
    EXPECT_EQ(cls("\n"), 0);
    EXPECT_EQ(cls(""), 0);
    EXPECT_EQ(cls("_"), 1);
    EXPECT_EQ(cls("\t"), 2);
    EXPECT_EQ(cls("\xB1"), 3);
    EXPECT_EQ(cls("("), 4);
    EXPECT_EQ(cls("\x82\xA0"), 129);
    EXPECT_EQ(cls("\x81\x5B"), 130);
    EXPECT_EQ(cls("\x82\x4F"), 131);
    EXPECT_EQ(cls("\x81\x40"), 132);
    EXPECT_EQ(cls("\x81\x41"), 133);
    EXPECT_EQ(cls("\x88\x9F"), 134);
}

TEST_F(Motion, SelectAllAndSelectingMotions) {
    ViewScript s("ab\ncd");
    s.Run("all");
    EXPECT_EQ(s.view->KeySelection(), kSelMade);
    EXPECT_EQ(s.view->AnchorRow(), 1u);
    EXPECT_EQ(s.Text(), "ab\ncd‸");
    EXPECT_EQ(s.log.entries.back(), (LogEntry{kLogCommand, 1, 0}));
    s.Run("left");
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
}

TEST_F(Motion, ClickDragAndRelease) {
    ViewScript s("abcdef\nghijkl\n");
    s.view->OnLButtonDown(2 * 8 + 1, 1, false, false, false);
    EXPECT_EQ(s.view->CaretOffset(), 3u);
    EXPECT_EQ(s.view->KeySelection(), kSelDragging);
    EXPECT_TRUE(s.host.captured);
    s.view->OnMouseMove(4 * 8, 16 + 2, true, false, false, false);
    EXPECT_EQ(s.view->CaretRow(), 2u);
    EXPECT_EQ(s.view->CaretOffset(), 5u);
    EXPECT_EQ(s.host.sleeps.back(), 10);
    s.view->OnLButtonUp(0, 0);
    EXPECT_FALSE(s.host.captured);
    EXPECT_EQ(s.view->KeySelection(), kSelMade);
    EXPECT_EQ(s.view->SelectionKind(), kSelStream);
    // A click that selects nothing leaves no selection; Ctrl makes a box.
    s.view->OnLButtonDown(8, 1, false, true, false);
    EXPECT_EQ(s.view->SelectionKind(), kSelBox);
    s.view->OnLButtonUp(8, 1);
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
}

TEST_F(Motion, MouseOffAndSkipNextClick) {
    TheSettings().env.MouseLSkip = 1;
    ViewScript s("abcdef\n");
    s.view->OnLButtonDown(3 * 8, 1, false, false, false);
    EXPECT_EQ(s.view->CaretOffset(), 1u);  // the click after focus is skipped
    s.view->OnLButtonDown(3 * 8, 1, false, false, false);
    EXPECT_EQ(s.view->CaretOffset(), 4u);
    s.view->OnLButtonUp(0, 0);
    TheSettings().env.Mouse = 0;
    s.view->OnLButtonDown(0, 1, false, false, false);
    EXPECT_EQ(s.view->CaretOffset(), 4u);
}

TEST_F(Motion, ClickOnALinkSelectsItAndDoubleClickOpensIt) {
    Type().ClickableURL = 1;
    Type().Comment = 0;
    ViewScript s("go http://a.jp/x now\nmail me@x.org\n");
    s.view->OnLButtonDown(3 * 8, 1, false, false, false);
    EXPECT_EQ(s.view->KeySelection(), kSelMade);
    EXPECT_EQ(s.view->AnchorOffset(), 4u);
    EXPECT_EQ(s.view->CaretOffset(), 17u);  // just after the link
    s.view->OnLButtonDblClk(3 * 8, 1);
    ASSERT_EQ(s.host.opened.size(), 1u);
    EXPECT_EQ(s.host.opened[0], "http://a.jp/x");
    s.host.shellResult = 2;
    s.view->OnLButtonDblClk(6 * 8, 16 + 1);
    EXPECT_EQ(s.host.opened.back(), "mailto:me@x.org");
    ASSERT_NE(s.host.LastMessage(), nullptr);
    EXPECT_EQ(s.host.LastMessage()->text, "'me@x.org'は開けません");
    EXPECT_EQ(s.host.beeps, 1);
    s.view->OnMouseMove(6 * 8, 16 + 1, false, false, false, false);
    EXPECT_EQ(s.host.pointer, PointerShape::Hand);
    s.view->OnMouseMove(0, 16 + 1, false, false, false, false);
    EXPECT_EQ(s.host.pointer, PointerShape::Default);
}

TEST_F(Motion, DoubleClickSelectsTheWord) {
    ViewScript s("one two_2 three\n");
    s.view->OnLButtonDblClk(5 * 8, 1);
    EXPECT_EQ(s.view->KeySelection(), kSelMade);
    EXPECT_EQ(s.view->AnchorOffset(), 5u);
    EXPECT_EQ(s.view->CaretOffset(), 10u);
}

TEST_F(Motion, WheelScrollsWithTheCaret) {
    ViewScript s(Lines(100));
    s.view->SetCaret(5, 1);
    s.view->OnMouseWheel(-120, false);
    EXPECT_EQ(s.view->TopRow(), 4u);  // "MouseWheel" 3 rows per notch
    EXPECT_EQ(s.view->CaretRow(), 8u);
    s.view->OnMouseWheel(240, false);
    EXPECT_EQ(s.view->TopRow(), 1u);
    s.view->OnMouseWheel(-120, true);
    EXPECT_EQ(s.log.entries.back().code, 24);
}

TEST_F(Motion, TheMouseRulesHoldForTheWheelAndTheEdges) {
    // The wheel obeys "Mouse" 0 and the window-selection prompt too.
    ViewScript s(Lines(100));
    TheSettings().env.Mouse = 0;
    s.view->OnMouseWheel(-120, false);
    EXPECT_EQ(s.view->TopRow(), 1u);
    TheSettings().env.Mouse = 1;
    s.host.windowSelect = true;
    s.view->OnMouseWheel(-120, false);
    EXPECT_EQ(s.view->TopRow(), 1u);
    s.host.windowSelect = false;

    // A drag past the left edge scrolls the view left.
    ViewScript wide(std::string(200, 'a') + "\n");
    wide.Run("end");
    const int left = wide.view->LeftColumn();
    ASSERT_GT(left, 1);
    wide.view->OnLButtonDown(8 * 8, 1, false, false, false);
    wide.view->OnMouseMove(-3 * 8, 1, true, false, false, false);
    EXPECT_LT(wide.view->LeftColumn(), left);
    EXPECT_LT(wide.view->CaretColumn(), left);
    wide.view->OnLButtonUp(-3 * 8, 1);

    // A double click past the end of a row selects nothing.
    ViewScript words("one two\nthree\n");
    words.view->OnLButtonDblClk(20 * 8, 1);
    EXPECT_EQ(words.view->KeySelection(), kSelNone);
    EXPECT_EQ(words.view->CaretRow(), 1u);
    EXPECT_EQ(words.view->CaretOffset(), 8u);
}

TEST_F(Motion, TheHorizontalBarTakesTheCaretAlong) {
    ViewScript s(std::string(300, 'a') + "\n");
    s.view->SetCaret(1, 10);
    s.view->OnHScroll(CQzedView::kThumbTrack, 150);
    EXPECT_EQ(s.view->LeftColumn(), 150);
    // The caret keeps its place on the screen (inside the margin).
    EXPECT_GE(s.view->CaretColumn(), 150);
    EXPECT_LE(s.view->CaretColumn(), 150 + s.view->VisibleColumns() - 1);
    s.view->OnHScroll(CQzedView::kTop, 0);
    EXPECT_EQ(s.view->LeftColumn(), 1);
    EXPECT_LE(s.view->CaretColumn(), s.view->VisibleColumns());
}

TEST_F(Motion, ScrollBarsScaleLargeDocumentsTo30000) {
    std::string text;
    for (int i = 0; i < 40000; ++i) text += "x\n";
    ViewScript s(text);
    EXPECT_EQ(s.host.vbar.max, 30000);
    EXPECT_EQ(s.host.vbar.page, 15);  // 20 rows x 30000 / 40000
    s.view->OnVScroll(CQzedView::kThumbTrack, 30000);
    EXPECT_EQ(s.view->TopRow(), 40000u + 2 - 20);  // the top row limit
    EXPECT_EQ(s.host.vbar.pos, 29986);
    s.view->OnVScroll(CQzedView::kThumbTrack, 15000);
    EXPECT_EQ(s.view->TopRow(), 20000u);
    s.view->OnVScroll(CQzedView::kTop, 0);
    EXPECT_EQ(s.view->TopRow(), 1u);
    EXPECT_EQ(s.view->CaretRow(), 4u);  // kept inside the margin
    ViewScript small(Lines(10));
    EXPECT_EQ(small.host.vbar.max, 11);
    EXPECT_EQ(small.host.vbar.page, 20);
    EXPECT_EQ(small.host.hbar.max, 241);
}

TEST_F(Motion, PositionPanesByLineType) {
    Type().Columns = 20;
    ViewScript s(std::string(25, 'a') + "\nb\n");
    s.view->SetCaret(2, 3);
    s.view->UpdateLogical();
    s.view->UpdatePanes();
    EXPECT_EQ(s.host.paneRow, "0000001");
    EXPECT_EQ(s.host.paneColumn, "0023");
    Type().LineType = 2;
    s.view->UpdatePanes();
    EXPECT_EQ(s.host.paneRow, "0000002");
    EXPECT_EQ(s.host.paneColumn, "0003");
    Type().LineType = 3;
    Type().PageCount = 1;
    s.view->UpdatePanes();
    EXPECT_EQ(s.host.paneRow, "002-001");
    s.host.active = false;
    s.host.paneRow.clear();
    s.view->UpdatePanes();
    EXPECT_EQ(s.host.paneRow, "");
}

TEST_F(Motion, OtherViewsFollowChangesAboveTheirCaret) {
    ViewScript s("a\nb\nc\nd\n");
    fakes::FakeViewHost host2;
    CQzedView other(*s.doc, host2);
    other.OnInitialUpdate(1);
    other.SetCaret(4, 1);
    other.UpdateLogical();
    s.view->SetCaret(1, 1);
    s.Run("delrow");
    EXPECT_EQ(other.CaretRow(), 3u);
    EXPECT_EQ(host2.Row(1), "b");  // the other pane repainted what changed
    EXPECT_EQ(host2.Row(4), "[EOF]");
    s.Run("type:x enter");
    EXPECT_EQ(other.CaretRow(), 4u);
    // A caret inside deleted rows goes to the row of the change.
    s.view->SetCaret(2, 1);
    other.SetCaret(3, 1);
    s.Run("delrow");
    EXPECT_EQ(other.CaretRow(), 2u);
}

TEST_F(Motion, ASplitThatEndsWindowWrappingKeepsTheOlderPaneOnItsCharacter) {
    Type().RightTurn = 1;
    ViewScript s(std::string(200, 'a') + "b" + std::string(20, 'c') + "\n");
    ASSERT_TRUE(s.doc->GetWrapMode() & kWrapWindow);  // one view: wrapped at the window
    s.view->SetFromAbsolute(201);                      // on the "b"
    s.view->UpdateLogical();
    ASSERT_GT(s.view->CaretRow(), 1u);
    // A second pane: window wrapping goes, the line is one row again.
    fakes::FakeViewHost host2;
    CQzedView second(*s.doc, host2);
    second.OnInitialUpdate(2);
    ASSERT_FALSE(s.doc->GetWrapMode() & kWrapWindow);
    s.view->OnSize(2);
    EXPECT_EQ(s.view->CaretRow(), 1u);
    EXPECT_EQ(s.view->CaretOffset(), 201u);
    EXPECT_EQ(s.doc->Store().GetCharAt(s.view->AbsoluteOffset()), 'b');
}

TEST_F(Motion, GoToLineAndReset) {
    ViewScript s(Lines(100));
    s.view->GoToLine(50);
    EXPECT_EQ(s.view->CaretRow(), 50u);
    EXPECT_EQ(s.view->TopRow(), 40u);
    s.host.lineAnswer = 3;
    s.view->JumpToLine();
    EXPECT_EQ(s.view->CaretRow(), 3u);
    s.view->SetCaret(7, 3);
    s.view->Reset();
    EXPECT_EQ(s.view->CaretOffset(), 1u);
    EXPECT_EQ(s.host.LastMessage()->text, "");
}

TEST_F(Motion, LogCodesOfMotions) {
    ViewScript s("ab\ncd\n");
    s.Run("right left down up end home bottom top sel-right sel-left box-right box-left ins");
    std::vector<int> codes;
    for (const LogEntry& e : s.log.entries) codes.push_back(e.code);
    EXPECT_EQ(codes, (std::vector<int>{56, 57, 55, 54, 62, 63, 18, 19, 60, 61, 83, 84, 29}));
}

}  // namespace
}  // namespace qz::testing

namespace qz::testing {
namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
};

TEST_F(Layout, GeometryMarginsAndWindowWrap) {
    TheSettings().Type(1).LineDisp = 1;
    TheSettings().Type(1).RightTurn = 1;
    ViewScript s(std::string(100, 'a') + "‸\n");
    EXPECT_EQ(s.view->VisibleRows(), 20);
    EXPECT_EQ(s.view->VisibleColumns(), 72);
    EXPECT_EQ(s.view->HorizontalMargin(), 4);
    EXPECT_EQ(s.doc->GetWrapWidth(), 71);  // visible columns - 1
    EXPECT_EQ(s.view->CaretRow(), 2u);     // the caret kept its place in the text
    EXPECT_EQ(s.view->EraseFromX(), (72 + 1 + 8) * 8);
    s.host.width = 48 * 8;
    s.view->OnSize(1);
    EXPECT_EQ(s.view->VisibleColumns(), 40);
    EXPECT_EQ(s.doc->GetWrapWidth(), 39);
    EXPECT_EQ(s.view->CaretRow(), 3u);
    EXPECT_EQ(s.view->CaretColumn(), 23);
    s.host.width = 17 * 8;
    s.view->OnSize(1);
    EXPECT_EQ(s.view->VisibleColumns(), 9);
    EXPECT_EQ(s.view->HorizontalMargin(), 0);
    EXPECT_EQ(s.doc->GetWrapWidth(), 20);  // the store's lowest wrap width
}

TEST_F(Layout, HorizontalScrollKeepsTheMarginPlusFive) {
    ViewScript s(std::string(200, 'a') + "\n");
    s.Run("end");
    EXPECT_EQ(s.view->CaretColumn(), 201);
    EXPECT_EQ(s.view->LeftColumn(), 201 - 80 + 1 + 4 + 5);
    s.Run("home");
    EXPECT_EQ(s.view->LeftColumn(), 1);
}

TEST_F(Layout, CaretShapeAndPlace) {
    ViewScript s("ab‸c\n");
    EXPECT_EQ(s.host.caretHeight, 4);  // insert mode: a quarter of the height
    EXPECT_EQ(s.host.caretX, 16);
    EXPECT_EQ(s.host.caretY, 12);
    s.Run("ins");
    EXPECT_EQ(s.host.caretHeight, 16);
    s.Run("right");
    EXPECT_EQ(s.host.caretX, 24);
    EXPECT_EQ(s.host.caretY, 0);
    EXPECT_EQ(s.host.compositionX, 24);
}

TEST_F(Layout, GuideLinesMoveWithTheCaret) {
    TheSettings().Type(1).VLineType = 1;
    TheSettings().Type(1).HLineType = 2;
    ViewScript s("ab\ncd\n");
    const size_t before = s.host.guideXors.size();
    s.Run("right");
    ASSERT_EQ(s.host.guideXors.size(), before + 2);  // the old lines removed, the new drawn
    EXPECT_EQ(s.host.guideXors.back().x, 8);
    EXPECT_EQ(s.host.guideXors.back().y, 16);
    s.view->OnKillFocus();
    EXPECT_EQ(s.host.guideXors.size(), before + 3);
    EXPECT_FALSE(s.host.caretExists);
}

TEST_F(Layout, NoScreenUpdateSkipsPaintCaretAndPanes) {
    ViewScript s("ab\ncd\n");
    s.host.drawCalls = 0;
    s.host.paneRow.clear();
    s.view->SetNoScreenUpdate(true);
    s.Run("down type:x");
    EXPECT_EQ(s.host.drawCalls, 0);
    EXPECT_EQ(s.host.paneRow, "");
    s.view->SetNoScreenUpdate(false);
    s.Run("right");
    EXPECT_GT(s.host.drawCalls, 0);
    EXPECT_EQ(s.host.paneRow, "0000002");
}

}  // namespace
}  // namespace qz::testing

namespace qz::testing {
namespace {

TEST(WrappedRows, MotionAndTypingAcrossAWrap) {
    ResetSettings();
    TheSettings().Type(1).Columns = 20;
    ViewScript s(std::string(25, 'a') + "\n");
    ASSERT_EQ(s.doc->Store().GetRowCount(), 2u);  // 20 + "aaaaa\n"
    s.view->SetCaret(1, 20);
    s.Run("right");
    EXPECT_EQ(s.view->CaretRow(), 2u);
    EXPECT_EQ(s.view->CaretOffset(), 1u);
    EXPECT_EQ(s.view->AbsoluteOffset(), 21u);
    s.Run("left");
    EXPECT_EQ(s.view->CaretRow(), 1u);
    EXPECT_EQ(s.view->CaretOffset(), 20u);
    ViewScript t(std::string(19, 'a') + "‸\n");
    t.Run("type:x");
    EXPECT_EQ(t.Text(), std::string(19, 'a') + "x‸\n");
    EXPECT_EQ(t.view->CaretRow(), 2u);  // the line feed moved to the next row
    EXPECT_EQ(t.view->CaretColumn(), 1);
    t.Run("type:y");
    EXPECT_EQ(t.Text(), std::string(19, 'a') + "xy‸\n");
}

TEST(Painting, PaintHandlerRowsFromTheUpdateRectangle) {
    ResetSettings();
    ViewScript s("a\nb\nc\n");
    s.host.screen.clear();
    s.host.drawCalls = 0;
    s.view->OnPaint(17, 40);  // pixel rows 17 to 40: screen rows 2 and 3
    EXPECT_EQ(s.host.drawCalls, 2);
    EXPECT_EQ(s.Screen(2), "b");
    EXPECT_EQ(s.Screen(3), "c");
    s.view->OnPaint(0, 10000);
    EXPECT_EQ(s.host.drawCalls, 2 + 21);  // at most visible rows + 1
}

}  // namespace
}  // namespace qz::testing
