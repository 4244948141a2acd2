// Undo and redo commands, the command selection with stream cut, copy and
// paste, and the box commands through a fake clipboard.
#include <gtest/gtest.h>

#include "view/fake_clipboard.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

class Clip : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        ClipboardKind() = kClipNone;
    }
    fakes::FakeClipboard clip;
    ViewScript& Make(ViewScript& s) {
        s.view->SetClipboard(&clip);
        return s;
    }
    static std::string Sj(const std::string& u) { return Utf8ToSjis(u); }
};

// ------------------------------------------------------------------ undo and redo

TEST_F(Clip, UndoAfterSaveHasNothingToUndo) {
    ViewScript s("ab‸\n");
    s.Type("x");
    s.doc->ClearUndo();  // what a save does
    s.view->UndoCommand();
    ASSERT_NE(s.host.LastMessage(), nullptr);
    EXPECT_EQ(s.host.LastMessage()->text, "これ以上はアンドゥできません");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error);
    EXPECT_EQ(s.host.beeps, 1);
    EXPECT_EQ(s.Text(), "abx‸\n");
}

TEST_F(Clip, UndoPutsTheCaretBackAndRedoAfterAnEditHasNothing) {
    ViewScript s("ab‸cd\n");
    s.Type("x");
    s.Run("end");
    s.view->UndoCommand();
    EXPECT_EQ(s.Text(), "ab‸cd\n");
    s.view->RedoCommand();
    EXPECT_EQ(s.Text(), "ab‸xcd\n");
    s.view->UndoCommand();
    s.Type("y");
    s.view->RedoCommand();
    EXPECT_EQ(s.host.LastMessage()->text, "この以上はリドゥできません");
    EXPECT_EQ(s.Text(), "aby‸cd\n");
    EXPECT_EQ(s.log.entries.back(), (LogEntry{kLogCommand, 68, 0}));
}

TEST_F(Clip, OverflowWithASmallRingThenAFreshHistory) {
    TheSettings().Type(1).Undo = 1;
    std::string text(2000, 'a');
    text += "\n";
    ViewScript s("‸" + text);
    s.Run("all del");
    EXPECT_EQ(s.Sjis(), "");
    s.view->UndoCommand();
    ASSERT_EQ(s.host.boxes.shown.size(), 1u);
    EXPECT_EQ(s.host.boxes.shown[0].text, "UNDO記憶ﾊﾞｯﾌｧ不足か処理の制限を超えているためUNDOできません");
    EXPECT_EQ(s.host.boxes.shown[0].caption, "Ｕｎｄｏ");
    s.view->RedoCommand();
    EXPECT_EQ(s.host.boxes.shown[1].caption, "Ｒｅｄｏ");
    s.Type("q");
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "");
    EXPECT_EQ(s.host.boxes.shown.size(), 2u);
}

TEST_F(Clip, UndoOnAWriteProtectedDocumentIsRefused) {
    ViewScript s("ab‸\n");
    s.Type("x");
    s.doc->SetReadOnly(true);
    s.view->UndoCommand();
    EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です");
    EXPECT_EQ(s.Sjis(), "abx\n");
}

// ------------------------------------------------------------------ stream clipboard

TEST_F(Clip, CutTwoLinesAndPasteThemBack) {
    ViewScript s("‸one\ntwo\nthree\n");
    Make(s);
    s.view->StartCommandSelection();
    EXPECT_TRUE(s.view->CommandSelectionActive());
    EXPECT_EQ(s.host.LastMessage()->text, "範囲指定中");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Prompt);
    s.Run("down down");
    s.view->Cut();
    EXPECT_EQ(clip.text, "one\r\ntwo\r\n");
    EXPECT_EQ(ClipboardKind(), kClipStream);
    EXPECT_EQ(s.Text(), "‸three\n");
    EXPECT_FALSE(s.view->CommandSelectionActive());
    s.view->Paste();
    EXPECT_EQ(s.Text(), "one\ntwo\n‸three\n");
    EXPECT_EQ(clip.opens, clip.closes);
}

