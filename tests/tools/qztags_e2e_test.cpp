// Runs the built qztags in scratch folders and checks the tags file and the
// console output byte for byte.
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace tooltest;

namespace {

const std::string kProgram = QZTAGS_PROGRAM;
const std::string kCreated = "created 'TAGS' file.\n";

const std::string kUsage =
    "ＱＺＴＡＧＳ for Windows Version 1.06 <QZTAGS is a console application>\n"
    "\n"
    "Format: qztags.exe <Option> <File> <File> ...\n"
    "\n"
    "<Option> : -p ... ファイル名をフルパスで表示する\n"
    "           -r ... サブディレクトリも検索する\n"
    "\n"
    "<File>   : 対象のファイル名を指定します。\n"
    "           ファイル名にはワイルドカード(＊又は？)が使用できます。\n"
    "           ファイルは複数個指定可能です。\n"
    "           ファイル名の先頭に@を付けた場合には対象ファイル名が記述されてい\n"
    "           るリストファイルとして処理します。\n"
    "\n"
    "Output: 関数リストファイル(ﾌｧｲﾙ名:TAGS)が出来上がります。\n";

class QztagsRun : public ::testing::Test {
protected:
    RunResult Tags(const std::vector<std::string>& args) { return tooltest::Run(kProgram, args, dir.path()); }
    std::string TagsFile() { return ReadFile(dir.path() / "tags"); }
    void Put(const std::string& name, const std::string& bytes) {
        fs::path p = dir.path() / name;
        fs::create_directories(p.parent_path());
        WriteFile(p, bytes);
    }
    std::string CantOpen(const std::string& name) {
        return kProgram + ": Can't be opened. '" + name + "'\n";
    }
    ScratchDir dir;
};

}  // namespace

TEST_F(QztagsRun, UsageWithoutFilesOrOnAnUnknownOption) {
    for (auto args : {std::vector<std::string>{}, {"-p", "-r"}, {"-x", "a.c"}, {"a.c", "-pr"}, {"-"}}) {
        RunResult r = Tags(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, kUsage);
        EXPECT_FALSE(fs::exists(dir.path() / "tags"));
    }
}

