// Row images cell by cell: tabs and marks, the horizontal cut, "[EOF]", the
// line-number forms, control characters, comments, links and keywords.
#include <gtest/gtest.h>

#include "lang/language_data.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

class RowImage : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    void TearDown() override { TheKeywordTable(1).Clear(); }
    TypeSettings& Type() { return TheSettings().Type(1); }
    // Characters and attributes of screen row s (attributes with the selected bit as '*' prefix free form).
    static std::pair<std::string, std::string> Image(ViewScript& s, int row) {
        std::string c, a;
        s.view->ScreenRowImage(row, &c, &a);
        while (!c.empty() && c.back() == ' ' && a.back() == '1') c.pop_back(), a.pop_back();
        return {c, a};
    }
};

TEST_F(RowImage, TabsFillToTheNextStopAndShowMarksWithTabCr2) {
    Type().Tabs = 8;
    {
        ViewScript s("ab\tc\n");
        auto [c, a] = Image(s, 1);
        EXPECT_EQ(c, "ab      c");
        EXPECT_EQ(a, "111111111");
    }
    Type().TabCr = 2;
    ViewScript s("ab\tc\n\t\n");
    auto [c, a] = Image(s, 1);
    EXPECT_EQ(c, "abo.....c\xBF");
    EXPECT_EQ(a, "1133333314");
    auto [c2, a2] = Image(s, 2);
    EXPECT_EQ(c2, "o.......\xBF");
    EXPECT_EQ(a2, "333333334");
}

TEST_F(RowImage, LineEndMarkOnlyWithTabCr) {
    Type().TabCr = 1;
    ViewScript s("x\ty\n");
    auto [c, a] = Image(s, 1);
    EXPECT_EQ(c, "x   y\xBF");  // TabCr 1 marks line ends, not tabs
    EXPECT_EQ(a, "111114");
}

TEST_F(RowImage, EofFollowsTheLastCharacterOrStandsAlone) {
    {
        ViewScript s("");
        auto [c, a] = Image(s, 1);
        EXPECT_EQ(c, "[EOF]");
        EXPECT_EQ(a, "22222");
    }
    ViewScript s("ab\ncd");
    EXPECT_EQ(Image(s, 1).first, "ab");
    auto [c, a] = Image(s, 2);
    EXPECT_EQ(c, "cd[EOF]");
    EXPECT_EQ(a, "1122222");
    ViewScript t("ab\n");
    EXPECT_EQ(Image(t, 2).first, "[EOF]");
    EXPECT_EQ(Image(t, 3).first, "");
}

TEST_F(RowImage, HorizontalCutInsideADoubleByteCharacterShowsASpace) {
    ViewScript t("aあb\n");
    t.view->OnHScroll(CQzedView::kThumbTrack, 3);  // left column 3: the second half of あ
    ASSERT_EQ(t.view->LeftColumn(), 3);
    auto [c, a] = Image(t, 1);
    EXPECT_EQ(c, " b");
    EXPECT_EQ(a, "11");
    t.view->OnHScroll(CQzedView::kThumbTrack, 2);
    EXPECT_EQ(Image(t, 1).first, "\x82\xA0" "b");
}

TEST_F(RowImage, RowsAreCutAtVisibleColumnsPlusOne) {
    ViewScript s(std::string(100, 'x') + "\n");
    std::string c, a;
    s.view->ScreenRowImage(1, &c, &a);
    EXPECT_EQ(s.view->VisibleColumns(), 80);
    EXPECT_EQ(c.size(), 81u);
    EXPECT_EQ(a, std::string(81, '1'));
}

TEST_F(RowImage, LineNumbersInTheirThreeForms) {
    Type().LineDisp = 1;
    Type().Columns = 20;  // "aaaa..." wraps into two rows
    {
        ViewScript s(std::string(25, 'a') + "\nb\n");
        EXPECT_EQ(s.view->VisibleColumns(), 72);
        auto [c, a] = Image(s, 1);
        EXPECT_EQ(c.substr(0, 8), "     1\xBD ");
        EXPECT_EQ(a.substr(0, 8), "WWWWWWX1");
        EXPECT_EQ(Image(s, 2).first.substr(0, 6), "     1");  // the wrapped part of line 1
        EXPECT_EQ(Image(s, 3).first.substr(0, 6), "     2");
        EXPECT_EQ(Image(s, 4).first.substr(0, 6), "     3");  // the [EOF] row
        EXPECT_EQ(Image(s, 5).first.substr(0, 7), "\x81\x60    \xBD");
        EXPECT_EQ(Image(s, 5).second.substr(0, 7), "WWWWWWX");
    }
    Type().LineType = 2;
    {
        ViewScript s(std::string(25, 'a') + "\nb\n");
        EXPECT_EQ(Image(s, 2).first.substr(0, 6), "     2");
        EXPECT_EQ(Image(s, 3).first.substr(0, 6), "     3");
    }
    Type().LineType = 3;
    Type().PageCount = 50;
    std::string text;
    for (int i = 0; i < 120; ++i) text += "x\n";
    ViewScript s(text);
    EXPECT_EQ(Image(s, 1).first.substr(0, 6), "  1- 1");
    s.view->OnVScroll(CQzedView::kThumbTrack, 51);
    EXPECT_EQ(Image(s, 1).first.substr(0, 6), "  2- 1");
}