TEST_F(Clip, RepeatingStartSelectionTakesWholeRows) {
    ViewScript s("ab‸cd\nef\n");
    Make(s);
    s.view->StartCommandSelection();
    s.view->StartCommandSelection();
    EXPECT_EQ(s.view->CaretOffset(), 1u);
    s.Run("down");
    s.view->Copy();
    EXPECT_EQ(clip.text, "abcd\r\n");
    EXPECT_EQ(s.Sjis(), "abcd\nef\n");
}

TEST_F(Clip, TypingDuringTheSelectionJumpsToTheCharacter) {
    ViewScript s("‸a漢b;c;\n");
    Make(s);
    s.view->StartCommandSelection();
    s.Type(";");
    EXPECT_EQ(s.Text(), "a漢b‸;c;\n");
    s.Type("z");  // not there: nothing
    EXPECT_EQ(s.Text(), "a漢b‸;c;\n");
    s.view->Copy();
    EXPECT_EQ(clip.text, Sj("a漢b"));
    EXPECT_EQ(s.log.entries[1], (LogEntry{kLogCommand, 51, ';'}));
}

TEST_F(Clip, ClipboardFailuresKeepTheTextAndEndTheSelection) {
    ViewScript s("‸abc\n");
    Make(s);
    clip.failOpen = true;
    s.Run("sel-right");
    s.view->Cut();
    ASSERT_EQ(s.host.boxes.shown.size(), 1u);
    EXPECT_EQ(s.host.boxes.shown[0].text, "クリップボードが別アプリケーションで使用されています");
    EXPECT_EQ(s.host.boxes.shown[0].caption, "PF07:削除");
    EXPECT_EQ(s.Sjis(), "abc\n");
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    clip.failOpen = false;
    clip.failSet = true;
    s.Run("sel-right");
    s.view->Copy();
    EXPECT_EQ(s.host.boxes.shown[1].text, "クリップボードに確定データを登録できませんでした");
    EXPECT_EQ(s.host.boxes.shown[1].caption, "PF08:確定");
}

TEST_F(Clip, PasteReplacesAStreamSelectionAndIsRefusedOnABox) {
    ViewScript s("‸abc\n");
    Make(s);
    clip.Foreign("X\r\nY");
    s.Run("sel-right");
    s.view->Paste();
    EXPECT_EQ(s.Text(), "X\nY‸bc\n");
    s.Run("box-right");
    s.view->Paste();
    EXPECT_EQ(s.host.beeps, 1);
    EXPECT_EQ(s.Sjis(), "X\nYbc\n");
}

TEST_F(Clip, PastedCharactersWithoutAShiftJisFormAreCounted) {
    ViewScript s("‸abc\n");
    Make(s);
    // Two characters of another program's text became "・" on the way in.
    clip.Foreign(Sj("x・y・"), 2);
    s.view->Paste();
    EXPECT_EQ(s.Sjis(), Sj("x・y・abc\n"));
    ASSERT_NE(s.host.LastMessage(), nullptr);
    EXPECT_EQ(s.host.LastMessage()->text, "シフトJISで表せない文字2個を「・」に置き換えました");
    EXPECT_EQ(s.host.LastMessage()->kind, MessageKind::Error);
    EXPECT_EQ(s.host.beeps, 1);
    // The box pastes say so too; a clean paste says nothing.
    s.view->BoxInsert();
    EXPECT_EQ(s.host.beeps, 2);
    clip.Foreign("z");
    s.host.messages.clear();
    s.view->Paste();
    EXPECT_EQ(s.host.beeps, 2);
    EXPECT_EQ(s.host.LastMessage(), nullptr);
}

