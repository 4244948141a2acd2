// Texts the editor hands to /bin/sh: quoting what must reach a program as
// one word, and reading a command line back into its words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// value as one shell word: unchanged when it holds only characters the shell
// takes literally, else in single quotes (a quote inside as '\'').
std::string ShellWord(std::string_view value);

// Where a position of a command line lies for the shell.
enum class ShellQuote { kNone, kSingle, kDouble };

// value inserted into a command line at a place of the given kind, so that
// the shell reads it back exactly and it never ends the quoting around it.
// An empty value outside quotes stays empty (no empty word is made).
std::string ShellInsert(std::string_view value, ShellQuote where);

// The quoting state after the bytes of text, starting from state.
ShellQuote ShellQuoteAfter(std::string_view text, ShellQuote state = ShellQuote::kNone);

// The words of a command line as /bin/sh would split them (quotes and
// backslashes), or nothing when the line needs the shell itself: an unquoted
// operator, expansion, wildcard or comment, or an unterminated quote.
std::optional<std::vector<std::string>> PlainShellWords(std::string_view line);

// A pattern field split at blanks into words; double quotes keep blanks
// inside one word (and are dropped).
std::vector<std::string> PatternWords(std::string_view text);

}  // namespace qz
