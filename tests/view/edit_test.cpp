// Editing commands as scripted runs: typing in both modes with double-byte
// rules, Enter and Tab, the deletions and their rings, line commands, the
// write protection and the log codes every command records.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "view/view_script.h"

namespace qz::testing {
namespace {

class Edit : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    TypeSettings& Type() { return TheSettings().Type(1); }
};

TEST_F(Edit, TypingInsertsAtTheCaret) {
    EXPECT_EQ(RunScript("a‸b\n", "type:xy"), "axy‸b\n");
    EXPECT_EQ(RunScript("a‸b\n", "type:漢字"), "a漢字‸b\n");
    EXPECT_EQ(RunScript("‸", "type:z"), "z‸");
}

TEST_F(Edit, TheCaretWaitsBetweenTheTwoBytesOfACharacter) {
    ViewScript s("a‸b\n");
    s.view->OnChar(0x82);
    EXPECT_EQ(s.view->CaretOffset(), 3u);
    s.view->OnChar(0xA0);
    EXPECT_EQ(s.Text(), "aあ‸b\n");
    s.view->OnChar(0);  // ignored
    EXPECT_EQ(s.Text(), "aあ‸b\n");
}

TEST_F(Edit, EnterCopiesTheIndentation) {
    EXPECT_EQ(RunScript("\t  ab‸cd\n", "enter"), "\t  ab\n\t  ‸cd\n");
    Type().Indent = 0;
    EXPECT_EQ(RunScript("\t  ab‸cd\n", "enter"), "\t  ab\n‸cd\n");
}

TEST_F(Edit, TabWithTabSpInsertsSpacesToAMultipleOfFour) {
    Type().TabSp = 1;
    Type().Tabs = 8;
    EXPECT_EQ(RunScript("ab‸x\n", "tab"), "ab  ‸x\n");
    EXPECT_EQ(RunScript("abcd‸x\n", "tab"), "abcd    ‸x\n");
    Type().TabSp = 0;
    EXPECT_EQ(RunScript("ab‸x\n", "tab"), "ab\t‸x\n");
}

TEST_F(Edit, OverwriteOverMixedText) {
    // A double-byte character over "ab" replaces both bytes.
    EXPECT_EQ(RunScript("‸abc\n", "ins type:あ"), "あ‸c\n");
    // Over one double-byte character it replaces it exactly.
    EXPECT_EQ(RunScript("‸いc\n", "ins type:あ"), "あ‸c\n");
    // Over a single byte followed by a double-byte character: the new character and a space.
    EXPECT_EQ(RunScript("‸aいc\n", "ins type:あ"), "あ‸ c\n");
    // A single byte over a double-byte character leaves a space.
    EXPECT_EQ(RunScript("‸いc\n", "ins type:x"), "x‸ c\n");
    // Nothing is deleted before a line feed.
    EXPECT_EQ(RunScript("ab‸\ncd\n", "ins type:xy"), "abxy‸\ncd\n");
    EXPECT_EQ(RunScript("‸ab\n", "ins type:xyz"), "xyz‸\n");
}

TEST_F(Edit, OverwriteAtAWrappedRowEndKeepsTheNextCharacterWhole) {
    // The caret on the last byte of a wrapped row: the character after it
    // stands on the next row, and typing over the byte must see it there.
    Type().Columns = 20;
    EXPECT_EQ(RunScript("aaaaaaaaaaaaaaaaaaa‸bあc\n", "ins type:い"), "aaaaaaaaaaaaaaaaaaaい‸ c\n");
    EXPECT_EQ(RunScript("aaaaaaaaaaaaaaaaaaa‸bあc\n", "ins type:x"), "aaaaaaaaaaaaaaaaaaax‸あc\n");
}

TEST_F(Edit, EnterInOverwriteModeMovesDownOrAppends) {
    EXPECT_EQ(RunScript("a‸b\ncd\n", "ins enter"), "ab\n‸cd\n");
    EXPECT_EQ(RunScript("\tab\n\tc‸d", "ins enter"), "\tab\n\tcd\n\t‸");
}

TEST_F(Edit, DeleteAndBackspace) {
    EXPECT_EQ(RunScript("a‸bc\n", "del"), "a‸c\n");
    EXPECT_EQ(RunScript("a‸あc\n", "del"), "a‸c\n");
    EXPECT_EQ(RunScript("ab‸\ncd\n", "del"), "ab‸cd\n");  // joins the next line
    EXPECT_EQ(RunScript("ab\ncd‸", "del"), "ab\ncd‸");
    EXPECT_EQ(RunScript("aあ‸c\n", "bs"), "a‸c\n");
    EXPECT_EQ(RunScript("ab\n‸cd\n", "bs"), "ab‸cd\n");
    EXPECT_EQ(RunScript("‸ab\n", "bs"), "‸ab\n");
}

TEST_F(Edit, UndeleteCharacters) {
    EXPECT_EQ(RunScript("‸abあc\n", "del del del undel undel"), "‸bあc\n");
    ViewScript s("ab\n");
    s.Run("undel");
    EXPECT_EQ(s.host.LastMessage()->text, "削除バッファが空です");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error);
    EXPECT_EQ(s.host.beeps, 1);
    s.Run("unrow");
    EXPECT_EQ(s.host.beeps, 2);
}

