// The tag scanner's line filter, #define filter and line classes.
#include "qztags/line_filter.h"
#include "qztags/tag_classify.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace qztags;

namespace {

// Runs the line and #define filters over whole lines (no mid-line cuts).
std::vector<std::string> FilterAll(const std::vector<std::string>& lines) {
    ScanState s;
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        bool bs = false;
        std::string top = FilterLine(s, l, false, &bs);
        ApplyDefineFilter(s, top, bs);
        out.push_back(top);
    }
    return out;
}

std::string Top(const std::string& line) { return FilterAll({line})[0]; }

std::string Marked(const std::string& line) {
    std::optional<std::string> m = ClassifyLine(line);
    return m ? *m : "<none>";
}

}  // namespace

TEST(QztagsFilter, KeepsTopLevelTextWithOutermostBrackets) {
    EXPECT_EQ(Top("int f(int a) { return 0; }"), "int f() {}");
    EXPECT_EQ(Top("a ( b ( c ) d ) e"), "a () e");
    EXPECT_EQ(Top("s = \"abc\";"), "s = \"\";");
    EXPECT_EQ(Top("c = '\\''; f(x)"), "c = ''; f()");
    EXPECT_EQ(Top("\"a\\\"b(\" x"), "\"\" x");
    EXPECT_EQ(Top("f(\"(\")"), "f()");
}

TEST(QztagsFilter, RemovesCommentsAcrossLines) {
    EXPECT_EQ(Top("int a; /* x */ int b; // c"), "int a;  int b; ");
    EXPECT_EQ(FilterAll({"/* start", "int x(void) */ int y(void)"}),
              (std::vector<std::string>{"", " int y()"}));
    // The star that opens a comment also closes it: "/*/" is whole.
    EXPECT_EQ(Top("a /*/ b"), "a  b");
    EXPECT_EQ(FilterAll({"x /* a *", "/ still in comment */ y"}),
              (std::vector<std::string>{"x ", " y"}));
}

TEST(QztagsFilter, DepthsCarryOverAndNeverGoBelowZero) {
    EXPECT_EQ(FilterAll({"int f(int a,", "  int b) {", "  g(x);", "}", "int h(void)"}),
              (std::vector<std::string>{"int f(", ") {", "", "}", "int h()"}));
    EXPECT_EQ(FilterAll({"}} ) int f(x)", "int g(y)"}),
              (std::vector<std::string>{"}} ) int f()", "int g()"}));
}

TEST(QztagsFilter, DoubleByteCharactersNeverReachTheText) {
    // "ボ" is 0x83 0x7B: its second byte must not open a brace.
    EXPECT_EQ(FilterAll({"int \x83\x7B f(x)", "int g(y)"}),
              (std::vector<std::string>{"int  f()", "int g()"}));
    // A backslash followed by "表" (0x95 0x5C): the second byte clears the
    // escape, so the quote after it closes the literal.
    EXPECT_EQ(Top("\"\\\x95\x5C\" x"), "\"\" x");
    EXPECT_EQ(Top("/* \x93\xFA\x96\x7B\x8C\xEA */ int f(v)"), " int f()");
}

TEST(QztagsFilter, BackslashAtTheEndIsNotASecondByte) {
    ScanState s;
    bool bs = false;
    FilterLine(s, "#define A 1 \\", false, &bs);
    EXPECT_TRUE(bs);
    FilterLine(s, "x = 1; // \x95\x5C", false, &bs);
    EXPECT_FALSE(bs);
    FilterLine(s, "", false, &bs);
    EXPECT_FALSE(bs);
}

TEST(QztagsFilter, PieceCutAfterALeadByteSkipsItsSecondByte) {
    ScanState s;
    bool bs;
    std::string first = FilterLine(s, std::string("int a\x83"), true, &bs);
    std::string second = FilterLine(s, "{ int b", false, &bs);
    EXPECT_EQ(first, "int a");
    EXPECT_EQ(second, " int b");
    EXPECT_EQ(s.brace_depth, 0);
}

TEST(QztagsFilter, DefineLinesAndTheirContinuations) {
    EXPECT_EQ(Top("#define MAX(a,b) ((a)>(b)?(a):(b))"), "#define MAX()");
    EXPECT_EQ(Top("   #define X 1"), "#define X");
    EXPECT_EQ(Top("#define DEBUG"), "#define DEBUG");
    EXPECT_EQ(Top("# define X 1"), "# define X 1");
    EXPECT_EQ(FilterAll({"#define LONG(a) \\", "  int f(x) \\", "  int g(y)", "int h(z)"}),
              (std::vector<std::string>{"#define LONG()", "", "", "int h()"}));
    // A continuation after a line that is not a define is ordinary text.
    EXPECT_EQ(FilterAll({"int a = 1 + \\", "int f(x)"}),
              (std::vector<std::string>{"int a = 1 + \\", "int f()"}));
}

TEST(QztagsClassify, DefinesUseTheSecondWordBeforeAnyParenthesis) {
    EXPECT_EQ(Marked("#define MAX()"), "#define 'MAX'");
    EXPECT_EQ(Marked("#define X"), "#define 'X'");
    EXPECT_EQ(Marked("#define"), "<none>");
    EXPECT_EQ(Marked("# define X 1"), "<none>");
    EXPECT_EQ(Marked("#include <stdio.h>"), "<none>");
}

TEST(QztagsClassify, FunctionHeads) {
    EXPECT_EQ(Marked("static char *get_name()"), "static char * 'get_name'(");
    EXPECT_EQ(Marked("int CFoo::Bar() const"), "int CFoo::'Bar'(");
    EXPECT_EQ(Marked("CFoo::~CFoo()"), "CFoo::'~CFoo'(");
    EXPECT_EQ(Marked("main()"), "'main'(");
    EXPECT_EQ(Marked("char **pp ()"), "char ** 'pp'(");
    EXPECT_EQ(Marked("int\tf(\t"), "int 'f'(");
    EXPECT_EQ(Marked("struct point *make()"), "struct point * 'make'(");
    EXPECT_EQ(Marked("_start()"), "'_start'(");
    EXPECT_EQ(Marked("a::b::c()"), "a::'b::c'(");
}

TEST(QztagsClassify, DeclarationsAndIndentedHeadsAreNoFunctions) {
    EXPECT_EQ(Marked("int foo();"), "<none>");
    EXPECT_EQ(Marked("int foo()  \t ;"), "<none>");
    EXPECT_EQ(Marked(" int foo()"), "<none>");
    EXPECT_EQ(Marked("x = f();"), "<none>");
}

TEST(QztagsClassify, TypeHeads) {
    EXPECT_EQ(Marked("typedef struct tagPOINT {"), "typedef struct 'tagPOINT'");
    EXPECT_EQ(Marked("class CView : public CWnd {"), "class 'CView' : public CWnd");
    EXPECT_EQ(Marked("class CView\t:  public CWnd"), "class 'CView' : public CWnd");
    EXPECT_EQ(Marked("union U {}"), "union 'U'");
    EXPECT_EQ(Marked("struct a b;"), "<none>");
    EXPECT_EQ(Marked("struct s x = {"), "<none>");
    EXPECT_EQ(Marked("x = struct {"), "<none>");
    EXPECT_EQ(Marked("template <class T> class Box {"), "template <class T> class 'Box'");
}
