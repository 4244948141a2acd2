// The file menu's save and close commands over several windows.
#include <gtest/gtest.h>

#include "file_commands_fixture.h"

namespace qz::test {
namespace {

using Commands = FileCommandsTest;

TEST_F(Commands, CloseUnchangedLeavesOnlyTheModifiedMiddleWindow) {
    OpenFile("a.txt", "a");
    FakeFrame* middle = nullptr;
    OpenFile("b.txt", "b", &middle);
    ReplaceText(*middle->doc, "B");
    OpenFile("c.txt", "c");
    EXPECT_TRUE(commands_.Execute(cmd::kFileCloseUnchanged));
    EXPECT_EQ(frames_.open, std::vector<FakeFrame*>{middle});
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_EQ(ReadWholeFile(Path("b.txt")), "b");
}

TEST_F(Commands, RenameToAnotherTypeRelaysOutAndMarksModifiedWithoutWriting) {
    CQzedDoc& doc = OpenFile("a.txt", "x");
    doc.SetReadOnly(true);
    AnswerDialog("a.c", 3);
    EXPECT_TRUE(commands_.Execute(cmd::kFileRename));
    ASSERT_EQ(frames_.dialogs.size(), 1u);
    EXPECT_EQ(frames_.dialogs[0].caption, "ファイル名の変更");
    EXPECT_EQ(frames_.dialogs[0].startPath, Canon("a.txt"));
    EXPECT_EQ(doc.GetPathName(), Canon("a.c"));
    EXPECT_EQ(doc.GetFileType(), 1);
    EXPECT_EQ(doc.GetTabWidth(), TheSettings().Type(1).Tabs);
    EXPECT_EQ(frames_.relayouts, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.IsReadOnly());
    EXPECT_EQ(doc.File().kanjiCode, kCodeEuc);
    EXPECT_FALSE(FileExists(Path("a.c")));
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "x");
}

TEST_F(Commands, CancelledDialogChangesNothing) {
    CQzedDoc& doc = OpenModified("a.txt", "x", "y");
    EXPECT_FALSE(commands_.SaveAs());
    EXPECT_FALSE(commands_.Rename());
    EXPECT_EQ(doc.GetPathName(), Canon("a.txt"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.File().kanjiCode, kCodeSjis);
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "x");
}

TEST_F(Commands, SaveAsksForANameOnlyWhenTheFileIsMissing) {
    CQzedDoc& doc = OpenModified("a.txt", "x", "y");
    EXPECT_TRUE(commands_.Execute(cmd::kFileSave));
    EXPECT_TRUE(frames_.dialogs.empty());
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "y");

    CQzedDoc& fresh = frames_.NewDoc();
    const std::string name = commands_.Lifecycle().NewDocument(fresh, dir_);
    EXPECT_EQ(name, Canon("Text1.txt"));
    frames_.Activate(frames_.AddFrame(fresh));
    ReplaceText(fresh, "new");
    AnswerDialog("named.txt", 0);
    EXPECT_TRUE(commands_.Save());
    EXPECT_EQ(frames_.dialogs.size(), 1u);
    EXPECT_EQ(ReadWholeFile(Path("named.txt")), "new");
    EXPECT_FALSE(FileExists(Path("Text1.txt")));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Commands, SaveAsOverAnotherFileIsNotAnOutsideChange) {
    // The dialog's overwrite prompt has asked; the new name's file is the
    // document's from then on.
    OpenModified("a.txt", "x", "y");
    WriteWholeFile(Path("other.txt"), "someone's");
    AnswerDialog("other.txt", 0);
    EXPECT_TRUE(commands_.SaveAs());
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_EQ(ReadWholeFile(Path("other.txt")), "y");
}

TEST_F(Commands, WriteChangedSkipsSpecialAndStopsAtTheFirstFailure) {
    CQzedDoc& special = OpenModified("s.txt", "s", "S");
    special.File().special = true;
    CQzedDoc& a = OpenModified("a.txt", "a", "A");
    CQzedDoc& bad = OpenUnsavable("bad.txt");
    CQzedDoc& c = OpenModified("c.txt", "c", "C");
    EXPECT_FALSE(commands_.WriteChanged());
    EXPECT_EQ(ReadWholeFile(Path("s.txt")), "s");
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "A");
    EXPECT_TRUE(bad.IsModified());
    EXPECT_TRUE(c.IsModified());
    EXPECT_EQ(ReadWholeFile(Path("c.txt")), "c");
    EXPECT_EQ(frames_.open.size(), 4u);
    EXPECT_FALSE(a.IsModified());
}

TEST_F(Commands, SaveAndCloseKeepsTheWindowWhenTheSaveFails) {
    OpenUnsavable("bad.txt");
    EXPECT_FALSE(commands_.SaveAndClose());
    EXPECT_EQ(frames_.open.size(), 1u);
    EXPECT_TRUE(frames_.open[0]->doc->IsModified());

    OpenModified("a.txt", "a", "A");
    frames_.Activate(frames_.open.back());
    EXPECT_TRUE(commands_.SaveAndClose());
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "A");
    EXPECT_EQ(frames_.open.size(), 1u);
}

