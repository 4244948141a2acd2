// Template files: slots, titles, bodies, every error with its line, loading
// and insertion by key.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "lang/language_data.h"
#include "lang/template_table.h"
#include "lang_fakes.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace qz {
namespace {

using testing::RecordingMessageBox;
using testing::Sjis;
using testing::StringText;

TemplateTable Parse(const std::string& utf8, TemplateError* error = nullptr) {
    TemplateTable t;
    TemplateError e = ParseTemplateFile(Sjis(utf8), t);
    if (error) *error = e;
    return t;
}

TEST(TemplateFile, KeyTitleAndTwoLineBody) {
    TemplateError e;
    TemplateTable t = Parse("#key a\r\n#title main\r\n#start\r\n\tint main()\r\n\t{\r\n#end\r\n", &e);
    ASSERT_TRUE(e.ok()) << e.message;
    EXPECT_TRUE(t.slots[0].defined);
    EXPECT_EQ(t.slots[0].title, "main");
    EXPECT_EQ(t.slots[0].text, "int main()\n{");
    for (int k = 1; k < kTemplateSlots; ++k) EXPECT_FALSE(t.slots[k].defined) << k;
}

TEST(TemplateFile, KeysSelectSlotsWithoutCase) {
    EXPECT_EQ(TemplateSlotOfKey('A'), 0);
    EXPECT_EQ(TemplateSlotOfKey('a'), 0);
    EXPECT_EQ(TemplateSlotOfKey('z'), 25);
    EXPECT_EQ(TemplateSlotOfKey('0'), 26);
    EXPECT_EQ(TemplateSlotOfKey('9'), 35);
    EXPECT_EQ(TemplateSlotOfKey('@'), -1);
    EXPECT_EQ(TemplateKeyOfSlot(26), '0');
    TemplateError e;
    TemplateTable t = Parse(
        "#key A\n#start\n\tone\n#end\n"
        "#KEY:a\n#start\n\ttwo\n#END\n"
        "#key=0\n#Title\t:= zero  \n"
        "#keys q\n",  // directive names compare over their own length
        &e);
    ASSERT_TRUE(e.ok()) << e.message;
    // A second body of the same key appends with a line feed between.
    EXPECT_EQ(t.slots[0].text, "one\ntwo");
    EXPECT_TRUE(t.slots[26].defined);
    EXPECT_EQ(t.slots[26].title, "zero  ");
    EXPECT_EQ(t.slots[26].text, "");
    EXPECT_TRUE(t.slots[TemplateSlotOfKey('s')].defined);
    EXPECT_FALSE(t.slots[TemplateSlotOfKey('q')].defined);
}

TEST(TemplateFile, CommentsBlankLinesAndBodyDetails) {
    TemplateError e;
    TemplateTable t = Parse(
        "// header\n\n  \t \n#key b\n#start\n\t\tindented\n\t\n\t// kept\n#end\n", &e);
    ASSERT_TRUE(e.ok()) << e.message;
    EXPECT_EQ(t.slots[1].text, "\tindented\n\n// kept");
}

TEST(TemplateFile, EmptyLinesAtTheStartOfABodyKeepTheirLineFeeds) {
    TemplateError e;
    TemplateTable t = Parse(
        "#key a\n#start\n\t\n\t\n\tx\n#end\n"
        // A block of one empty line still counts as text before the next block.
        "#key b\n#start\n\t\n#end\n#key b\n#start\n\ty\n#end\n"
        "#key c\n#start\n\t\n\t\n#end\n",
        &e);
    ASSERT_TRUE(e.ok()) << e.message;
    EXPECT_EQ(t.slots[0].text, "\n\nx");
    EXPECT_EQ(t.slots[1].text, "\ny");
    EXPECT_EQ(t.slots[2].text, "\n");
    // The empty lines survive a body that crosses a piece boundary too.
    std::string file = "#key d\n#start\n\t\n", want = "\n";
    for (int i = 0; i < 30; ++i) {
        file += "\t" + std::string(300, 'p') + "\n";
        want += std::string(i ? "\n" : "") + std::string(300, 'p');
    }
    TemplateTable big = Parse(file + "#end\n", &e);
    EXPECT_EQ(big.slots[3].text, want);
}

TEST(TemplateFile, TitlesAreCutAt32BytesWithoutSplittingACharacter) {
    TemplateTable t = Parse("#key c\n#title " + std::string(40, 'x') + "\n");
    EXPECT_EQ(t.slots[2].title, std::string(32, 'x'));
    // 31 single bytes and then a double-byte character: the character goes.
    TemplateTable u = Parse("#key c\n#title " + std::string(31, 'x') + "漢字\n");
    EXPECT_EQ(u.slots[2].title, std::string(31, 'x'));
}

struct ErrorCase {
    const char* file;
    const char* message;
    int line;
};

TEST(TemplateFile, EveryErrorNamesItsLineAndClearsTheType) {
    const std::string good = "#key z\n#title keep?\n#start\n\tz\n#end\n";
    const ErrorCase cases[] = {
        {"#key ab\n", "#keyの文法エラー (%d行目)", 6},
        {"#key\n", "#keyの文法エラー (%d行目)", 6},
        {"#key !\n", "#keyの文法エラー (%d行目)", 6},
        {"#end\n", "文法エラー (%d行目)", 6},
        {"text\n", "文法エラー (%d行目)", 6},
        {"#key a\n#start\n plain blank\n#end\n", "#startから#end間は必ず行の先頭にタブ１文字が必要です。(%d行目)", 8},
        {"#key a\n#start\n\n#end\n", "#startから#end間は必ず行の先頭にタブ１文字が必要です。(%d行目)", 8},
    };
    for (const ErrorCase& c : cases) {
        TemplateError e;
        TemplateTable t = Parse(good + c.file, &e);
        char want[256];
        std::snprintf(want, sizeof want, c.message, c.line);
        EXPECT_EQ(e.message, want) << c.file;
        EXPECT_EQ(e.line, c.line) << c.file;
        for (int k = 0; k < kTemplateSlots; ++k) EXPECT_EQ(t.slots[k], TemplateSlot{}) << c.file;
    }
}

TEST(TemplateFile, StartBeforeAnyKeyIsAnError) {
    TemplateError e;
    Parse("// first\n#start\n\tx\n#end\n", &e);
    EXPECT_EQ(e.message, "#startの前に#keyが必要です。(2行目)");
    EXPECT_EQ(e.line, 2);
}

TEST(TemplateFile, LinesOf512BytesOrMoreAreRefused) {
    TemplateError e;
    // 511 bytes and the line feed are fine.
    TemplateTable ok = Parse("#key a\n#start\n\t" + std::string(510, 'y') + "\n#end\n", &e);
    ASSERT_TRUE(e.ok()) << e.message;
    EXPECT_EQ(ok.slots[0].text.size(), 510u);
    // 512 bytes before the line feed are not, nor is an unterminated last line that long.
    Parse("#key a\n#start\n\t" + std::string(511, 'y') + "\n#end\n", &e);
    EXPECT_EQ(e.message, "一行の文字数が５１２バイト超える場合は処理できません。(3行目)");
    Parse("// " + std::string(509, 'y'), &e);
    EXPECT_EQ(e.line, 1);
    EXPECT_FALSE(e.ok());
    Parse("// " + std::string(508, 'y'), &e);
    EXPECT_TRUE(e.ok());
    // CR LF counts as one line end.
    Parse("#key a\r\n#start\r\n\t" + std::string(510, 'y') + "\r\n#end\r\n", &e);
    EXPECT_TRUE(e.ok()) << e.message;
}

TEST(TemplateFile, LongBodiesCrossPiecesWhole) {
    std::string file = "#key 5\n#start\n", want;
    for (int i = 0; i < 100; ++i) {
        std::string line = std::to_string(i) + std::string(200, 'a' + i % 26);
        file += "\t" + line + "\n";
        want += (i ? "\n" : "") + line;
    }
    file += "#end\n";
    TemplateError e;
    TemplateTable t = Parse(file, &e);
    ASSERT_TRUE(e.ok());
    EXPECT_GT(want.size(), 4 * kTemplatePieceBytes);
    EXPECT_EQ(t.slots[31].text, want);
}

TEST(TemplateFile, ImplementerChoices) {
    // A title before any key is ignored and lands in no slot.
    TemplateError e;
    TemplateTable t = Parse("#title orphan\n#key a\n#start\n\tx\n#end\n", &e);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(t.slots[0].title, "");
    // A body open at the end of the file is kept whole, long or short.
    TemplateTable open = Parse("#key a\n#start\n\tfirst\n\tlast", &e);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(open.slots[0].text, "first\nlast");
    std::string big = "#key a\n#start\n";
    for (int i = 0; i < 30; ++i) big += "\t" + std::string(300, 'q') + "\n";
    TemplateTable openBig = Parse(big, &e);
    EXPECT_EQ(openBig.slots[0].text.size(), 30u * 300 + 29);
}

TEST(TemplateFile, JapaneseTextStaysShiftJis) {
    TemplateTable t = Parse("#key j\n#title 見出し\n#start\n\t// 説明\n#end\n");
    EXPECT_EQ(t.slots[9].title, Sjis("見出し"));
    EXPECT_EQ(t.slots[9].text, Sjis("// 説明"));
}

TEST(TemplateInsert, InsertsTheSlotAndReturnsTheCaretPlace) {
    TemplateTable t = Parse("#key a\n#start\n\tint main()\n\t{\n#end\n#key b\n");
    StringText doc("xy");
    EXPECT_EQ(InsertTemplate(doc, 2, t, 0), 2u + 12);
    EXPECT_EQ(doc.s, "xint main()\n{y");
    EXPECT_EQ(doc.inserts, 1);
    // Defined but empty, undefined and out of range: nothing happens.
    EXPECT_EQ(InsertTemplate(doc, 1, t, 1), 1u);
    EXPECT_EQ(InsertTemplate(doc, 1, t, 2), 1u);
    EXPECT_EQ(InsertTemplate(doc, 1, t, 36), 1u);
    EXPECT_EQ(InsertTemplate(doc, 1, t, -1), 1u);
    // A refused insertion leaves the caret where it was.
    EXPECT_EQ(InsertTemplate(doc, 100, t, 0), 100u);
    EXPECT_EQ(doc.inserts, 1);
}

class TemplateLoading : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("qz_tp_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        const char* old = std::getenv("QZED_HOME");
        oldHome_ = old ? old : "";
        setenv("QZED_HOME", dir_.c_str(), 1);
        saved_ = TheSettings();
    }
    void TearDown() override {
        TheSettings() = saved_;
        setenv("QZED_HOME", oldHome_.c_str(), 1);
        std::filesystem::remove_all(dir_);
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::filesystem::path dir_;
    std::string oldHome_;
    Settings saved_;
};

TEST_F(TemplateLoading, MessagesForMissingUnreadableAndBadFiles) {
    RecordingMessageBox box;
    Write("ok.key", "#key a\n#start\n\tA\n#end\n");
    TheSettings().Type(6).Template = "ok.key";
    LoadTemplates(6, box);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(TheTemplateTable(6).slots[0].text, "A");

    TheSettings().Type(6).Template = "gone.key";
    LoadTemplates(6, box);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "テンプレートファイルがありません\n" + (dir_ / "gone.key").string());
    EXPECT_EQ(box.shown[0].caption, "テンプレート読み込み");
    EXPECT_EQ(box.shown[0].icon, MbIcon::Stop);
    EXPECT_FALSE(TheTemplateTable(6).slots[0].defined);

