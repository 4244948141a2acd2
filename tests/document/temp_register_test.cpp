// The register of temporary copies, "regbk.dat": entries byte for byte, the
// reuse of the last free entry, paths that differ in letter case, the
// invalid-file rule and copies that are not ours.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "document/file_ops.h"
#include "document/temp_register.h"
#include "platform/paths.h"
#include "file_test_util.h"

namespace qz::test {
namespace {

class RegisterTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        reg_ = std::make_unique<TempRegister>(dir_);
    }
    std::string RegBytes() { return ReadWholeFile(reg_->File()); }
    std::string Entry(const std::string& doc) {
        std::string temp;
        EXPECT_EQ(reg_->EntryFor(doc, temp), 0) << doc;
        return temp;
    }

    std::unique_ptr<TempRegister> reg_;
};

TEST_F(RegisterTest, FirstEntryMakesTheFolderTheCopyAndOneEntryByteForByte) {
    const std::string temp = Entry(Path("a.txt"));
    EXPECT_EQ(FolderOf(temp), dir_ + "/TEMP");
    EXPECT_EQ(FileNameOf(temp).substr(0, 3), "qzm");
    EXPECT_TRUE(FileExists(temp));
    EXPECT_EQ(ReadWholeFile(temp), "");
    // Document text lives there: the folder is the user's alone.
    EXPECT_EQ(ModeOf(dir_ + "/TEMP"), 0700u);

    const std::string bytes = RegBytes();
    ASSERT_EQ(bytes.size(), 512u);
    std::string want(512, '\0');
    want[0] = 'O';
    want.replace(1, Path("a.txt").size(), Path("a.txt"));
    want[256] = 'B';
    want.replace(257, temp.size(), temp);
    EXPECT_EQ(bytes, want);

    // The same path again is the same copy, and nothing is added.
    EXPECT_EQ(Entry(Path("a.txt")), temp);
    EXPECT_EQ(RegBytes(), want);
}

TEST_F(RegisterTest, PathsDifferingInCaseAreTwoFilesWithTwoCopies) {
    WriteWholeFile(Path("Name.txt"), "upper");
    WriteWholeFile(Path("name.txt"), "lower");
    const std::string upper = Entry(Path("Name.txt"));
    const std::string lower = Entry(Path("name.txt"));
    EXPECT_NE(upper, lower);
    EXPECT_EQ(RegBytes().size(), 1024u);
    std::vector<RegisterEntry> entries;
    ASSERT_EQ(reg_->ReadAll(entries), TempRegister::Read::Ok);
    EXPECT_EQ(entries, (std::vector<RegisterEntry>{{true, Path("Name.txt"), upper}, {true, Path("name.txt"), lower}}));
}

TEST_F(RegisterTest, FreeDeletesTheCopyAndFreesItsEntryInPlace) {
    const std::string a = Entry(Path("a.txt"));
    const std::string b = Entry(Path("b.txt"));
    WriteWholeFile(TempRegister::PartOf(a), "cut off");
    EXPECT_EQ(reg_->Free(Path("a.txt")), 0);
    EXPECT_FALSE(FileExists(a));
    EXPECT_FALSE(FileExists(TempRegister::PartOf(a)));
    EXPECT_TRUE(FileExists(b));
    const std::string bytes = RegBytes();
    ASSERT_EQ(bytes.size(), 1024u);
    EXPECT_EQ(bytes.substr(0, 512), 'F' + std::string(511, '\0'));
    EXPECT_EQ(bytes.substr(512), TempRegister::Encode({true, Path("b.txt"), b}));

    // A path without an entry, and no register at all, change nothing.
    EXPECT_EQ(reg_->Free(Path("c.txt")), 0);
    EXPECT_EQ(RegBytes(), bytes);
    reg_->Remove();
    EXPECT_EQ(reg_->Free(Path("b.txt")), 0);
    EXPECT_FALSE(FileExists(reg_->File()));
    EXPECT_TRUE(FileExists(b));
}

TEST_F(RegisterTest, ANewEntryTakesTheLastFreeEntry) {
    Entry(Path("a.txt"));
    Entry(Path("b.txt"));
    const std::string c = Entry(Path("c.txt"));
    reg_->Free(Path("a.txt"));
    reg_->Free(Path("b.txt"));
    const std::string d = Entry(Path("d.txt"));
    std::vector<RegisterEntry> entries;
    ASSERT_EQ(reg_->ReadAll(entries), TempRegister::Read::Ok);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[0].used);
    EXPECT_EQ(entries[1], (RegisterEntry{true, Path("d.txt"), d}));
    EXPECT_EQ(entries[2], (RegisterEntry{true, Path("c.txt"), c}));
}

