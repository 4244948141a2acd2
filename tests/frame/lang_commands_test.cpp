// The language commands through the frame: the ids and keys that reach the
// view, the definition jump back (also after its window closed), and
// opening the keyword and template files.
#include <gtest/gtest.h>

#include "app/key_code.h"
#include "document/file_io.h"
#include "frame/commands.h"
#include "frame/fake_main_frame_host.h"
#include "lang/jump_stack.h"
#include "lang/language_data.h"
#include "settings/settings.h"

namespace qz::test {
namespace {

namespace c = cmdid;

class FrameLangTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheSettings() = Settings();
        TheJumpBackStack().Clear();
        TheTemplateTable(1).Clear();
        frame_.Start();
    }
    FakeWindow* Open(const std::string& path, const std::string& text) {
        FakeWindow* w = host_.Open(path, text);
        frame_.WindowOpened(w);
        frame_.WindowActivated(w);
        return w;
    }
    static uint32_t Line(FakeWindow* w) { return w->doc->Store().RowToLine(w->view->CaretRow()); }

    fakes::FakeMessageBox box_;
    FakeMainFrameHost host_;
    FileIo io_{box_, &host_};
    FileCommands files_{box_, io_, host_};
    CMainFrame frame_{host_, files_, 4, 0};
};

TEST_F(FrameLangTest, CommandsAndKeysReachTheActiveView) {
    ASSERT_TRUE(ParseTemplateFile("#key z\n#start\n\tzed\n#end\n", TheTemplateTable(1)).ok());
    FakeWindow* w = Open("/w/a.c", "int f(void)\n{\n}\nint g(void)\n");
    EXPECT_TRUE(frame_.StateOf(c::kTemplateDialog).enabled);
    EXPECT_TRUE(frame_.DispatchKey(Alt(KeyLetter('Z'))));
    char head[7] = {};
    w->doc->Store().ReadText(1, head, 3);
    EXPECT_STREQ(head, "zed");
    w->view->SetCaret(2, 1);
    EXPECT_TRUE(frame_.DispatchKey(Ctrl(Shift(KeyLetter('N')))));  // next function
    EXPECT_EQ(Line(w), 4u);
    EXPECT_TRUE(frame_.Execute(c::kPreviousFunction));
    EXPECT_EQ(Line(w), 1u);
    w->view->SelRowEnd();
    EXPECT_TRUE(frame_.Execute(c::kUpperCase));
    w->doc->Store().ReadText(1, head, 6);
    EXPECT_STREQ(head, "ZEDINT");
}

TEST_F(FrameLangTest, JumpBackReturnsToTheViewThePlaceWasTakenIn) {
    FakeWindow* a = Open("/w/a.c", "1\n2\n3\n4\n");
    FakeWindow* b = Open("/w/b.c", "x\n");
    TheJumpBackStack().Push(JumpPlace{1, "/w/a.c", a->view.get(), 3});
    EXPECT_TRUE(frame_.Execute(c::kJumpBack));
    EXPECT_EQ(host_.active, a);
    EXPECT_EQ(Line(a), 3u);
    EXPECT_TRUE(host_.documentsAsked.empty());
    EXPECT_EQ(TheJumpBackStack().Size(), 0);
    // An empty stack does nothing, with or without windows.
    host_.ActivateWindow(b);
    EXPECT_TRUE(frame_.Execute(c::kJumpBack));
    EXPECT_EQ(host_.active, b);
}

TEST_F(FrameLangTest, JumpBackAfterTheFileWasClosedOpensItAgain) {
    FakeWindow* a = Open("/w/a.c", "1\n2\n3\n");
    const void* gone = a->view.get();
    TheJumpBackStack().Push(JumpPlace{1, "/w/a.c", gone, 2});
    frame_.WindowClosed(a);
    host_.Close(a);
    // The closed view's address must not be used, even if a new view of
    // another file is made there.
    Open("/w/other.c", "o\n");
    host_.files["/w/a.c"] = "1\n2\n3\n";
    EXPECT_TRUE(frame_.Execute(c::kJumpBack));
    EXPECT_EQ(host_.documentsAsked, std::vector<std::string>{"/w/a.c"});
    ASSERT_TRUE(host_.active);
    EXPECT_EQ(host_.active->doc->GetPathName(), "/w/a.c");
    EXPECT_EQ(Line(host_.active), 2u);
}

TEST_F(FrameLangTest, AFailedJumpBackSaysSoInRedWithoutABeep) {
    Open("/w/b.c", "x\n");
    TheJumpBackStack().Push(JumpPlace{1, "/w/missing.c", nullptr, 5});
    EXPECT_TRUE(frame_.Execute(c::kJumpBack));
    EXPECT_EQ(host_.panes[kPaneMessage], (PaneLook{"ＴＡＧＳ指定行にジャンプできません", 0x0000FF, kColourButtonFace}));
    EXPECT_EQ(host_.beeps, 0);
    EXPECT_EQ(TheJumpBackStack().Size(), 0);  // the place is gone all the same
}

TEST_F(FrameLangTest, AnOpenFileIsBroughtUpRatherThanOpenedAgain) {
    FakeWindow* a = Open("/w/a.c", "1\n2\n3\n");
    Open("/w/b.c", "x\n");
    EXPECT_TRUE(frame_.OpenAtLine("/w/a.c", 3, nullptr));
    EXPECT_EQ(host_.active, a);
    EXPECT_EQ(Line(a), 3u);
    EXPECT_EQ(host_.windows.size(), 2u);
}

TEST_F(FrameLangTest, TheKeywordAndTemplateFilesOpenAsDocuments) {
    Open("/w/a.c", "x\n");
    TypeSettings& t = TheSettings().Type(1);
    t.Yoyakugo.clear();
    EXPECT_TRUE(frame_.Execute(c::kOpenKeywordFile));
    EXPECT_TRUE(host_.documentsAsked.empty());
    EXPECT_TRUE(box_.shown.empty());
    t.Yoyakugo = "/nowhere/my.tbl";
    t.Template = "/nowhere/my.key";
    EXPECT_TRUE(frame_.Execute(c::kOpenKeywordFile));
    EXPECT_TRUE(frame_.Execute(c::kOpenTemplateFile));
    EXPECT_EQ(host_.documentsAsked, (std::vector<std::string>{"/nowhere/my.tbl", "/nowhere/my.key"}));
    ASSERT_EQ(box_.shown.size(), 2u);
    EXPECT_EQ(box_.shown[0].text, "予約語ファイルが開けません");
    EXPECT_EQ(box_.shown[0].caption, "予約語ファイルを開く");
    EXPECT_EQ(box_.shown[1].text, "テンプレートファイルが開けません");
    EXPECT_EQ(box_.shown[1].caption, "テンプレートファイルを開く");
    host_.files["/nowhere/my.key"] = "#key a\n";
    EXPECT_TRUE(frame_.Execute(c::kOpenTemplateFile));
    EXPECT_EQ(host_.active->doc->GetPathName(), "/nowhere/my.key");
    EXPECT_EQ(box_.shown.size(), 2u);
}

}  // namespace
}  // namespace qz::test
