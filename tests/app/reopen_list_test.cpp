// The reopen list of a run: appends with the marks as they are, reopening
// in order with a deleted file among the entries, a damaged stamp, the marks
// restored by "MarkRestore", and the marks kept in "MarkJump".
#include <gtest/gtest.h>

#include "app/reopen_list.h"
#include "document/file_test_util.h"
#include "lang/jump_stack.h"

namespace qz::test {
namespace {

struct Opened {
    std::string path;
    int code;
    uint32_t line;
    bool operator==(const Opened&) const = default;
};

class RecordingReopen : public ReopenHost {
public:
    std::vector<Opened> opened;
    bool OpenForReopen(const std::string& path, int code, uint32_t line) override {
        if (!FileExists(path)) return false;
        opened.push_back({path, code, line});
        return true;
    }
};

class ReopenTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        savedMarks_ = TheMarks();
        TheMarks().Clear();
    }
    void TearDown() override {
        TheMarks() = savedMarks_;
        FileTest::TearDown();
    }
    std::string File() { return Path("SAVE.DAT"); }

    NumberedMarks savedMarks_;
    RecordingReopen reopen_;
};

TEST_F(ReopenTest, AFileSavedThreeTimesIsListedThreeTimesInOrder) {
    WriteWholeFile(Path("a.c"), "a");
    WriteWholeFile(Path("b.c"), "b");
    {
        ReopenList run(box_, File());
        run.Append(Path("a.c"), 1, 3);
        run.Append(Path("b.c"), 2, 1);
        run.Append(Path("a.c"), 1, 9);
        run.Append(Path("a.c"), 3, 20);
    }
    ReopenList next(box_, File());
    next.Reopen(reopen_);
    EXPECT_EQ(reopen_.opened, (std::vector<Opened>{
                                {Path("a.c"), 1, 3}, {Path("b.c"), 2, 1}, {Path("a.c"), 1, 9}, {Path("a.c"), 3, 20}}));
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(ReopenTest, ADeletedFileIsReportedAndTheRestStillOpen) {
    WriteWholeFile(Path("a.c"), "a");
    WriteWholeFile(Path("c.c"), "c");
    ReopenList run(box_, File());
    run.Append(Path("a.c"), 1, 1);
    run.Append(Path("gone.c"), 1, 1);
    run.Append(Path("c.c"), 1, 1);
    run.Reopen(reopen_);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "ファイルが開けませんでした\n" + Path("gone.c"));
    EXPECT_EQ(box_.shown[0].caption, "ファイル開く");
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
    EXPECT_EQ(reopen_.opened, (std::vector<Opened>{{Path("a.c"), 1, 1}, {Path("c.c"), 1, 1}}));
}

TEST_F(ReopenTest, ADamagedStampIsReportedAndNothingOpens) {
    WriteWholeFile(Path("a.c"), "a");
    ReopenList(box_, File()).Append(Path("a.c"), 1, 1);
    std::string bytes = ReadWholeFile(File());
    bytes[5] = '9';
    WriteWholeFile(File(), bytes);
    ReopenList(box_, File()).Reopen(reopen_);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "'SAVE.DT'が壊れているかファイル版数が違うため読めません");
    EXPECT_EQ(box_.shown[0].caption, File());
    EXPECT_TRUE(reopen_.opened.empty());
}

TEST_F(ReopenTest, NoFileOpensNothingAndSaysNothing) {
    ReopenList(box_, File()).Reopen(reopen_);
    EXPECT_TRUE(reopen_.opened.empty());
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(ReopenTest, AnUnknownCodeIsDetectedAndLineZeroIsTheFirst) {
    WriteWholeFile(Path("a.c"), "a");
    SaveDatWriter(File()).Append({}, {7, 0, Path("a.c")});
    ReopenList(box_, File()).Reopen(reopen_);
    EXPECT_EQ(reopen_.opened, (std::vector<Opened>{{Path("a.c"), 0, 1}}));
}

TEST_F(ReopenTest, AFailedAppendIsReportedWithTheFileAsCaption) {
    ReopenList run(box_, Path("missing/SAVE.DAT"));
    run.Append(Path("a.c"), 1, 1);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "ファイルが作成できませんでした");
    EXPECT_EQ(box_.shown[0].caption, Path("missing/SAVE.DAT"));
}

TEST_F(ReopenTest, TheMarksAreWrittenAsTheyAreAndComeBackWithBitOne) {
    int view = 0;
    TheMarks().marks[2] = {1, "/src/m.c", &view, 42};
    ReopenList run(box_, File());
    run.Append(Path("a.c"), 1, 1);
    TheMarks().marks[5] = {1, "/src/n.c", nullptr, 7};
    run.Append(Path("a.c"), 1, 1);  // the marks of the second append count

    const std::array<JumpPlace, kNumberedMarks> written = TheMarks().marks;
    for (int restore : {0, 1, 2, 3}) {
        TheMarks().Clear();
        Env().MarkRestore = restore;
        ReopenList(box_, File()).Reopen(reopen_);
        if (restore & 2) {
            for (int i = 0; i < kNumberedMarks; ++i) {
                EXPECT_EQ(TheMarks().marks[i].used, written[i].used) << i;
                EXPECT_EQ(TheMarks().marks[i].fileName, written[i].fileName) << i;
                EXPECT_EQ(TheMarks().marks[i].line, written[i].line) << i;
                // A window of an earlier run is no window.
                EXPECT_EQ(TheMarks().marks[i].viewWindow, nullptr) << i;
            }
        } else {
            EXPECT_EQ(TheMarks().marks, NumberedMarks().marks) << restore;
        }
    }
}

TEST_F(ReopenTest, MarkJumpIsReadAtTheStartOnlyWithBitZero) {
    Settings s;
    s.marks[0] = {1, "/src/a.c", 12};
    s.marks[1] = {0, "", 1};
    for (int restore : {0, 1, 2, 3}) {
        TheMarks().Clear();
        s.env.MarkRestore = restore;
        RestoreMarksAtStart(s);
        EXPECT_EQ(TheMarks().marks[0].used, restore & 1 ? 1 : 0) << restore;
        if (restore & 1) {
            EXPECT_EQ(TheMarks().marks[0], (JumpPlace{1, "/src/a.c", nullptr, 12}));
        }
    }
    // Written back as they are now: a cleared mark is empty with line 1.
    TheMarks().marks[0] = {};
    TheMarks().marks[3] = {1, "/src/d.c", nullptr, 4};
    StoreMarks(s);
    EXPECT_EQ(s.marks[0], (MarkEntry{0, "", 1}));
    EXPECT_EQ(s.marks[3], (MarkEntry{1, "/src/d.c", 4}));
}

}  // namespace
}  // namespace qz::test