TEST_F(Edit, TheCharacterRingKeepsTheNewest2048) {
    std::string text;
    for (int i = 0; i < 2049; ++i) text += static_cast<char>('a' + i % 26);
    ViewScript s("‸" + text);
    for (int i = 0; i < 2049; ++i) s.view->DeleteChar();
    EXPECT_EQ(s.Sjis(), "");
    EXPECT_EQ(s.view->CharBufferSize(), 2048u);
    for (int i = 0; i < 2048; ++i) s.view->UndeleteChar();
    EXPECT_EQ(s.Sjis(), text.substr(1));  // newest first, each before the last
    EXPECT_EQ(s.host.beeps, 0);
    s.view->UndeleteChar();
    EXPECT_EQ(s.host.beeps, 1);
    EXPECT_EQ(s.host.LastMessage()->text, "削除バッファが空です");
}

TEST_F(Edit, DeleteRowAndUndeleteRow) {
    EXPECT_EQ(RunScript("ab\nc‸d\nef\n", "delrow"), "ab\n‸ef\n");
    EXPECT_EQ(RunScript("ab\nc‸d\nef\n", "delrow down unrow"), "ab\nef\n‸cd\n");
    ViewScript s("‸x\n");
    for (int i = 0; i < 130; ++i) s.Run("delrow type:y enter up");
    EXPECT_EQ(s.view->LineBufferSize(), 128u);
}

TEST_F(Edit, DeletionsToLineEndRowStartAndWord) {
    EXPECT_EQ(RunScript("ab‸cd\nef\n", "eol"), "ab‸\nef\n");
    EXPECT_EQ(RunScript("ab‸cd", "eol"), "ab‸");
    EXPECT_EQ(RunScript("x\nab‸cd\n", "sol"), "x\n‸cd\n");
    EXPECT_EQ(RunScript("fo‸o_bar baz\n", "delword"), "fo‸ baz\n");
    EXPECT_EQ(RunScript("foo‸  baz\n", "delword"), "foo‸baz\n");
}

TEST_F(Edit, DuplicateAndOpenLines) {
    EXPECT_EQ(RunScript("a‸b\ncd\n", "dup"), "ab\n‸ab\ncd\n");
    EXPECT_EQ(RunScript("ab\nc‸d", "dup"), "ab\ncd\n‸cd");
    EXPECT_EQ(RunScript("a‸b\ncd\n", "below"), "ab\n‸\ncd\n");
    EXPECT_EQ(RunScript("ab\nc‸d", "below"), "ab\ncd\n‸");
    EXPECT_EQ(RunScript("ab\nc‸d\n", "above"), "ab\n‸\ncd\n");
}

TEST_F(Edit, CaseAndWidthToggles) {
    EXPECT_EQ(RunScript("‸aB\n", "case case"), "Ab‸\n");
    EXPECT_EQ(RunScript("‸ＡｂC\n", "case case"), "ａＢ‸C\n");
    EXPECT_EQ(RunScript("‸1あ\n", "case case"), "1あ‸\n");
    EXPECT_EQ(RunScript("‸a ｶﾞｱ\n", "width width width width"), "ａ　ガア‸\n");
    EXPECT_EQ(RunScript("‸ＡガパヴあX\n", "width width width width width"), "Aｶﾞﾊﾟｳﾞあ‸X\n");
}