TEST_F(QztagsRun, HelpPrintsTheUsageWithStatusZero) {
    RunResult r = Tags({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kUsage);
    EXPECT_FALSE(fs::exists(dir.path() / "tags"));
}

TEST_F(QztagsRun, Utf8SourcesAreReadAsShiftJis) {
    // "る" ends in a byte that Shift-JIS takes for a lead byte: read as it
    // stands it would swallow the star that closes the comment. A byte
    // order mark is no part of the first line. The definition's text is
    // Shift-JIS in the tags file, as the editor reads it.
    Put("u.c", "\xEF\xBB\xBF#define X 1\n/* 呼ばれる*/\nint f(void) /* 関数 */\n");
    RunResult r = Tags({"u.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(TagsFile(), "u.c 1: #define 'X'\r\nu.c 3: int 'f'(\r\n\r\n");
    // A file that is not UTF-8 to its end stays as it is.
    Put("s.c", "/* \x82\xE9*/\nint g(void)\n");
    r = Tags({"s.c"});
    EXPECT_EQ(TagsFile(), "s.c 2: int 'g'(\r\n\r\n");
}

TEST_F(QztagsRun, OptionsIgnoreCase) {
    Put("a.c", "int f(void)\n");
    RunResult r = Tags({"-P", "-R", "-D", "a.c"});
    EXPECT_EQ(r.status, 0);
    std::string full = fs::canonical(dir.path()).string() + "/a.c";
    EXPECT_EQ(r.out, "int f()\n" + kCreated);
    EXPECT_EQ(TagsFile(), full + " 1: int 'f'(\r\n\r\n");
}

TEST_F(QztagsRun, AllThreeKindsWithCrLfAndLfSources) {
    const std::string body[] = {
        "/* a comment that\n",
        "   spans lines: int no(void) */ #define NOT 1\n",
        "#define X 1\n",
        "int foo(void);\n",
        "int\n",
        "foo(void)\n",
        "{\n",
        "    return bar(1);\n",
        "}\n",
        "static char *get_name(int id)\n",
        "int CFoo::Bar(void) const\n",
        "typedef struct tagPOINT {\n",
        "    int x, y;\n",
        "} POINT;\n",
        "class CView : public CWnd\n",
        "#define MAX(a,b) ((a)>(b)?(a):(b))\n",
        "#define LONG(a) \\\n",
        "    int cont(a) \\\n",
        "    + 1\n",
        "main()\n",
    };
    std::string lf, crlf;
    for (const std::string& l : body) {
        lf += l;
        crlf += l.substr(0, l.size() - 1) + "\r\n";
    }
    Put("lf.c", lf);
    Put("crlf.c", crlf);
    const std::string defs =
        " 2: #define 'NOT'\r\n"  // found once the comment has closed
        " 3: #define 'X'\r\n"
        " 6: 'foo'(\r\n"
        " 10: static char * 'get_name'(\r\n"
        " 11: int CFoo::'Bar'(\r\n"
        " 12: typedef struct 'tagPOINT'\r\n"
        " 15: class 'CView' : public CWnd\r\n"
        " 16: #define 'MAX'\r\n"
        " 17: #define 'LONG'\r\n"
        " 20: 'main'(\r\n";
    std::string expected;
    for (const char* name : {"crlf.c", "lf.c"}) {
        std::string named;  // every line of defs prefixed by the file name
        for (size_t start = 0; start < defs.size();) {
            size_t end = defs.find("\r\n", start) + 2;
            named += name + defs.substr(start, end - start);
            start = end;
        }
        expected += named + "\r\n";
    }
    RunResult r = Tags({"crlf.c", "lf.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kCreated);
    EXPECT_EQ(TagsFile(), expected);
}

TEST_F(QztagsRun, EmptyFileBlankInNameAndMissingFile) {
    Put("empty.c", "");
    Put("my file.c", "int f(void)\n");
    RunResult r = Tags({"empty.c", "my file.c", "missing.c", "empty.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kCreated);  // no match, no message
    EXPECT_EQ(TagsFile(), "\r\n\"my file.c\" 1: int 'f'(\r\n\r\n\r\n");
}

TEST_F(QztagsRun, ShiftJisSourceBytesAndNames) {
    // Comment, string and identifier in Shift-JIS; "表" ends the define's
    // comment with a 0x5C second byte that must not continue the define.
    Put("\xE6\x97\xA5\xE6\x9C\xAC.c",  // 日本.c in UTF-8, the native name
        "/* \x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x52\x83\x81\x83\x93\x83\x67 */\r\n"
        "#define TITLE \"\x95\x5C\" // \x95\x5C\r\n"
        "char *msg(void) // \x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57\r\n"
        "int \x83\x7B(void)\r\n"
        "struct \xB6\xC5 {\r\n");
    RunResult r = Tags({"*.c"});
    EXPECT_EQ(r.out, kCreated);
    EXPECT_EQ(TagsFile(),
              "\xE6\x97\xA5\xE6\x9C\xAC.c 2: #define 'TITLE'\r\n"
              "\xE6\x97\xA5\xE6\x9C\xAC.c 3: char * 'msg'(\r\n"
              "\xE6\x97\xA5\xE6\x9C\xAC.c 4: 'int'(\r\n"
              "\xE6\x97\xA5\xE6\x9C\xAC.c 5: struct '\xB6\xC5'\r\n"
              "\r\n");
}

TEST_F(QztagsRun, Utf8SourcesAreScannedAsUtf8) {
    // Japanese right before a quote must not leave a string, and with it the
    // call's parenthesis and the body's brace, open for the rest of the file.
    Put("u.c",
        "/* 説明 */\n"
        "void a(void) { puts(\"説明\"); }\n"
        "int f(void) /* 関数 */\n"
        "#define LIMIT 10 // 上限\n"
        "struct S { // 型\n");
    RunResult r = Tags({"u.c"});
    EXPECT_EQ(r.out, kCreated);
    EXPECT_EQ(TagsFile(),
              "u.c 2: void 'a'(\r\n"
              "u.c 3: int 'f'(\r\n"
              "u.c 4: #define 'LIMIT'\r\n"
              "u.c 5: struct 'S'\r\n"
              "\r\n");
}

TEST_F(QztagsRun, LongLinesAreReadIn511BytePieces) {
    // 5,000 bytes: nine pieces of 511 and one of 401 with the line feed, so
    // the next line is number 11.
    std::string src = std::string(5000, 'x') + "\n" + "int after(void)\n";
    // Exactly 511 bytes before the line end: an extra empty piece.
    src += std::string(511, ' ') + "\n" + "int next(void)\n";
    // A piece ending right after a lead byte: "ボ" (0x83 0x7B) split.
    src += std::string(510, ' ') + "\x83\x7B" + "\n" + "int last(void)\n";
    Put("long.c", src);
    Tags({"long.c"});
    EXPECT_EQ(TagsFile(),
              "long.c 11: int 'after'(\r\n"
              "long.c 14: int 'next'(\r\n"
              "long.c 17: int 'last'(\r\n"
              "\r\n");
}

TEST_F(QztagsRun, TextModeStopsAtControlZ) {
    Put("z.c", "int a(void)\r\n\x1A" "int b(void)\r\n");
    Tags({"z.c"});
    EXPECT_EQ(TagsFile(), "z.c 1: int 'a'(\r\n\r\n");
}

TEST_F(QztagsRun, EchoPrintsEveryFilteredLine) {
    Put("e.c", "int f(int a) { return a; } // c\n\n/* x */\n#define Y 2 \\\n 3\ns = \"q\";\n");
    RunResult r = Tags({"-d", "e.c"});
    EXPECT_EQ(r.out, "int f() {} \n#define Y\ns = \"\";\n" + kCreated);
}

TEST_F(QztagsRun, WildcardsMatchTheLastComponentInNameOrder) {
    Put("src/b.c", "int b(void)\n");
    Put("src/a.c", "int a(void)\n");
    Put("src/ab.c", "int ab(void)\n");
    Put("src/a.h", "int h(void)\n");
    Put("src/dir.c/inner.c", "int inner(void)\n");  // a directory is never a file
    fs::create_symlink("nowhere.c", dir.path() / "src/broken.c");
    RunResult r = Tags({"src/?.c", "src/*b*.c"});
    EXPECT_EQ(r.out, CantOpen("src/broken.c") + kCreated);
    EXPECT_EQ(TagsFile(),
              "src/a.c 1: int 'a'(\r\n\r\n"
              "src/b.c 1: int 'b'(\r\n\r\n"
              "src/ab.c 1: int 'ab'(\r\n\r\n"
              "src/b.c 1: int 'b'(\r\n\r\n");
}

TEST_F(QztagsRun, RecursionTakesFilesBeforeSubdirectories) {
    Put("b.c", "int b(void)\n");
    Put("a.c", "int a(void)\n");
    Put("zsub/z.c", "int z(void)\n");
    Put("zsub/deep/y.c", "int y(void)\n");
    Put("asub/q.c", "int q(void)\n");
    Put("asub/q.h", "int qh(void)\n");
    Put("x.c/m.c", "int m(void)\n");
    fs::create_directory_symlink("..", dir.path() / "asub/up");  // never followed
    RunResult r = Tags({"-r", "*.c"});
    EXPECT_EQ(r.out, kCreated);
    EXPECT_EQ(TagsFile(),
              "a.c 1: int 'a'(\r\n\r\n"
              "b.c 1: int 'b'(\r\n\r\n"
              "asub/q.c 1: int 'q'(\r\n\r\n"
              "x.c/m.c 1: int 'm'(\r\n\r\n"
              "zsub/z.c 1: int 'z'(\r\n\r\n"
              "zsub/deep/y.c 1: int 'y'(\r\n\r\n");

    r = Tags({"-p", "-r", "zsub/*.c"});
    const std::string root = fs::canonical(dir.path()).string();
    EXPECT_EQ(TagsFile(),
              root + "/zsub/z.c 1: int 'z'(\r\n\r\n" + root + "/zsub/deep/y.c 1: int 'y'(\r\n\r\n");
}

TEST_F(QztagsRun, ListFilesHoldFileArguments) {
    Put("one.c", "int one(void)\n");
    Put("lib/two.c", "int two(void)\n");
    Put("lib/three.c", "int three(void)\n");
    // CR LF lines, an empty line, a wildcard, and no line end at the end.
    Put("files.lst", "one.c\r\n\r\nlib/t*.c\r\nmissing.c\r\nlib/two.c");
    RunResult r = Tags({"@files.lst", "@nolist.lst"});
    EXPECT_EQ(r.out, CantOpen("nolist.lst") + kCreated);
    EXPECT_EQ(TagsFile(),
              "one.c 1: int 'one'(\r\n\r\n"
              "lib/three.c 1: int 'three'(\r\n\r\n"
              "lib/two.c 1: int 'two'(\r\n\r\n"
              "lib/two.c 1: int 'two'(\r\n\r\n");
}

TEST_F(QztagsRun, TagsFileThatCannotBeWritten) {
    Put("a.c", "int a(void)\n");
    const std::string msg = kProgram + ": Can't be created. 'tags'\n";
    fs::create_directory(dir.path() / "tags");
    RunResult r = Tags({"a.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, msg);
    fs::remove(dir.path() / "tags");
    // Creatable but every write fails: not reported as created.
    fs::create_symlink("/dev/full", dir.path() / "tags");
    r = Tags({"a.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, msg);
}

TEST_F(QztagsRun, CrLfSplitAcrossReadsStillEndsTheLine) {
    // The reader takes the file in 64 KB chunks; place one CR LF so that its
    // CR is the last byte of the first chunk. A CR left in the text would
    // show in the marked type name.
    std::string src;
    int n = 0;
    auto add = [&](size_t pad_to) {
        std::string line = "struct S" + std::to_string(n++);
        if (line.size() < pad_to) line.append(pad_to - line.size(), ' ');  // blanks end no word
        src += line + "\r\n";
    };
    while (src.size() < 65535 - 40) add(0);
    add(65535 - src.size());  // this line's CR lands at 65535
    while (src.size() < 65536 + 100) add(0);
    ASSERT_EQ(src[65535], '\r');
    Put("big.c", src);
    Tags({"big.c"});
    std::string expected;
    for (int i = 0; i < n; ++i)
        expected += "big.c " + std::to_string(i + 1) + ": struct 'S" + std::to_string(i) + "'\r\n";
    EXPECT_EQ(TagsFile(), expected + "\r\n");
}
