// Runs the built lexpak in scratch folders: console text, exit status and the
// dictionary bytes it writes.
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace tooltest;

namespace {

const std::string kProgram = LEXPAK_PROGRAM;
const std::string kBanner = "ＱＺエディタ専用  辞書コンバータ  Version 1.00\n\n";
const std::string kUsage =
    "Format: lexpak.exe <Option> -f<Source File> -o<Destination File>\n"
    "<Option>             : -d1 ... 変換元辞書の形式 《辞郎形式》\n"
    "                     : -d2 ... 変換元辞書の形式 《二行一組形式》\n"
    "                     : -d3 ... 変換元辞書の形式 《タブ区切り形式》\n"
    "                     : -d4 ... 変換元辞書の形式 《スペース区切り形式》\n"
    "                     : -s  ... 変換は行わずソートのみ行う\n"
    "                               変換元辞書はＱＺエディタ専用形式であること\n"
    "                     : -c  ... 会話モード\n"
    "-f<Source File>      : 変換元辞書ファイル\n"
    "-o<Destination File> : 変換先辞書ファイル\n";
const std::string kSortMessages =
    "ソート中[ファイル読み込み]...\n"
    "ソート中[クイックソート]...\n"
    "ソート中[ファイル書き込み]...\n"
    "ソート完了\n";
const std::string kAskSource = "変換元の辞書(FullPath)：";
const std::string kAskLayout = "形式(1:辞郎 2:2行1組 3:ﾀﾌﾞ区切り 4:ｽﾍﾟｰｽ区切り)：";
const std::string kAskDest = "変換先の辞書(FullPath)：";

// The layout line and the progress line with the percentages printed over it.
std::string Converting(const std::string& layout, std::vector<int> percents) {
    std::string s = "辞書形式：《" + layout + "》\n辞書変換中   0% 完了";
    for (int p : percents) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "\r辞書変換中 %3d%% 完了", p);
        s += buf;
    }
    return s + "\r辞書変換中 100% 完了\n";
}

class LexpakRun : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(tmp()); }
    fs::path tmp() const { return dir.path() / "tmp"; }
    RunResult Lex(const std::vector<std::string>& args, const std::string& input = "") {
        return tooltest::Run(kProgram, args, dir.path(), input, {"TMPDIR=" + tmp().string()});
    }
    void Put(const std::string& name, const std::string& bytes) { WriteFile(dir.path() / name, bytes); }
    std::string Get(const std::string& name) { return ReadFile(dir.path() / name); }
    bool Exists(const std::string& name) { return fs::exists(fs::symlink_status(dir.path() / name)); }
    // No temporary file is left in the temporary folder or beside the output.
    void ExpectNoLeftovers() {
        EXPECT_TRUE(fs::is_empty(tmp()));
        for (const auto& e : fs::directory_iterator(dir.path()))
            EXPECT_EQ(e.path().filename().string().find(".QZM"), std::string::npos) << e.path();
    }
    ScratchDir dir;
};

}  // namespace

TEST_F(LexpakRun, UsageOnBadWordsOrMissingFiles) {
    for (auto args : {std::vector<std::string>{}, {"-d5", "-fa", "-ob"}, {"-x"}, {"words.txt"},
                      {"-fa"}, {"-ob", "-d3"}, {"-f", "-o"}, {"-d3", "-fa", "-ob", "-s2"}}) {
        RunResult r = Lex(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, kBanner + kUsage);
    }
    ExpectNoLeftovers();
}

