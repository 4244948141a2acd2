// A backup folder on another file system: rename(2) answers EXDEV there, and
// the old version is copied across with its mode and times, then removed.
#include "file_test_util.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "document/file_ops.h"

namespace qz::test {
namespace {

// The folder "other" (and everything in it) lies on another file system:
// renames into or out of it fail as the kernel would make them fail. Writes
// can run out of room after a budget, as a small stick would.
class CrossDeviceOps : public FileOps {
public:
    std::string otherFs;
    size_t writeBudget = SIZE_MAX;
    size_t written = 0;
    bool failRemove = false;

    int Rename(const std::string& from, const std::string& to) override {
        if (On(from) != On(to)) {
            errno = EXDEV;
            return -1;
        }
        return FileOps::Rename(from, to);
    }
    ssize_t Write(int fd, const void* bytes, size_t n) override {
        if (written + n > writeBudget) {
            errno = ENOSPC;
            return -1;
        }
        written += n;
        return FileOps::Write(fd, bytes, n);
    }
    int Remove(const std::string& path) override {
        if (failRemove && !On(path)) {
            errno = EACCES;
            return -1;
        }
        return FileOps::Remove(path);
    }

private:
    bool On(const std::string& path) const { return path.rfind(otherFs, 0) == 0; }
};

struct timespec MTimeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtim;
}

class MoveTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        ops_.otherFs = Path("other/");
        io_.SetFileOps(&ops_);
        Env().BackupDir = "other";
        Env().BackupCount = 2;
        WriteWholeFile(Path("x.c"), "version 1\n");
        ASSERT_EQ(::chmod(Path("x.c").c_str(), 0640), 0);
        SetFileTime(Path("x.c"), 1000);
        ASSERT_EQ(io_.Load(doc_, Path("x.c")), 0);
    }
    CrossDeviceOps ops_;
    CQzedDoc doc_;
};

TEST_F(MoveTest, BackupCopiedAcrossWithModeAndTimes) {
    ReplaceText(doc_, "version 2\n");
    ASSERT_EQ(io_.Save(doc_, Path("x.c")), 1);
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "version 2\n");
    EXPECT_EQ(ReadWholeFile(Path("other/x.c")), "version 1\n");
    EXPECT_EQ(ModeOf(Path("other/x.c")), 0640u);
    EXPECT_EQ(MTimeOf(Path("other/x.c")).tv_sec, 1000);
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"other", "x.c"}));

    // The generations inside the backup folder still move by renaming.
    ReplaceText(doc_, "version 3\n");
    ASSERT_EQ(io_.Save(doc_, Path("x.c")), 1);
    EXPECT_EQ(ReadWholeFile(Path("other/x.c")), "version 2\n");
    EXPECT_EQ(ReadWholeFile(Path("other/x.bk2")), "version 1\n");
    EXPECT_EQ(ListFolder(Path("other")), (std::vector<std::string>{"x.bk2", "x.c"}));
}

TEST_F(MoveTest, CopyThatRunsOutOfRoomLeavesTheFileAndNoHalfBackup) {
    ReplaceText(doc_, "version 2\n");
    ops_.writeBudget = 10 + 4;  // the new text fits, the copy does not
    EXPECT_EQ(io_.Save(doc_, Path("x.c")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "バックアップファイルを作成できません");
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "version 1\n");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"other", "x.c"}));
    EXPECT_TRUE(ListFolder(Path("other")).empty());
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(MoveTest, OriginalThatCannotBeRemovedTakesTheCopyBack) {
    ASSERT_EQ(::mkdir(Path("other").c_str(), 0755), 0);
    ops_.failRemove = true;
    EXPECT_EQ(MoveFile(ops_, Path("x.c"), Path("other/x.c")), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "version 1\n");
    EXPECT_TRUE(ListFolder(Path("other")).empty());
    // Other failures of the rename are not worked around.
    EXPECT_EQ(MoveFile(ops_, Path("missing"), Path("gone")), -1);
    EXPECT_EQ(errno, ENOENT);
}

// The same through the kernel, where a second file system is at hand.
TEST(RealCrossDevice, MoveToAnotherFileSystem) {
    const char* shm = "/dev/shm";
    struct stat a {}, b {};
    const char* tmp = std::getenv("TMPDIR");
    const std::string here = tmp && *tmp ? tmp : "/tmp";
    if (::stat(shm, &a) != 0 || ::stat(here.c_str(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system";
    const std::string from = here + "/qz_move_" + std::to_string(::getpid());
    const std::string to = std::string(shm) + "/qz_move_" + std::to_string(::getpid());
    WriteWholeFile(from, "moved\n");
    SetFileTime(from, 2000);
    ASSERT_EQ(MoveFile(PosixFileOps(), from, to), 0);
    EXPECT_FALSE(FileExists(from));
    EXPECT_EQ(ReadWholeFile(to), "moved\n");
    EXPECT_EQ(MTimeOf(to).tv_sec, 2000);
    ::unlink(to.c_str());
}

}  // namespace
}  // namespace qz::test