TEST_F(RowImage, ControlCharactersAreInvertedAndNormalInsideASelection) {
    ViewScript s("a\x1b" "b\n");
    auto [c, a] = Image(s, 1);
    EXPECT_EQ(c, "a[b");
    EXPECT_EQ(a, std::string("1") + char('1' | 0x80) + "1");
    s.Run("all");
    auto [c2, a2] = Image(s, 1);
    EXPECT_EQ(a2, std::string() + char('1' | 0x80) + '1' + char('1' | 0x80));
    EXPECT_EQ(s.host.runs[1][1].fore, Type().Text_Col);
}

TEST_F(RowImage, FullWidthSpaceMark) {
    Type().SpaceDisp = 1;
    ViewScript s("a　b\n");
    auto [c, a] = Image(s, 1);
    EXPECT_EQ(c, "a\x81\xA0" "b");
    EXPECT_EQ(a, "1VV1");
}

TEST_F(RowImage, BlockCommentColoursOpenerAndCloserNotTheRest) {
    Type().Comment = 1;
    ViewScript s("x/* c */y\n");
    EXPECT_EQ(Image(s, 1).second, "155555551");
}

TEST_F(RowImage, BlockCommentSpanningRowsStaysColoured) {
    Type().Comment = 3;
    ViewScript s("a /* one\ntwo\nthree */ b // c\nd\n");
    EXPECT_EQ(Image(s, 1).second, "11555555");
    EXPECT_EQ(Image(s, 2).second, "555");
    EXPECT_EQ(Image(s, 3).second, "555555551115555");
    EXPECT_EQ(Image(s, 4).second, "1");
}

TEST_F(RowImage, OpenerSplitOverAWrapIsSeenFromBothRows) {
    Type().Comment = 1;
    Type().Columns = 20;
    ViewScript s(std::string(19, 'a') + "/*b*/\n");
    EXPECT_EQ(Image(s, 1).second, std::string(19, '1') + "5");
    EXPECT_EQ(Image(s, 2).second, "5555");
}

TEST_F(RowImage, LineCommentsByCharacterAndAtLineStart) {
    Type().Comment = 0x400;  // "#" only as the first character of a line
    ViewScript s("#x\na#b\n");
    EXPECT_EQ(Image(s, 1).second, "55");
    EXPECT_EQ(Image(s, 2).second, "111");
    Type().Comment = 4;  // ";" anywhere
    ViewScript t("a;b\n");
    EXPECT_EQ(Image(t, 1).second, "155");
}

TEST_F(RowImage, UrlsAndMailAddressesOnAndOff) {
    Type().Comment = 0;
    Type().ClickableURL = 1;
    ViewScript s("see http://x.jp/a?b=1 or ftp:f mail a.b@c.d.e x\n");
    auto [c, a] = Image(s, 1);
    EXPECT_EQ(a, "1111YYYYYYYYYYYYYYYYY1111YYYYY11111111ZZZZZZZ11");
    // Double-byte characters never match; a local part's dots cut it.
    ViewScript t("あhttp:い\n");
    EXPECT_EQ(Image(t, 1).second, "11YYYYY11");
    // A URL right after a letter, a digit or an address character.
    ViewScript w("URL=http://x.jp/ 9ftp:y !http:z\n");
    EXPECT_EQ(Image(w, 1).second, "1111YYYYYYYYYYYY11YYYYY11YYYYYY");
    Type().ClickableURL = 0;
    ViewScript u("http://x.jp a@b.c\n");
    EXPECT_EQ(Image(u, 1).second, std::string(17, '1'));
    ViewScript v("http://x.jp");
    EXPECT_EQ(Image(v, 1).second, std::string(11, '1') + "22222");
}

TEST_F(RowImage, CommentsComeBeforeLinks) {
    Type().ClickableURL = 1;
    Type().Comment = 2;  // "//" opens a line comment, even inside a URL
    ViewScript s("http://a//b\n");
    EXPECT_EQ(Image(s, 1).second, "YYYYY555555");
}

