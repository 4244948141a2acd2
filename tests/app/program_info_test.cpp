// The editor's --version and --help: when they are asked for, and their texts.
#include "app/program_info.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(ProgramInfo, AskedOnlyAmongTheOptions) {
    using V = std::vector<std::string>;
    EXPECT_EQ(InfoRequested(V{}), InfoRequest::None);
    EXPECT_EQ(InfoRequested(V{"--version"}), InfoRequest::Version);
    EXPECT_EQ(InfoRequested(V{"--help"}), InfoRequest::Help);
    EXPECT_EQ(InfoRequested(V{"-v", "-10", "--help", "a.txt"}), InfoRequest::Help);
    EXPECT_EQ(InfoRequested(V{"--help", "--version"}), InfoRequest::Help);
    // After a file name or "--" they are names of files.
    EXPECT_EQ(InfoRequested(V{"a.txt", "--help"}), InfoRequest::None);
    EXPECT_EQ(InfoRequested(V{"--", "--version"}), InfoRequest::None);
    EXPECT_EQ(InfoRequested(V{"--helpful"}), InfoRequest::None);
}

TEST(ProgramInfo, VersionAndHelpTexts) {
    EXPECT_EQ(VersionInfo(), "qzed32 (QZ32 Editor) Version 1.49\n");
    const std::string help = HelpInfo("/h/.config/Tobarin/QZ32 Editor.ini",
                                      {"/usr/share/qzed32", "/h/.local/state/qzed32", "/h/.local/share/qzed32"});
    EXPECT_EQ(help.rfind("Format: qzed32 <Option> <File> <File> ...\n", 0), 0u);
    for (const char* line : {"-q ... 前回編集したファイルを開く\n", "--version ... 版数を表示する\n",
                             "設定     : /h/.config/Tobarin/QZ32 Editor.ini\n", "データ   : /usr/share/qzed32\n",
                             "個人用   : /h/.local/share/qzed32\n", "状態     : /h/.local/state/qzed32\n"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace qz
