// The help opener's choices: the page's file, the URL with its anchor, and
// the program that shows it, from $BROWSER and $PATH.
#include "app/help_opener.h"
#include "tools/tool_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qz {
namespace {

namespace fs = std::filesystem;

const std::string kCannot = kMsgCannotOpenHelp;

class HelpOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "data" / "help");
        fs::create_directories(dir.path() / "bin");
        tooltest::WriteFile(dir.path() / "data" / "help" / "environ.htm", "<html></html>");
    }
    std::string Program(const std::string& name) {
        const fs::path p = dir.path() / "bin" / name;
        tooltest::WriteFile(p, "#!/bin/sh\n");
        fs::permissions(p, fs::perms::owner_all);
        return p.string();
    }
    std::string Data() const { return (dir.path() / "data").string(); }
    std::string Bin() const { return (dir.path() / "bin").string(); }
    tooltest::ScratchDir dir;
};

TEST_F(HelpOpenerTest, APresentPageGoesToTheFirstBrowserFoundElseToXdgOpen) {
    const std::string firefox = Program("firefox");
    const std::string path = "/nowhere:" + Bin();
    HelpLaunch h = PrepareHelpPage(Data(), "environ.htm", "page2", path.c_str(), "nobrowser:firefox --new-tab");
    EXPECT_EQ(h.error, "");
    EXPECT_EQ(h.page, Data() + "/help/environ.htm");
    EXPECT_EQ(h.program, firefox);
    EXPECT_EQ(h.target, "file://" + Data() + "/help/environ.htm#page2");

    // Without $BROWSER the desktop's opener; without that, the file to open.
    EXPECT_EQ(PrepareHelpPage(Data(), "environ.htm", "", path.c_str(), nullptr).error,
              kCannot + "\nブラウザが見つかりません。次のファイルをブラウザで開いてください:\n" + h.page);
    const std::string opener = Program("xdg-open");
    h = PrepareHelpPage(Data(), "environ.htm", "", path.c_str(), "");
    EXPECT_EQ(h.program, opener);
    EXPECT_EQ(h.target, "file://" + h.page);
    // A file that is not executable is no program.
    fs::permissions(opener, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FindProgram("xdg-open", path.c_str()), "");
    EXPECT_EQ(FindProgram(firefox, nullptr), firefox);
}

TEST_F(HelpOpenerTest, AMissingPageIsNamedInTheMessage) {
    Program("xdg-open");
    const HelpLaunch h = PrepareHelpPage(Data(), "index.html", "", Bin().c_str(), nullptr);
    EXPECT_EQ(h.error, kCannot + "\n" + Data() + "/help/index.html");
}

TEST(HelpOpenerUrl, CharactersAUrlCannotHoldAreEscaped) {
    EXPECT_EQ(FileUrl("/a b/c#d%/ヘ.htm"), "file:///a%20b/c%23d%25/%E3%83%98.htm");
}

}  // namespace
}  // namespace qz
