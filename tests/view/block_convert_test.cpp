// Block conversions: the ten mappings on their own, then the command on a
// view: the range rules, the refusals, undo, the caret, pieces and the log.
#include <gtest/gtest.h>

#include "view/block_convert.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

using B = BlockConversion;

std::string Convert(B c, const std::string& utf8, int column = 0, int tabs = 4) {
    return SjisToUtf8(ConvertBlock(c, Utf8ToSjis(utf8), column, tabs));
}

TEST(BlockMappings, LetterCaseTakesFullWidthLettersAndLeavesTrailBytesAlone) {
    EXPECT_EQ(Convert(B::ToLower, "AbZ ＡＺｂ 1"), "abz ａｚｂ 1");
    EXPECT_EQ(Convert(B::ToUpper, "aBz ａｚＢ"), "ABZ ＡＺＢ");
    // The trail byte of ソ (0x83 0x5C) and of ア (0x83 0x41) is no letter to convert.
    EXPECT_EQ(Convert(B::ToLower, "ソア"), "ソア");
    EXPECT_EQ(Convert(B::ToUpper, "ソa"), "ソA");
}

TEST(BlockMappings, WidthJoinsAndSplitsVoicedKatakana) {
    EXPECT_EQ(Convert(B::ToHalfWidth, "ガ"), "ｶﾞ");
    EXPECT_EQ(Convert(B::ToFullWidth, "ｶﾞ"), "ガ");
    EXPECT_EQ(Convert(B::ToHalfWidth, "パヴＡ１　"), "ﾊﾟｳﾞA1 ");
    EXPECT_EQ(Convert(B::ToFullWidth, "ﾊﾟｳﾞA1 "), "パヴＡ１　");
    // Hiragana and kanji have no half-width form.
    EXPECT_EQ(Convert(B::ToHalfWidth, "がな漢字"), "がな漢字");
    // A mark that no kana before it takes becomes the full-width mark; bytes
    // without a full-width form stay.
    EXPECT_EQ(Convert(B::ToFullWidth, "ｱﾞ\t\n"), "ア゛\t\n");
    EXPECT_EQ(Convert(B::ToFullWidth, "漢a"), "漢ａ");
    // A mark past the end of the range is not taken.
    EXPECT_EQ(Convert(B::ToFullWidth, "ｶ"), "カ");
}

TEST(BlockMappings, KanaSkipTheEmptyCodeBetweenMiAndMu) {
    EXPECT_EQ(ConvertBlock(B::ToKatakana, "\x82\xDE", 0, 4), "\x83\x80");  // MU, not 0x837F
    EXPECT_EQ(ConvertBlock(B::ToKatakana, "\x82\xDD", 0, 4), "\x83\x7E");  // MI
    EXPECT_EQ(Convert(B::ToKatakana, "ひらがなABC"), "ヒラガナABC");
    EXPECT_EQ(Convert(B::ToHiragana, "カタカナム"), "かたかなむ");
    // VU and the small KA and KE have no hiragana.
    EXPECT_EQ(Convert(B::ToHiragana, "ヴヵヶ"), "ヴヵヶ");
}

TEST(BlockMappings, IndentMarksEveryRowStartInTheRange) {
    EXPECT_EQ(Convert(B::Indent, "a\nb\nc"), "\ta\n\tb\n\tc");
    // A range that ends with a line feed leaves the next row alone.
    EXPECT_EQ(Convert(B::Indent, "a\nb\n"), "\ta\n\tb\n");
    EXPECT_EQ(Convert(B::Unindent, "\ta\n\t\tb\n  c\n\n"), "a\n\tb\n  c\n\n");
}

TEST(BlockMappings, TabsAndSpacesCountFromTheStartColumn) {
    EXPECT_EQ(Convert(B::TabsToSpaces, "\tx\n\t", 0, 4), "    x\n    ");
    EXPECT_EQ(Convert(B::TabsToSpaces, "\tx", 1, 4), "   x");
    EXPECT_EQ(Convert(B::TabsToSpaces, "あ\tx", 0, 4), "あ  x");  // a double-byte character is two columns
    EXPECT_EQ(Convert(B::SpacesToTabs, "        x", 0, 4), "\t\tx");
    EXPECT_EQ(Convert(B::SpacesToTabs, "   a", 0, 4), "   a");
    EXPECT_EQ(Convert(B::SpacesToTabs, "ab  cd", 0, 4), "ab\tcd");
    EXPECT_EQ(Convert(B::SpacesToTabs, "  x", 2, 4), "\tx");
    // Spaces after a tab are measured from the tab's stop: the text keeps
    // its look ("\t   " reaches column 7, not a second stop).
    EXPECT_EQ(Convert(B::SpacesToTabs, "\t   x", 0, 4), "\t   x");
    EXPECT_EQ(Convert(B::SpacesToTabs, "\t    x", 0, 4), "\t\tx");
    EXPECT_EQ(Convert(B::SpacesToTabs, "x  ", 0, 4), "x  ");
}

class BlockCommand : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
};

