// What the OS command window reads from a typed line and writes into its
// document: the editor's own commands, and the commands' output as document
// text.
#pragma once

#include <string>
#include <string_view>

namespace qz {

// The caret line as the window reads it: tabs as blanks, without leading
// blanks; its first word (upper-cased) decides what happens.
struct OsWindowLine {
    enum Kind { kEmpty, kExit, kCd, kDrive, kRun };
    Kind kind = kEmpty;
    std::string line;  // the whole line, for kRun
    std::string rest;  // after "CD" and the blanks that follow it
};
OsWindowLine ParseOsWindowLine(std::string_view text);

// The window's directory after "CD rest" in workDir: rest made absolute
// against workDir ("~" is the home folder); workDir itself when rest is empty
// or names no folder that can be entered.
std::string ChangeDirectory(const std::string& workDir, const std::string& rest);

// A command's output as document text: each line that is valid UTF-8 in
// Shift-JIS (a character it lacks as "?"), any other line kept as its bytes;
// carriage returns and NUL bytes dropped, and a lead byte without its second
// byte made "?" so that no character swallows a line end.
std::string ShellOutputToSjis(std::string_view bytes);

}  // namespace qz