TEST_F(Clip, PasteIntoAUtf8DocumentKeepsOneFormPerCode) {
    ViewScript s("‸a〜\n");
    Make(s);
    s.doc->File().kanjiCode = kCodeUtf8;
    s.doc->File().utf8Forms.Set(1, Utf8Forms::kOther);  // the file has the wave dash U+301C
    // Another program's fullwidth tilde U+FF5E is the same character in the
    // other form: stream and box pastes are refused alike.
    clip.Foreign(Sj("～"));
    clip.foreignForms.Set(1, Utf8Forms::kUsual);
    s.view->Paste();
    s.view->BoxInsert();
    EXPECT_EQ(s.Sjis(), "a" + Sj("〜") + "\n");
    ASSERT_NE(s.host.LastMessage(), nullptr);
    EXPECT_EQ(s.host.LastMessage()->text,
              "「～」(U+FF5E)は、このファイルでは「〜」(U+301C)と書かれる文字のため入力できません");
    EXPECT_EQ(s.host.beeps, 2);
    // The same form goes in; so does this program's own text, which has none.
    clip.foreignForms.Set(1, Utf8Forms::kOther);
    s.view->Paste();
    clip.Empty();
    clip.SetText("b");
    s.view->Paste();
    EXPECT_EQ(s.Sjis(), Sj("〜") + "ba" + Sj("〜") + "\n");
}

TEST_F(Clip, WriteProtectionRefusesCutButNotCopy) {
    ViewScript s("‸abc\n");
    Make(s);
    s.doc->SetReadOnly(true);
    s.Run("sel-right");
    s.view->Cut();
    EXPECT_EQ(s.host.LastMessage()->text, "このファイルは書き込み禁止です");
    s.Run("sel-right");
    s.view->Copy();
    EXPECT_EQ(clip.text, "b");  // the refused cut left the caret after "a"
}

// ------------------------------------------------------------------ boxes

TEST_F(Clip, BoxYankThroughTheTwoPointPrompt) {
    ViewScript s("a‸bcd\nefgh\n");
    Make(s);
    s.view->BoxYank();
    EXPECT_EQ(s.view->BoxPromptMode(), 32);
    EXPECT_EQ(s.host.LastMessage()->text, "矩形Ｙａｎｋ範囲指定（どこから？）  <ESC>:中断  <改行>:確定");
    s.Run("enter");
    EXPECT_EQ(s.view->BoxPromptMode(), 33);
    EXPECT_EQ(s.host.LastMessage()->text, "（どこまで？）  <ESC>:中断  <改行>:確定");
    s.Run("down right right enter");
    EXPECT_EQ(s.view->BoxPromptMode(), 0);
    EXPECT_EQ(clip.text, "bc\r\nfg\r\n");
    EXPECT_EQ(ClipboardKind(), kClipBox);
    EXPECT_EQ(s.Sjis(), "abcd\nefgh\n");
}

TEST_F(Clip, SecondPointLeftOfTheFirstCutsNothing) {
    ViewScript s("ab‸cd\nefgh\n");
    Make(s);
    s.view->BoxCut();
    s.Run("enter down left enter");
    EXPECT_EQ(s.view->BoxPromptMode(), 0);
    EXPECT_FALSE(clip.hasText);
    EXPECT_EQ(s.Sjis(), "abcd\nefgh\n");
}

TEST_F(Clip, BoxCutLeavesADoubleByteCharacterItsLeftEdgeSplits) {
    // Columns: "a" 1, the kanji 2-3, "b" 4; the box is columns 3 and 4.
    ViewScript s("a漢b\nxyzw\n");
    Make(s);
    s.view->SetCaret(2, 3);  // row 2, column 3
    s.Run("box-up box-right box-right");
    s.view->Cut();
    EXPECT_EQ(clip.text, "b\r\nzw\r\n");
    EXPECT_EQ(s.Sjis(), Sj("a漢\nxy\n"));
}

TEST_F(Clip, BoxOverAShortRowGivesAnEmptyLine) {
    ViewScript s("abcd\na\nabcd\n");
    Make(s);
    s.view->SetCaret(1, 2);
    s.Run("box-down box-down box-right box-right");
    s.view->Cut();
    EXPECT_EQ(clip.text, "bc\r\n\r\nbc\r\n");
    EXPECT_EQ(s.Sjis(), "ad\na\nad\n");
}