TEST_F(BlockCommand, ConvertsTheSelectionAsOneUndoStepAndEndsAfterIt) {
    ViewScript s("‸abc DEF\nghi\n");
    s.Run("right sel-right sel-right sel-right sel-right sel-right");
    s.view->ConvertSelection(B::ToUpper);
    EXPECT_EQ(s.Text(), "aBC DE‸F\nghi\n");
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    EXPECT_EQ(s.log.entries.back(), (LogEntry{kLogCommand, 72, 0}));
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "abc DEF\nghi\n");
    // Backwards selections convert the same range.
    ViewScript back("abc DE‸F\n");
    back.Run("sel-left sel-left sel-left");
    back.view->ConvertSelection(B::ToFullWidth);
    EXPECT_EQ(back.Text(), "abc　ＤＥ‸F\n");
}

TEST_F(BlockCommand, WithoutASelectionNothingHappensAndABoxBeeps) {
    ViewScript s("ab‸c\n");
    s.view->ConvertSelection(B::ToUpper);
    EXPECT_EQ(s.Text(), "ab‸c\n");
    EXPECT_EQ(s.host.beeps, 0);
    s.Run("box-down box-left");
    s.view->ConvertSelection(B::ToUpper);
    EXPECT_EQ(s.Sjis(), "abc\n");
    EXPECT_EQ(s.host.beeps, 1);
}

TEST_F(BlockCommand, AWriteProtectedDocumentSaysSo) {
    ViewScript s("‸abc\n");
    s.Run("sel-right protect");
    s.view->ConvertSelection(B::ToUpper);
    EXPECT_EQ(s.Sjis(), "abc\n");
    ASSERT_TRUE(s.host.LastMessage());
    EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error);
    EXPECT_EQ(s.host.beeps, 1);
}

TEST_F(BlockCommand, IndentStartsAtTheEarlierRowAndSkipsARowSelectedToItsFirstColumn) {
    const std::string text = "r1\nr2\nro‸w3\nrow4\nrow5\nr6\n";
    ViewScript mid(text);
    mid.Run("sel-down sel-down");
    mid.view->ConvertSelection(B::Indent);
    EXPECT_EQ(mid.Sjis(), "r1\nr2\n\trow3\n\trow4\n\trow5\nr6\n");
    ViewScript first(text);
    first.Run("sel-down sel-down");
    first.view->SelRowStart();
    ASSERT_EQ(first.view->CaretOffset(), 1u);
    first.view->ConvertSelection(B::Indent);
    EXPECT_EQ(first.Sjis(), "r1\nr2\n\trow3\n\trow4\nrow5\nr6\n");
    // Unindent takes one tab from each row; spaces and a second tab stay.
    ViewScript un("\t\ta\n  b\n\tc\n");
    un.Run("sel-down sel-down sel-right");
    un.view->ConvertSelection(B::Unindent);
    EXPECT_EQ(un.Sjis(), "\ta\n  b\nc\n");
}

TEST_F(BlockCommand, TabConversionsStartAtTheSelectionsColumnWithTheTypesTabWidth) {
    TheSettings().Type(1).Tabs = 4;
    ViewScript s("ab‸        xy\n");
    for (int i = 0; i < 9; ++i) s.view->SelCharRight();
    s.view->ConvertSelection(B::SpacesToTabs);
    // From column 2 two spaces reach the first stop, four more the second.
    EXPECT_EQ(s.Text(), "ab\t\t  x‸y\n");
    ViewScript t("a‸\tb\tc\n");
    t.Run("sel-right sel-right sel-right");
    t.view->ConvertSelection(B::TabsToSpaces);
    EXPECT_EQ(t.Text(), "a   b   ‸c\n");
}

TEST_F(BlockCommand, TheWidthToggleAtTheCaretUsesTheConversionsTable) {
    for (int b = 0x21; b <= 0xDF; ++b) {
        if (b > 0x7E && b < 0xA1) continue;
        const std::string one(1, static_cast<char>(b));
        ViewScript s("‸" + SjisToUtf8(one) + "\n");
        s.Run("width");
        EXPECT_EQ(s.Sjis(), ConvertBlock(B::ToFullWidth, one, 0, 4) + "\n") << b;
        s.Run("left width");
        EXPECT_EQ(s.Sjis(), one + "\n") << b;
    }
}

TEST_F(BlockCommand, TheRangeEndsWhereTheSelectionDoes) {
    // Only the KA of a voiced KA selected: its mark stays outside.
    ViewScript s("‸ｶﾞｷ\n");
    s.Run("sel-right");
    s.view->ConvertSelection(B::ToFullWidth);
    EXPECT_EQ(s.Text(), "カ‸ﾞｷ\n");
    // A selection over double-byte text converts whole characters only.
    ViewScript k("a‸ソあb\n");
    k.Run("sel-right sel-right");
    k.view->ConvertSelection(B::ToLower);
    k.view->ConvertSelection(B::ToUpper);  // nothing selected any more
    EXPECT_EQ(k.Text(), "aソあ‸b\n");
}

TEST_F(BlockCommand, LongSelectionsGoBackInPiecesAndUndoAsOne) {
    // An odd byte first, so that the 4095-byte piece boundaries fall inside
    // double-byte characters unless the pieces step around them.
    std::string hira, kata;
    for (int i = 0; i < 5000; ++i) hira += "あ", kata += "ア";
    ViewScript s("‸x" + hira + "\n");
    s.view->SelectAll();
    s.view->ConvertSelection(B::ToKatakana);
    EXPECT_EQ(s.Sjis(), Utf8ToSjis("x" + kata + "\n"));
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), Utf8ToSjis("x" + hira + "\n"));
}

}  // namespace
}  // namespace qz::testing
