// Backup names and folders as the settings combine, and the fallback for a
// folder that takes no new files.
#include "file_test_util.h"

#include <cerrno>
#include <fcntl.h>

#include "document/backup.h"
#include "document/file_ops.h"

namespace qz::test {
namespace {

EnvironSettings Backups(int mode, int count, const std::string& dir) {
    EnvironSettings e = Settings().env;
    e.BackupMode = mode;
    e.BackupCount = count;
    e.BackupDir = dir;
    return e;
}

TEST(BackupNames, TableOfGenerations) {
    const std::string path = "/src/x.c";
    BackupPlan one = MakeBackupPlan(path, Backups(1, 1, ""));
    EXPECT_EQ(one.GenerationName(1), "/src/x.BAK");

    BackupPlan three = MakeBackupPlan(path, Backups(1, 3, ""));
    EXPECT_EQ(three.GenerationName(1), "/src/x.BAK");
    EXPECT_EQ(three.GenerationName(2), "/src/x.bk2");
    EXPECT_EQ(three.GenerationName(3), "/src/x.bk3");

    BackupPlan own = MakeBackupPlan(path, Backups(1, 2, "bak"));
    EXPECT_EQ(own.GenerationName(1), "/src/bak/x.c");
    EXPECT_EQ(own.GenerationName(2), "/src/bak/x.bk2");

    // One generation in a backup folder still uses the .BAK name.
    EXPECT_EQ(MakeBackupPlan(path, Backups(1, 1, "bak")).GenerationName(1), "/src/bak/x.BAK");
}

TEST(BackupNames, FolderSetting) {
    const std::string path = "/src/sub/x.c";
    EXPECT_EQ(MakeBackupPlan(path, Backups(1, 1, "/var//bak/")).dir, "/var/bak/");
    EXPECT_EQ(MakeBackupPlan(path, Backups(1, 1, "  ../old ")).dir, "/src/old/");
    EXPECT_EQ(MakeBackupPlan(path, Backups(1, 1, "a//b")).dir, "/src/sub/a/b/");
    EXPECT_EQ(MakeBackupPlan(path, Backups(1, 1, "   ")).dir, "/src/sub/");
    // Without backups the folder setting is not used: the old version is
    // renamed beside the file for the trash.
    BackupPlan none = MakeBackupPlan(path, Backups(0, 3, "bak"));
    EXPECT_EQ(none.GenerationName(1), "/src/sub/x.BAK");
    EXPECT_EQ(MakeBackupPlan("/x", Backups(1, 1, "")).GenerationName(1), "/x.BAK");
    EXPECT_EQ(MakeBackupPlan("/src/.profile", Backups(1, 2, "")).GenerationName(2), "/src/.profile.bk2");
}

TEST(BackupNames, WhichPathsAreBackups) {
    BackupPlan three = MakeBackupPlan("/src/x.c", Backups(1, 3, ""));
    EXPECT_TRUE(three.IsBackupName("/src/x.BAK"));
    EXPECT_TRUE(three.IsBackupName("/src/x.bk3"));
    EXPECT_FALSE(three.IsBackupName("/src/x.bk4"));
    EXPECT_FALSE(three.IsBackupName("/src/x.bak"));  // paths compare case-sensitively
    BackupPlan off = MakeBackupPlan("/src/x.c", Backups(0, 3, ""));
    EXPECT_TRUE(off.IsBackupName("/src/x.BAK"));
    EXPECT_FALSE(off.IsBackupName("/src/x.bk2"));
}

// The temporary file cannot be made (a folder that takes no new files): the
// file is written in place when no backup needs the folder either.
class NoNewFiles : public FileOps {
public:
    int Open(const std::string& path, int flags, mode_t mode) override {
        if (flags & O_CREAT) {
            errno = EACCES;
            return -1;
        }
        return FileOps::Open(path, flags, mode);
    }
};

using InPlaceTest = FileTest;

TEST_F(InPlaceTest, WrittenInPlaceWithoutBackupsAndRefusedWithThem) {
    NoNewFiles ops;
    io_.SetFileOps(&ops);
    WriteWholeFile(Path("x.c"), "old");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    ReplaceText(doc, "new text");

    EXPECT_EQ(io_.Save(doc, Path("x.c")), 0);  // the backup needs a new name in the folder
    EXPECT_EQ(box_.shown.back().text,
              "ファイルが更新又は新規作成できませんでした\n"
              "他のプログラムで書き込み禁止でオープンしている可能性があります\n");
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "old");

    Env().BackupMode = 0;
    EXPECT_EQ(io_.Save(doc, Path("x.c")), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "new text");
    EXPECT_EQ(ListFolder(dir_), std::vector<std::string>{"x.c"});
}

}  // namespace
}  // namespace qz::test
