// The language commands of a view: template keys, the function jumps, the
// one-point and numbered marks, the tag and definition jumps with their
// refusals, the mark dialog's end, and a log that replays them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lang/function_scan.h"
#include "lang/jump_stack.h"
#include "lang/language_data.h"
#include "lang/mark_dialog.h"
#include "view/key_log.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

namespace fs = std::filesystem;

class LangCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        TheTemplateTable(1).Clear();
        TheJumpBackStack().Clear();
        TheMarks().Clear();
        TheKeyLog() = KeyLogData();
        dir_ = fs::temp_directory_path() / ("qz_lang_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    // A script whose document lives in the test folder as name.
    std::unique_ptr<ViewScript> At(const std::string& name, const std::string& text) {
        auto s = std::make_unique<ViewScript>(text);
        s->doc->SetPathString((dir_ / name).string());
        return s;
    }
    static void UseTemplates(const std::string& file) {
        ASSERT_TRUE(ParseTemplateFile(file, TheTemplateTable(1)).ok());
    }
    static std::string Message(ViewScript& s) { return s.host.LastMessage() ? s.host.LastMessage()->text : ""; }

    fs::path dir_;
};

const char kTemplates[] = "#key a\n#title main\n#start\n\tint main()\n\t{\n#end\n#key 0\n#start\n\tzero\n#end\n";

TEST_F(LangCommands, ATemplateKeyInsertsItsTextAsOneStep) {
    UseTemplates(kTemplates);
    ViewScript s("x‸y\n");
    s.view->InsertTemplateKey(0);
    EXPECT_EQ(s.Text(), "xint main()\n{‸y\n");
    EXPECT_EQ(s.log.entries.back(), (LogEntry{kLogCommand, 30, 0}));
    s.view->InsertTemplateKey(26);
    EXPECT_EQ(s.Text(), "xint main()\n{zero‸y\n");
    s.view->UndoCommand();
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "xy\n");
    // A stream selection is replaced, as typing replaces it.
    s.Run("home sel-right");
    s.view->InsertTemplateKey(26);
    EXPECT_EQ(s.Text(), "zero‸y\n");
}

TEST_F(LangCommands, AKeyWithoutATemplateDoesNothingAtAll) {
    ViewScript s("‸ab\n");
    s.Run("sel-right");
    s.view->InsertTemplateKey(25);  // no templates loaded at all
    UseTemplates(kTemplates);
    s.view->InsertTemplateKey(1);   // B is not defined
    s.view->InsertTemplateKey(36);  // no such key
    EXPECT_EQ(s.Sjis(), "ab\n");
    EXPECT_EQ(s.view->KeySelection(), kSelMade);  // the selection was not taken
    EXPECT_EQ(s.host.beeps, 0);
    EXPECT_TRUE(s.host.messages.empty());
}

TEST_F(LangCommands, TemplatesRefuseAWriteProtectedDocumentAndWaitForAPrompt) {
    UseTemplates(kTemplates);
    ViewScript s("‸\n");
    s.Run("protect");
    s.view->InsertTemplateKey(0);
    EXPECT_FALSE(s.view->TemplateDialogAllowed());
    EXPECT_EQ(Message(s), "このファイルは書き込み禁止です");
    EXPECT_EQ(s.host.beeps, 2);
    s.Run("protect");
    s.host.windowSelect = true;
    s.view->InsertTemplateKey(0);
    EXPECT_EQ(s.Sjis(), "\n");
    s.host.windowSelect = false;
    EXPECT_TRUE(s.view->TemplateDialogAllowed());
}

const char kFunctions[] =
    "#define A 1\n"       // 1
    "int one(void)\n"     // 2
    "{\n"                 // 3
    "}\n"                 // 4
    "int two(void)\n"     // 5
    "{\n"                 // 6
    "}\n";                // 7

TEST_F(LangCommands, NextAndPreviousFunctionGoToTheHeadsOrSayThereIsNone) {
    ViewScript s(std::string("‸") + kFunctions);
    s.view->NextFunction();
    EXPECT_EQ(s.view->LogicalLine(), 2u);
    s.view->NextFunction();
    EXPECT_EQ(s.view->LogicalLine(), 5u);
    EXPECT_EQ(s.host.LastMessage()->text, "");  // a found function clears the message area
    s.view->NextFunction();
    EXPECT_EQ(s.view->LogicalLine(), 5u);
    EXPECT_EQ(Message(s), "これより後に関数はありません");
    EXPECT_EQ(s.host.beeps, 1);
    s.view->PreviousFunction();
    EXPECT_EQ(s.view->LogicalLine(), 2u);
    s.view->PreviousFunction();  // the #define before it is no function
    EXPECT_EQ(Message(s), "これより前に関数はありません");
    EXPECT_EQ(s.log.entries.back(), (LogEntry{kLogCommand, 39, 0}));
}

