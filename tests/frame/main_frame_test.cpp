// The main frame's behaviour through a fake host: tabs, the window list and
// its selection mode, panes, the modifier swap, routing and the end of work.
#include <gtest/gtest.h>

#include "app/key_code.h"
#include "document/file_io.h"
#include "frame/commands.h"
#include "frame/fake_main_frame_host.h"
#include "settings/settings.h"

namespace qz::test {
namespace {

namespace c = cmdid;

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheSettings() = Settings();
        frame_.Start();
    }
    FakeWindow* Open(const std::string& path) {
        FakeWindow* w = host_.Open(path);
        frame_.WindowOpened(w);
        frame_.WindowActivated(w);
        return w;
    }
    void Close(FakeWindow* w) {
        frame_.WindowClosed(w);
        host_.Close(w);
        frame_.WindowActivated(host_.active);
    }
    std::vector<std::string> TabTexts() const {
        std::vector<std::string> out;
        for (const auto& t : host_.tabs) out.push_back(t.text);
        return out;
    }

    fakes::FakeMessageBox box_;
    FakeMainFrameHost host_;
    FileIo io_{box_, &host_};
    FileCommands files_{box_, io_, host_};
    CMainFrame frame_{host_, files_, 1, 0};
};

TEST_F(MainFrameTest, TabsNumberTheWindowsAndComeBackToThePlaceholder) {
    EXPECT_EQ(TabTexts(), std::vector<std::string>{"ｵｰﾌﾟﾝﾌｧｲﾙなし"});
    FakeWindow* a = Open("/w/a.c");
    FakeWindow* b = Open("/w/sub/b.txt");
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"1:a.c", "2:b.txt"}));
    EXPECT_EQ(host_.selectedTab, 1);
    a->doc->SetModifiedFlag(true);
    frame_.WindowChanged(a);
    EXPECT_EQ(TabTexts()[0], "*1:a.c");
    Close(a);
    Close(b);
    EXPECT_EQ(TabTexts(), std::vector<std::string>{"ｵｰﾌﾟﾝﾌｧｲﾙなし"});
    EXPECT_EQ(host_.selectedTab, -1);
}

TEST_F(MainFrameTest, TheTabCounterWrapsAfter99) {
    for (int i = 0; i < 99; ++i) Close(Open("/w/f" + std::to_string(i)));
    FakeWindow* w = Open("/w/last");  // the 100th
    EXPECT_EQ(TabTexts(), std::vector<std::string>{"1:last"});
    EXPECT_EQ(frame_.Tabs().NumberOf(w), 1);
    // 99 is followed by 1 while windows stay open, too.
    WindowTabs tabs;
    for (int i = 1; i <= 99; ++i) EXPECT_EQ(tabs.Add(reinterpret_cast<void*>(uintptr_t(i)), false, "x"), i);
    EXPECT_EQ(tabs.Add(reinterpret_cast<void*>(uintptr_t(100)), false, "x"), 1);
}

TEST_F(MainFrameTest, NextAndPreviousWalkTheListSkippingMinimisedWindows) {
    FakeWindow* a = Open("/a");
    FakeWindow* b = Open("/b");
    FakeWindow* c = Open("/c");
    // Opening puts each at the front: c, b, a.
    EXPECT_EQ(frame_.List().Order(), (std::vector<void*>{c, b, a}));
    b->minimized = true;
    frame_.Execute(c::kNextWindow);
    EXPECT_EQ(host_.active, a);
    frame_.Execute(c::kNextWindow);
    EXPECT_EQ(host_.active, c);  // wrapped round past the minimised b
    frame_.Execute(c::kPreviousWindow);
    EXPECT_EQ(host_.active, a);
    // Stepping does not reorder the list; choosing a tab does.
    EXPECT_EQ(frame_.List().Order(), (std::vector<void*>{c, b, a}));
    frame_.TabChosen(1);
    EXPECT_EQ(host_.active, b);
    EXPECT_FALSE(b->minimized);
    EXPECT_EQ(frame_.List().Order(), (std::vector<void*>{b, c, a}));
}