TEST_F(RegisterTest, AnInvalidFileIsDeletedAndStartsAfresh) {
    const std::string good = TempRegister::Encode({true, Path("a.txt"), dir_ + "/TEMP/qzmAAAAAA"});
    std::string noB = good;
    noB[256] = 'X';
    std::string badState = 'F' + std::string(511, '\0');
    badState[0] = 'X';
    for (const std::string& bad : {noB, badState, std::string(512, '\0')}) {
        WriteWholeFile(reg_->File(), good + bad);
        std::vector<RegisterEntry> entries;
        EXPECT_EQ(reg_->ReadAll(entries), TempRegister::Read::Invalid);
        EXPECT_TRUE(entries.empty());
        EXPECT_FALSE(FileExists(reg_->File()));
    }
    WriteWholeFile(reg_->File(), good + badState);
    EXPECT_EQ(reg_->Free(Path("a.txt")), -1);
    EXPECT_FALSE(FileExists(reg_->File()));

    WriteWholeFile(reg_->File(), good + badState);
    const std::string temp = Entry(Path("b.txt"));
    EXPECT_EQ(RegBytes(), TempRegister::Encode({true, Path("b.txt"), temp}));
}

TEST_F(RegisterTest, ACopyOutsideOurFolderIsNeverWrittenOrDeleted) {
    // Someone wrote the path of another file into the register: the file it
    // names stays, and the register is no longer trusted.
    WriteWholeFile(Path("precious.txt"), "keep me");
    for (const std::string& foreign :
         {Path("precious.txt"), dir_ + "/TEMP/../precious.txt", dir_ + "/TEMP/other", dir_ + "/TEMP/sub/qzm1"}) {
        WriteWholeFile(reg_->File(), TempRegister::Encode({true, Path("a.txt"), foreign}));
        EXPECT_EQ(reg_->Free(Path("a.txt")), -1) << foreign;
        EXPECT_FALSE(FileExists(reg_->File()));
        WriteWholeFile(reg_->File(), TempRegister::Encode({true, Path("a.txt"), foreign}));
        EXPECT_NE(Entry(Path("a.txt")), foreign);
    }
    EXPECT_EQ(ReadWholeFile(Path("precious.txt")), "keep me");
}

TEST_F(RegisterTest, APieceCutOffAtTheEndIsNoEntryAndIsWrittenOver) {
    const std::string a = Entry(Path("a.txt"));
    WriteWholeFile(reg_->File(), RegBytes() + "O/half");
    std::vector<RegisterEntry> entries;
    ASSERT_EQ(reg_->ReadAll(entries), TempRegister::Read::Ok);
    EXPECT_EQ(entries.size(), 1u);
    const std::string b = Entry(Path("b.txt"));
    EXPECT_EQ(RegBytes(), TempRegister::Encode({true, Path("a.txt"), a}) + TempRegister::Encode({true, Path("b.txt"), b}));
}

TEST_F(RegisterTest, PathsThatDoNotFitAnEntryGetNone) {
    std::string temp;
    const std::string fits = dir_ + "/" + std::string(254 - dir_.size() - 1, 'x');
    ASSERT_EQ(fits.size(), 254u);
    EXPECT_EQ(reg_->EntryFor(fits, temp), 0);
    EXPECT_EQ(reg_->EntryFor(fits + "y", temp), -1);
    EXPECT_EQ(reg_->EntryFor("", temp), -1);
    std::vector<RegisterEntry> entries;
    ASSERT_EQ(reg_->ReadAll(entries), TempRegister::Read::Ok);
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].docPath, fits);

    // A state folder so deep that the copy's own path would not fit.
    const std::string deep = dir_ + "/" + std::string(240 - dir_.size(), 'd');
    ASSERT_EQ(::mkdir(deep.c_str(), 0700), 0);
    TempRegister deepReg(deep);
    EXPECT_EQ(deepReg.EntryFor(Path("a.txt"), temp), -1);
    EXPECT_FALSE(FileExists(deepReg.File()));
}

TEST_F(RegisterTest, AnUnreadableRegisterIsLeftAsItIs) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
    Entry(Path("a.txt"));
    const std::string before = RegBytes();
    ASSERT_EQ(::chmod(reg_->File().c_str(), 0), 0);
    std::string temp;
    EXPECT_EQ(reg_->EntryFor(Path("b.txt"), temp), -1);
    EXPECT_EQ(reg_->Free(Path("a.txt")), -1);
    ASSERT_EQ(::chmod(reg_->File().c_str(), 0600), 0);
    EXPECT_EQ(RegBytes(), before);
}

TEST_F(RegisterTest, AFailedWriteKeepsTheRegisterAsItWas) {
    // A full disk: the other documents keep their entries.
    class FullDisk : public FileOps {
        ssize_t Write(int, const void*, size_t) override {
            errno = ENOSPC;
            return -1;
        }
    } disk;
    const std::string a = Entry(Path("a.txt"));
    const std::string before = RegBytes();
    reg_->SetFileOps(&disk);
    std::string temp;
    EXPECT_EQ(reg_->EntryFor(Path("b.txt"), temp), -1);
    EXPECT_EQ(RegBytes(), before);
    EXPECT_EQ(ListFolder(dir_ + "/TEMP"), std::vector<std::string>{FileNameOf(a)});
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"TEMP", "regbk.dat"}));
}

}  // namespace
}  // namespace qz::test