TEST_F(LangCommands, TheFunctionListScansAndItsInsertListIsAnEdit) {
    ViewScript s(std::string(kFunctions) + "‸");
    s.Run("sel-up");
    FuncListResult scan;
    ASSERT_TRUE(s.view->ScanFunctions(scan));
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    EXPECT_EQ(scan.count, 3);
    s.Run("bottom");
    const size_t logged = s.log.entries.size();
    s.view->InsertDialogText("      2 : one()\n");
    EXPECT_EQ(s.Text(), std::string(kFunctions) + "      2 : one()\n‸");
    EXPECT_EQ(s.log.entries.size(), logged);  // a dialog's result is not a key to replay
    s.Run("protect");
    s.view->InsertDialogText("x");
    EXPECT_EQ(Message(s), "このファイルは書き込み禁止です");
    s.host.windowSelect = true;
    EXPECT_FALSE(s.view->ScanFunctions(scan));
}

TEST_F(LangCommands, TheOnePointMarkReturnsToItsLineOrToTheLastWhenThatWasDeleted) {
    ViewScript s("a\nb\nc\n‸d\ne\n");
    s.view->OnePointJump();
    EXPECT_EQ(Message(s), "戻り先が登録されていません");
    s.view->OnePointMark();
    EXPECT_EQ(s.view->OnePointLine(), 4u);
    s.Run("top");
    s.view->OnePointJump();
    EXPECT_EQ(s.view->LogicalLine(), 4u);
    // The marked line and everything after it deleted: the jump stops at the end.
    s.Run("delrow delrow");
    EXPECT_EQ(s.Sjis(), "a\nb\nc\n");
    s.Run("top");
    s.view->OnePointJump();
    EXPECT_EQ(s.view->LogicalLine(), 4u);
    EXPECT_EQ(s.view->CaretRow(), 4u);
    EXPECT_EQ(s.log.entries.back(), (LogEntry{kLogCommand, 2, 2}));
}

TEST_F(LangCommands, TheMarkKeyFillsTheNextFreeMarkUntilTwelve) {
    auto s = At("m.c", "a\n‸b\n");
    for (int i = 1; i <= 12; ++i) {
        s->view->MarkNext();
        EXPECT_EQ(s->host.LastMessage()->text, std::to_string(i) + "番にマークしました");
        EXPECT_EQ(s->host.LastMessage()->kind, MessageKind::Info);
    }
    EXPECT_EQ(TheMarks().marks[11], (JumpPlace{1, (dir_ / "m.c").string(), s->view.get(), 2}));
    s->view->MarkNext();
    EXPECT_EQ(Message(*s), "マークできません（既に最大数マークされています）");
    EXPECT_EQ(s->host.beeps, 1);
}

TEST_F(LangCommands, TheMarkDialogMarksAFreeRowAndJumpsToAUsedOne) {
    auto s = At("m.c", "a\nb\n‸c\n");
    const std::string other = Write("o.c", "1\n2\n");
    TheMarks().marks[1] = JumpPlace{1, other, nullptr, 2};
    TheSettings().env.MarkRestore = 0;
    ASSERT_TRUE(s->view->BeginMarkDialog());
    MarkDialogModel model(TheMarks(), TheSettings().env.MarkRestore);
    model.selected = 0;
    model.markRestore = 3;
    ASSERT_EQ(model.Default(), MarkDialogModel::kCloseOk);
    s->view->FinishMarkDialog(model, true);
    EXPECT_EQ(TheMarks().marks[0], (JumpPlace{1, (dir_ / "m.c").string(), s->view.get(), 3}));
    EXPECT_EQ(TheSettings().env.MarkRestore, 3);
    EXPECT_TRUE(s->host.jumps.empty());

    MarkDialogModel jump(TheMarks(), 3);
    jump.selected = 1;
    s->host.jumpOk = false;
    s->view->FinishMarkDialog(jump, true);
    ASSERT_EQ(s->host.jumps.size(), 1u);
    EXPECT_EQ(s->host.jumps[0], (fakes::FakeViewHost::Jump{other, 2, nullptr}));
    EXPECT_EQ(Message(*s), "ＴＡＧＳ指定行にジャンプできません");
    EXPECT_EQ(TheMarks().remembered, 1);
}

