// The definition search over hand-written tag files, and the jump list texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lang/tag_search.h"
#include "lang_fakes.h"

namespace qz {
namespace {

using testing::Sjis;

}  // namespace

// Readable failures for candidate lists.
void PrintTo(const DefinitionCandidate& c, std::ostream* os) {
    *os << "{" << c.fileName << ", " << c.line << ", " << c.tagFile << "}";
}

namespace {

TEST(DefinitionKey, WordAroundTheCaret) {
    EXPECT_EQ(DefinitionSearchKey("  x = Init(a);", 6, {}), "Init");
    EXPECT_EQ(DefinitionSearchKey("  x = Init(a);", 9, {}), "Init");
    EXPECT_EQ(DefinitionSearchKey("#define MAX 1", 3, {}), "#define");
    EXPECT_EQ(DefinitionSearchKey("a_b2 c", 0, {}), "a_b2");
    EXPECT_EQ(DefinitionSearchKey("  x", 1, {}), "<null>");
    EXPECT_EQ(DefinitionSearchKey("x", 5, {}), "<null>");
    // Double-byte characters separate, even when a byte looks like a letter
    // (0x83 0x41 is a katakana whose trail byte is 'A').
    EXPECT_EQ(DefinitionSearchKey("ab\x83" "Acd", 5, {}), "cd");
    EXPECT_EQ(DefinitionSearchKey("ab\x83" "Acd", 3, {}), "<null>");
    // A selection is the key, cut to 128 bytes.
    EXPECT_EQ(DefinitionSearchKey("Init", 0, "Other"), "Other");
    EXPECT_EQ(DefinitionSearchKey("", 0, std::string(200, 'k')), std::string(128, 'k'));
}

class TagFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("qz_ts_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_ / "sub");
        doc_ = (dir_ / "main.c").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string P(const std::string& rel) { return (dir_ / rel).string(); }
    std::filesystem::path dir_;
    std::string doc_;
};

TEST_F(TagFiles, QuotedKeyFirstThenWholeWords) {
    Write("tags",
          "a.c 10: void 'Init'(\r\n"
          "a.c 20: int 'InitAll'(\r\n"
          "\r\n"
          "\"b c.c\" 5: #define 'Init'\r\n"
          "\r\n");
    DefinitionSearch r = SearchDefinitions("Init", {"tags", "", ""}, doc_);
    ASSERT_EQ(r.status, DefinitionSearch::kFound);
    EXPECT_EQ(r.candidates, (std::vector<DefinitionCandidate>{{P("a.c"), 10, 1}, {P("b c.c"), 5, 1}}));

    // Only InitAll is present: pass 1 finds nothing, pass 2 wants a whole word.
    Write("tags2", "a.c 20: int 'InitAll'(\r\n");
    DefinitionSearch none = SearchDefinitions("Init", {"tags2", "", ""}, doc_);
    EXPECT_EQ(none.status, DefinitionSearch::kNoData);
    EXPECT_EQ(none.message, "'Init'のＴＡＧＳデータがありません");

    // Pass 2 finds a bare whole word when nothing is quoted.
    Write("tags3", "x.c 3: Init here\r\ny.c 4: ReInit\r\nz.c 5: Init_x Init\r\n");
    DefinitionSearch bare = SearchDefinitions("Init", {"tags3", "", ""}, doc_);
    // The z line's first occurrence is inside Init_x, so it does not count.
    EXPECT_EQ(bare.candidates, (std::vector<DefinitionCandidate>{{P("x.c"), 3, 1}}));
}

TEST_F(TagFiles, ThreeFilesInOrderRelativeToTheirOwnFolder) {
    Write("tags", "a.c 1: int 'f'(\n");
    Write("sub/tags", "b.c 2: int 'f'(\n/abs/c.c 3: int 'f'(\n");
    DefinitionSearch r = SearchDefinitions("f", {"missing", "tags", P("sub/tags")}, doc_);
    ASSERT_EQ(r.status, DefinitionSearch::kFound);
    EXPECT_EQ(r.candidates, (std::vector<DefinitionCandidate>{
                                {P("a.c"), 1, 2}, {P("sub/b.c"), 2, 3}, {"/abs/c.c", 3, 3}}));
    // Pass 2 runs per file: the second file's quoted hit does not stop the
    // first file's pass 2.
    Write("t1", "w.c 7: f and more\n");
    Write("t2", "v.c 8: int 'f'(\n");
    DefinitionSearch per = SearchDefinitions("f", {"t1", "t2", ""}, doc_);
    EXPECT_EQ(per.candidates, (std::vector<DefinitionCandidate>{{P("w.c"), 7, 1}, {P("v.c"), 8, 2}}));
}

TEST_F(TagFiles, NoFileLimitsAndOddLines) {
    DefinitionSearch r = SearchDefinitions("f", {"none1", "", "none3"}, doc_);
    EXPECT_EQ(r.status, DefinitionSearch::kNoTagFile);
    EXPECT_EQ(r.message, "ＴＡＧＳファイルが開けません");
    EXPECT_EQ(SearchDefinitions("f", {"", "", ""}, doc_).status, DefinitionSearch::kNoTagFile);

    std::string many;
    for (int i = 0; i < 20; ++i) {
        many += 'm';
        many += std::to_string(i) + ".c " + std::to_string(i + 1) + ": 'g'(\n";
    }
    Write("tags", many);
    Write("tags2", "late.c 1: 'g'(\n");
    DefinitionSearch lim = SearchDefinitions("g", {"tags", "tags2", ""}, doc_);
    ASSERT_EQ(lim.candidates.size(), 16u);
    EXPECT_EQ(lim.candidates.back().fileName, P("m15.c"));

    // A line whose name comes out empty is skipped.
    Write("odd", "  '=='\nok.c 9: '=='\n");
    DefinitionSearch odd = SearchDefinitions("==", {"odd", "", ""}, doc_);
    ASSERT_EQ(odd.candidates.size(), 1u);
    EXPECT_EQ(odd.candidates[0], (DefinitionCandidate{P("ok.c"), 9, 1}));
    // Lines longer than 255 bytes are read in pieces: a key that the cut
    // splits is not found, one wholly inside the first piece is.
    Write("long", std::string(253, 'x') + " 'h'(\n" + std::string(240, 'y') + " 'h'(\n");
    DefinitionSearch cut = SearchDefinitions("h", {"long", "", ""}, doc_);
    ASSERT_EQ(cut.candidates.size(), 1u);
    EXPECT_EQ(cut.candidates[0].fileName, P(std::string(240, 'y')));

    // Shift-JIS keys are searched as bytes and shown in UTF-8.
    DefinitionSearch jp = SearchDefinitions(Sjis("関数"), {"odd", "", ""}, doc_);
    EXPECT_EQ(jp.message, "'関数'のＴＡＧＳデータがありません");
}

TEST_F(TagFiles, SourceNamesAreReadAsUtf8) {
    // The generator writes names as the file system gives them; a name that
    // ends in a kanji or kana must not swallow the blank before its line.
    Write("tags",
          "テスト 4: int 'f'(\r\n"
          "sub/データー 5: int 'f'(\r\n"
          "\"資料 表\" 6: int 'f'(\r\n");
    DefinitionSearch r = SearchDefinitions("f", {"tags", "", ""}, doc_);
    EXPECT_EQ(r.candidates, (std::vector<DefinitionCandidate>{
                                {P("テスト"), 4, 1}, {P("sub/データー"), 5, 1}, {P("資料 表"), 6, 1}}));
}

TEST_F(TagFiles, TheDefaultNameFindsTheGeneratorsLowerCaseFile) {
    Write("tags", "a.c 1: int 'f'(\n");
    DefinitionSearch r = SearchDefinitions("f", {"TAGS", "", ""}, doc_);
    ASSERT_EQ(r.status, DefinitionSearch::kFound);
    EXPECT_EQ(r.candidates[0].fileName, P("a.c"));
    // The exact name wins when it exists.
    Write("TAGS", "b.c 2: int 'f'(\n");
    EXPECT_EQ(SearchDefinitions("f", {"TAGS", "", ""}, doc_).candidates[0].fileName, P("b.c"));
    EXPECT_EQ(SearchDefinitions("f", {"TAGSX", "", ""}, doc_).status, DefinitionSearch::kNoTagFile);
}

TEST(JumpListTexts, RowsLabelsAndChoice) {
    EXPECT_EQ(JumpListRow({"/a/b/file.c", 42, 2}), "2-    42 : file.c");
    EXPECT_EQ(JumpListCountLabel(3), "総数: 03");
    EXPECT_EQ(JumpListNote(16), "16個以上は処理出来ません");
    EXPECT_EQ(JumpListNote(0), "関数はありません");
    EXPECT_EQ(JumpListNote(5), "");
    EXPECT_EQ(JumpListChoice(-1, 3), -1);
    EXPECT_EQ(JumpListChoice(2, 3), 2);
    EXPECT_EQ(JumpListChoice(3, 3), -1);
}

}  // namespace
}  // namespace qz
