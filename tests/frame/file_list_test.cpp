// The list of open files over real documents: collecting the tabs, the
// cell texts, switching marks, and what OK and Cancel leave behind.
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>

#include "document/file_io.h"
#include "frame/fake_main_frame_host.h"
#include "frame/file_list.h"
#include "settings/settings.h"

namespace qz::test {
namespace {

namespace fs = std::filesystem;

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheSettings() = Settings();
        dir_ = fs::temp_directory_path() / ("qz_filelist_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A window on a document with this text, its path in the test folder
    // (the file itself only when onDisk).
    FakeWindow* Window(const std::string& name, const std::string& text = "text\n", bool onDisk = true) {
        const std::string path = (dir_ / name).string();
        if (onDisk) std::ofstream(path) << text;
        return host_.Open(path, text);
    }
    std::vector<FileListSource> Sources() {
        std::vector<FileListSource> out;
        int number = 1;
        for (auto& w : host_.windows) out.push_back({w.get(), number++, w->doc.get()});
        return out;
    }

    fs::path dir_;
    fakes::FakeMessageBox box_;
    FakeMainFrameHost host_;
    FileIo io_{box_, &host_};
    FileCommands files_{box_, io_, host_};
};

TEST_F(FileListTest, RowsShowNumberMarksSizeAndPathInTabOrder) {
    FakeWindow* a = Window("a.c", "int a;\n");
    FakeWindow* b = Window("b.txt", "");
    a->doc->SetReadOnly(true);
    b->doc->SetModifiedFlag(true);
    std::vector<FileListSource> tabs = Sources();
    tabs[0].tabNumber = 7;
    tabs[1].tabNumber = 12;
    FileListModel m(tabs, 1);

    ASSERT_EQ(m.Count(), 2);
    EXPECT_FALSE(m.Full());
    EXPECT_EQ(m.Chosen(), 1);
    EXPECT_EQ(m.TotalText(), "総数: 02");
    EXPECT_EQ(m.MessageText(), "");
    const char* row0[] = {"07", "禁止", "なし", "7"};
    const char* row1[] = {"12", "可能", "あり", "0"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(m.CellText(0, c), row0[c]) << c;
        EXPECT_EQ(m.CellText(1, c), row1[c]) << c;
    }
    EXPECT_EQ(m.CellText(0, 5), (dir_ / "a.c").string());
    EXPECT_EQ(m.CellText(2, 0), "");
    EXPECT_EQ(m.CellText(0, 6), "");
}

TEST_F(FileListTest, ClearingTheSecondOfThreeModifiedMarksMeansClosingItNoLongerAsks) {
    Window("one.txt");
    FakeWindow* two = Window("two.txt");
    FakeWindow* three = Window("three.txt");
    for (auto& w : host_.windows) w->doc->SetModifiedFlag(true);
    FileListModel m(Sources(), 2);
    m.ToggleModified(1);
    EXPECT_EQ(m.CellText(1, 2), "なし");
    m.SetChosen(1);
    EXPECT_EQ(m.Apply(), two);

    EXPECT_TRUE(host_.windows[0]->doc->IsModified());
    EXPECT_FALSE(two->doc->IsModified());
    EXPECT_TRUE(three->doc->IsModified());
    EXPECT_TRUE(files_.Lifecycle().SaveModified(*two->doc));
    EXPECT_TRUE(box_.shown.empty());
    box_.answers = {MbResult::Cancel};
    EXPECT_FALSE(files_.Lifecycle().SaveModified(*three->doc));
    EXPECT_EQ(box_.shown.size(), 1u);
}

TEST_F(FileListTest, ANeverSavedDocumentIsNewAndASavedOneShowsItsFileTime) {
    Window("new.txt", "", false);
    Window("old.txt");
    const std::string old = (dir_ / "old.txt").string();
    const timeval times[2] = {{981173106, 0}, {981173106, 0}};  // 2001-02-03 04:05:06 UTC
    ASSERT_EQ(::utimes(old.c_str(), times), 0);
    const char* tz = std::getenv("TZ");
    const std::string savedTz = tz ? tz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    FileListModel m(Sources(), 0);
    tz ? ::setenv("TZ", savedTz.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();

    EXPECT_EQ(m.CellText(0, 4), "新規");
    EXPECT_EQ(m.CellText(1, 4), "2001/02/03 04:05:06");
    EXPECT_EQ(FileListModel::DateText(""), "新規");
}

TEST_F(FileListTest, MarksSwitchedWithoutApplyLeaveTheDocumentsAsTheyWere) {
    FakeWindow* a = Window("a.txt");
    FakeWindow* b = Window("b.txt");
    b->doc->SetModifiedFlag(true);
    {
        FileListModel m(Sources(), 0);
        for (int row = 0; row < 2; ++row) {
            m.ToggleReadOnly(row);
            m.ToggleModified(row);
        }
        EXPECT_EQ(m.CellText(0, 1), "禁止");
        EXPECT_EQ(m.CellText(1, 2), "なし");
    }  // Cancel: the model goes without Apply
    EXPECT_FALSE(a->doc->IsReadOnly());
    EXPECT_FALSE(a->doc->IsModified());
    EXPECT_FALSE(b->doc->IsReadOnly());
    EXPECT_TRUE(b->doc->IsModified());
}

TEST_F(FileListTest, ApplyWritesEveryRowsMarksAndToleratesNoChosenRow) {
    FakeWindow* a = Window("a.txt");
    FakeWindow* b = Window("b.txt");
    a->doc->SetModifiedFlag(true);
    FileListModel m(Sources(), 0);
    m.ToggleReadOnly(0);
    m.ToggleReadOnly(1);
    m.ToggleReadOnly(1);  // back again
    m.ToggleModified(7);  // no such row
    m.SetChosen(5);
    EXPECT_EQ(m.Chosen(), -1);
    EXPECT_EQ(m.Apply(), nullptr);
    EXPECT_TRUE(a->doc->IsReadOnly());
    EXPECT_TRUE(a->doc->IsModified());
    EXPECT_FALSE(b->doc->IsReadOnly());
}

TEST_F(FileListTest, TwoWindowsOnOneDocumentSwitchTogether) {
    // Written back in order, the second window's unchanged mark would undo
    // the first's.
    FakeWindow* a = Window("a.txt");
    Window("b.txt");
    a->doc->SetModifiedFlag(true);
    std::vector<FileListSource> tabs = Sources();
    tabs.push_back({&tabs, 3, a->doc.get()});  // a second window on a
    FileListModel m(tabs, 0);
    m.ToggleModified(0);
    m.ToggleReadOnly(2);
    EXPECT_EQ(m.CellText(2, 2), "なし");
    EXPECT_EQ(m.CellText(0, 1), "禁止");
    EXPECT_EQ(m.CellText(1, 1), "可能");
    m.Apply();
    EXPECT_FALSE(a->doc->IsModified());
    EXPECT_TRUE(a->doc->IsReadOnly());
}

TEST_F(FileListTest, NoWindowGivesAnEmptyListWithItsMessage) {
    FileListModel m({{nullptr, 0, nullptr}}, 0);  // the placeholder tab
    EXPECT_EQ(m.Count(), 0);
    EXPECT_EQ(m.Chosen(), -1);
    EXPECT_EQ(m.TotalText(), "総数: 00");
    EXPECT_EQ(m.MessageText(), "ファイルはありません");
    m.ToggleModified(0);
    EXPECT_EQ(m.Apply(), nullptr);
}

TEST_F(FileListTest, A33rdWindowFillsTheListAtThirtyTwo) {
    for (int i = 0; i < 33; ++i) Window("f" + std::to_string(i) + ".txt", "x\n", false);
    FileListModel beyond(Sources(), 32);
    EXPECT_EQ(beyond.Count(), 32);
    EXPECT_TRUE(beyond.Full());
    EXPECT_EQ(beyond.MessageText(), "32個以上のファイルは処理出来ません");
    EXPECT_EQ(beyond.TotalText(), "総数: 32");
    EXPECT_EQ(beyond.Chosen(), -1);  // its tab has no row
    EXPECT_EQ(beyond.CellText(31, 0), "32");

    FileListModel last(Sources(), 31);
    EXPECT_EQ(last.Chosen(), 31);
    host_.windows.pop_back();
    FileListModel exact(Sources(), 0);
    EXPECT_EQ(exact.Count(), 32);
    EXPECT_FALSE(exact.Full());
    EXPECT_EQ(exact.MessageText(), "");
}

}  // namespace
}  // namespace qz::test
