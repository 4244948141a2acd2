// Starting a program the editor leaves to itself (user tools, the tag
// generator, the calculator, browsers, the command interpreter).
#pragma once

#include <string>

namespace qz {

// Starts commandLine in workDir (empty: the current directory) without
// waiting for it, its input from /dev/null. A line of plain words starts the
// program directly, so that a missing program is reported; a line that uses
// the shell's syntax runs through /bin/sh -c. 0, or the errno of the failed
// start (ENOENT for an empty line).
int StartDetached(const std::string& commandLine, const std::string& workDir = {});

// "text [n]" followed by a line with the system's reason for errno n.
std::string StartErrorText(const char* text, int error);

}  // namespace qz