TEST_F(LangCommands, TheTagJumpOpensTheFileNamedAtTheCaret) {
    const std::string main = Write("src/main.c", "x\n");
    auto s = At("grep.txt", "‸src/main.c 120: x = 1;\nnone.c 3: y\n");
    s->view->TagJump();
    ASSERT_EQ(s->host.jumps.size(), 1u);
    EXPECT_EQ(s->host.jumps[0], (fakes::FakeViewHost::Jump{main, 120, nullptr}));
    EXPECT_EQ(s->log.entries.back(), (LogEntry{kLogCommand, 41, 1}));
    // A name that is no file is refused with the name itself.
    s->Run("down");
    s->view->TagJump();
    EXPECT_EQ(Message(*s), "'none.c'が開けません");
    EXPECT_EQ(s->host.jumps.size(), 1u);
    // A selection names the file instead; the line stays the reference's.
    const std::string selectMain = "top right right right right sel-right sel-right sel-right sel-right sel-right sel-right";
    s->Run(selectMain);
    s->view->TagJump();
    EXPECT_EQ(s->view->KeySelection(), kSelNone);
    EXPECT_EQ(Message(*s), "'main.c'が開けません");  // beside the document, not in src
    const std::string beside = Write("main.c", "");
    s->Run(selectMain);
    s->host.jumpOk = false;
    s->view->TagJump();
    // The reference is still read at the caret, which stands after the
    // selection on the blank before "120": that is the name, 1 the line.
    ASSERT_EQ(s->host.jumps.size(), 2u);
    EXPECT_EQ(s->host.jumps[1], (fakes::FakeViewHost::Jump{beside, 1, nullptr}));
    EXPECT_EQ(Message(*s), "ＴＡＧＳ指定行にジャンプできません");
}

TEST_F(LangCommands, ADefinitionInTheSecondOfThreeTagFilesIsFoundAndPushedForTheJumpBack) {
    TypeSettings& t = TheSettings().Type(1);
    t.TagsFile1 = "tags";
    t.TagsFile2 = "lib/tags";
    t.TagsFile3 = "more/tags";
    Write("tags", "other.c 4: int Other(void)\n");
    const std::string impl = Write("lib/impl.c", "x\n");
    Write("lib/tags", "impl.c 10: void 'Init'(void)\n");
    Write("more/tags", "late.c 1: InitAll\n");  // not the whole word
    auto s = At("use.c", "a\nb\n  In‸it();\n");
    s->view->DefinitionJump();
    ASSERT_EQ(s->host.jumps.size(), 1u);
    EXPECT_EQ(s->host.jumps[0], (fakes::FakeViewHost::Jump{impl, 10, nullptr}));
    EXPECT_TRUE(s->host.jumpLists.empty());  // one candidate: no list
    ASSERT_EQ(TheJumpBackStack().Size(), 1);
    EXPECT_EQ(TheJumpBackStack().At(0), (JumpPlace{1, (dir_ / "use.c").string(), s->view.get(), 3}));
    EXPECT_EQ(s->log.entries.back(), (LogEntry{kLogCommand, 41, 2}));
}

TEST_F(LangCommands, SeveralDefinitionsGoThroughTheJumpListAndItsCancel) {
    TheSettings().Type(1).TagsFile1 = "tags";
    Write("a.c", "");
    const std::string b = Write("b.c", "");
    Write("tags", "a.c 3: int 'Run'(\nb.c 7: int 'Run'(\n");
    auto s = At("use.c", "‸Run();\n");
    s->view->DefinitionJump();
    ASSERT_EQ(s->host.jumpLists.size(), 1u);
    EXPECT_EQ(s->host.jumpLists[0].size(), 2u);
    EXPECT_TRUE(s->host.jumps.empty());
    EXPECT_EQ(TheJumpBackStack().Size(), 0);
    EXPECT_TRUE(s->host.messages.empty());  // a cancel is silent
    s->host.jumpChoice = 1;
    s->view->DefinitionJump();
    ASSERT_EQ(s->host.jumps.size(), 1u);
    EXPECT_EQ(s->host.jumps[0].path, b);
    EXPECT_EQ(s->host.jumps[0].line, 7);
}

TEST_F(LangCommands, DefinitionJumpsSayWhatIsMissing) {
    auto s = At("use.c", "‸Nothing\n");
    TheSettings().Type(1).TagsFile1 = "absent/tags";
    s->view->DefinitionJump();
    EXPECT_EQ(Message(*s), "ＴＡＧＳファイルが開けません");
    TheSettings().Type(1).TagsFile1 = "tags";
    Write("tags", "a.c 1: NothingElse\n");
    s->view->DefinitionJump();
    EXPECT_EQ(Message(*s), "'Nothing'のＴＡＧＳデータがありません");
    Write("tags", "gone.c 1: 'Nothing'\n");
    s->view->DefinitionJump();
    EXPECT_EQ(Message(*s), "'" + (dir_ / "gone.c").string() + "'が開けません");
    EXPECT_EQ(TheJumpBackStack().Size(), 0);
    EXPECT_TRUE(s->host.jumps.empty());
}

TEST_F(LangCommands, ARecordedLogReplaysATemplateAndAConversion) {
    UseTemplates(kTemplates);
    ViewScript s("‸\n");
    ViewKeyLog log(*s.view, s.host, nullptr);
    s.view->SetRecorder(&log);
    log.ToggleRecording();
    s.view->InsertTemplateKey(26);  // "zero"
    s.Run("sel-left sel-left");
    s.view->ConvertSelection(BlockConversion::ToUpper);
    s.Run("end");
    log.ToggleRecording();
    EXPECT_EQ(s.Text(), "zeRO‸\n");
    log.ReplayOnce();
    EXPECT_EQ(s.Text(), "zeROzeRO‸\n");
}

}  // namespace
}  // namespace qz::testing