TEST_F(Clip, BoxInsertPastTheLastRowAddsRows) {
    ViewScript s("ab\ncd‸");
    Make(s);
    clip.Foreign("1\r\n2\r\n3\r\n");
    s.view->SetCaret(2, 2);
    s.view->BoxInsert();
    EXPECT_EQ(s.Sjis(), "ab\nc1d\n 2\n 3");
    EXPECT_EQ(s.view->CaretRow(), 2u);
}

TEST_F(Clip, BoxPasteOverwritesAndPadsShortRows) {
    ViewScript s("abcdef\nx\n漢字ab\n");
    Make(s);
    clip.Foreign("XY\r\nZW\r\nQ\r\n");
    s.view->SetCaret(1, 3);
    s.view->BoxPaste();
    // Row 3: column 3 starts the second kanji; one column of it is covered,
    // so the whole character goes.
    EXPECT_EQ(s.Sjis(), Sj("abXYef\nx ZW\n漢Qab\n"));
    EXPECT_EQ(s.view->CaretOffset(), 3u);
}

TEST_F(Clip, PasteModeInsertsABoxOnlyForThisProgramsBox) {
    TheSettings().env.PasteMode = 1;
    {
        ViewScript s("ab\ncd\n");
        Make(s);
        s.view->SetCaret(1, 1);
        s.Run("box-down box-right");
        s.view->Copy();
        s.view->SetCaret(1, 3);
        s.view->Paste();
        EXPECT_EQ(s.Sjis(), "aba\ncdc\n");
    }
    {
        ViewScript s("ab\ncd\n");
        Make(s);
        s.Run("sel-down");
        s.view->Copy();
        s.view->SetCaret(1, 3);
        s.view->Paste();
        EXPECT_EQ(s.Sjis(), "abab\n\ncd\n");
    }
    {
        ViewScript s("ab\ncd\n");
        Make(s);
        ClipboardKind() = kClipBox;
        clip.Foreign("1\r\n2\r\n");
        s.view->SetCaret(1, 3);
        s.view->Paste();
        EXPECT_EQ(s.Sjis(), "ab1\n2\n\ncd\n");
    }
}

struct Corners {
    uint32_t r1 = 0, r2 = 0;
    int c1 = 0, c2 = 0;
};
Corners lastCorners;

TEST_F(Clip, TheCalculationPromptHandsItsBoxToItsHandler) {
    ViewScript s("‸12 34\n56 78\n");
    Make(s);
    lastCorners = Corners();
    s.view->SetBoxPromptHandler(64, [](CQzedView&, uint32_t r1, int c1, uint32_t r2, int c2) {
        lastCorners = Corners{r1, r2, c1, c2};
    });
    s.view->StartBoxPrompt(64, "表計算");
    s.Run("enter");
    EXPECT_EQ(s.view->BoxPromptMode(), 65);
    s.Run("down right right enter");
    EXPECT_EQ(s.view->BoxPromptMode(), 0);
    EXPECT_EQ(lastCorners.r1, 1u);
    EXPECT_EQ(lastCorners.r2, 2u);
    EXPECT_EQ(lastCorners.c1, 1);
    EXPECT_EQ(lastCorners.c2, 3);
    EXPECT_EQ(s.view->BoxText(1, 1, 2, 3), "12\r\n56\r\n");
    EXPECT_FALSE(clip.hasText);
}

TEST_F(Clip, CancelEndsPromptAndSelection) {
    ViewScript s("‸abc\n");
    Make(s);
    s.view->BoxCut();
    s.Run("enter right");
    s.view->CancelCommand();
    EXPECT_EQ(s.view->BoxPromptMode(), 0);
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    EXPECT_EQ(s.host.LastMessage()->text, "");
    s.Run("type:z");
    EXPECT_EQ(s.Sjis(), "azbc\n");
}

}  // namespace
}  // namespace qz::testing
