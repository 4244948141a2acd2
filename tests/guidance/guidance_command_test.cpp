// The guidance command through the frame: which help entry the keys, the
// buttons and the chooser pick, which keyword goes with it, and how each
// kind of help file is shown.
#include <gtest/gtest.h>

#include "app/key_code.h"
#include "document/file_io.h"
#include "frame/commands.h"
#include "frame/fake_main_frame_host.h"
#include "frame/guidance_command.h"
#include "lang/guidance_window.h"
#include "platform/cp932.h"
#include "settings/settings.h"

namespace qz::test {
namespace {

namespace c = cmdid;

class FakeGuidanceHost : public GuidanceHost {
public:
    struct Chooser {
        std::vector<std::string> titles;
        int selected;
        std::string keyword;
    };
    struct Shown {
        std::string title, keyword, file;
        bool operator==(const Shown&) const = default;
    };
    MemoryProfile profile;
    std::vector<Chooser> choosers;
    int answer = 0;  // the chooser's result
    std::string editedKeyword;
    std::vector<Shown> windows;
    std::vector<std::string> opened;

    Profile& GuidanceProfile() override { return profile; }
    int ChooseHelpEntry(const std::vector<std::string>& titles, int selected, std::string& keyword) override {
        choosers.push_back({titles, selected, keyword});
        if (!editedKeyword.empty()) keyword = editedKeyword;
        return answer;
    }
    void RunGuidanceWindow(const std::string& title, const std::string& keyword, const std::string& path) override {
        windows.push_back({title, keyword, path});
    }
    void OpenHelpFile(const std::string& path) override { opened.push_back(path); }

    void Entry(int n, const std::string& title, const std::string& file) {
        profile.WriteProfileString("Environ", "HelpTitle" + std::to_string(n), title);
        profile.WriteProfileString("Environ", "HelpFile" + std::to_string(n), file);
    }
};

class GuidanceCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheSettings() = Settings();
        frame_.Start();
        frame_.SetGuidanceHost(&guide_);
        for (int n = 1; n <= 9; ++n) guide_.Entry(n, "T" + std::to_string(n), "/d/dict" + std::to_string(n) + ".dic");
    }
    FakeWindow* Open(const std::string& text) {
        FakeWindow* w = host_.Open("/w/a.c", text);
        frame_.WindowOpened(w);
        frame_.WindowActivated(w);
        return w;
    }

    fakes::FakeMessageBox box_;
    FakeMainFrameHost host_;
    FileIo io_{box_, &host_};
    FileCommands files_{box_, io_, host_};
    CMainFrame frame_{host_, files_, 1, 0};
    FakeGuidanceHost guide_;
};