    std::filesystem::create_directories(dir_ / "dir.key");
    TheSettings().Type(6).Template = "dir.key";
    LoadTemplates(6, box);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[1].text,
              "テンプレートファイルがオープンできません\n" + (dir_ / "dir.key").string());

    Write("bad.key", Sjis("#key a\n#start\n\tA\n#end\n#key b\n#start\n x\n"));
    TheSettings().Type(6).Template = (dir_ / "bad.key").string();
    LoadTemplates(6, box);
    ASSERT_EQ(box.shown.size(), 3u);
    EXPECT_EQ(box.shown[2].text, "#startから#end間は必ず行の先頭にタブ１文字が必要です。(7行目)");
    EXPECT_EQ(box.shown[2].caption, "テンプレート読み込み");
    EXPECT_FALSE(TheTemplateTable(6).slots[0].defined);

    TheSettings().Type(6).Template = "";
    LoadTemplates(6, box);
    EXPECT_EQ(box.shown.size(), 3u);
}

}  // namespace
}  // namespace qz

namespace qz {
namespace {

TEST(TemplateDialogTexts, ButtonsAndOpenPaths) {
    EXPECT_EQ(TemplateButtonLabel(0), "&A");
    EXPECT_EQ(TemplateButtonLabel(25), "&Z");
    EXPECT_EQ(TemplateButtonLabel(26), "&0");
    EXPECT_EQ(TemplateButtonLabel(35), "&9");
    EXPECT_EQ(TemplateButtonLabel(36), "");
    Settings saved = TheSettings();
    TheSettings().Type(4).Template = "";
    TheSettings().Type(4).Yoyakugo = "/abs/k.tbl";
    EXPECT_EQ(TemplateFileToOpen(4), "");
    EXPECT_EQ(KeywordFileToOpen(4), "/abs/k.tbl");
    TheSettings().Type(4).Template = "t.key";
    EXPECT_EQ(TemplateFileToOpen(4), FullPath(DataFolder(), "t.key"));
    TheSettings() = saved;
}

}  // namespace
}  // namespace qz
