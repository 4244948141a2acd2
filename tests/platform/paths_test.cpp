#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace qz;

TEST(Paths, SplitPathKeepsDirStemAndExtension) {
    PathParts p = SplitPath("/home/u/src/main.tar.gz");
    EXPECT_EQ(p.dir, "/home/u/src/");
    EXPECT_EQ(p.stem, "main.tar");
    EXPECT_EQ(p.ext, ".gz");
    p = SplitPath("Makefile");
    EXPECT_EQ(p.dir, "");
    EXPECT_EQ(p.stem, "Makefile");
    EXPECT_EQ(p.ext, "");
    p = SplitPath("/etc/.profile");
    EXPECT_EQ(p.stem, ".profile");
    EXPECT_EQ(p.ext, "");
    p = SplitPath("a.b/c");
    EXPECT_EQ(p.stem, "c");
    EXPECT_EQ(p.ext, "");
}

TEST(Paths, FolderAndFileName) {
    EXPECT_EQ(FolderOf("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(FolderOf("/c.txt"), "/");
    EXPECT_EQ(FolderOf("c.txt"), "");
    EXPECT_EQ(FileNameOf("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(FileNameOf("c.txt"), "c.txt");
}

TEST(Paths, NormalizeAndFullPath) {
    EXPECT_EQ(NormalizePath("/a//b/./c/../d"), "/a/b/d");
    EXPECT_EQ(NormalizePath("/../x"), "/x");
    EXPECT_EQ(NormalizePath("../x/./y"), "../x/y");
    EXPECT_EQ(NormalizePath("a/.."), ".");
    EXPECT_EQ(FullPath("/work", "x.c"), "/work/x.c");
    EXPECT_EQ(FullPath("/work", "/src/x.c"), "/src/x.c");
    EXPECT_EQ(FullPath("/work/", "../src/a b.c"), "/src/a b.c");
}

TEST(Paths, CanonicalResolvesLinksAndMissingTails) {
    fs::path dir = fs::temp_directory_path() / ("qz_paths_" + std::to_string(getpid()));
    fs::create_directories(dir / "real");
    std::ofstream(dir / "real" / "f.txt") << "x";
    fs::create_directory_symlink(dir / "real", dir / "link");
    const std::string real = fs::canonical(dir / "real" / "f.txt").string();
    EXPECT_EQ(CanonicalPath((dir / "link" / "f.txt").string()), real);
    EXPECT_EQ(CanonicalPath((dir / "link" / "new" / ".." / "g.txt").string()),
              fs::canonical(dir / "real").string() + "/g.txt");
    EXPECT_TRUE(SamePath((dir / "link/f.txt").string(), (dir / "real/./f.txt").string()));
    EXPECT_FALSE(SamePath((dir / "real/f.txt").string(), (dir / "real/F.txt").string()));
    fs::remove_all(dir);
}

TEST(Paths, ProgramFolderFollowsQzedHome) {
    const char* old = std::getenv("QZED_HOME");
    std::string saved = old ? old : "";
    setenv("QZED_HOME", "/tmp/qzhome//x/", 1);
    EXPECT_EQ(ProgramFolder(), "/tmp/qzhome/x");
    unsetenv("QZED_HOME");
    EXPECT_FALSE(ProgramFolder().empty());
    EXPECT_EQ(ProgramFolder()[0], '/');
    if (old) setenv("QZED_HOME", saved.c_str(), 1);
}

TEST(Paths, WildcardsMatchWholeCharacters) {
    EXPECT_TRUE(MatchWildcard("*.c", "main.c"));
    EXPECT_FALSE(MatchWildcard("*.c", "main.cpp"));
    EXPECT_TRUE(MatchWildcard("a?c", "a漢c"));  // ? takes one UTF-8 character
    EXPECT_FALSE(MatchWildcard("a?c", "abbc"));
    EXPECT_TRUE(MatchWildcard("*", ".hidden"));
    EXPECT_TRUE(MatchWildcard("**x*", "abxcd"));
    EXPECT_FALSE(MatchWildcard("*.C", "main.c"));  // case-sensitive
    EXPECT_TRUE(MatchWildcard("", ""));
    EXPECT_FALSE(MatchWildcard("", "a"));
}
