// The function scan: the line reader's two outputs, the #define filter and
// the classification of every construct the list shows.
#include <gtest/gtest.h>

#include "lang/function_scan.h"
#include "lang_fakes.h"

namespace qz {
namespace {

using testing::Sjis;
using testing::StringText;

constexpr uint32_t kC = kCommentBlock | kCommentSlashes;

struct Line {
    int result;
    std::string top, raw;
};

std::vector<Line> ReadAll(const std::string& text, uint32_t kinds = kC) {
    StringText doc(text);
    ScanState st;
    st.commentKinds = kinds;
    uint32_t pos = 1;
    std::vector<Line> out;
    std::string top, raw;
    while (int r = ReadScanLine(doc, st, pos, top, raw)) out.push_back({r, top, raw});
    return out;
}

std::string Top(const std::string& line, uint32_t kinds = kC) {
    auto lines = ReadAll(line, kinds);
    return lines.empty() ? "<none>" : lines[0].top;
}

TEST(ScanLine, TopTextKeepsOutermostBracketsAndQuotes) {
    EXPECT_EQ(Top("int f(int a) { return 0; }\n"), "int f() {}\n");
    EXPECT_EQ(Top("s = \"abc\";\n"), "s = \"\";\n");
    EXPECT_EQ(Top("c = '\\'';\n"), "c = '';\n");
    EXPECT_EQ(Top("x = \"a\\\"b\" + 1;\n"), "x = \"\" + 1;\n");
    EXPECT_EQ(Top("f(g(h), (1)) {{x}}\n"), "f() {}\n");
    // Depths never go below zero, so a stray closer is plain text.
    EXPECT_EQ(Top("}) a\n"), "}) a\n");
    EXPECT_EQ(Top("\"{(\" x\n"), "\"\" x\n");
}

TEST(ScanLine, RawTextDropsCommentsAndDoubleByteCharacters) {
    auto lines = ReadAll(Sjis("a /* b */ c // d\n\"漢字\" e\n"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].raw, "a  c ");
    EXPECT_EQ(lines[0].top, "a  c \n");
    EXPECT_EQ(lines[1].raw, "\"\" e");
    // "/*/" is a whole comment.
    EXPECT_EQ(Top("a/*/b\n"), "ab\n");
    // A trail byte equal to '*' or '/' never ends or starts anything.
    std::string sjisStar = "a\x81*/b\n";  // 0x81 0x2A is not valid, but the pair is skipped
    EXPECT_EQ(Top(sjisStar), "a/b\n");
}

TEST(ScanLine, BlockCommentsSpanLines) {
    auto lines = ReadAll("a /* x\nint f(void)\ny */ b\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].top, "a \n");
    EXPECT_EQ(lines[1].top, "\n");
    EXPECT_EQ(lines[2].top, " b\n");
}

TEST(ScanLine, CommentKindsComeFromTheTypeBits) {
    EXPECT_EQ(Top("a // b\n", 0), "a // b\n");
    EXPECT_EQ(Top("a /* b */\n", 0), "a /* b */\n");
    EXPECT_EQ(Top("mov ax ; c\n", kCommentSemicolon), "mov ax \n");
    EXPECT_EQ(Top("a <!-- b --> c\n", kCommentMarkup), "a  c\n");
    EXPECT_EQ(Top("a * b\n", kCommentStar), "a \n");
    EXPECT_EQ(Top("a ' b\n", kCommentQuote), "a \n");
    EXPECT_EQ(Top("a # b\n", kCommentHash), "a \n");
    EXPECT_EQ(Top("a \\ b\n", kCommentBackslash), "a \n");
    const struct {
        uint32_t bit;
        char c;
    } first[] = {{kCommentStarFirst, '*'}, {kCommentQuoteFirst, '\''}, {kCommentHashFirst, '#'},
                 {kCommentSemiFirst, ';'}, {kCommentBackslashFirst, '\\'}};
    for (auto f : first) {
        EXPECT_EQ(Top(std::string(1, f.c) + " x\n", f.bit), "\n") << f.c;
        // Not at the start, the byte is ordinary (a quote opens a literal).
        std::string mid = std::string("y ") + f.c + "z\n";
        EXPECT_NE(Top(mid, f.bit), "y \n") << f.c;
    }
    // A comment starter inside a literal is text.
    EXPECT_EQ(Top("s = \"//\"; t\n"), "s = \"\"; t\n");
}

TEST(ScanLine, PiecesOf512BytesAndBackslashEnds) {
    std::string longLine(1000, 'a');
    auto lines = ReadAll(longLine + "\nx\\\ny");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].raw.size(), 512u);
    EXPECT_EQ(lines[1].raw.size(), 488u);
    EXPECT_EQ(lines[2].result, 2);
    EXPECT_EQ(lines[3].result, 1);
    EXPECT_EQ(lines[3].top, "y\n");
    // A double-byte character whose trail byte is a backslash does not
    // continue the line.
    auto kanji = ReadAll(Sjis("#define A 表") + "\n");
    EXPECT_EQ(kanji[0].result, 1);
}

TEST(ScanLine, ADoubleByteCharacterCutBetweenPiecesStaysWhole) {
    // ボ is 0x83 0x7B: cut after its first byte, its second must not open a
    // brace that hides every later definition.
    const std::string text = std::string(511, 'a') + Sjis("ボ") + "\nint f(void)\n";
    auto lines = ReadAll(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].raw, std::string(511, 'a'));
    EXPECT_EQ(lines[1].top, "\n");
    EXPECT_EQ(lines[2].top, "int f()\n");
    StringText doc(text);
    FuncListResult r;
    ScanDefinitions(doc, kC, r);
    ASSERT_EQ(r.count, 1);
    EXPECT_STREQ(r.entries[0].name, "f");
    EXPECT_EQ(r.entries[0].line, 3);
    // A lone lead byte before a line feed does not reach into the next line.
    auto lone = ReadAll("a\x83\n{b\n");
    ASSERT_EQ(lone.size(), 2u);
    EXPECT_EQ(lone[1].top, "{\n");
}

