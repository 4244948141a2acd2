// Backup folder, generation names, refusal to save a backup, rotation plan.
#include "document/backup_names.h"

#include "platform/paths.h"

#include <gtest/gtest.h>

using namespace qz;

namespace {
BackupSettings Make(int mode, int count, std::string dir = "", int recycled = 0) {
    return BackupSettings{mode, count, std::move(dir), recycled};
}
}  // namespace

TEST(BackupNames, FoldersFromBackupDir) {
    EXPECT_EQ(BackupDirectory("/src/x.c", Make(1, 1)), "/src/");
    EXPECT_EQ(BackupDirectory("/src/x.c", Make(1, 2, "bak")), "/src/bak/");
    EXPECT_EQ(BackupDirectory("/src/x.c", Make(1, 2, "  /var//bak/ ")), "/var/bak/");
    EXPECT_EQ(BackupDirectory("/src/x.c", Make(1, 2, "a//b")), "/src/a/b/");
    EXPECT_EQ(BackupDirectory("/src/x.c", Make(1, 2, "   ")), "/src/");
    EXPECT_EQ(BackupDirectory("/x.c", Make(1, 1)), "/");
    // "BackupDir" only counts while backups are kept.
    EXPECT_EQ(BackupDirectory("/src/x.c", Make(0, 2, "bak", 1)), "/src/");
    // A relative file name is taken against the current directory.
    EXPECT_EQ(BackupDirectory("x.c", Make(1, 1)), FullPath(CurrentDirectory(), ".") + "/");
}

TEST(BackupNames, GenerationNames) {
    using V = std::vector<std::string>;
    EXPECT_EQ(BackupNames("/src/x.c", Make(1, 1)), V{"/src/x.BAK"});
    EXPECT_EQ(BackupNames("/src/x.c", Make(1, 1, "bak")), V{"/src/bak/x.BAK"});
    EXPECT_EQ(BackupNames("/src/x.c", Make(1, 3)), (V{"/src/x.BAK", "/src/x.bk2", "/src/x.bk3"}));
    EXPECT_EQ(BackupNames("/src/x.c", Make(1, 2, "bak")), (V{"/src/bak/x.c", "/src/bak/x.bk2"}));
    EXPECT_EQ(BackupNames("/src/x", Make(1, 2, "bak")), (V{"/src/bak/x", "/src/bak/x.bk2"}));
    EXPECT_EQ(BackupNames("/src/x.c", Make(0, 3)), V{"/src/x.BAK"});
    EXPECT_EQ(BackupNames("/src/x.c", Make(1, 0)), V{"/src/x.BAK"}) << "count below 1 reads as 1";
}

TEST(BackupNames, SavingABackupIsRefused) {
    EXPECT_TRUE(IsOwnBackup("/src/x.BAK", Make(1, 1)));
    EXPECT_FALSE(IsOwnBackup("/src/x.bak", Make(1, 1))) << "paths compare with case";
    EXPECT_FALSE(IsOwnBackup("/src/x.c", Make(1, 1)));
    EXPECT_TRUE(IsOwnBackup("/src/x.bk3", Make(1, 3)));
    EXPECT_FALSE(IsOwnBackup("/src/x.bk4", Make(1, 3)));
    EXPECT_TRUE(IsOwnBackup("/src/x.BAK", Make(0, 3, "", 1)));
    EXPECT_FALSE(IsOwnBackup("/src/x.bk2", Make(0, 3, "", 1)));
    // With a "BackupDir" generation 1 keeps the file's name, so a file in
    // the backup folder is its own backup, and one beside it is not.
    EXPECT_TRUE(IsOwnBackup("/src/bak/x.c", Make(1, 2, "/src/bak")));
    EXPECT_FALSE(IsOwnBackup("/src/x.c", Make(1, 2, "/src/bak")));
}

TEST(BackupNames, RotationPlan) {
    const BackupPlan p = PlanBackup("/src/x.c", Make(1, 3));
    ASSERT_EQ(p.steps.size(), 4u);
    EXPECT_EQ(p.steps[0].kind, BackupStep::Remove);
    EXPECT_EQ(p.steps[0].from, "/src/x.bk3");
    EXPECT_EQ(p.steps[1].kind, BackupStep::RenameIfExists);
    EXPECT_EQ(p.steps[1].from, "/src/x.bk2");
    EXPECT_EQ(p.steps[1].to, "/src/x.bk3");
    EXPECT_EQ(p.steps[2].from, "/src/x.bk2");
    EXPECT_EQ(p.steps[3].from, "/src/x.BAK");
    EXPECT_EQ(p.steps[3].to, "/src/x.bk2");
    EXPECT_EQ(p.target, "/src/x.BAK");
    EXPECT_EQ(p.dir, "/src/");
    EXPECT_FALSE(p.trash);
    EXPECT_FALSE(p.removeTarget);

    const BackupPlan one = PlanBackup("/src/x.c", Make(1, 1, "bak"));
    ASSERT_EQ(one.steps.size(), 1u);
    EXPECT_EQ(one.steps[0].kind, BackupStep::Remove);
    EXPECT_EQ(one.steps[0].from, "/src/bak/x.BAK");
    EXPECT_EQ(one.target, "/src/bak/x.BAK");
    EXPECT_EQ(one.dir, "/src/bak/");

    // Trash only: the old version goes to the trash, or is removed.
    const BackupPlan recycle = PlanBackup("/src/x.c", Make(0, 3, "bak", 1));
    EXPECT_EQ(recycle.target, "/src/x.BAK");
    EXPECT_TRUE(recycle.trash);
    EXPECT_TRUE(recycle.removeTarget);
    EXPECT_TRUE(BackupWanted(Make(0, 1, "", 1)));
    EXPECT_FALSE(BackupWanted(Make(0, 1)));
    EXPECT_TRUE(BackupWanted(Make(5, 1)));
}
