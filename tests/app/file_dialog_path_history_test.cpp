// The path-history dialog's registered folders: storage, labels, editing and
// the switch rule.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/path_history.h"
#include "platform/profile.h"
#include "support/fake_message_box.h"

using namespace qz;

TEST(PathHistoryStore, LoadsAndSavesTenEntriesUnderFileDialog) {
    MemoryProfile profile;
    profile.WriteProfileString("FileDialog", "Path1", "/home/u/src");
    profile.WriteProfileInt("FileDialog", "Flag1", 1);
    profile.WriteProfileString("FileDialog", "Path10", "/tmp/日本語");
    profile.WriteProfileInt("FileDialog", "Flag5", 7);
    PathHistory h;
    h.Load(profile);
    EXPECT_EQ(h.Entry(0), (PathEntry{"/home/u/src", true}));
    EXPECT_EQ(h.Entry(9), (PathEntry{"/tmp/日本語", false}));
    EXPECT_TRUE(h.Entry(4).readOnly);
    EXPECT_TRUE(h.IsEmpty(1));

    MemoryProfile out;
    h.Save(out);
    EXPECT_EQ(out.Values().size(), 20u);
    EXPECT_EQ(out.GetProfileString("FileDialog", "Path1"), "/home/u/src");
    EXPECT_EQ(out.GetProfileInt("FileDialog", "Flag1", -1), 1);
    EXPECT_EQ(out.GetProfileString("FileDialog", "Path10"), "/tmp/日本語");
    EXPECT_EQ(out.GetProfileInt("FileDialog", "Flag5", -1), 1);
    EXPECT_TRUE(out.Has("FileDialog", "Path2"));
    EXPECT_EQ(out.GetProfileInt("FileDialog", "Flag2", -1), 0);
    EXPECT_FALSE(out.Has("FileDialog", "Path0"));
    EXPECT_FALSE(out.Has("FileDialog", "Path11"));
}

TEST(PathHistoryLabels, NumbersRunOneToNineThenZero) {
    PathHistory h;
    h.SetPath(0, "/a");
    EXPECT_EQ(h.ButtonLabel(0), "/a");
    EXPECT_EQ(h.ButtonLabel(1), "未登録");
    EXPECT_EQ(PathHistory::Number(0), "1");
    EXPECT_EQ(PathHistory::Number(8), "9");
    EXPECT_EQ(PathHistory::Number(9), "0");
    EXPECT_EQ(h.ListText(0), "1  /a");
    EXPECT_EQ(h.ListText(9), "0  未登録");
}

TEST(PathHistoryEditing, DeleteAndMovesCarryTheFlag) {
    PathHistory h;
    h.SetPath(0, "/a");
    h.SetReadOnly(0, true);
    h.SetPath(1, "/b");
    EXPECT_EQ(h.MoveDown(0), 1);
    EXPECT_EQ(h.Entry(0), (PathEntry{"/b", false}));
    EXPECT_EQ(h.Entry(1), (PathEntry{"/a", true}));
    EXPECT_EQ(h.MoveUp(1), 0);
    EXPECT_EQ(h.Entry(0), (PathEntry{"/a", true}));
    // The ends stay put.
    EXPECT_EQ(h.MoveUp(0), 0);
    h.SetPath(9, "/z");
    EXPECT_EQ(h.MoveDown(9), 9);
    EXPECT_EQ(h.Entry(9).path, "/z");
    // Deleting clears the entry in its place; the others keep their numbers.
    h.Delete(0);
    EXPECT_EQ(h.Entry(0), PathEntry{});
    EXPECT_EQ(h.Entry(1).path, "/b");
}

TEST(PathHistoryEditing, IndexesOutsideTheTenAreIgnored) {
    PathHistory h;
    h.SetPath(10, "/x");
    h.SetPath(-1, "/x");
    h.SetReadOnly(10, true);
    h.Delete(-1);
    EXPECT_EQ(h.MoveUp(10), 10);
    EXPECT_EQ(h.MoveDown(-1), -1);
    EXPECT_TRUE(h.IsEmpty(10));
    EXPECT_EQ(h.ButtonLabel(-1), "未登録");
    for (int i = 0; i < PathHistory::kCount; ++i) EXPECT_EQ(h.Entry(i), PathEntry{}) << i;
}

TEST(PathHistorySwitch, EmptyInvalidAndValidEntries) {
    PathHistory h;
    h.SetPath(1, "/no/such/folder");
    h.SetPath(2, "/srv/ok");
    h.SetReadOnly(2, true);
    auto isDir = [](const std::string& p) { return p == "/srv/ok"; };
    fakes::FakeMessageBox box;

    auto none = SwitchToEntry(h, 0, isDir, box);
    EXPECT_EQ(none.result, SwitchResult::Nothing);
    EXPECT_TRUE(box.shown.empty());

    auto bad = SwitchToEntry(h, 1, isDir, box);
    EXPECT_EQ(bad.result, SwitchResult::Invalid);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "このパスは無効です\n/no/such/folder");
    EXPECT_EQ(box.shown[0].caption, "パス切り換え");
    EXPECT_EQ(box.shown[0].icon, MbIcon::Stop);
    EXPECT_EQ(box.shown[0].buttons, MbButtons::Ok);

    auto ok = SwitchToEntry(h, 2, isDir, box);
    EXPECT_EQ(ok.result, SwitchResult::Switched);
    EXPECT_EQ(ok.folder, "/srv/ok");
    EXPECT_TRUE(ok.readOnly);
    EXPECT_EQ(box.shown.size(), 1u);
}

TEST(PathHistorySwitch, DirectoryCheckRefusesFilesAndMissingPaths) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("qz_pathhist_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string file = (dir / "plain.txt").string();
    { FILE* f = fopen(file.c_str(), "w"); ASSERT_NE(f, nullptr); fclose(f); }
    EXPECT_TRUE(IsExistingDirectory(dir.string()));
    EXPECT_FALSE(IsExistingDirectory(file));
    EXPECT_FALSE(IsExistingDirectory((dir / "missing").string()));
    EXPECT_FALSE(IsExistingDirectory(""));

    PathHistory h;
    h.SetPath(0, file);
    fakes::FakeMessageBox box;
    EXPECT_EQ(SwitchToEntry(h, 0, IsExistingDirectory, box).result, SwitchResult::Invalid);
    EXPECT_EQ(box.shown.at(0).text, "このパスは無効です\n" + file);
    fs::remove_all(dir);
}

TEST(PathHistoryCaption, TitleHyphenAndQuotedFolder) {
    EXPECT_EQ(ExplorerCaption("ファイルを開く", "/home/u"), "ファイルを開く - \"/home/u\"");
    EXPECT_EQ(ExplorerCaption("", "/"), " - \"/\"");
}
