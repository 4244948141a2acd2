// Changes made by other programs: one question per change, the reload on Yes,
// the failed reload, and the question a save asks before it would overwrite
// a change the periodic check has not reported yet.
#include "file_test_util.h"

namespace qz::test {
namespace {

constexpr const char* kQuestion = "このファイルは他のエディタで変更されています。再ロードしますか？";

class ChangeTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        WriteWholeFile(Path("x.c"), "first\n");
        SetFileTime(Path("x.c"), 1000);
        ASSERT_EQ(io_.Load(doc_, Path("x.c")), 0);
    }
    void ChangeOutside(const std::string& text, long time) {
        WriteWholeFile(Path("x.c"), text);
        SetFileTime(Path("x.c"), time);
    }
    CQzedDoc doc_;
};

TEST_F(ChangeTest, UnchangedFileAsksNothing) {
    io_.CheckExternalChange(doc_, Path("x.c"));
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(ChangeTest, OneQuestionPerChange) {
    ChangeOutside("second\n", 2000);
    box_.answers = {MbResult::No};
    io_.CheckExternalChange(doc_, Path("x.c"));
    io_.CheckExternalChange(doc_, Path("x.c"));  // the timer and the activation
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, kQuestion);
    EXPECT_EQ(box_.shown[0].caption, Path("x.c"));
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Question);
    EXPECT_EQ(box_.shown[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(TextOf(doc_), "first\n");

    ChangeOutside("third\n", 3000);
    box_.answers = {MbResult::No};
    io_.CheckExternalChange(doc_, Path("x.c"));
    EXPECT_EQ(box_.shown.size(), 2u);
}

TEST_F(ChangeTest, OwnSaveIsNotAnOutsideChange) {
    ReplaceText(doc_, "mine\n");
    ASSERT_EQ(io_.Save(doc_, Path("x.c")), 1);
    io_.CheckExternalChange(doc_, Path("x.c"));
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(ChangeTest, YesReloadsAndResetsTheViews) {
    Env().ExclusiveMode = 1;
    ReplaceText(doc_, "edited here\n");
    ChangeOutside("from outside\n", 2000);
    io_.CheckExternalChange(doc_, Path("x.c"));
    EXPECT_EQ(host_.reopens, 1);
    EXPECT_EQ(host_.resets, 1);
    EXPECT_EQ(host_.closes, 0);
    EXPECT_EQ(TextOf(doc_), "from outside\n");
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(doc_.Undo().Count(), 0u);
    EXPECT_TRUE(doc_.File().loaded);
    EXPECT_TRUE(doc_.File().lock.Held());
    EXPECT_EQ(doc_.File().fileTime, 2000LL * 1000000000LL);
}

TEST_F(ChangeTest, FailedReloadShowsItsMessageAndClosesTheFrames) {
    ChangeOutside("from outside\n", 2000);
    host_.failReopen = true;
    io_.CheckExternalChange(doc_, Path("x.c"));
    ASSERT_EQ(box_.shown.size(), 2u);
    EXPECT_EQ(box_.shown[1].text, "ファイルの再読み込みに失敗しました");
    EXPECT_EQ(box_.shown[1].icon, MbIcon::Stop);
    EXPECT_EQ(host_.closes, 1);
    EXPECT_EQ(host_.resets, 0);
    EXPECT_FALSE(doc_.File().loaded);
}

TEST_F(ChangeTest, WithoutAHostTheReloadIsAPlainLoad) {
    FileIo bare(box_);
    ChangeOutside("from outside\n", 2000);
    bare.CheckExternalChange(doc_, Path("x.c"));
    EXPECT_EQ(TextOf(doc_), "from outside\n");
}

TEST_F(ChangeTest, SpecialDocumentsAndVanishedFilesAreSkipped) {
    ChangeOutside("second\n", 2000);
    doc_.File().special = true;
    io_.CheckExternalChange(doc_, Path("x.c"));
    doc_.File().special = false;
    io_.CheckExternalChange(doc_, Path("gone.c"));
    EXPECT_TRUE(box_.shown.empty());
}

// ------------------------------------------------------------------ saving over an outside change

constexpr const char* kOverwrite = "このファイルは他のエディタで変更されています。上書き保存しますか？";

TEST_F(ChangeTest, SaveOverANewerFileAsksAndNoWritesNothing) {
    ReplaceText(doc_, "mine\n");
    ChangeOutside("theirs\n", 2000);
    box_.answers = {MbResult::No};
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, kOverwrite);
    EXPECT_EQ(box_.shown[0].caption, Path("x.c"));
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Question);
    EXPECT_EQ(box_.shown[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "theirs\n");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"x.c"}));  // no backup either
    EXPECT_TRUE(doc_.IsModified());

    // Yes overwrites, keeping their version as the backup; the next save is
    // ours alone and asks nothing.
    box_.answers = {MbResult::Yes};
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "mine\n");
    EXPECT_EQ(ReadWholeFile(Path("x.BAK")), "theirs\n");
    ReplaceText(doc_, "mine again\n");
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 1);
    EXPECT_EQ(box_.shown.size(), 2u);
}

TEST_F(ChangeTest, SaveNoticesASizeChangeUnderTheSameTime) {
    // A program that puts the old time back (a copy that keeps times).
    ChangeOutside("a longer text\n", 1000);
    box_.answers = {MbResult::No};
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, kOverwrite);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "a longer text\n");
}

TEST_F(ChangeTest, SaveAfterTheReloadQuestionWasDeclinedAsksNoMore) {
    ChangeOutside("theirs\n", 2000);
    box_.answers = {MbResult::No};
    io_.CheckExternalChange(doc_, Path("x.c"));
    ReplaceText(doc_, "mine\n");
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 1);
    EXPECT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "mine\n");
}

TEST_F(ChangeTest, SaveOverAFileThatAppearedMeanwhileAsks) {
    CQzedDoc fresh;
    ASSERT_EQ(io_.Load(fresh, Path("new.c")), 0);  // not there yet: empty text
    ReplaceText(fresh, "mine\n");
    WriteWholeFile(Path("new.c"), "theirs\n");
    box_.answers = {MbResult::No};
    EXPECT_EQ(io_.Save(fresh, Path("new.c")), 0);
    EXPECT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(ReadWholeFile(Path("new.c")), "theirs\n");
    // A special document has no file of its own to compare with.
    fresh.File().special = true;
    EXPECT_EQ(io_.Save(fresh, Path("new.c")), 1);
    EXPECT_EQ(box_.shown.size(), 1u);
}

}  // namespace
}  // namespace qz::test
