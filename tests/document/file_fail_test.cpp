// Saves that fail part way: a full disk, a failing flush or rename. The old
// content must survive and the document must stay as it was.
#include "file_test_util.h"

#include <algorithm>
#include <cerrno>

#include "document/file_ops.h"

namespace qz::test {
namespace {

// Fails one kind of operation, optionally only after some bytes went through.
class FailingOps : public FileOps {
public:
    size_t writeBudget = SIZE_MAX;  // bytes written before the disk is full
    bool failOnce = false;          // only the first write past the budget fails
    bool failFsync = false, failClose = false;
    std::string failRenameTo;       // the first rename onto this path fails
    size_t written = 0;

    ssize_t Write(int fd, const void* bytes, size_t n) override {
        if (written >= writeBudget) {
            if (failOnce) writeBudget = SIZE_MAX;
            errno = ENOSPC;
            return -1;
        }
        const size_t take = std::min(n, writeBudget - written);  // a short write first
        const ssize_t w = FileOps::Write(fd, bytes, take);
        if (w > 0) written += size_t(w);
        return w;
    }
    int Fsync(int fd) override {
        if (failFsync) {
            errno = EIO;
            return -1;
        }
        return FileOps::Fsync(fd);
    }
    int Close(int fd) override {
        const int r = FileOps::Close(fd);
        if (failClose) {
            errno = EIO;
            return -1;
        }
        return r;
    }
    int Rename(const std::string& from, const std::string& to) override {
        if (to == failRenameTo) {
            failRenameTo.clear();
            errno = EIO;
            return -1;
        }
        return FileOps::Rename(from, to);
    }
};

constexpr const char* kWriteFailed =
    "ファイルの書き込みに失敗しました（ディスクの空き不足などが考えられます）\n"
    "元のファイルは変更されていません";

class FailTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        io_.SetFileOps(&ops_);
        old_ = std::string(200000, 'o') + "\n";
        WriteWholeFile(Path("x.c"), old_);
        ASSERT_EQ(io_.Load(doc_, Path("x.c")), 0);
        ReplaceText(doc_, std::string(300000, 'n') + "\n");
        undoBefore_ = doc_.Undo().Count();
    }
    // What every failed save leaves: the old file, nothing new in the folder,
    // the document still modified with its undo history.
    void ExpectUntouched(const std::vector<std::string>& folder) {
        EXPECT_TRUE(ReadWholeFile(Path("x.c")) == old_) << "the old content is gone";
        EXPECT_EQ(ListFolder(dir_), folder);
        EXPECT_TRUE(doc_.IsModified());
        EXPECT_EQ(doc_.Undo().Count(), undoBefore_);
        EXPECT_TRUE(TheSettings().recentFiles[0].empty());
    }

    FailingOps ops_;
    CQzedDoc doc_;
    std::string old_;
    uint32_t undoBefore_ = 0;
};

TEST_F(FailTest, DiskFullMidwayIsAFailedSaveAndTheOldFileStays) {
    ops_.writeBudget = 100000;
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, kWriteFailed);
    EXPECT_EQ(box_.shown[0].caption, Path("x.c"));
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
    ExpectUntouched({"x.c"});
    // Once there is room again the same document saves.
    ops_.writeBudget = SIZE_MAX;
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 1);
    EXPECT_TRUE(ReadWholeFile(Path("x.BAK")) == old_);
}

// A large text is written a block at a time while the next is prepared: the
// disk filling up in any block, the last one too, or one write failing while
// later ones would succeed, still fails the save as a whole, and the next
// save writes every byte in order.
TEST_F(FailTest, DiskFullInAnyBlockOfALargeText) {
    std::string text;
    for (int i = 0; text.size() < (3u << 20) + 12345; ++i) text += "line " + std::to_string(i) + " \x8a\xbf\n";
    ReplaceText(doc_, text);
    undoBefore_ = doc_.Undo().Count();
    doc_.File().lineEnd = kLineCrLf;
    const size_t written = text.size() + size_t(std::count(text.begin(), text.end(), '\n'));
    for (size_t budget : {size_t(1), size_t(1) << 20, (size_t(1) << 20) + 7, size_t(5) << 19, written - 1}) {
        for (bool once : {false, true}) {
            SCOPED_TRACE(::testing::Message() << budget << (once ? " once" : ""));
            ops_.writeBudget = budget;
            ops_.failOnce = once;
            ops_.written = 0;
            box_.shown.clear();
            EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
            ASSERT_EQ(box_.shown.size(), 1u);
            EXPECT_EQ(box_.shown[0].text, kWriteFailed);
            ExpectUntouched({"x.c"});
        }
    }
    ops_.writeBudget = SIZE_MAX;
    ops_.failOnce = false;
    ops_.written = 0;
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 1);
    std::string want;
    for (char c : text) want += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_TRUE(ReadWholeFile(Path("x.c")) == want);
}

TEST_F(FailTest, DiskFullBeforeTheFirstByte) {
    ops_.writeBudget = 0;
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    ExpectUntouched({"x.c"});
}

TEST_F(FailTest, FailedFlushOrCloseIsAFailedSave) {
    ops_.failFsync = true;
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    ExpectUntouched({"x.c"});
    ops_.failFsync = false;
    ops_.failClose = true;
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    ExpectUntouched({"x.c"});
}

TEST_F(FailTest, FailedPutInPlaceBringsTheBackedUpFileBack) {
    Env().BackupCount = 2;
    WriteWholeFile(Path("x.BAK"), "older");
    ops_.failRenameTo = Path("x.c");
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    EXPECT_EQ(box_.shown.back().text, kWriteFailed);
    // The generations moved on, but the current version is back in its place.
    ExpectUntouched({"x.bk2", "x.c"});
    EXPECT_EQ(ReadWholeFile(Path("x.bk2")), "older");
}

TEST_F(FailTest, FailedBackupRenameKeepsTheFileAndShowsTheBackupMessage) {
    ops_.failRenameTo = Path("x.BAK");
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    EXPECT_EQ(box_.shown.back().text, "バックアップファイルを作成できません");
    ExpectUntouched({"x.c"});
}

TEST_F(FailTest, LockIsTakenAgainAfterAFailedSave) {
    Env().ExclusiveMode = 1;
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    ASSERT_TRUE(doc.File().lock.Held());
    ReplaceText(doc, "new");
    ops_.writeBudget = 0;
    EXPECT_EQ(io_.Save(doc, Path("x.c")), 0);
    EXPECT_TRUE(doc.File().lock.Held());
    EXPECT_EQ(doc.File().exclusiveMode, 1);
}

}  // namespace
}  // namespace qz::test
