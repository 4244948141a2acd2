// The help opener: which page file a help request means, and which program
// shows it (the user's $BROWSER, else the desktop's xdg-open).
#pragma once

#include <string>

namespace qz {

constexpr const char* kMsgCannotOpenHelp = "ヘルプファイルが開けません";
constexpr const char* kCaptionHelp = "ヘルプ";

// The help pages the editor's dialogs open.
constexpr const char* kHelpIndexPage = "index.html";
constexpr const char* kHelpFunctionsPage = "function1.htm";

struct HelpLaunch {
    std::string page;     // the page's full path
    std::string target;   // what the program is given: a file URL, "#anchor" added
    std::string program;  // the program to start, a full path
    std::string error;    // set when the page is missing or no program is found
};

// page in the folder help of dataFolder; anchor may be empty. pathEnv and
// browserEnv are $PATH and $BROWSER (null when unset).
HelpLaunch PrepareHelpPage(const std::string& dataFolder, const std::string& page, const std::string& anchor,
                           const char* pathEnv, const char* browserEnv);

// The message when the program could not be started: which file to open.
std::string HelpStartFailure(const HelpLaunch& launch);

// A program name found on $PATH (a name with a slash is taken as it is when
// executable); empty when there is none.
std::string FindProgram(const std::string& name, const char* pathEnv);

// "file://" and the path, with the characters a URL cannot hold escaped.
std::string FileUrl(const std::string& path);

}  // namespace qz
