// Keyword files: directives, escapes, colour groups, order, limits, matching.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "lang/keyword_table.h"
#include "lang/language_data.h"
#include "platform/cp932.h"
#include "lang_fakes.h"
#include "settings/settings.h"

namespace qz {
namespace {

using testing::RecordingMessageBox;
using testing::Sjis;

// Matches a row of plain text cells and shows each cell as its colour group
// ("0"-"3"), "." for cells left as text, or the attribute it kept.
std::string Colour(const KeywordTable& t, const std::string& row, std::string attrs = {}) {
    if (attrs.empty()) attrs.assign(row.size(), '1');
    MatchKeywords(t, row.data(), attrs.data(), row.size());
    std::string out;
    for (char a : attrs) {
        char c = static_cast<char>(a & 0x7F);
        out.push_back(c >= '6' && c <= '9' ? static_cast<char>('0' + (c - '6')) : c == '1' ? '.' : c);
    }
    return out;
}

KeywordTable Parse(const std::string& utf8) {
    KeywordTable t;
    ParseKeywordFile(Sjis(utf8), t);
    return t;
}

// One file with every directive and escape; each row below exercises a few.
const char kEveryFeature[] =
    "// a comment line\r\n"
    "\r\n"
    "//#word abc\r\n"
    "$1#$0include\r\n"
    "//#type=2\r\n"
    "begin\r\n"
    "//#TYPE 1\r\n"
    "//#DefCol 2\r\n"
    "int    trailing words are ignored\r\n"
    "//#Type\t3\r\n"
    "RETURN\r\n"
    "//#TYPE 0\r\n"
    "//#DEFCOL = 0\r\n"
    "//#TYPE x\r\n"
    "//#DEFCOL 9\r\n"
    "\\w\\s(\r\n"
    "x$y\r\n"
    "q\\q\r\n"
    "$$v\r\n"
    "\\\\n\r\n"
    "\\a$1\\0%\r\n"
    "\\A$2\\b$3!\r\n"
    "\\t;\r\n"
    "\\S=\r\n"
    "@\\W)\r\n"
    "~\\*]\r\n"
    "^\\?^\r\n"
    "$3漢字\r\n"
    "$1\r\n"
    "\\q\r\n"
    " indented\r\n"
    "//#DEFCOL 1\r\n"
    "fo\r\n"
    "foreach\r\n";

TEST(KeywordFile, EveryDirectiveAndEscapeColoursCellByCell) {
    KeywordTable t = Parse(kEveryFeature);
    // The pattern of "$1", "\q" and the indented line are empty.
    EXPECT_EQ(t.entries.size(), 19u);
    EXPECT_TRUE(t.wordChars['a'] && t.wordChars['b'] && t.wordChars['c']);
    EXPECT_FALSE(t.wordChars['d']);

    EXPECT_EQ(Colour(t, "#include <stdio.h>"), "10000000..........");
    EXPECT_EQ(Colour(t, "BEGIN Begin begin"), "00000.00000.00000");
    EXPECT_EQ(Colour(t, "int print int"), "222.......222");
    EXPECT_EQ(Colour(t, "  return Return"), "..222222.222222");
    EXPECT_EQ(Colour(t, "ab  ("), "00000");
    EXPECT_EQ(Colour(t, "dab("), ".000");
    EXPECT_EQ(Colour(t, "xy $v \\n q"), "0..00.00.0");
    EXPECT_EQ(Colour(t, "abc12% ABcd! \t\t;"), "000111.00223.000");
    EXPECT_EQ(Colour(t, "d \t="), ".000");
    EXPECT_EQ(Colour(t, "@\"a)b\"c) d"), "00000000..");
    EXPECT_EQ(Colour(t, "~a]b]"), "000..");
    EXPECT_EQ(Colour(t, "^x^^"), "000.");
    EXPECT_EQ(Colour(t, Sjis("^漢^")), "0000");
    EXPECT_EQ(Colour(t, Sjis("漢字 漢")), "3333...");
    EXPECT_EQ(Colour(t, "foreach fo"), "1111111.11");
}

TEST(KeywordFile, CaseFoldingFollowsTheEntryKind) {
    KeywordTable fold = Parse("//#TYPE 2\nbegin\n");
    EXPECT_EQ(Colour(fold, "BEGIN Begin"), "00000.00000");
    KeywordTable exact = Parse("//#TYPE 2\n//#TYPE 0\nbegin\n");
    EXPECT_EQ(Colour(exact, "BEGIN Begin begin"), "............00000");
    // An upper-case case-folding entry is found through the swapped key.
    KeywordTable upper = Parse("//#TYPE 2\nBEGIN\n");
    EXPECT_EQ(Colour(upper, "begin"), "00000");
}

TEST(KeywordFile, TokenEntriesMatchWholeWordsAndStopAtASpace) {
    KeywordTable t = Parse("//#TYPE 1\n\\*;\nif\n");
    // "if" starts a token at the row start and after any character that is
    // not a letter, digit or '_'; inside a word it does not.
    EXPECT_EQ(Colour(t, "if (if) if"), "00..00..00");
    EXPECT_EQ(Colour(t, "[if{if-if.if"), ".00.00.00.00");
    EXPECT_EQ(Colour(t, "xif _if 9if"), "...........");
    // A double-byte character ends a word (0x83 0x69's trail byte is 'i');
    // a half-width kana is no letter either.
    EXPECT_EQ(Colour(t, "\x83" "iif \xB1if"), "..00..00");
    // After a match the next try sees the match's last character: the ';'
    // ends the first entry, so "if" may start right after it.
    EXPECT_EQ(Colour(t, "x;if"), "0000");
    // A token match must not stop inside a word either; a run code takes the
    // whole word, and a match may end at the row end.
    EXPECT_EQ(Colour(t, "iffy if_ if9 if(if"), ".............00.00");
    EXPECT_EQ(Colour(Parse("//#TYPE 1\nab\\a\n"), "abcd abC"), "0000....");
    // //#WORD characters continue words too, single or double-byte.
    const std::string row = Sjis("-if 漢if +if");
    EXPECT_EQ(Colour(Parse("//#TYPE 1\nif\n"), row), ".00...00..00");
    EXPECT_EQ(Colour(Parse("//#WORD -漢\n//#TYPE 1\nif\n"), row), "..........00");
    EXPECT_EQ(Colour(Parse("//#WORD -\n//#TYPE 1\nif\n"), "if-x if+x"), ".....00..");
    // The skip of a token entry ends at a space, so "a b;" is no match at a.
    EXPECT_EQ(Colour(t, "a b;"), "..00");
    // A token entry takes only ordinary text cells, not URL cells.
    EXPECT_EQ(Colour(t, "if", "YY"), "YY");
}

TEST(KeywordFile, OnlyTakingPartCellsAreMatchedAndColoured) {
    KeywordTable t = Parse("begin\n\\a;\n");
    // URL and mail cells take part but keep their attribute.
    EXPECT_EQ(Colour(t, "begin", "111YZ"), "000YZ");
    // A comment cell ends the match.
    EXPECT_EQ(Colour(t, "begin", "11511"), "..5..");
    // A line feed ends a run: "ab" is no match, the lone ';' is.
    EXPECT_EQ(Colour(t, "ab\n;", "1111"), "...0");
    // The selected bit is kept on coloured cells.
    std::string attrs(5, '1');
    attrs[0] = static_cast<char>('1' | 0x80);
    std::string row = "begin";
    MatchKeywords(t, row.data(), attrs.data(), row.size());
    EXPECT_EQ(static_cast<unsigned char>(attrs[0]), '6' | 0x80);
    EXPECT_EQ(attrs[1], '6');
}

TEST(KeywordFile, SkipOverQuotedStringsHonoursEscapes) {
    KeywordTable t = Parse("@\\W;\n");
    // Spelled out: the string "a\";" is one unit, so the ';' inside it does
    // not stop the skip; the one after x does.
    EXPECT_EQ(Colour(t, "@\"a\\\";\"x;y"), "000000000.");
    // \* does not know strings.
    KeywordTable plain = Parse("@\\*;\n");
    EXPECT_EQ(Colour(plain, "@\"a;\";"), "0000..");
}

TEST(KeywordFile, WordCharactersAndSpacesRunTogether) {
    // The example of a \w\s( keyword over two spaces.
    KeywordTable t = Parse("//#WORD abc\n\\w\\s(\n");
    EXPECT_EQ(Colour(t, "ab  ("), "00000");
    // Several //#WORD lines add up; the set ends at a blank.
    KeywordTable u = Parse("//#WORD ab c\n//#WORD=de\n\\w;\n");
    EXPECT_TRUE(u.wordChars['a'] && u.wordChars['b'] && u.wordChars['d'] && u.wordChars['e']);
    EXPECT_FALSE(u.wordChars['c']);
    // A double-byte character adds itself, not its bytes as single characters:
    // ア and イ are 0x83 0x41 and 0x83 0x43, whose second bytes are 'A' and 'C'.
    KeywordTable kana = Parse("//#WORD アイ\n\\w;\n");
    EXPECT_FALSE(kana.wordChars['A'] || kana.wordChars['C']);
    EXPECT_EQ(Colour(kana, Sjis("AC; アイ;")), "..0.00000");
    // A lead byte cut off by the blank is dropped.
    KeywordTable cut = Parse("//#WORD x\x83 y\n");
    EXPECT_TRUE(cut.wordChars['x']);
    EXPECT_FALSE(cut.wordChars[0x83] || cut.wordChars['y']);
}

TEST(KeywordFile, DroppedDollarAndBackslashForms) {
    KeywordTable t = Parse("x$y\nq\\q\n$$\n\\\\\n");
    ASSERT_EQ(t.entries.size(), 4u);
    std::vector<std::string> patterns;
    for (auto& e : t.entries) patterns.emplace_back(e.Pattern());
    // Sorted by first byte: '$' 0x24, 'q', 'x', '\' 0x5C comes between.
    EXPECT_EQ(patterns, (std::vector<std::string>{"$", "\\", "q", "x"}));
}

TEST(KeywordTableOrder, ClassThenSignedFirstByteThenLongerFirst) {
    KeywordTable t = Parse(
        "//#TYPE 1\nzz\n//#TYPE 0\nab\nabc\na\n漢\n\\a;\n//#TYPE 3\nAA\n//#TYPE 2\nb\n");
    std::vector<std::string> order;
    for (auto& e : t.entries) order.push_back(std::string(e.Pattern()) + "/" + char('0' + e.kind));
    EXPECT_EQ(order, (std::vector<std::string>{Sjis("漢") + "/0", "\x01;/0", "abc/0", "ab/0",
                                               "a/0", "b/2", "AA/3", "zz/1"}));
    EXPECT_EQ(t.classStart[0], 0);
    EXPECT_EQ(t.classEnd[0], 6);
    EXPECT_EQ(t.classStart[1], 6);
    EXPECT_EQ(t.classEnd[1], 8);
    EXPECT_EQ(t.firstByte[0]['a'], 2);
    EXPECT_EQ(t.firstByte[0]['b'], 5);
    EXPECT_EQ(t.firstByte[0][1], 1);
    EXPECT_EQ(t.firstByte[0][0x8A], 0);
    EXPECT_EQ(t.firstByte[1]['A'], 6);
    EXPECT_EQ(t.firstByte[1]['z'], 7);
    EXPECT_EQ(t.firstByte[1]['a'], -1);
    EXPECT_EQ(t.firstByte[0]['z'], -1);
}

TEST(KeywordTableLimits, EntriesPatternBytesAndLinePieces) {
    std::string file;
    for (int i = 0; i < 1100; ++i) {
        file += 'k';
        file += std::to_string(i) + "\n";
    }
    KeywordTable many = Parse(file);
    EXPECT_EQ(many.entries.size(), 1024u);
    bool has1023 = false, has1024 = false;
    for (auto& e : many.entries) {
        has1023 |= e.Pattern() == "k1023";
        has1024 |= e.Pattern() == "k1024";
    }
    EXPECT_TRUE(has1023);
    EXPECT_FALSE(has1024);

    KeywordTable longOne = Parse(std::string(200, 'a') + "\n");
    ASSERT_EQ(longOne.entries.size(), 1u);
    EXPECT_EQ(longOne.entries[0].length, 128);
    // A double-byte character that would cross the limit is left out whole.
    KeywordTable edge = Parse(std::string(127, 'a') + "漢\n");
    EXPECT_EQ(edge.entries[0].length, 127);

    // A line of more than 511 bytes is read as two lines: the comment's tail
    // becomes a keyword line of its own.
    KeywordTable pieces;
    ParseKeywordFile("//" + std::string(509, '-') + "tail\n", pieces);
    ASSERT_EQ(pieces.entries.size(), 1u);
    EXPECT_EQ(pieces.entries[0].Pattern(), "tail");
}

TEST(KeywordTableLimits, ControlBytesAndLoneLeadBytesNeverBecomeCodes) {
    KeywordTable t;
    ParseKeywordFile(std::string("a\x01") + "b\n" + "c\x81\n", t);
    ASSERT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(t.entries[0].Pattern(), "ab");
    EXPECT_EQ(t.entries[1].Pattern(), "c");
}

TEST(KeywordMatching, DoubleByteCharactersAreNeverSplit) {
    // 0x83 0x61 is a katakana whose trail byte is 'a'; "a" must not match it.
    KeywordTable t = Parse("a\n");
    std::string row = "\x83" "a" "a";
    EXPECT_EQ(Colour(t, row), "..0");
    KeywordTable fold = Parse("//#TYPE 2\nA\n");
    EXPECT_EQ(Colour(fold, row), "..0");
}

class KeywordLoading : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("qz_kw_" + std::to_string(::getpid()));
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

TEST_F(KeywordLoading, ProgramFolderOrAbsolutePath) {
    Write("my.tbl", "alpha\n");
    TheSettings().Type(4).Yoyakugo = "my.tbl";
    RecordingMessageBox box;
    LoadKeywordTable(4, box);
    EXPECT_TRUE(box.shown.empty());
    ASSERT_EQ(TheKeywordTable(4).entries.size(), 1u);

    std::filesystem::create_directories(dir_ / "lang");
    Write("lang/other.tbl", "beta\ngamma\n");
    TheSettings().Type(4).Yoyakugo = (dir_ / "lang" / "other.tbl").string();
    LoadKeywordTable(4, box);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(TheKeywordTable(4).entries.size(), 2u);
}

TEST_F(KeywordLoading, MissingAndUnreadableFilesGiveOneMessageAndNoKeywords) {
    Write("my.tbl", "alpha\n");
    TheSettings().Type(5).Yoyakugo = "my.tbl";
    RecordingMessageBox box;
    LoadKeywordTable(5, box);
    ASSERT_FALSE(TheKeywordTable(5).Empty());

    TheSettings().Type(5).Yoyakugo = "none.tbl";
    LoadKeywordTable(5, box);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "予約語ファイルがありません\n" + (dir_ / "none.tbl").string());
    EXPECT_EQ(box.shown[0].caption, "予約語ファイル開く");
    EXPECT_EQ(box.shown[0].icon, MbIcon::Stop);
    EXPECT_TRUE(TheKeywordTable(5).Empty());