TEST_F(MainFrameTest, WindowSelectionSwitchesTwoWindowsAndPromptsWithThree) {
    FakeWindow* a = Open("/a");
    FakeWindow* b = Open("/b");
    frame_.Execute(c::kWindowSelection);
    EXPECT_EQ(host_.active, a);
    EXPECT_FALSE(frame_.WindowSelectActive());
    frame_.Execute(c::kWindowSelection);
    EXPECT_EQ(host_.active, b);

    FakeWindow* c3 = Open("/c");  // list: c, b, a
    frame_.Execute(c::kWindowSelection);
    ASSERT_TRUE(frame_.WindowSelectActive());
    EXPECT_EQ(host_.active, b);
    EXPECT_EQ(a->message, CMainFrame::kWindowSelectPrompt);
    EXPECT_EQ(a->messageFore, 0xFF0000u);
    // Keys of the views are the mode's while it runs.
    EXPECT_TRUE(frame_.DispatchKey(kKeyDown));
    EXPECT_EQ(host_.active, a);
    EXPECT_TRUE(frame_.DispatchKey(kKeyDown));
    EXPECT_EQ(host_.active, c3);
    EXPECT_TRUE(frame_.DispatchKey(kKeyUp));
    EXPECT_EQ(host_.active, a);
    EXPECT_TRUE(frame_.WindowSelectKey(kKeyEnter));
    EXPECT_FALSE(frame_.WindowSelectActive());
    EXPECT_EQ(a->message, "");
    EXPECT_EQ(frame_.List().Order().front(), a);

    // Esc goes back to where the mode started.
    frame_.Execute(c::kWindowSelection);
    EXPECT_NE(host_.active, a);
    frame_.WindowSelectKey(kKeyEsc);
    EXPECT_EQ(host_.active, a);
    EXPECT_FALSE(frame_.WindowSelectActive());
    // Popups stay shut while the mode runs.
    frame_.Execute(c::kWindowSelection);
    frame_.DispatchKey(KeyF(1));
    EXPECT_TRUE(host_.popups.empty());
}

TEST_F(MainFrameTest, ModifiersSwapTheLabelsAndTheMenuRow) {
    EXPECT_STREQ(host_.labels[0], "MENU1");
    ASSERT_EQ(host_.menu.size(), 4u);
    EXPECT_EQ(host_.menu[0].label, "F1:MENU1 ");
    frame_.SetModifiers(ModifierState::Shift);
    EXPECT_STREQ(host_.labels[0], "記憶");
    ASSERT_FALSE(host_.menu.empty());
    EXPECT_EQ(host_.menu.front().label, "F1:記憶     ");
    EXPECT_EQ(host_.menu.front().key, Shift(KeyF(1)));
    EXPECT_EQ(host_.menu.back().label, "F0:DrTAG    ");
    frame_.SetModifiers(ModifierState::Ctrl);
    EXPECT_EQ(host_.menu.front().label, "F5:ＩＥ     ");
    frame_.SetModifiers(ModifierState::None);
    EXPECT_EQ(host_.menu[3].label, "F4:MENU4 ");
}

TEST_F(MainFrameTest, TheConventionalSchemeKeepsItsMenuAndChangesOnlyLabels) {
    CMainFrame slate(host_, files_, 2, 0);
    slate.Start();
    const std::string first = host_.menu.at(0).label;
    EXPECT_EQ(first, "ファイル(&F)");
    slate.SetModifiers(ModifierState::Shift);
    EXPECT_STREQ(host_.labels[2], "検索↑");
    EXPECT_EQ(host_.menu.at(0).label, first);
}

