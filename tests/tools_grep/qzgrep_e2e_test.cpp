// Runs the built qzgrep over small generated trees and checks its output
// byte for byte, its messages and exit statuses, and that the editor's tag
// jump reads its hit lines back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "grep_runner.h"
#include "lang/file_reference.h"
#include "platform/cp932.h"

namespace fs = std::filesystem;
using namespace greptest;

namespace {

std::string Sjis(const std::string& utf8) { return qz::Utf8ToSjis(utf8); }

class Qzgrep : public ::testing::Test {
protected:
    GrepRun Grep(const std::vector<std::string>& args) { return RunGrep(args, dir.path()); }
    Scratch dir;
};

// What the tag jump makes of an output line, which reaches the editor's
// window as Shift-JIS text; and what a reader of native text makes of it.
struct Reference {
    std::string name;
    int32_t line = 0;
};
Reference Parse(const std::string& utf8Line) {
    Reference r;
    std::string sjis = Sjis(utf8Line);
    qz::ParseFileReference(sjis, 0, r.name, r.line);
    r.name = qz::SjisToUtf8(r.name);
    return r;
}
Reference ParseNative(const std::string& utf8Line) {
    Reference r;
    qz::ParseFileReference(utf8Line, 0, r.name, r.line, qz::ReferenceEncoding::kUtf8);
    return r;
}

}  // namespace

TEST_F(Qzgrep, BadArgumentsGiveUsageAndStatusTwo) {
    dir.Put("a.c", "int main;\n");
    struct Case {
        std::vector<std::string> args;
        std::string message;  // first line of standard error, empty for the usage alone
    } cases[] = {
        {{}, ""},
        {{"-x", "main", "a.c"}, "qzgrep: unknown option '-x'\n"},
        {{"-iq", "main", "a.c"}, "qzgrep: unknown option '-q'\n"},
        {{"-i", "-r"}, "qzgrep: no search pattern\n"},
        {{"main"}, "qzgrep: no file to search\n"},
        {{"\xF0\x9F\x98\x80", "a.c"}, "qzgrep: the search pattern has no Shift-JIS form (byte 1)\n"},
    };
    for (const Case& c : cases) {
        GrepRun r = Grep(c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(0, c.message.size()), c.message);
        EXPECT_NE(r.err.find("Format: qzgrep <Option> <Pattern> <File>"), std::string::npos) << c.message;
    }
}