    std::filesystem::create_directories(dir_ / "adir.tbl");
    TheSettings().Type(5).Yoyakugo = "adir.tbl";
    LoadKeywordTable(5, box);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[1].text,
              "予約語ファイルがオープンできません\n" + (dir_ / "adir.tbl").string());

    TheSettings().Type(5).Yoyakugo = "";
    LoadKeywordTable(5, box);
    EXPECT_EQ(box.shown.size(), 2u);
    EXPECT_TRUE(TheKeywordTable(5).Empty());
}

}  // namespace
}  // namespace qz

namespace qz {
namespace {

// The first-byte pair bits and the quick literal test only skip work: with
// them switched off the matcher must colour every row the same way.
TEST(KeywordMatching, SpeedFiltersNeverChangeTheResult) {
    KeywordTable fast = Parse(
        "//#WORD xyz_\n//#TYPE 0\nint\nin\nprintf\n$1#$0if\n\\w\\s(\n@\\W;\n"
        "//#TYPE 2\nBeGiN\nend$2\\0\n//#TYPE 1\nfor\n\\*;\n//#TYPE 3\nRet\nx\\?y\n漢\n");
    KeywordTable slow = fast;
    for (auto& bits : slow.pairBits) bits.fill(~uint64_t{0});
    for (auto& e : slow.entries) e.quickLength = 0;
    const std::string alphabet = Sjis("intprfBEGINbegiendRET#xyz_0129 ;(@\"\\\n漢");
    std::vector<std::string> pieces;
    for (size_t i = 0; i < alphabet.size();) {
        size_t w = IsSjisLead(static_cast<uint8_t>(alphabet[i])) ? 2 : 1;
        pieces.push_back(alphabet.substr(i, w));
        i += w;
    }
    const unsigned seed = 20261207;
    std::mt19937 rng(seed);
    for (int round = 0; round < 3000; ++round) {
        std::string row, attrs;
        int len = static_cast<int>(rng() % 40);
        for (int k = 0; k < len; ++k) row += pieces[rng() % pieces.size()];
        for (size_t k = 0; k < row.size(); ++k) attrs.push_back("11111YZ5"[rng() % 8]);
        ASSERT_EQ(Colour(fast, row, attrs), Colour(slow, row, attrs))
            << "seed " << seed << " round " << round << " row '" << row << "'";
    }
}

}  // namespace
}  // namespace qz