TEST_F(MainFrameTest, ThePaneResetAndEndModeAfterTheLastWindow) {
    FakeWindow* a = Open("/a");
    frame_.SetPane(kPaneRow, {"0000012", kColourButtonText, kColourButtonFace});
    frame_.SetPane(kPaneMessage, {"hello", kColourButtonText, kColourButtonFace});
    TheSettings().env.EndMode = 1;
    Close(a);
    frame_.LastWindowClosed(false);
    EXPECT_EQ(host_.panes[kPaneMessage].text, "");
    EXPECT_EQ(host_.panes[kPaneRow].text, "0000001");
    EXPECT_EQ(host_.panes[kPaneLog].text, "LOG/OFF 0");
    EXPECT_EQ(host_.panes[kPaneModified].fore, kColourIdleText);
    EXPECT_EQ(host_.panes[kPaneModified].back, kColourIdleBack);
    EXPECT_FALSE(host_.frameClosed);
    frame_.LastWindowClosed(true);
    EXPECT_TRUE(host_.frameClosed);
    host_.frameClosed = false;
    TheSettings().env.EndMode = 3;
    frame_.LastWindowClosed(true);
    EXPECT_FALSE(host_.frameClosed);
    TheSettings().env.EndMode = 2;
    frame_.LastWindowClosed(false);
    EXPECT_TRUE(host_.frameClosed);
}

TEST_F(MainFrameTest, PanesFollowTheActiveWindow) {
    FakeWindow* a = Open("/a");
    a->doc->SetModifiedFlag(true);
    frame_.WindowChanged(a);
    EXPECT_EQ(host_.panes[kPaneModified].text, "変更あり");
    FakeWindow* b = Open("/b");
    EXPECT_EQ(host_.panes[kPaneModified].text, "変更なし");
    b->view->SetPrefixPending(true);
    frame_.WindowActivated(b);
    EXPECT_EQ(host_.panes[kPanePrefix].fore, kColourButtonText);
    host_.ActivateWindow(a);
    frame_.WindowActivated(a);
    EXPECT_EQ(host_.panes[kPaneModified].text, "変更あり");
    EXPECT_EQ(host_.panes[kPanePrefix].fore, kColourGrayText);
}

TEST_F(MainFrameTest, ResidentCloseBoxClosesEveryWindowThenHides) {
    FakeWindow* a = Open("/a");
    Open("/b");
    host_.keptOnClose = {a};
    frame_.CloseBox(true);
    EXPECT_TRUE(host_.frameHidden);
    EXPECT_FALSE(host_.frameClosed);
    ASSERT_EQ(host_.windows.size(), 1u);
    EXPECT_EQ(host_.windows[0].get(), a);
    frame_.CloseBox(false);
    EXPECT_TRUE(host_.frameClosed);
}

TEST_F(MainFrameTest, RecentFilesAreNumberedOneToNineThenZero) {
    TheSettings().env.MRUCount = 12;
    for (int i = 0; i < 11; ++i) AddRecentFile(TheSettings(), 1, "/f" + std::to_string(10 - i));
    const std::vector<MenuItem> items = CMainFrame::RecentFileItems();
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0].label, "&1: /f0");
    EXPECT_EQ(items[0].id, 33261);
    EXPECT_EQ(items[10].label, "&0: /f10");
    EXPECT_EQ(items[10].id, 33271);
    TheSettings().env.MRUCount = 0;
    const std::vector<MenuItem> none = CMainFrame::RecentFileItems();
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].label, "");
    EXPECT_FALSE(frame_.StateOf(33261).enabled);
}

TEST_F(MainFrameTest, MaximiseActsOnTheWindowOrTheFrame) {
    frame_.DispatchKey(KeyF(12));
    EXPECT_TRUE(host_.frameMaximized);
    FakeWindow* a = Open("/a");
    frame_.DispatchKey(KeyF(12));
    EXPECT_TRUE(a->maximized);
    frame_.DispatchKey(kKeyEnd);  // scheme 1's other key for it
    EXPECT_FALSE(a->maximized);
}

