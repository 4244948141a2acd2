// The document lifecycle: naming, the closing question, re-edit, and the
// code and layout a new name brings.
#include <gtest/gtest.h>

#include "document/doc_naming.h"
#include "document/kanji_code.h"
#include "file_commands_fixture.h"

namespace qz::test {
namespace {

using Lifecycle = FileCommandsTest;

TEST_F(Lifecycle, SetPathNameMovesTheLockAndFreesTheOldEntry) {
    Env().ExclusiveMode = 2;
    WriteWholeFile(Path("b.txt"), "b");
    CQzedDoc& doc = OpenFile("a.txt", "a");
    ASSERT_TRUE(doc.File().lock.Held());
    const int titles = frames_.titles;

    commands_.Lifecycle().SetPathName(doc, Path("b.txt"), false);
    EXPECT_EQ(doc.GetPathName(), Canon("b.txt"));
    EXPECT_EQ(doc.File().lock.Path(), Canon("b.txt"));
    EXPECT_NE(doc.File().fileTime, 0);
    EXPECT_EQ(frames_.freed, std::vector<std::string>{Canon("a.txt")});
    EXPECT_EQ(frames_.titles, titles + 1);

    // A name not on disk holds no lock and no file time.
    commands_.Lifecycle().SetPathName(doc, Path("new.txt"), true);
    EXPECT_FALSE(doc.File().lock.Held());
    EXPECT_EQ(doc.File().fileTime, 0);
    EXPECT_EQ(TheSettings().recentFiles[0], "1 " + Canon("new.txt"));
}

TEST_F(Lifecycle, SaveModifiedAnswers) {
    CQzedDoc& doc = OpenModified("a.txt", "old", "new");
    box_.answers = {MbResult::Cancel, MbResult::No};
    EXPECT_FALSE(commands_.Lifecycle().SaveModified(doc));
    EXPECT_TRUE(commands_.Lifecycle().SaveModified(doc));
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "old");
    ASSERT_EQ(box_.shown.size(), 2u);
    EXPECT_EQ(box_.shown[0].text, "ファイルの内容が変更されていますが保存しますか？");
    EXPECT_EQ(box_.shown[0].caption, Canon("a.txt"));
    EXPECT_EQ(box_.shown[0].buttons, MbButtons::YesNoCancel);

    box_.answers = {MbResult::Yes};
    EXPECT_TRUE(commands_.Lifecycle().SaveModified(doc));
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "new");
    // Unchanged now: no question.
    EXPECT_TRUE(commands_.Lifecycle().SaveModified(doc));
    EXPECT_EQ(box_.shown.size(), 3u);
}

TEST_F(Lifecycle, SaveModifiedYesWithAFailingSaveKeepsTheWindow) {
    OpenUnsavable("a.txt");
    FakeFrame* frame = frames_.open.back();
    box_.answers = {MbResult::Yes};
    EXPECT_FALSE(commands_.Lifecycle().CanCloseFrame(frame));
    EXPECT_TRUE(frame->doc->IsModified());
    EXPECT_TRUE(frames_.IsOpen(frame));
}

TEST_F(Lifecycle, ClosingOneOfTwoWindowsAsksNothing) {
    FakeFrame* first = nullptr;
    CQzedDoc& doc = OpenFile("a.txt", "a", &first);
    frames_.AddFrame(doc);
    ReplaceText(doc, "b");
    EXPECT_TRUE(commands_.Lifecycle().CanCloseFrame(first));
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(Lifecycle, ShellCommandRefusesToClose) {
    CQzedDoc& doc = OpenFile("a.txt", "a");
    doc.File().special = true;
    frames_.shellRunning = true;
    EXPECT_FALSE(commands_.Lifecycle().SaveModified(doc));
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "シェルコマンド実行中のため終了できません");
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
}

TEST_F(Lifecycle, ReEditAsksAndReadsTheFileAgain) {
    CQzedDoc& doc = OpenModified("a.txt", "disk", "edited");
    box_.answers = {MbResult::No};
    EXPECT_FALSE(commands_.ReEdit());
    EXPECT_EQ(TextOf(doc), "edited");

    box_.answers = {MbResult::Yes};
    EXPECT_TRUE(commands_.ReEdit());
    EXPECT_EQ(box_.shown.back().text, "このファイルに変更点がありますが再編集してよろしいですか？");
    EXPECT_EQ(TextOf(doc), "disk");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Undo().Count(), 0u);
    EXPECT_EQ(frames_.resets, 1);
    // The text given up takes its temporary copy along.
    EXPECT_EQ(frames_.freed, std::vector<std::string>{Canon("a.txt")});
}

TEST_F(Lifecycle, ReEditFailureClosesEveryWindowOfTheDocument) {
    FakeFrame* other = nullptr;
    OpenFile("other.txt", "o", &other);
    CQzedDoc& doc = OpenFile("a.txt", "a");
    frames_.Activate(frames_.AddFrame(doc));
    ::unlink(Path("a.txt").c_str());
    ::mkdir(Path("a.txt").c_str(), 0700);

    EXPECT_FALSE(commands_.ReEdit());
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "ファイルの再編集に失敗しました（元ファイルに影響はありません）");
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
    EXPECT_EQ(frames_.open, std::vector<FakeFrame*>{other});
    EXPECT_EQ(frames_.docs.size(), 1u);
}

