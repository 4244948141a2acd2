// Changes made by other programs: one question per change, the reload on Yes,
// and the failed reload.
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

}  // namespace
}  // namespace qz::test