TEST_F(RowImage, KeywordsInGroups) {
    Type().Comment = 1;
    KeywordTable& table = TheKeywordTable(1);
    ParseKeywordFile("//#TYPE 1\nint\n//#DEFCOL 2\nreturn\n", table);
    ASSERT_FALSE(table.Empty());
    ViewScript s("int x; return /*int*/\n");
    auto [c, a] = Image(s, 1);
    EXPECT_EQ(a.substr(0, 3), std::string(3, a[0]));
    EXPECT_GE(a[0], '6');
    EXPECT_LE(a[0], '9');
    EXPECT_NE(a.substr(7, 6), "111111");
    EXPECT_NE(a[7], a[0]);
    EXPECT_EQ(a.substr(14), "5555555");  // comment cells take no keyword colour
}

TEST_F(RowImage, StreamAndBoxSelectionsInvertTheirCells) {
    ViewScript s("abcd\nefgh\nijkl\n");
    s.view->SetCaret(1, 2);
    s.Run("sel-down sel-down");
    const char S = static_cast<char>('1' | 0x80);
    EXPECT_EQ(Image(s, 1).second, std::string("1") + S + S + S);
    EXPECT_EQ(Image(s, 2).second, std::string(4, S));
    EXPECT_EQ(Image(s, 3).second, std::string("") + S + "111");
    ViewScript b("abcd\nefgh\nijkl\n");
    b.view->SetCaret(1, 2);
    b.Run("box-down box-right box-right");
    EXPECT_EQ(Image(b, 1).second, std::string("1") + S + S + "1");
    EXPECT_EQ(Image(b, 2).second, std::string("1") + S + S + "1");
    EXPECT_EQ(Image(b, 3).second, "1111");
}

TEST_F(RowImage, LineEndCellsAreNeverInverted) {
    Type().TabCr = 1;
    ViewScript s("ab\ncd\n");
    s.Run("all");
    const char S = static_cast<char>('1' | 0x80);
    EXPECT_EQ(Image(s, 1).second, std::string() + S + S + '4');
}

TEST_F(RowImage, FoundTextHighlightMarksBytesFromTheCaret) {
    Type().SpaceDisp = 1;
    ViewScript s("ab　c\n");
    s.view->SetCaret(1, 2);
    s.view->SetHighlight(3);
    const char S = static_cast<char>('1' | 0x80);
    EXPECT_EQ(Image(s, 1).second, std::string("1") + S + S + S + "1");
}

TEST_F(RowImage, RunsCarryColoursAndFonts) {
    Type().TabCr = 1;
    Type().ClickableURL = 1;
    ViewScript s("ab http:x\n");
    s.view->SetCaret(2, 1);
    s.view->PaintRows(1, 1, 2);
    const auto& runs = s.host.runs[1];
    ASSERT_GE(runs.size(), 4u);
    EXPECT_EQ(runs[0].text, "ab ");
    EXPECT_EQ(runs[0].fore, Type().Text_Col);
    EXPECT_EQ(runs[1].text, "http:x");
    EXPECT_EQ(runs[1].font, FontKind::Underline);
    EXPECT_EQ(runs[1].fore, Type().URL_Col);
    EXPECT_EQ(runs[2].font, FontKind::Mark);
    EXPECT_EQ(runs[2].fore, Type().Cr_Col);
    EXPECT_EQ(s.host.runs[2][0].text, "[EOF]");
    EXPECT_EQ(s.host.runs[2][0].fore, Type().Tab_Col);
    // The caret row's ordinary text takes the caret-row colour.
    EXPECT_EQ(s.host.runs[2][1].fore, Type().Csr_Col);
    s.view->SetCaret(1, 1);
    s.view->PaintRows(1, 1, 1);
    EXPECT_EQ(s.host.runs[1][0].fore, Type().Csr_Col);
}

TEST_F(RowImage, AKeyboardBoxKeepsTheCaretRowColourAStreamDoesNot) {
    ViewScript s("abcdef\nghijkl\n");
    s.Run("box-right box-right box-down");
    const PaintRun* ordinary = nullptr;
    for (const PaintRun& r : s.host.runs[2])
        if (r.text.rfind("ijkl", 0) == 0) ordinary = &r;
    ASSERT_NE(ordinary, nullptr);
    EXPECT_EQ(ordinary->fore, Type().Csr_Col);
    ViewScript t("abcdef\nghijkl\n");
    t.Run("sel-right sel-right sel-down");
    for (const PaintRun& r : t.host.runs[2])
        if (r.text.rfind("ijkl", 0) == 0) {
            EXPECT_EQ(r.fore, Type().Text_Col);
        }
}

}  // namespace
}  // namespace qz::testing
