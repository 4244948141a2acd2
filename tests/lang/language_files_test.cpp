// Where language files are read from and where an edit of one goes: the
// user's copy before the installed file, and a copy made before an edit.
#include "lang/text_lines.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace qz {
namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class LanguageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("qz_langfiles_" + std::to_string(getpid()));
        fs::create_directories(root_ / "share");
        std::ofstream(root_ / "share" / "yoyaku_c.tbl") << "installed\n";
        folders_ = {(root_ / "share").string(), (root_ / "state").string(), (root_ / "user" / "qzed32").string()};
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
    ProgramFolders folders_;
};

TEST_F(LanguageFiles, InstalledFileIsReadUntilTheUserHasACopy) {
    EXPECT_EQ(LanguageFilePath("yoyaku_c.tbl", folders_), (root_ / "share/yoyaku_c.tbl").string());
    EXPECT_EQ(LanguageFilePath("/etc/k.tbl", folders_), "/etc/k.tbl");
    fs::create_directories(folders_.userData);
    std::ofstream(fs::path(folders_.userData) / "yoyaku_c.tbl") << "mine\n";
    EXPECT_EQ(LanguageFilePath("yoyaku_c.tbl", folders_), folders_.userData + "/yoyaku_c.tbl");
}

TEST_F(LanguageFiles, EditingCopiesTheInstalledFileFirstAndOnlyOnce) {
    const std::string mine = folders_.userData + "/yoyaku_c.tbl";
    EXPECT_EQ(EditableLanguageFilePath("yoyaku_c.tbl", folders_), mine);
    EXPECT_EQ(Read(mine), "installed\n");
    EXPECT_EQ(fs::status(folders_.userData).permissions() & fs::perms::all, fs::perms::owner_all);
    // The user's edits are never overwritten by a later copy.
    std::ofstream(mine) << "edited\n";
    EXPECT_EQ(EditableLanguageFilePath("yoyaku_c.tbl", folders_), mine);
    EXPECT_EQ(Read(mine), "edited\n");
    EXPECT_EQ(Read(root_ / "share/yoyaku_c.tbl"), "installed\n");
    // An absolute name is edited where it is; a file that is nowhere stays
    // where it would be installed, so the open reports it missing.
    EXPECT_EQ(EditableLanguageFilePath("/etc/k.tbl", folders_), "/etc/k.tbl");
    EXPECT_EQ(EditableLanguageFilePath("none.key", folders_), (root_ / "share/none.key").string());
    // With one folder for both ($QZED_HOME) nothing is copied.
    ProgramFolders same{folders_.data, folders_.data, folders_.data};
    EXPECT_EQ(EditableLanguageFilePath("yoyaku_c.tbl", same), (root_ / "share/yoyaku_c.tbl").string());
}

}  // namespace
}  // namespace qz