TEST_F(LexpakRun, HelpPrintsTheUsageWithStatusZero) {
    RunResult r = Lex({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + kUsage);
    ExpectNoLeftovers();
}

TEST_F(LexpakRun, TabSeparatedWordsAreConvertedAndSorted) {
    Put("words.txt", "b\tB\r\na\tA\r\n");
    RunResult r = Lex({"-d3", "-fwords.txt", "-oout.dic"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + Converting("タブ区切り形式", {50, 100}) + kSortMessages);
    EXPECT_EQ(Get("out.dic"), ".a\r\nA\r\n.b\r\nB\r\n");
    ExpectNoLeftovers();

    // LF source lines, options in another order and case.
    Put("lf.txt", "b\tB\na\tA\n");
    r = Lex({"-OOUT2.dic", "-FLF.txt", "-D3"});
    EXPECT_EQ(r.status, 1);  // the path keeps its case: LF.txt does not exist
    EXPECT_EQ(r.out, kBanner + "変換元ファイルが開けません 'LF.txt'\n");
    r = Lex({"-Oout2.dic", "-Flf.txt", "-D1", "-D3"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Get("out2.dic"), ".a\r\nA\n.b\r\nB\n");

    // Shift-JIS headwords sort by their bytes; ａ (0x82 0x81) sorts as Ａ.
    Put("sjis.txt", "\x97\xD1\x8C\xE7\tapple\r\n"           // 林檎
                    "\x82\xE8\x82\xF1\x82\xB2\tapple\r\n"   // りんご
                    "\x82\x81\x82\x60\tAA\r\n"              // ａＡ
                    "\x82\x60\tA\r\n");                     // Ａ
    r = Lex({"-d3", "-fsjis.txt", "-osjis.dic"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Get("sjis.dic"), ".\x82\x60\r\nA\r\n"
                               ".\x82\x81\x82\x60\r\nAA\r\n"
                               ".\x82\xE8\x82\xF1\x82\xB2\r\napple\r\n"
                               ".\x97\xD1\x8C\xE7\r\napple\r\n");
}

TEST_F(LexpakRun, EijiroTwoLineAndSpaceLayouts) {
    // ■apple : りんご / 林檎, and an earlier ■ant : 蟻
    Put("e.txt", "\x81\xA1" "apple : \x82\xE8\x82\xF1\x82\xB2 / \x97\xD1\x8C\xE7\r\n"
                 "\x81\xA1" "ant : \x8B\x61\r\n");
    RunResult r = Lex({"-fe.txt", "-oe.dic"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + Converting("辞郎形式", {100}) + kSortMessages);
    const std::string yakugo = "\x81\x79\x96\xF3\x8C\xEA\x81\x7A";
    EXPECT_EQ(Get("e.dic"), ".ant\r\n" + yakugo + "\r\n  \x8B\x61\r\n"
                            ".apple\r\n" + yakugo + "\r\n  \x82\xE8\x82\xF1\x82\xB2\r\n  \x97\xD1\x8C\xE7\r\n");

    Put("two.txt", "zoo\r\n\x93\xAE\x95\xA8\x89\x80\r\nCat\r\n\x94\x4C\r\n");
    r = Lex({"-d2", "-ftwo.txt", "-otwo.dic"});
    EXPECT_EQ(r.out, kBanner + Converting("二行一組形式", {22, 59, 81, 100}) + kSortMessages);
    EXPECT_EQ(Get("two.dic"), ".Cat\r\n\x94\x4C\r\n.zoo\r\n\x93\xAE\x95\xA8\x89\x80\r\n");

    Put("sp.txt", "dog inu\r\ncat neko\r\n");
    r = Lex({"-d4", "-fsp.txt", "-osp.dic"});
    EXPECT_EQ(r.out, kBanner + Converting("スペース区切り形式", {47, 100}) + kSortMessages);
    EXPECT_EQ(Get("sp.dic"), ".cat\r\nneko\r\n.dog\r\ninu\r\n");
    ExpectNoLeftovers();
}

TEST_F(LexpakRun, SortOnly) {
    Put("in.dic", ".b\r\nB\r\n.Apple\r\nringo\r\n.a\r\nA");
    RunResult r = Lex({"-s", "-fin.dic", "-osorted.dic"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + kSortMessages);
    EXPECT_EQ(Get("sorted.dic"), ".a\r\nA\r\n.Apple\r\nringo\r\n.b\r\nB\r\n");
    // Sorting a dictionary onto itself works: it is only replaced at the end.
    r = Lex({"-s", "-fin.dic", "-oin.dic"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Get("in.dic"), ".a\r\nA\r\n.Apple\r\nringo\r\n.b\r\nB\r\n");
    // An empty dictionary sorts into an empty one.
    Put("empty.dic", "");
    r = Lex({"-s", "-fempty.dic", "-oe.dic"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + kSortMessages);
    EXPECT_EQ(Get("e.dic"), "");
    ExpectNoLeftovers();
}

TEST_F(LexpakRun, InteractiveModeAsksAndRepeatsTheLayout) {
    Put("w.txt", "b\tB\r\na\tA\r\n");
    RunResult r = Lex({"-c"}, "w.txt\n0\n5\ntext\n3\nout.dic\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + kAskSource + kAskLayout + kAskLayout + kAskLayout + kAskLayout +
                         kAskDest + Converting("タブ区切り形式", {50, 100}) + kSortMessages);
    EXPECT_EQ(Get("out.dic"), ".a\r\nA\r\n.b\r\nB\r\n");

    // Only what the command line left out is asked for.
    r = Lex({"-C", "-fw.txt", "-d3"}, "out2.dic\r\n");
    EXPECT_EQ(r.out, kBanner + kAskDest + Converting("タブ区切り形式", {50, 100}) + kSortMessages);
    EXPECT_EQ(Get("out2.dic"), ".a\r\nA\r\n.b\r\nB\r\n");

    // Input that ends before a layout is chosen ends the questions.
    r = Lex({"-c"}, "w.txt\n9\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + kAskSource + kAskLayout + kAskLayout + kUsage);
    // An empty destination answer leaves the destination missing.
    r = Lex({"-c", "-fw.txt"}, "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + kAskDest + kUsage);
}

TEST_F(LexpakRun, ConversionFailuresKeepTheDestination) {
    Put("old.dic", ".kept\r\n");
    Put("long.txt", "\x81\xA1" "a : b\r\n" + std::string(5000, 'x') + "\r\n");
    RunResult r = Lex({"-d1", "-flong.txt", "-oold.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "辞書形式：《辞郎形式》\n辞書変換中   0% 完了"
                               "\n４Ｋバイトを超える桁数の行があるため処理できません\n");
    EXPECT_EQ(Get("old.dic"), ".kept\r\n");

    Put("notab.txt", "a\tA\r\nnotab\r\n");
    r = Lex({"-d3", "-fnotab.txt", "-oold.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "辞書形式：《タブ区切り形式》\n辞書変換中   0% 完了\r辞書変換中  41% 完了"
                               "\n見出し語(単語)が長すぎて処理できません\n");
    EXPECT_EQ(Get("old.dic"), ".kept\r\n");
    ExpectNoLeftovers();
}

TEST_F(LexpakRun, SortFailures) {
    // A body line of 5,000 bytes passes layout 3 but not the sort.
    Put("w.txt", "a\t" + std::string(5000, 'y') + "\r\n");
    RunResult r = Lex({"-d3", "-fw.txt", "-oout.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + Converting("タブ区切り形式", {81, 100}) + "ソート中[ファイル読み込み]...\n"
                     "４Ｋバイトを超える桁数の行があるため処理できません\n");
    EXPECT_FALSE(Exists("out.dic"));
    // The sort fails after its destination was opened: an existing
    // dictionary stays as it was instead of being left truncated.
    Put("old.dic", ".kept\r\n");
    Put("long.dic", ".a\r\n" + std::string(5000, 'z') + "\r\n");
    r = Lex({"-s", "-flong.dic", "-oold.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "ソート中[ファイル読み込み]...\n"
                               "４Ｋバイトを超える桁数の行があるため処理できません\n");
    EXPECT_EQ(Get("old.dic"), ".kept\r\n");

    Put("in.dic", ".a\r\nA\r\n");
    r = Lex({"-s", "-fin.dic", "-o/dev/full"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "ソート中[ファイル読み込み]...\nソート中[クイックソート]...\n"
                               "ソート中[ファイル書き込み]...\n変換先ファイルのライトエラー\n");

    r = Lex({"-s", "-fin.dic", "-onofolder/out.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "ソート中[ファイル読み込み]...\n"
                               "変換先ファイルが生成できません 'nofolder/out.dic'\n");
    fs::create_directory(dir.path() / "adir");
    r = Lex({"-s", "-fin.dic", "-oadir"});
    EXPECT_EQ(r.out, kBanner + "ソート中[ファイル読み込み]...\n変換先ファイルが生成できません 'adir'\n");

    r = Lex({"-s", "-fadir", "-oout.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "ソート中[ファイル読み込み]...\n変換元ファイルが開けません 'adir'\n");
    fs::create_symlink("missing.dic", dir.path() / "dangling.dic");
    r = Lex({"-d3", "-fdangling.dic", "-oout.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "変換元ファイルが開けません 'dangling.dic'\n");
    EXPECT_FALSE(Exists("out.dic"));
    ExpectNoLeftovers();
}

TEST_F(LexpakRun, NoTemporaryFolder) {
    Put("w.txt", "a\tA\r\n");
    RunResult r = tooltest::Run(kProgram, {"-d3", "-fw.txt", "-oout.dic"}, dir.path(), "",
                                {"TMPDIR=" + (dir.path() / "none").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kBanner + "テンポラリファイル名が生成できません\n");
}

TEST_F(LexpakRun, ReplacedDestinationKeepsItsPermissions) {
    Put("in.dic", ".b\r\n.a\r\n");
    Put("out.dic", "old");
    fs::permissions(dir.path() / "out.dic", fs::perms(0640));
    ASSERT_EQ(Lex({"-s", "-fin.dic", "-oout.dic"}).status, 0);
    EXPECT_EQ(Get("out.dic"), ".a\r\n.b\r\n");
    EXPECT_EQ(fs::status(dir.path() / "out.dic").permissions() & fs::perms::all, fs::perms(0640));
}
