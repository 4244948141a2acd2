// The user tools' templates: the parameter and working-directory macros,
// and the name the associated-program command opens.
#pragma once

#include <string>

#include "settings/settings.h"

namespace qz {

// What the active view gives a user tool (all UTF-8).
struct ToolContext {
    std::string path;       // the document's full path
    std::string selection;  // the first 64 bytes of a stream selection
    std::string word;       // the word at the caret
    long line = 0, column = 0;
    std::string currentDir;
};

// The parameter template with its macros replaced. Each replacement is quoted
// for the shell at its place in the template, so that a name, word or
// selection holding blanks or shell characters stays one literal piece; what
// the template itself says is passed as the user wrote it.
std::string ExpandToolParameters(const std::string& templ, const ToolContext& ctx);
// The working-directory template (a path, not a command: nothing is quoted).
std::string ExpandToolDirectory(const std::string& templ, const ToolContext& ctx);
// The program, then a blank and the expanded parameters when there are any.
std::string ToolCommandLine(const UserTool& tool, const ToolContext& ctx);

// The name the associated program gets: an address with "@" and "." becomes
// "mailto:" + name, unless it has that prefix already.
std::string AssociatedTarget(const std::string& name);

}  // namespace qz