TEST_F(Edit, StreamSelectionIsDeletedFirstAndABoxBeeps) {
    EXPECT_EQ(RunScript("a‸bcd\n", "sel-right sel-right type:X"), "aX‸d\n");
    EXPECT_EQ(RunScript("a‸bcd\n", "sel-right sel-right del"), "a‸d\n");
    ViewScript s("a‸bcd\nefgh\n");
    s.Run("box-right box-down enter");
    EXPECT_EQ(s.host.beeps, 1);
    EXPECT_EQ(s.Sjis(), "abcd\nefgh\n");
    s.Run("del");  // a box is deleted column by column
    EXPECT_EQ(s.Text(), "a‸cd\negh\n");
}

TEST_F(Edit, WriteProtectionRefusesEveryEdit) {
    ViewScript s("a‸b\n");
    s.Run("protect");
    EXPECT_TRUE(s.doc->IsReadOnly());
    for (const char* cmd : {"type:x", "enter", "del", "bs", "delrow", "eol", "sol", "delword", "dup",
                            "below", "above", "case", "width", "undel", "unrow"}) {
        s.Run(cmd);
        EXPECT_EQ(s.Text(), "a‸b\n") << cmd;
        EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です") << cmd;
        EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error) << cmd;
    }
    EXPECT_EQ(s.host.beeps, 15);
    s.Run("protect type:x");
    EXPECT_EQ(s.Text(), "ax‸b\n");
}

TEST_F(Edit, WindowSelectionPromptStopsEdits) {
    ViewScript s("a‸b\n");
    s.host.windowSelect = true;
    s.Run("type:x del right");
    EXPECT_EQ(s.Text(), "a‸b\n");
}

TEST_F(Edit, JumpToTheLastEditedPlace) {
    ViewScript s("ab\ncd\nef\n");
    s.Run("last-edit");
    EXPECT_EQ(s.host.beeps, 1);
    s.Run("down right type:X top last-edit");
    EXPECT_EQ(s.view->CaretRow(), 2u);
    EXPECT_EQ(s.view->CaretOffset(), 2u);
}

TEST_F(Edit, RememberLine) {
    ViewScript s("a\nb\nc\n");
    s.Run("down down");
    s.view->RememberLine();
    EXPECT_EQ(s.view->RememberedLine(), 3u);
}

TEST_F(Edit, RepaintsOnlyTheCaretRowWhenNothingElseChanged) {
    ViewScript s("ab\ncd\nef\n");
    s.host.drawCalls = 0;
    s.Run("type:x");
    EXPECT_EQ(s.host.drawCalls, 1);
    EXPECT_EQ(s.Screen(1), "xab");
    s.host.drawCalls = 0;
    s.Run("enter");
    EXPECT_EQ(s.host.drawCalls, 21);  // from the row above to the bottom
    EXPECT_EQ(s.Screen(1), "x");
    EXPECT_EQ(s.Screen(2), "ab");
    EXPECT_EQ(s.Screen(5), "[EOF]");
}

TEST_F(Edit, CommentOpenedByTypingRepaintsTheRowsBelow) {
    Type().Comment = 1;
    ViewScript s("a‸b\ncd\n");
    s.Run("type:/*");
    EXPECT_EQ(s.host.runs[2][0].fore, Type().Com_Col);
}

TEST_F(Edit, ImeResultIsOneUndoGroupAndOnePaint) {
    ViewScript s("‸\n");
    s.host.drawCalls = 0;
    s.view->OnImeResult(Utf8ToSjis("日本語"));
    EXPECT_EQ(s.Text(), "日本語‸\n");
    EXPECT_EQ(s.host.drawCalls, 21);
    uint32_t pos = 0;
    EXPECT_EQ(s.doc->UndoStep(&pos), 0);
    EXPECT_EQ(s.Sjis(), "\n");
}

TEST_F(Edit, LogCodesAndTypedBytes) {
    Type().TabSp = 1;
    ViewScript s("ab\ncd\n");
    s.Run("type:あ tab del bs undel delrow unrow eol sol delword dup below above case width ins protect protect");
    std::vector<LogEntry> want = {{1, 0x82, 0}, {1, 0xA0, 0}};
    for (int c : {53, 13, 3, 27, 15, 28, 16, 14, 17, 8, 38, 42, 5, 6, 29, 80, 80}) want.push_back({2, c, 0});
    EXPECT_EQ(s.log.entries, want);
}