TEST(DefineFilter, NameOnlyAndContinuations) {
    ScanState st;
    std::string top = "  #define MAX() ()\n";
    ApplyDefineFilter(st, top, 1);
    EXPECT_EQ(top, "#define MAX()\n");
    EXPECT_TRUE(st.lastLineWasDefine);
    EXPECT_FALSE(st.inContinuation);

    top = "#define LONG a \\\n";
    ApplyDefineFilter(st, top, 2);
    EXPECT_TRUE(st.inContinuation);
    top = "int f() \\\n";
    ApplyDefineFilter(st, top, 2);
    EXPECT_EQ(top, "\n");
    top = "int g()\n";
    ApplyDefineFilter(st, top, 1);
    EXPECT_EQ(top, "\n");
    EXPECT_FALSE(st.inContinuation);
    top = "int h()\n";
    ApplyDefineFilter(st, top, 1);
    EXPECT_EQ(top, "int h()\n");
    EXPECT_FALSE(st.lastLineWasDefine);

    top = "# define X 1\n";
    ApplyDefineFilter(st, top, 1);
    EXPECT_EQ(top, "# define X 1\n");
    top = "#define\n";
    ApplyDefineFilter(st, top, 1);
    EXPECT_EQ(top, "#define\n");
}

std::string Describe(const FuncListEntry& e) {
    return std::to_string(e.line) + ":" + std::to_string(e.kind) + ":" + e.name + "|" + e.qualifier;
}

std::vector<std::string> Scan(const std::string& text, uint32_t kinds = kC, int max = 256,
                              int* full = nullptr) {
    StringText doc(text);
    std::vector<FuncListEntry> entries(std::max(max, 1));
    int count = -1;
    int f = ScanDefinitions(doc, kinds, entries.data(), max, count);
    if (full) *full = f;
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(Describe(entries[i]));
    return out;
}