TEST_F(Qzgrep, PatternsTheEngineRefusesPrintItsMessage) {
    dir.Put("a.c", "int main;\n");
    GrepRun r = Grep({"-j", "ma(in", "a.c"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "qzgrep: カッコの対応が正しくありません\n");
    r = Grep({"", "a.c"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "qzgrep: 検索文字がありません\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(Qzgrep, HitsAreNameLineColonTextAndStatusFollowsThem) {
    dir.Put("a.c", "#include <stdio.h>\r\nint main(void)\r\n{\r\n    return main2();\r\n}");
    dir.Put("b.c", "nothing here\n");
    GrepRun r = Grep({"main", "*.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a.c 2: int main(void)\na.c 4:     return main2();\n");
    EXPECT_EQ(r.err, "");
    r = Grep({"absent", "*.c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    // The last line needs no line feed; a literal "?" is no wildcard.
    r = Grep({"}", "a.c"});
    EXPECT_EQ(r.out, "a.c 5: }\n");
    EXPECT_EQ(Grep({"ma?n", "a.c"}).status, 1);
}

TEST_F(Qzgrep, EveryKanjiCodeIsReadAndHitsPrintInUtf8) {
    const std::string text = Sjis("/* 日本語のコメント */\nint x; /* ｶﾅ */\n");
    dir.Put("e.txt", qz::EncodeFromSjis(qz::kCodeEuc, text));
    dir.Put("j.txt", qz::EncodeFromSjis(qz::kCodeJis, text));
    dir.Put("s.txt", text);
    GrepRun r = Grep({"日本語", "?.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "e.txt 1: /* 日本語のコメント */\n"
              "j.txt 1: /* 日本語のコメント */\n"
              "s.txt 1: /* 日本語のコメント */\n");
    // JIS widens half-width kana on writing; EUC and Shift-JIS keep it.
    r = Grep({"ｶﾅ", "?.txt"});
    EXPECT_EQ(r.out, "e.txt 2: int x; /* ｶﾅ */\ns.txt 2: int x; /* ｶﾅ */\n");
    r = Grep({"カナ", "j.txt"});
    EXPECT_EQ(r.out, "j.txt 2: int x; /* カナ */\n");
}

TEST_F(Qzgrep, Utf8FilesAreReadAsTheEditorReadsThem) {
    const std::string utf8 = "// 日本語のコメント ¥100〜\nint x; // ｶﾅ\n";
    dir.Put("u.txt", "\xEF\xBB\xBF" + utf8);
    dir.Put("s.txt", Sjis("日本語\n"));
    dir.Put("cut.txt", "日本語\xE6\xBC");  // not UTF-8 to its end: read as Shift-JIS
    GrepRun r = Grep({"日本語", "*.txt"});
    EXPECT_EQ(r.status, 0);
    // Lines print as the file has them, in the forms it uses.
    EXPECT_EQ(r.out, "s.txt 1: 日本語\nu.txt 1: // 日本語のコメント ¥100〜\n");
    // The pattern takes the same strict mapping: the yen sign is no backslash,
    // and either form of a two-form character finds both.
    EXPECT_EQ(Grep({"¥1", "u.txt"}).out, "u.txt 1: // 日本語のコメント ¥100〜\n");
    EXPECT_EQ(Grep({"\\", "u.txt"}).status, 1);
    EXPECT_EQ(Grep({"～", "u.txt"}).status, 0);
    // A line of the file begins at the file's start: the mark is no text.
    EXPECT_EQ(Grep({"-j", "^//", "u.txt"}).out, "u.txt 1: // 日本語のコメント ¥100〜\n");
}

TEST_F(Qzgrep, HelpGoesToStandardOutputWithStatusZero) {
    GrepRun r = Grep({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("Format: qzgrep <Option> <Pattern> <File> ...\n", 0), 0u);
    EXPECT_NE(r.out.find("--help"), std::string::npos);
}

TEST_F(Qzgrep, CaseFuzzyWordAndRegexOptions) {
    dir.Put("t.c", Sjis("int Count;\nint counter;\n/* カタカナ */\nx = count + 1;\n"));
    EXPECT_EQ(Grep({"Count", "t.c"}).out, "t.c 1: int Count;\n");
    EXPECT_EQ(Grep({"-i", "COUNT", "t.c"}).out, "t.c 1: int Count;\nt.c 2: int counter;\nt.c 4: x = count + 1;\n");
    EXPECT_EQ(Grep({"-iw", "count", "t.c"}).out, "t.c 1: int Count;\nt.c 4: x = count + 1;\n");
    EXPECT_EQ(Grep({"-w", "count", "t.c"}).out, "t.c 4: x = count + 1;\n");
    EXPECT_EQ(Grep({"かたかな", "t.c"}).status, 1);
    EXPECT_EQ(Grep({"-a", "かたかな", "t.c"}).out, "t.c 3: /* カタカナ */\n");
    EXPECT_EQ(Grep({"-j", "^int [a-z]+;", "t.c"}).out, "t.c 2: int counter;\n");
    // Letters fold under -i; class ranges compare raw codes, as in the editor.
    EXPECT_EQ(Grep({"-j", "-i", "^INT C[a-z]+;$", "t.c"}).out, "t.c 1: int Count;\nt.c 2: int counter;\n");
    EXPECT_EQ(Grep({"-j", "-i", "^int [a-z]+;$", "t.c"}).out, "t.c 2: int counter;\n");
    // Options stop at "--", so a pattern may begin with a minus.
    dir.Put("m.c", "a = -1;\n");
    EXPECT_EQ(Grep({"--", "-1", "m.c"}).out, "m.c 1: a = -1;\n");
}

TEST_F(Qzgrep, LineAnchorsCountRealLinesOnly) {
    dir.Put("n.txt", "one\ntwo\n");
    dir.Put("e.txt", "");
    GrepRun r = Grep({"-j", "^", "?.txt"});
    EXPECT_EQ(r.out, "n.txt 1: one\nn.txt 2: two\n");
    r = Grep({"-j", "$", "n.txt"});
    EXPECT_EQ(r.out, "n.txt 1: one\nn.txt 2: two\n");
    // A match never runs over a line end into the next line: a line counts
    // only when a match lies inside it.
    EXPECT_EQ(Grep({"-j", "one\\ntwo", "n.txt"}).status, 1);
    dir.Put("x.txt", "xb\ncd\nb x\nc\n");
    EXPECT_EQ(Grep({"-j", "b\\nc|d", "x.txt"}).out, "x.txt 2: cd\n");
    EXPECT_EQ(Grep({"-j", "b.*\\nc|x", "x.txt"}).out, "x.txt 1: xb\nx.txt 3: b x\n");
}

TEST_F(Qzgrep, CarriageReturnsNulAndEofBytesAreDroppedAsTheEditorLoads) {
    std::string bin("ab\0cd\r\nx\x1Ay\r\n\x01\x02 key\r\n", 19);
    dir.Put("bin.dat", bin);
    EXPECT_EQ(Grep({"abcd", "bin.dat"}).out, "bin.dat 1: abcd\n");
    EXPECT_EQ(Grep({"xy", "bin.dat"}).out, "bin.dat 2: xy\n");
    EXPECT_EQ(Grep({"key", "bin.dat"}).out, "bin.dat 3: \x01\x02 key\n");
}

TEST_F(Qzgrep, SubfoldersComeAfterFilesInNameOrder) {
    for (const char* f : {"b.c", "a.c", "a.h", "sub/z.c", "sub/deep/y.c", "asub/x.c", "sub/m.c"})
        dir.Put(f, std::string(f) + " hit\n");
    GrepRun r = Grep({"-r", "hit", "*.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "a.c 1: a.c hit\n"
              "b.c 1: b.c hit\n"
              "asub/x.c 1: asub/x.c hit\n"
              "sub/m.c 1: sub/m.c hit\n"
              "sub/z.c 1: sub/z.c hit\n"
              "sub/deep/y.c 1: sub/deep/y.c hit\n");
    // A folder part is kept in the names; without -r nothing below is searched.
    EXPECT_EQ(Grep({"hit", "sub/*.c"}).out, "sub/m.c 1: sub/m.c hit\nsub/z.c 1: sub/z.c hit\n");
    EXPECT_EQ(Grep({"-r", "hit", "sub/y.c"}).out, "sub/deep/y.c 1: sub/deep/y.c hit\n");
}

TEST_F(Qzgrep, FullPathsAndQuotedNames) {
    dir.Put("sub/a b.c", "key\n");
    const std::string full = fs::canonical(dir.path()).string() + "/sub/a b.c";
    EXPECT_EQ(Grep({"key", "sub/*.c"}).out, "sub/a b.c 1: key\n");
    EXPECT_EQ(Grep({"-d", "key", "sub/*.c"}).out, "\"sub/a b.c\" 1: key\n");
    EXPECT_EQ(Grep({"-p", "key", "sub/*.c"}).out, full + " 1: key\n");
    EXPECT_EQ(Grep({"-p", "-d", "key", "sub/*.c"}).out, "\"" + full + "\" 1: key\n");
    EXPECT_EQ(Grep({"-rpd", "key", "*.c"}).out, "\"" + full + "\" 1: key\n");
}

TEST_F(Qzgrep, TheTagJumpReadsEveryOutputForm) {
    dir.Put("src/main.c", std::string(11, '\n') + Sjis("int 値 = 34; /* 日本語 */\n"));
    dir.Put("src/my file.c", Sjis("\n\n日本語: 99\n"));
    dir.Put("漢字.c", Sjis("\n日本語\n"));
    // Names that end in a kana or kanji: in UTF-8 the last byte of テスト looks
    // like a Shift-JIS lead byte; in Shift-JIS ー ends in '['.
    dir.Put("テスト", Sjis("\n\n\n日本語\n"));
    dir.Put("src/データー", Sjis("日本語\n"));
    const std::string base = fs::canonical(dir.path()).string();
    struct Case {
        std::vector<std::string> args;
        std::string name;
        int32_t line;
    } cases[] = {
        {{"値", "src/main.c"}, "src/main.c", 12},
        {{"-p", "値", "src/main.c"}, base + "/src/main.c", 12},
        {{"-d", "値", "src/main.c"}, "src/main.c", 12},
        {{"-d", "99", "src/my file.c"}, "src/my file.c", 3},
        {{"-pd", "99", "src/my file.c"}, base + "/src/my file.c", 3},
        {{"日本語", "漢字.c"}, "漢字.c", 2},
        {{"-d", "日本語", "*.c"}, "漢字.c", 2},
        {{"日本語", "テスト"}, "テスト", 4},
        {{"-d", "日本語", "src/デ*"}, "src/データー", 1},
        {{"-p", "日本語", "src/デ*"}, base + "/src/データー", 1},
    };
    for (const Case& c : cases) {
        GrepRun r = Grep(c.args);
        ASSERT_EQ(r.status, 0) << c.name;
        ASSERT_EQ(r.out.back(), '\n');
        const std::string hit = r.out.substr(0, r.out.size() - 1);
        for (const Reference& ref : {Parse(hit), ParseNative(hit)}) {
            EXPECT_EQ(ref.name, c.name);
            EXPECT_EQ(ref.line, c.line) << c.name;
        }
    }
}

TEST_F(Qzgrep, UnreadableEntriesAreSkippedWithAMessage) {
    dir.Put("a.c", "key\n");
    dir.Put("b.c/inner.c", "key\n");  // a folder that matches the name pattern
    fs::create_symlink("missing-target", dir.path() / "c.c");
    dir.Put("d.c", "key\n");
    GrepRun r = Grep({"key", "*.c"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a.c 1: key\nd.c 1: key\n");
    EXPECT_EQ(r.err, "qzgrep: 'b.c' is a folder, skipped\nqzgrep: Can't be opened. 'c.c'\n");
    // With -r the folder is searched as a subfolder, not reported.
    r = Grep({"-r", "key", "*.c"});
    EXPECT_EQ(r.out, "a.c 1: key\nd.c 1: key\nb.c/inner.c 1: key\n");
    EXPECT_EQ(r.err, "qzgrep: Can't be opened. 'c.c'\n");
    r = Grep({"key", "none.c", "*.none"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qzgrep: No such file. 'none.c'\nqzgrep: No such file. '*.none'\n");
    if (getuid() != 0) {
        dir.Put("locked.c", "key\n");
        fs::permissions(dir.path() / "locked.c", fs::perms::none);
        r = Grep({"key", "locked.c"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "qzgrep: Can't be opened. 'locked.c'\n");
    }
}