TEST_F(Edit, InsertAnotherFileInTextMode) {
    const std::string path = std::string(::testing::TempDir()) + "insert_file_test.txt";
    {
        std::ofstream f(path, std::ios::binary);
        std::string big;
        for (int i = 0; i < 300; ++i) big += "line\r\n";
        f << "\x82\xA0x\r\ny\r" << big << "end\x1Aignored";
    }
    ViewScript s("A‸B\n");
    s.host.fileToOpen = path;
    s.view->InsertFile();
    std::string big;
    for (int i = 0; i < 300; ++i) big += "line\n";
    EXPECT_EQ(s.Sjis(), "A\x82\xA0x\ny\r" + big + "endB\n");
    EXPECT_EQ(s.view->AbsoluteOffset(), 2u + 4 + 2 + 5 * 300 + 3);  // after the inserted text
    std::remove(path.c_str());
    s.host.fileToOpen = path + ".missing";
    s.view->InsertFile();
    ASSERT_EQ(s.host.boxes.shown.size(), 1u);
    EXPECT_EQ(s.host.boxes.shown[0].text, "指定ファイルが開けませんでした");
    EXPECT_EQ(s.host.boxes.shown[0].caption, "別ファイルの読み込み");
    EXPECT_EQ(s.host.boxes.shown[0].icon, MbIcon::Stop);
    EXPECT_TRUE(s.log.entries.empty());  // not recorded
}

}  // namespace
}  // namespace qz::testing

namespace qz::testing {
namespace {

TEST(EditUndo, ADoubleByteCharacterIsOneUndoStep) {
    ResetSettings();
    ViewScript s("a‸b\n");
    s.Run("type:x type:あ");
    uint32_t pos = 0;
    ASSERT_EQ(s.doc->UndoStep(&pos), 0);
    EXPECT_EQ(s.Sjis(), "axb\n");
    // A lead byte left alone by a motion does not swallow the next edit's group.
    s.view->OnChar(0x82);
    s.Run("left type:y");
    ASSERT_EQ(s.doc->UndoStep(&pos), 0);
    EXPECT_EQ(s.Sjis().size(), 5u);
}

}  // namespace
}  // namespace qz::testing

namespace qz::testing {
namespace {

TEST(Prefix, SchemeThreeTakesTheNextCharacterAsTheSecondStroke) {
    ResetSettings();
    ViewScript s("ab\nc‸d\n");
    s.view->SetPrefixPending(true, true);
    s.view->OnChar('s');
    EXPECT_EQ(s.Text(), "ab\n‸cd\n");
    EXPECT_FALSE(s.view->PrefixPending());
    s.view->SetPrefixPending(true, true);
    s.view->OnChar('C');
    EXPECT_EQ(s.Text(), "ab\ncd\n‸");
    s.view->SetPrefixPending(true, true);
    s.view->OnChar('u');
    s.view->SetPrefixPending(true, true);
    s.view->OnChar('7');
    s.view->SetPrefixPending(true, true);
    s.view->OnChar('x');  // dropped
    EXPECT_EQ(s.host.prefixStrokes, "U7");
    EXPECT_EQ(s.Sjis(), "ab\ncd\n");
    s.view->SetPrefixPending(true);
    s.view->OnChar('r');  // other schemes: only clears the flag
    EXPECT_EQ(s.Sjis(), "ab\ncd\n");
    s.view->OnModifierKey(true, false, false);
    s.view->OnModifierKey(false, true, true);
    EXPECT_EQ(s.host.modifierLabels, std::vector<int>{1});
}

}  // namespace
}  // namespace qz::testing

namespace qz::testing {
namespace {

TEST(SelectionSearch, ALoneLeadByteAtTheEndOfTheTextEndsTheSearch) {
    ResetSettings();
    ViewScript s("‸abc\n");
    // A file may end in a lone lead byte; the search must still come to an end.
    s.doc->Store().InsertText(5, "\x82", 1, 0);
    s.view->StartCommandSelection();
    s.view->SelectionCharSearch('z');
    EXPECT_EQ(s.view->CaretOffset(), 1u);
    s.view->SelectionCharSearch('c');
    EXPECT_EQ(s.view->CaretOffset(), 3u);
}

}  // namespace
}  // namespace qz::testing
