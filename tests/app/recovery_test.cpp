// The recovery check at start-up: what dialog 183 shows, and each of its
// answers (cancel, delete, the recovery list, open).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>

#include "app/recovery.h"
#include "document/file_test_util.h"
#include "platform/cp932.h"
#include "platform/paths.h"

namespace qz::test {
namespace {

class ScriptedUi : public RecoveryUi {
public:
    RecoveryChoice answer = RecoveryChoice::Cancel;
    std::vector<RecoveryDialogData> asked;
    RecoveryChoice Ask(const RecoveryDialogData& d) override {
        asked.push_back(d);
        return answer;
    }
};

std::string Stamp(time_t t) {
    struct tm tm {};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y/%m/%d %H:%M:%S", &tm);
    return buf;
}

class RecoveryTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        reg_ = std::make_unique<TempRegister>(dir_);
    }
    // A document with a temporary copy holding text, as a crash leaves it.
    std::string Leftover(const std::string& doc, const std::string& text, long mtime = 1000000000) {
        std::string copy;
        EXPECT_EQ(reg_->EntryFor(Path(doc), copy), 0);
        WriteWholeFile(copy, text);
        SetFileTime(copy, mtime);
        return copy;
    }
    int Run() { return RecoveryAtStart(*reg_, ui_, box_, listPath_, toOpen_); }

    std::unique_ptr<TempRegister> reg_;
    ScriptedUi ui_;
    std::string listPath_;
    std::vector<RecoveredCopy> toOpen_;
};

TEST_F(RecoveryTest, NothingLeftOverAsksNothing) {
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(ui_.asked.empty());
    // Entries whose copies are gone: the register goes, unasked.
    const std::string copy = Leftover("a.txt", "a");
    ::unlink(copy.c_str());
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(ui_.asked.empty());
    EXPECT_FALSE(FileExists(reg_->File()));
}

TEST_F(RecoveryTest, TheDialogListsTimeAndPathOfEveryCopyLeft) {
    Leftover("a.txt", "a", 1000000000);
    const std::string gone = Leftover("gone.txt", "g");
    Leftover("b.txt", "b", 1200000000);
    ::unlink(gone.c_str());
    ui_.answer = RecoveryChoice::Cancel;
    EXPECT_EQ(Run(), -1);
    ASSERT_EQ(ui_.asked.size(), 1u);
    const RecoveryDialogData& d = ui_.asked[0];
    EXPECT_EQ(d.rows, (std::vector<std::string>{Stamp(1000000000) + " " + Path("a.txt"),
                                                Stamp(1200000000) + " " + Path("b.txt")}));
    EXPECT_EQ(d.total, "総数: 002");
    EXPECT_EQ(d.folder, "格納先ﾃﾞｨﾚｸﾄﾘ: " + dir_ + "/TEMP");
    // Cancel keeps everything for the next start.
    EXPECT_TRUE(FileExists(reg_->File()));
    EXPECT_EQ(ListFolder(dir_ + "/TEMP").size(), 2u);
}

TEST_F(RecoveryTest, MoreThanSixtyFourShowSixtyFourAndFullAndDeleteRemovesAll) {
    for (int i = 0; i < 65; ++i) Leftover("f" + std::to_string(i) + ".txt", "x");
    ui_.answer = RecoveryChoice::Delete;
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(ui_.asked.size(), 1u);
    EXPECT_EQ(ui_.asked[0].rows.size(), 64u);
    EXPECT_EQ(ui_.asked[0].total, "総数:FULL");
    EXPECT_TRUE(ListFolder(dir_ + "/TEMP").empty());
    EXPECT_FALSE(FileExists(reg_->File()));
}

TEST_F(RecoveryTest, TheListIsShiftJisWithCrLfAndTheCopiesStay) {
    const std::string a = Leftover("a.txt", "a");
    const std::string b = Leftover("漢字.txt", "b");
    ui_.answer = RecoveryChoice::MakeList;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(listPath_, dir_ + "/TEMP/復旧リスト");
    std::string want;
    for (const char* line : {"#", "# ファイル復旧リスト", "#", "# 下記の対応表を元に手動で復旧してください。",
                             "# なお、必要なくなったﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙは手動で削除して下さい。", "#",
                             "ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ名   ｵﾘｼﾞﾅﾙﾌｧｲﾙ名"})
        want += Utf8ToSjis(line) + "\r\n";
    want += FileNameOf(a) + std::string(16 - FileNameOf(a).size(), ' ') + " " + Path("a.txt") + "\r\n";
    want += FileNameOf(b) + std::string(16 - FileNameOf(b).size(), ' ') + " " + Utf8ToSjis(Path("漢字.txt")) + "\r\n";
    EXPECT_EQ(ReadWholeFile(listPath_), want);
    EXPECT_FALSE(FileExists(reg_->File()));
    EXPECT_EQ(ReadWholeFile(a), "a");
    EXPECT_EQ(ReadWholeFile(b), "b");
}

TEST_F(RecoveryTest, AListThatCannotBeWrittenStopsTheStart) {
    Leftover("a.txt", "a");
    ASSERT_EQ(::mkdir((dir_ + "/TEMP/復旧リスト").c_str(), 0700), 0);
    ui_.answer = RecoveryChoice::MakeList;
    EXPECT_EQ(Run(), -1);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "復旧リストが作成できません。");
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
    EXPECT_TRUE(FileExists(reg_->File()));
}

TEST_F(RecoveryTest, OpenGivesBackTheCopiesAndKeepsTheirEntries) {
    const std::string a = Leftover("a.txt", "a");
    const std::string gone = Leftover("gone.txt", "g");
    const std::string b = Leftover("b.txt", "b");
    ::unlink(gone.c_str());
    ui_.answer = RecoveryChoice::Open;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(toOpen_, (std::vector<RecoveredCopy>{{a, Path("a.txt")}, {b, Path("b.txt")}}));
    std::vector<RegisterEntry> entries;
    ASSERT_EQ(reg_->ReadAll(entries), TempRegister::Read::Ok);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (RegisterEntry{true, Path("a.txt"), a}));
    EXPECT_FALSE(entries[1].used);  // nothing to give back
    EXPECT_EQ(entries[2], (RegisterEntry{true, Path("b.txt"), b}));
    EXPECT_TRUE(FileExists(a));
}

}  // namespace
}  // namespace qz::test
