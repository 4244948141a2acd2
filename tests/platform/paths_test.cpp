#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

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

TEST(Paths, FoldersOfABuildTreeAnInstallAndQzedHome) {
    FolderFacts f;
    f.exeFolder = "/usr/bin";
    f.home = "/home/u";
    // Installed: data under share, state and the user's copies in the home.
    ProgramFolders p = ChooseFolders(f);
    EXPECT_EQ(p.data, "/usr/share/qzed32");
    EXPECT_EQ(p.state, "/home/u/.local/state/qzed32");
    EXPECT_EQ(p.userData, "/home/u/.local/share/qzed32");
    // ... also for a user who may write beside the executable (root).
    f.exeWritable = true;
    EXPECT_EQ(ChooseFolders(f).state, "/home/u/.local/state/qzed32");
    f.xdgStateHome = "/xdg/state";
    f.xdgDataHome = "/xdg/data";
    p = ChooseFolders(f);
    EXPECT_EQ(p.state, "/xdg/state/qzed32");
    EXPECT_EQ(p.userData, "/xdg/data/qzed32");

    // A build tree holds its data; its state stays there while it may be written.
    f.exeFolder = "/src/build/bin";
    f.exeHoldsData = true;
    p = ChooseFolders(f);
    EXPECT_EQ(p.data, "/src/build/bin");
    EXPECT_EQ(p.state, "/src/build/bin");
    EXPECT_EQ(p.userData, "/xdg/data/qzed32");
    f.exeWritable = false;
    EXPECT_EQ(ChooseFolders(f).state, "/xdg/state/qzed32");

    // $QZED_HOME is all three.
    f.qzedHome = "/q";
    p = ChooseFolders(f);
    EXPECT_EQ(p.data, "/q");
    EXPECT_EQ(p.state, "/q");
    EXPECT_EQ(p.userData, "/q");
}

TEST(Paths, FolderFactsComeFromTheEnvironment) {
    const char* keep[] = {"QZED_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "HOME"};
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    for (const char* k : keep) {
        const char* v = std::getenv(k);
        saved.emplace_back(k, v ? std::optional<std::string>(v) : std::nullopt);
    }
    unsetenv("QZED_HOME");
    setenv("HOME", "/home/t", 1);
    setenv("XDG_STATE_HOME", "relative/state", 1);  // not absolute: ignored
    setenv("XDG_DATA_HOME", "/d//x/", 1);
    const FolderFacts f = FolderFacts::OfThisProcess();
    EXPECT_EQ(f.qzedHome, "");
    EXPECT_EQ(f.home, "/home/t");
    EXPECT_EQ(f.xdgStateHome, "");
    EXPECT_EQ(f.xdgDataHome, "/d/x");
    EXPECT_EQ(f.exeFolder, fs::canonical("/proc/self/exe").parent_path().string());
    // The test program's folder holds no keyword files.
    EXPECT_FALSE(f.exeHoldsData);
    EXPECT_EQ(StateFolder(), "/home/t/.local/state/qzed32");
    EXPECT_EQ(UserDataFolder(), "/d/x/qzed32");
    EXPECT_EQ(DataFolder(), NormalizePath(f.exeFolder + "/../share/qzed32"));
    for (auto& [k, v] : saved) {
        if (v) setenv(k.c_str(), v->c_str(), 1);
        else unsetenv(k.c_str());
    }
}

TEST(Paths, MakeFoldersMakesEveryMissingLevelForTheUserAlone) {
    const fs::path dir = fs::temp_directory_path() / ("qz_mk_" + std::to_string(getpid()));
    const std::string deep = (dir / "a" / "b" / "c").string();
    ASSERT_TRUE(MakeFolders(deep));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_EQ(fs::status(deep).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(MakeFolders(deep));  // already there
    std::ofstream(dir / "file") << "x";
    EXPECT_FALSE(MakeFolders((dir / "file").string()));
    EXPECT_FALSE(MakeFolders((dir / "file" / "sub").string()));
    fs::remove_all(dir);
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
