// Typed lines of the OS command window and the conversion of command output.
#include "external/os_window_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace qz {
namespace {

TEST(OsWindowLine, FirstWordDecides) {
    EXPECT_EQ(ParseOsWindowLine("").kind, OsWindowLine::kEmpty);
    EXPECT_EQ(ParseOsWindowLine(" \t ").kind, OsWindowLine::kEmpty);
    EXPECT_EQ(ParseOsWindowLine("exit").kind, OsWindowLine::kExit);
    EXPECT_EQ(ParseOsWindowLine("  ExIt  now").kind, OsWindowLine::kExit);
    EXPECT_EQ(ParseOsWindowLine("exits").kind, OsWindowLine::kRun);
    EXPECT_EQ(ParseOsWindowLine("c:").kind, OsWindowLine::kDrive);
    EXPECT_EQ(ParseOsWindowLine("c:x").kind, OsWindowLine::kRun);
    const OsWindowLine run = ParseOsWindowLine("\tls  -l\tx\nnext line");
    EXPECT_EQ(run.kind, OsWindowLine::kRun);
    EXPECT_EQ(run.line, "ls  -l x");
    const OsWindowLine cd = ParseOsWindowLine("Cd \t ../my dir  ");
    EXPECT_EQ(cd.kind, OsWindowLine::kCd);
    EXPECT_EQ(cd.rest, "../my dir");
    EXPECT_EQ(ParseOsWindowLine("cd").rest, "");
}

TEST(OsWindowLine, ChangeDirectory) {
    const std::string base = std::filesystem::temp_directory_path() / "qz_cd_test";
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base + "/a b/c");
    EXPECT_EQ(ChangeDirectory(base + "/a b/c", ".."), base + "/a b");
    EXPECT_EQ(ChangeDirectory(base, "\"a b\""), base + "/a b");
    EXPECT_EQ(ChangeDirectory(base, "a b/c"), base + "/a b/c");
    EXPECT_EQ(ChangeDirectory(base, base + "/a b"), base + "/a b");
    // Nothing to enter: the window stays where it is.
    EXPECT_EQ(ChangeDirectory(base, "nowhere"), base);
    EXPECT_EQ(ChangeDirectory(base, ""), base);
    std::filesystem::create_directories(base + "/file_parent");
    std::FILE* f = std::fopen((base + "/plain").c_str(), "w");
    std::fclose(f);
    EXPECT_EQ(ChangeDirectory(base, "plain"), base);
    if (const char* home = std::getenv("HOME"); home && *home) {
        EXPECT_EQ(ChangeDirectory(base, "~"), std::string(home));
    }
    std::filesystem::remove_all(base);
}

TEST(ShellOutput, Utf8BecomesShiftJisOtherBytesStay) {
    // "日本" in UTF-8, then a line of Shift-JIS bytes (not UTF-8), kept.
    EXPECT_EQ(ShellOutputToSjis("\xE6\x97\xA5\xE6\x9C\xAC\r\n\x93\xFA\x96\x7B\n"), "\x93\xFA\x96\x7B\n\x93\xFA\x96\x7B\n");
    EXPECT_EQ(ShellOutputToSjis("plain\nno end"), "plain\nno end");
    // A character Shift-JIS lacks.
    EXPECT_EQ(ShellOutputToSjis("a\xF0\x9F\x98\x80z\n"), "a?z\n");
}

TEST(ShellOutput, NoCharacterSwallowsALineEnd) {
    // 0xFF leads, 0xFE is no second byte (it stands alone), 0x81 before a line end.
    EXPECT_EQ(ShellOutputToSjis(std::string("x\xFF\xFE\0y\x81\nz", 9)), "x?\xFEy?\nz");
    EXPECT_EQ(ShellOutputToSjis("\x81"), "?");
    // A cut UTF-8 character is a half-width katakana as Shift-JIS.
    EXPECT_EQ(ShellOutputToSjis("\xC3\n"), "\xC3\n");
}

}  // namespace
}  // namespace qz