TEST_F(GuidanceCommandTest, CtrlDigitsAndTheButtonsOpenTheirEntryWithTheWordAtTheCaret) {
    FakeWindow* w = Open("  strcpy(dst, src);\n");
    w->view->SetCaret(1, 5);  // inside "strcpy"
    EXPECT_TRUE(frame_.StateOf(c::kGuidance).enabled);
    EXPECT_TRUE(frame_.StateOf(c::kHelpButton1 + 4).enabled);
    for (int n = 1; n <= 9; ++n) frame_.DispatchKey(Ctrl(KeyDigit(n)));
    EXPECT_TRUE(frame_.Execute(c::kHelpButton1 + 2));
    ASSERT_EQ(guide_.windows.size(), 10u);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(guide_.windows[n - 1], (FakeGuidanceHost::Shown{"T" + std::to_string(n), "strcpy",
                                                                   "/d/dict" + std::to_string(n) + ".dic"}));
    EXPECT_EQ(guide_.windows[9].title, "T3");
    EXPECT_TRUE(guide_.choosers.empty());
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(GuidanceCommandTest, TheKeywordIsTheSelectionOrTheWordOrEmpty) {
    FakeWindow* w = Open("abc_1+" + Utf8ToSjis("関数名") + " x\n");
    w->view->SetCaret(1, 2);
    w->view->SelCharRight();
    w->view->SelCharRight();  // "bc"
    frame_.DispatchKey(Ctrl(KeyDigit(1)));
    EXPECT_EQ(w->view->KeySelection(), kSelNone);  // the selection ended
    w->view->SetCaret(1, 6);                   // "+" is a word of its own
    frame_.DispatchKey(Ctrl(KeyDigit(1)));
    w->view->SetCaret(1, 9);                   // the second kanji
    frame_.DispatchKey(Ctrl(KeyDigit(1)));
    w->view->SetCaret(1, 13);                  // the blank
    frame_.DispatchKey(Ctrl(KeyDigit(1)));
    w->view->SetCaret(1, 16);                  // the line end
    frame_.DispatchKey(Ctrl(KeyDigit(1)));
    std::vector<std::string> keywords;
    for (const auto& s : guide_.windows) keywords.push_back(s.keyword);
    EXPECT_EQ(keywords, (std::vector<std::string>{"bc", "+", Utf8ToSjis("関数名"), "", ""}));

    // A selection is cut at 128 bytes, between characters.
    std::string long_(127, 'a');
    long_ += Utf8ToSjis("漢");
    FakeWindow* v = Open(long_ + "\n");
    v->view->SelectAll();
    frame_.Execute(c::kHelpButton1);
    EXPECT_EQ(guide_.windows.back().keyword, std::string(127, 'a'));
}

TEST_F(GuidanceCommandTest, NothingHappensWhileTheWindowSelectionRuns) {
    Open("word\n");
    Open("word\n");
    Open("word\n");
    frame_.Execute(c::kWindowSelection);
    ASSERT_TRUE(frame_.WindowSelectActive());
    frame_.DispatchKey(Ctrl(KeyDigit(1)));
    frame_.Execute(c::kHelpButton1);
    EXPECT_TRUE(guide_.windows.empty());
}

TEST_F(GuidanceCommandTest, TheChooserComesOnlyWithASecondEntryAndRemembersTheChoice) {
    FakeWindow* w = Open("fopen\n");
    w->view->SetCaret(1, 1);
    // Only the first entry registered: straight to it.
    MemoryProfile& p = guide_.profile;
    p.Clear();
    guide_.Entry(1, "C", "/d/c.dic");
    frame_.Execute(c::kGuidance);
    ASSERT_EQ(guide_.windows.size(), 1u);
    EXPECT_EQ(guide_.windows[0].title, "C");
    EXPECT_TRUE(guide_.choosers.empty());

    guide_.Entry(2, "Win32", "/d/w.dic");
    guide_.Entry(3, "Perl", "/d/p.dic");
    guide_.answer = -1;  // Cancel
    frame_.Execute(c::kGuidance);
    ASSERT_EQ(guide_.choosers.size(), 1u);
    EXPECT_EQ(guide_.choosers[0].titles, (std::vector<std::string>{"C", "Win32", "Perl"}));
    EXPECT_EQ(guide_.choosers[0].keyword, "fopen");
    EXPECT_EQ(guide_.windows.size(), 1u);

    guide_.answer = 2;
    guide_.editedKeyword = "printf";
    frame_.Execute(c::kGuidance);
    ASSERT_EQ(guide_.windows.size(), 2u);
    EXPECT_EQ(guide_.windows[1], (FakeGuidanceHost::Shown{"Perl", "printf", "/d/p.dic"}));
    frame_.Execute(c::kGuidance);
    EXPECT_EQ(guide_.choosers.back().selected, 2);  // the last choice comes first

    // A second file without any title: the chooser has nothing to offer.
    p.Clear();
    p.WriteProfileString("Environ", "HelpFile2", "/d/x.dic");
    frame_.Execute(c::kGuidance);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, kMsgNoGuidance);
    EXPECT_EQ(box_.shown[0].caption, kCaptionNoGuidance);
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
    EXPECT_EQ(guide_.windows.size(), 3u);
}

TEST_F(GuidanceCommandTest, HelpFilesOfOtherProgramsGoToTheirProgramByTheLowerCasedName) {
    Open("x\n");
    guide_.Entry(1, "WinHelp", "/h/API.HLP");
    guide_.Entry(2, "HTML", "/h/sdk.chm");
    guide_.Entry(3, "Collection", "/h/all.Col");
    guide_.Entry(4, "Empty", "");
    for (int n = 1; n <= 4; ++n) frame_.DispatchKey(Ctrl(KeyDigit(n)));
    EXPECT_EQ(guide_.opened, (std::vector<std::string>{"/h/API.HLP", "/h/sdk.chm", "/h/all.Col"}));
    EXPECT_TRUE(guide_.windows.empty());
    EXPECT_EQ(HelpFileKindOf("/x/a.hlp.dic"), HelpFileKind::WinHelp);  // contained, as the test reads
    EXPECT_EQ(HelpFileKindOf("/x/words.dic"), HelpFileKind::Dictionary);
}

}  // namespace
}  // namespace qz::test