TEST_F(Commands, SaveAndCloseAllStopsAtAFailingSaveAndKeepsThatWindow) {
    OpenFile("a.txt", "a");
    CQzedDoc& shared = OpenModified("s.txt", "s", "S");
    frames_.AddFrame(shared);
    FakeFrame* bad = nullptr;
    OpenUnsavable("bad.txt");
    bad = frames_.open.back();
    FakeFrame* last = nullptr;
    OpenModified("c.txt", "c", "C");
    last = frames_.open.back();

    EXPECT_FALSE(commands_.SaveAndCloseAll());
    EXPECT_EQ(ReadWholeFile(Path("s.txt")), "S");
    EXPECT_EQ(frames_.open, (std::vector<FakeFrame*>{bad, last}));
    EXPECT_TRUE(bad->doc->IsModified());
    EXPECT_EQ(ReadWholeFile(Path("c.txt")), "c");
}

TEST_F(Commands, EverySavedOrUnchangedClosedDocumentGoesToTheReopenListOnce) {
    CQzedDoc& modified = OpenModified("m.txt", "m", "M");
    CQzedDoc& shared = OpenFile("s.txt", "s");
    frames_.AddFrame(shared);
    OpenFile("u.txt", "u");
    frames_.Activate(frames_.open.back());
    (void)modified;
    EXPECT_TRUE(commands_.SaveAndCloseAll());
    EXPECT_TRUE(frames_.open.empty());
    // Unchanged documents are not written, but listed: the window order
    // decides the order of the list.
    EXPECT_EQ(frames_.appended, (std::vector<std::string>{Canon("u.txt"), Canon("m.txt"), Canon("s.txt")}));
    EXPECT_EQ(ReadWholeFile(Path("u.txt")), "u");

    // Every save appends, also of a document without changes.
    CQzedDoc& again = OpenFile("u.txt", "u");
    frames_.appended.clear();
    EXPECT_TRUE(commands_.WriteOne());
    ReplaceText(again, "v");
    EXPECT_TRUE(commands_.Save());
    EXPECT_EQ(frames_.appended, (std::vector<std::string>{Canon("u.txt"), Canon("u.txt")}));
}

TEST_F(Commands, QuitAsksForAModifiedDocumentAndSendsQuitWithoutWindows) {
    OpenModified("a.txt", "a", "A");
    box_.answers = {MbResult::Cancel};
    EXPECT_FALSE(commands_.Quit());
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "ファイルに変更点がありますが中止していいですか？");
    EXPECT_EQ(box_.shown[0].caption, "終了確認");
    EXPECT_EQ(frames_.open.size(), 1u);

    box_.answers = {MbResult::Yes};
    EXPECT_TRUE(commands_.Quit());
    EXPECT_TRUE(frames_.open.empty());
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "a");

    EXPECT_TRUE(commands_.Quit());
    EXPECT_EQ(frames_.mainCommands, std::vector<int>{cmd::kMainFrameQuit});
}

TEST_F(Commands, QuitOfOneOfTwoWindowsKeepsTheChanges) {
    CQzedDoc& doc = OpenModified("a.txt", "a", "A");
    frames_.AddFrame(doc);
    EXPECT_TRUE(commands_.Quit());
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(frames_.open.size(), 1u);
}

TEST_F(Commands, QuitAllNoChangesNothingYesClosesEverything) {
    CQzedDoc& a = OpenModified("a.txt", "a", "A");
    OpenFile("b.txt", "b");
    box_.answers = {MbResult::No};
    EXPECT_FALSE(commands_.QuitAll());
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "全てのファイルの編集を中止していいですか？");
    EXPECT_EQ(box_.shown[0].caption, "全ファイル中止");
    EXPECT_EQ(frames_.open.size(), 2u);
    EXPECT_TRUE(a.IsModified());

    box_.answers = {MbResult::Yes};
    EXPECT_TRUE(commands_.QuitAll());
    EXPECT_TRUE(frames_.open.empty());
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "a");
}

TEST_F(Commands, TheLastWindowOfARunningShellStays) {
    CQzedDoc& doc = OpenFile("sh.txt", "");
    doc.File().special = true;
    frames_.shellRunning = true;
    commands_.CloseUnchanged();
    ReplaceText(doc, "output");
    EXPECT_FALSE(commands_.Quit());
    EXPECT_EQ(frames_.open.size(), 1u);
    ASSERT_EQ(box_.shown.size(), 2u);
    EXPECT_EQ(box_.shown[0].text, "シェルコマンド実行中のため終了できません");
    EXPECT_EQ(box_.shown[1].text, box_.shown[0].text);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace qz::test