TEST_F(Lifecycle, ARecoveredCopyBecomesAModifiedDocumentOfItsOriginalPath) {
    Env().ExclusiveMode = 1;
    WriteWholeFile(Path("a.html"), "on disk\n");
    WriteWholeFile(Path("qzmCOPY"), "\xB4\xC1\xBB\xFA recovered\n");  // 漢字 in EUC, LF
    const auto recent = TheSettings().recentFiles;
    CQzedDoc& doc = frames_.NewDoc();
    ASSERT_TRUE(commands_.Lifecycle().OpenRecovered(doc, Path("qzmCOPY"), Path("a.html")));
    EXPECT_EQ(TextOf(doc), "\x8A\xBF\x8E\x9A recovered\n");
    EXPECT_EQ(doc.File().Code(), kCodeEuc);
    EXPECT_EQ(doc.File().lineEnd, kLineLf);
    EXPECT_EQ(doc.GetPathName(), Canon("a.html"));
    EXPECT_EQ(doc.GetFileType(), ChooseFileType(TheSettings(), Canon("a.html")));
    EXPECT_TRUE(doc.IsModified());
    // The lock is the original's; the copy's entry is not given up, nor is
    // the copy a recent file.
    EXPECT_EQ(doc.File().lock.Path(), Canon("a.html"));
    EXPECT_TRUE(frames_.freed.empty());
    EXPECT_EQ(TheSettings().recentFiles, recent);
    // Saving it back asks nothing and writes the recovered text.
    frames_.AddFrame(doc);
    EXPECT_TRUE(commands_.Save());
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_EQ(ReadWholeFile(Path("a.html")), "\xB4\xC1\xBB\xFA recovered\n");
    EXPECT_EQ(ReadWholeFile(Path("qzmCOPY")), "\xB4\xC1\xBB\xFA recovered\n");
}

// The save-as list index chooses code and line end; 0 keeps those of the
// document (here EUC with LF).
class SaveAsCode : public FileCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(SaveAsCode, WritesTheChosenBytes) {
    const char* expected[] = {
        "\xA4\xA2\nb",
        "\x82\xA0\r\nb",
        "\x82\xA0\nb",
        "\xA4\xA2\r\nb",
        "\xA4\xA2\nb",
        "\x1B$B$\"\x1B(B\r\nb",
        "\x1B$B$\"\x1B(B\nb",
    };
    CQzedDoc& doc = OpenFile("in.txt", "\xA4\xA2\nb");
    doc.File().kanjiCode = kCodeEuc;
    doc.File().lineEnd = kLineLf;
    ReplaceText(doc, "\x82\xA0\nb");
    AnswerDialog("out.txt", GetParam());
    EXPECT_TRUE(commands_.SaveAs());
    EXPECT_EQ(ReadWholeFile(Path("out.txt")), expected[GetParam()]);
    EXPECT_EQ(doc.GetPathName(), Canon("out.txt"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadWholeFile(Path("in.txt")), "\xA4\xA2\nb");
}

INSTANTIATE_TEST_SUITE_P(EveryIndex, SaveAsCode, ::testing::Range(0, 7));

// "RightTurn" of the new type wraps a lone view at its width.
class RightTurn : public FileCommandsTest {
protected:
    void SetUp() override {
        FileCommandsTest::SetUp();
        TypeSettings& html = TheSettings().Type(3);
        html.RightTurn = 1;
        html.WidthColumn = 2;
        html.LineDisp = 1;
    }
};

TEST_F(RightTurn, OneViewWrapsAtTheWindowWidth) {
    FakeFrame* frame = nullptr;
    CQzedDoc& doc = OpenFile("a.txt", std::string(100, 'x'), &frame);
    frame->metrics = {800, 8};
    const uint32_t rows = doc.Store().GetRowCount();
    AnswerDialog("a.html", 0);
    EXPECT_TRUE(commands_.SaveAs());
    EXPECT_EQ(doc.GetFileType(), 3);
    EXPECT_TRUE(doc.GetWrapMode() & kWrapWindow);
    EXPECT_EQ(doc.GetWrapColumn(), 800 / 10 - 8 - 1);
    EXPECT_EQ(doc.GetWrapWidth(), 71);
    EXPECT_EQ(doc.Store().GetRowCount(), rows + 1);
    EXPECT_EQ(frames_.relayouts, 1);

    TheSettings().Type(1).RightTurn = 1;
    TheSettings().Type(1).LineDisp = 0;
    AnswerDialog("a.c", 0);
    EXPECT_TRUE(commands_.SaveAs());
    EXPECT_EQ(doc.GetWrapColumn(), 800 / 8 - 1);
}

TEST_F(RightTurn, TwoViewsTurnWrappingOff) {
    FakeFrame* frame = nullptr;
    CQzedDoc& doc = OpenFile("a.txt", std::string(100, 'x'), &frame);
    doc.SetWrapColumn(30);
    doc.SetWrapMode(kWrapWindow);
    frame->views = 2;
    AnswerDialog("a.html", 0);
    EXPECT_TRUE(commands_.SaveAs());
    EXPECT_FALSE(doc.GetWrapMode() & kWrapWindow);
    EXPECT_EQ(doc.GetWrapColumn(), 0);
    EXPECT_EQ(doc.GetWrapWidth(), TheSettings().Type(3).Columns);
}

TEST_F(RightTurn, SameTypeKeepsTheLayout) {
    CQzedDoc& doc = OpenFile("a.txt", "x");
    AnswerDialog("b.txt", 0);
    EXPECT_TRUE(commands_.SaveAs());
    EXPECT_FALSE(doc.GetWrapMode() & kWrapWindow);
    EXPECT_EQ(frames_.relayouts, 0);
}

}  // namespace
}  // namespace qz::test