// Every construct of the list, with its line number.
const char kSource[] =
    "/* heading comment\n"                               // 1
    "int hidden(void)\n"                                 // 2
    "*/\n"                                               // 3
    "#include <stdio.h>\n"                               // 4
    "#define MAX(a,b) ((a)>(b)?(a):(b))\n"               // 5
    "#define DEBUG\n"                                    // 6
    "  #define X 1\n"                                    // 7
    "# define Y 1\n"                                     // 8
    "#define LONG(a) \\\n"                               // 9
    "    int notme(a) \\\n"                              // 10
    "    struct nor { int y; }\n"                        // 11
    "int after(void)\n"                                  // 12
    "static char *get_name(int id)\n"                    // 13
    "{\n"                                                // 14
    "    int inner(void)\n"                              // 15
    "    return 0;\n"                                    // 16
    "}\n"                                                // 17
    "int CFoo::Bar(void) const\n"                        // 18
    "int foo(void);\n"                                   // 19
    "int foo2(void) /* x */ ;\n"                         // 20
    "    int indented(void)\n"                           // 21
    "char *s = \"int instring(void)\";\n"                // 22
    "struct tagPOINT {\n"                                // 23
    "    int x;\n"                                       // 24
    "};\n"                                               // 25
    "class CView : public CWnd {\n"                      // 26
    "};\n"                                               // 27
    "struct a b;\n"                                      // 28
    "struct s x = {\n"                                   // 29
    "  1 };\n"                                           // 30
    "#define TABBED\tvalue here  \n"                     // 31
    "int\n"                                              // 32
    "split(int a,\n"                                     // 33
    "      int b)\n"                                     // 34
    "{ }\n";                                             // 35

TEST(ScanDefinitionsTest, EveryConstructOfACFile) {
    int full = -1;
    auto got = Scan(kSource, kC, 256, &full);
    EXPECT_EQ(full, 0);
    std::vector<std::string> want = {
        "5:1:MAX|((a)>(b)?(a):(b))",
        "6:1:DEBUG|",
        "7:1:X|1",
        "9:1:LONG|\\",  // the value is the rest of the line as it stands
        "12:0:after|",
        "13:0:get_name|",
        "18:0:Bar|CFoo",
        "23:2:struct tagPOINT|",
        "26:2:class CView |public CWnd",
        "31:1:TABBED|value here",
        "33:0:split|",
    };
    EXPECT_EQ(got, want);
}

TEST(ScanDefinitionsTest, LongLinesCountTwiceAndNamesAreCut) {
    std::string text = "// " + std::string(997, 'x') + "\nint f(void)\n";
    auto got = Scan(text);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], "3:0:f|");
    std::string name(80, 'n'), cls(70, 'c');
    auto cut = Scan("int " + cls + "::" + name + "(void)\n");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0], "1:0:" + std::string(63, 'n') + "|" + std::string(63, 'c'));
}

TEST(ScanDefinitionsTest, StopsFullAt256) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "int f" + std::to_string(i) + "(void)\n";
    int full = -1;
    auto got = Scan(text, kC, 256, &full);
    EXPECT_EQ(full, 1);
    ASSERT_EQ(got.size(), 256u);
    EXPECT_EQ(got.back(), "256:0:f255|");
    // Exactly 256 is full too; 255 is not.
    text.clear();
    for (int i = 0; i < 255; ++i) text += "int f" + std::to_string(i) + "(void)\n";
    Scan(text, kC, 256, &full);
    EXPECT_EQ(full, 0);
}

TEST(ScanDefinitionsTest, EmptyTextAndOtherCommentKinds) {
    int full = -1;
    EXPECT_TRUE(Scan("", kC, 256, &full).empty());
    EXPECT_EQ(full, 0);
    // Assembler: ';' comments, '*' in column one.
    auto asmGot = Scan("* int a(b)\nmain proc ; f(x)\n", kCommentSemicolon | kCommentStarFirst);
    EXPECT_TRUE(asmGot.empty());
    // Markup comments can hide a head.
    auto html = Scan("<!-- int a(b)\n-->\nint b(c)\n", kCommentMarkup);
    EXPECT_EQ(html, (std::vector<std::string>{"3:0:b|"}));
}

TEST(ScanDefinitionsTest, ResultStructFlagsFull) {
    StringText doc("int a(void)\nint b(void)\n");
    FuncListResult r;
    ScanDefinitions(doc, kC, r);
    EXPECT_EQ(r.count, 2);
    EXPECT_FALSE(r.full);
    EXPECT_STREQ(r.entries[1].name, "b");
}

}  // namespace
}  // namespace qz
