// Grep and tag generation command lines, and the pattern histories.
#include "external/command_lines.h"

#include <gtest/gtest.h>

#include "external/shell_words.h"

namespace qz {
namespace {

TEST(GrepCommandLine, OptionLettersInBitOrderThenTheSpecialOptions) {
    EXPECT_EQ(GrepCommandLine("/opt/qz/qzgrep", kGrepSubfolders, "", "main", "*.c"),
              "/opt/qz/qzgrep -i -r  'main' '*.c'");
    EXPECT_EQ(GrepCommandLine("qzgrep", 0x7F, "-x", "a", "b.c"), "qzgrep -a -j -w -p -r -d -x 'a' b.c");
}

TEST(GrepCommandLine, MatchCaseAloneCarriesNoOptionLetters) {
    EXPECT_EQ(GrepCommandLine("qzgrep", kGrepMatchCase, "", "x", "*.h"), "qzgrep  'x' '*.h'");
    EXPECT_EQ(GrepCommandLine("qzgrep", kGrepMatchCase, "-v", "x", "*.h"), "qzgrep -v 'x' '*.h'");
}

TEST(GrepCommandLine, PatternWithBlanksAndQuotesStaysOneWord) {
    const std::string line = GrepCommandLine("qzgrep", kGrepMatchCase, "", "say \"it's\" $HOME `x`", "*.c");
    EXPECT_EQ(line, "qzgrep  'say \"it'\\''s\" $HOME `x`' '*.c'");
    const auto words = PlainShellWords(line.substr(0, line.rfind(' ')));
    ASSERT_TRUE(words.has_value());
    EXPECT_EQ(*words, (std::vector<std::string>{"qzgrep", "say \"it's\" $HOME `x`"}));
}

TEST(GrepCommandLine, PatternBeginningWithMinusIsNotTakenForOptions) {
    EXPECT_EQ(GrepCommandLine("qzgrep", kGrepMatchCase, "", "-w", "*.c"), "qzgrep  -- '-w' '*.c'");
}

TEST(GrepCommandLine, FilePatternsReachTheProgramUnexpanded) {
    EXPECT_EQ(GrepCommandLine("/my tools/qzgrep", kGrepMatchCase, "", "k", "*.c  *.h \"my file.txt\""),
              "'/my tools/qzgrep'  'k' '*.c' '*.h' 'my file.txt'");
}

TEST(QztagsCommandLine, OptionsThenTargets) {
    EXPECT_EQ(QztagsCommandLine("/b/qztags", 0, "*.c"), "/b/qztags '*.c'");
    EXPECT_EQ(QztagsCommandLine("/b/qztags", kQztagsSubfolders | kQztagsFullPath, "*.c *.h"),
              "/b/qztags -r -p '*.c' '*.h'");
    EXPECT_EQ(QztagsCommandLine("qztags", kQztagsFullPath, "main.c"), "qztags -p main.c");
}

TEST(PatternHistory, SeventeenthPushesOutTheOldestAndRepeatsMoveToFront) {
    std::array<std::string, kPatternLists> h;
    for (int i = 1; i <= 16; ++i) PushPattern(h, "p" + std::to_string(i));
    EXPECT_EQ(h[0], "p16");
    EXPECT_EQ(h[15], "p1");
    PushPattern(h, "p17");
    EXPECT_EQ(h[0], "p17");
    EXPECT_EQ(h[15], "p2");
    PushPattern(h, "p9");
    EXPECT_EQ(h[0], "p9");
    EXPECT_EQ(h[1], "p17");
    EXPECT_EQ(std::count(h.begin(), h.end(), "p9"), 1);
    EXPECT_EQ(h[15], "p2");  // nothing fell out: p9 only moved
}

TEST(PatternHistory, EmptyHistoryGetsOneEntry) {
    std::array<std::string, kPatternLists> h;
    PushPattern(h, "only");
    EXPECT_EQ(h[0], "only");
    EXPECT_TRUE(h[1].empty());
}

}  // namespace
}  // namespace qz