TEST_F(MainFrameTest, SchemeThreePrefixStrokesReachTheirCommands) {
    FakeWindow* a = Open("/a");
    a->viewHost.lineDialogOk = false;
    frame_.PrefixSecondStroke('4');
    EXPECT_EQ(a->viewHost.lineInitial, "4");
    frame_.PrefixSecondStroke('B');
    frame_.PrefixSecondStroke('F');
    EXPECT_EQ(host_.portCommands, (std::vector<int>{c::kSearchUpDialog, c::kSearch}));
    frame_.PrefixSecondStroke('@');
    ASSERT_NE(a->viewHost.LastMessage(), nullptr);
    EXPECT_EQ(a->viewHost.LastMessage()->text, "コードは 16進[74], 10進[116]");
}

TEST_F(MainFrameTest, TheCalculationKeysReachTheView) {
    FakeWindow* a = host_.Open("/a", "0x1F+1\n");
    frame_.WindowOpened(a);
    frame_.WindowActivated(a);
    frame_.DispatchKey(Shift(KeyF(8)));
    EXPECT_EQ(a->viewHost.LastMessage()->text, "コードは 16進[30], 10進[48]");
    frame_.DispatchKey(Ctrl(KeyF(8)));
    EXPECT_EQ(a->viewHost.LastMessage()->text, "10進数:[31] 16進数:[1F] 2進数:[0001 1111]");
    frame_.DispatchKey(Ctrl(KeyF(7)));
    EXPECT_EQ(a->view->BoxPromptMode(), 64);
    EXPECT_TRUE(frame_.StateOf(c::kBoxCalculation).enabled);
    EXPECT_EQ(a->viewHost.beeps, 0);
}

TEST_F(MainFrameTest, KeysOfThePortsCommandsReachIt) {
    Open("/a");
    host_.portCommands.clear();
    frame_.DispatchKey(Ctrl(KeyF(10)));  // open with the associated program
    frame_.DispatchKey(Shift(KeyF(9)));  // the window list is the port's dialog
    EXPECT_EQ(host_.portCommands, (std::vector<int>{c::kOpenAssociated, c::kWindowList}));
    EXPECT_EQ(host_.beeps, 0);
    EXPECT_TRUE(frame_.StateOf(c::kGuidance).enabled);
    EXPECT_TRUE(frame_.StateOf(c::kGrep).enabled);
    EXPECT_TRUE(frame_.StateOf(c::kSave).enabled);
    Close(host_.active);
    EXPECT_FALSE(frame_.StateOf(c::kSave).enabled);
    EXPECT_TRUE(frame_.StateOf(c::kOpen).enabled);
}

TEST_F(MainFrameTest, TheExternalProgramsKeysReachThePort) {
    Open("/a");
    host_.portCommands.clear();
    frame_.DispatchKey(KeyF(11));
    frame_.DispatchKey(Ctrl(KeyF(5)));
    frame_.DispatchKey(Ctrl(KeyF(6)));
    EXPECT_EQ(host_.portCommands, (std::vector<int>{c::kUserTool, c::kBrowser1, c::kBrowser2}));
    EXPECT_EQ(host_.beeps, 0);
}

TEST_F(MainFrameTest, SchemeThreesLineFeedRunsTheOsWindowLineElseOpensALine) {
    CMainFrame third(host_, files_, 3, 0);
    third.Start();
    FakeWindow* a = Open("/a");
    third.WindowOpened(a);
    third.WindowActivated(a);
    const uint32_t length = a->doc->GetTextLength();
    third.DispatchKey(Shift(kKeyEnter));
    EXPECT_EQ(host_.osLineFeeds, 0);
    EXPECT_EQ(a->doc->GetTextLength(), length + 1);  // a line below the caret
    host_.osWindow = true;
    third.DispatchKey(Shift(kKeyEnter));
    EXPECT_EQ(host_.osLineFeeds, 1);
    EXPECT_EQ(a->doc->GetTextLength(), length + 1);
}

}  // namespace
}  // namespace qz::test
