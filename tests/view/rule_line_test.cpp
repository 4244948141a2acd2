// Ruled lines: thick and thin glyphs chosen from the neighbours, drawn and
// erased around a corner, and the single-byte style.
#include <gtest/gtest.h>

#include "view/view_script.h"

namespace qz::testing {
namespace {

class RuleLines : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    void Style(int s) { TheSettings().env.RuleLineMode = s; }
};

TEST_F(RuleLines, ThickCornerDrawnAndErased) {
    Style(2);
    ViewScript s("‸\n\n\n");
    s.Run("draw-right draw-right draw-down draw-down");
    // The stroke keeps its column: the caret waits under it on the next row.
    EXPECT_EQ(s.Text(), "━━┓\n    ┃\n    ‸\n");
    EXPECT_EQ(s.Screen(1), "━━┓");
    EXPECT_EQ(s.Screen(2), "    ┃");
    s.Run("up erase-up erase-up");
    EXPECT_EQ(s.Text(), "━━‸  \n      \n    \n");
}

TEST_F(RuleLines, TheGlyphGoesWhereTheCaretStands) {
    // Moved by hand onto a shorter row, the caret stands at its end: the
    // glyph goes there, with the junction taken from that cell.
    Style(2);
    ViewScript s("abc‸def\nab\n");
    s.Run("down draw-right");
    EXPECT_EQ(s.Text(), "abcdef\nab━‸\n");
}

TEST_F(RuleLines, ThinStyleExchangesTheGlyphs) {
    Style(1);
    ViewScript s("‸\n\n\n");
    s.Run("draw-right draw-right draw-down draw-down");
    EXPECT_EQ(s.Text(), "──┐\n    │\n    ‸\n");
}

TEST_F(RuleLines, CrossingALineMakesAJunction) {
    Style(2);
    ViewScript s("  \n━━━\n\n");
    s.view->SetCaret(1, 3);
    s.Run("draw-down draw-down");
    EXPECT_EQ(s.Text(), "  ┃\n━╋━\n  ‸\n");
    s.view->SetCaret(2, 3);
    s.Run("erase-right");
    EXPECT_EQ(s.Sjis(), Utf8ToSjis("  ┃\n━┛━\n  \n"));
}

TEST_F(RuleLines, MixedGlyphWhereThinMeetsThick) {
    Style(1);
    ViewScript s("  \n━━━\n\n");
    s.view->SetCaret(1, 3);
    s.Run("draw-down draw-down draw-down");
    EXPECT_EQ(s.Sjis(), Utf8ToSjis("  │\n━┿━\n  │\n  "));
}

TEST_F(RuleLines, OverTextTabsAndDoubleBytes) {
    Style(2);
    EXPECT_EQ(RunScript("‸あいう\n", "draw-right"), "━‸いう\n");
    TheSettings().Type(1).Tabs = 4;
    EXPECT_EQ(RunScript("‸\tx\n", "draw-right"), "━‸  x\n");
    EXPECT_EQ(RunScript("‸ab\n", "draw-right"), "━‸\n");
}

TEST_F(RuleLines, LogCodesPackTheArguments) {
    Style(2);
    ViewScript s("‸\n");
    s.Run("draw-right erase-left");
    ASSERT_EQ(s.log.entries.size(), 2u);
    EXPECT_EQ(s.log.entries[0], (LogEntry{2, 44, 2 * 65536 + 2 * 256 + 3}));
    EXPECT_EQ(s.log.entries[1], (LogEntry{2, 44, 1 * 65536 + 0 * 256 + 4}));
    Style(3);
    s.Run("draw-down");
    EXPECT_EQ(s.log.entries.back(), (LogEntry{2, 26, 2 * 256 + 2}));
    Style(0);
    s.Run("draw-down");
    EXPECT_EQ(s.log.entries.size(), 3u);  // style 0: the keys do nothing
}

TEST_F(RuleLines, SingleByteStyle) {
    Style(3);
    ViewScript s("‸\n\n\n");
    s.Run("draw-right draw-right draw-down draw-down");
    EXPECT_EQ(s.Text(), "--+\n  |\n  ‸\n");
    // Crossing a vertical line makes "+", erasing it leaves the vertical.
    ViewScript t("  |\n‸\n  |\n");
    t.view->SetCaret(2, 1);
    t.Run("draw-right draw-right draw-right draw-right");
    EXPECT_EQ(t.Text(), "  |\n--+-‸\n  |\n");
    t.view->SetCaret(2, 3);
    t.Run("erase-right");
    EXPECT_EQ(t.Sjis(), "  |\n--|-\n  |\n");
}

TEST_F(RuleLines, WriteProtectionRefuses) {
    Style(2);
    ViewScript s("‸\n");
    s.Run("protect draw-right");
    EXPECT_EQ(s.Sjis(), "\n");
    EXPECT_EQ(s.host.beeps, 1);
}

}  // namespace
}  // namespace qz::testing
