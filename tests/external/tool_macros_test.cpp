// The user tools' macro expansion and the associated-program name.
#include "external/tool_macros.h"

#include <gtest/gtest.h>

#include "external/shell_words.h"

namespace qz {
namespace {

ToolContext Context() {
    ToolContext c;
    c.path = "/src/app/main.c";
    c.line = 12;
    c.column = 5;
    c.word = "argc";
    c.selection = "hello";
    c.currentDir = "/home/u";
    return c;
}

// What the program receives: the words the shell reads from the line.
std::vector<std::string> Words(const std::string& line) {
    auto w = PlainShellWords(line);
    EXPECT_TRUE(w.has_value()) << line;
    return w.value_or(std::vector<std::string>{});
}

TEST(ToolMacros, EveryCode) {
    const ToolContext c = Context();
    EXPECT_EQ(ExpandToolParameters("&F&E &L", c), "main.c 12");
    EXPECT_EQ(ExpandToolParameters("&T|&D|&P|&F|&E|&L|&C|&W|&S|&N", c),
              "/src/app/main.c||/src/app/|main|.c|12|5|argc|hello|/home/u");
    EXPECT_EQ(ExpandToolParameters("&&T", c), "&T");
    EXPECT_EQ(ExpandToolParameters("a&xb&", c), "axb&");
    EXPECT_EQ(ExpandToolParameters("&t", c), "t");  // upper case only
}

TEST(ToolMacros, DirectoryTemplate) {
    const ToolContext c = Context();
    EXPECT_EQ(ExpandToolDirectory("&T", c), "/src/app");
    EXPECT_EQ(ExpandToolDirectory("&P&F", c), "/src/app/main");
    EXPECT_EQ(ExpandToolDirectory("&N/&&&L", c), "/home/u/&L");
    ToolContext root = c;
    root.path = "/main.c";
    EXPECT_EQ(ExpandToolDirectory("&T", root), "/");
    root.path = "main.c";
    EXPECT_EQ(ExpandToolDirectory("&T", root), "");
    // Not a command: a folder with blanks is not quoted.
    ToolContext spaced = c;
    spaced.path = "/my src/a.c";
    EXPECT_EQ(ExpandToolDirectory("&T", spaced), "/my src");
}

TEST(ToolMacros, ShellCharactersInValuesStayLiteral) {
    ToolContext c = Context();
    c.word = "x; touch pwned";
    c.selection = "$(reboot) `id` 'q' \"d\"";
    c.path = "/my docs/it's.c";
    EXPECT_EQ(Words("prog " + ExpandToolParameters("&W &S &T", c)),
              (std::vector<std::string>{"prog", c.word, c.selection, c.path}));
    // Inside the template's own quotes too.
    EXPECT_EQ(Words("prog " + ExpandToolParameters("\"&W\" '&S' \"-f&T\"", c)),
              (std::vector<std::string>{"prog", c.word, c.selection, "-f" + c.path}));
}

TEST(ToolMacros, TheTemplateItselfMayUseTheShell) {
    ToolContext c = Context();
    c.word = "a;b";
    const std::string line = ExpandToolParameters("&W | sort; echo done", c);
    EXPECT_EQ(line, "'a;b' | sort; echo done");
    EXPECT_FALSE(PlainShellWords(line).has_value());
}

TEST(ToolMacros, CommandLine) {
    const ToolContext c = Context();
    EXPECT_EQ(ToolCommandLine({"t", "make", "", "&T", 2, 1}, c), "make");
    EXPECT_EQ(ToolCommandLine({"t", "lexpak", "-C &F&E", "", 0, 0}, c), "lexpak -C main.c");
}

TEST(AssociatedTarget, MailAddresses) {
    EXPECT_EQ(AssociatedTarget("someone@example.com"), "mailto:someone@example.com");
    EXPECT_EQ(AssociatedTarget("mailto:a@b.c"), "mailto:a@b.c");
    EXPECT_EQ(AssociatedTarget("user@host"), "user@host");
    EXPECT_EQ(AssociatedTarget("http://example.com/"), "http://example.com/");
}

TEST(ShellWords, SplitsAsTheShellDoes) {
    EXPECT_EQ(Words("a 'b c' \"d\\\"e\" f\\ g"), (std::vector<std::string>{"a", "b c", "d\"e", "f g"}));
    EXPECT_FALSE(PlainShellWords("a | b").has_value());
    EXPECT_FALSE(PlainShellWords("a *.c").has_value());
    EXPECT_FALSE(PlainShellWords("echo \"$HOME\"").has_value());
    EXPECT_FALSE(PlainShellWords("'open").has_value());
    EXPECT_EQ(Words("  "), std::vector<std::string>{});
    EXPECT_EQ(ShellWord(""), "''");
    EXPECT_EQ(ShellWord("日本語.txt"), "日本語.txt");
}

TEST(ShellWords, PatternWordsKeepQuotedBlanks) {
    EXPECT_EQ(PatternWords("*.c \"a b.h\"  x"), (std::vector<std::string>{"*.c", "a b.h", "x"}));
    EXPECT_TRUE(PatternWords("   ").empty());
}

}  // namespace
}  // namespace qz
