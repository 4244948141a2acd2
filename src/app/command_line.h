// The editor's command line: options, then file names, each opened through
// the application. Used at start-up and for a hand-over from a second start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace qz {

// What the command line asks of the application.
class CommandLineHost {
public:
    virtual ~CommandLineHost() = default;
    // Opens fullPath as an ordinary document (read-only view when viewMode)
    // and puts the caret of its focused view on line (1-based). Returns false
    // when the file could not be opened or the document has no view.
    virtual bool OpenFromCommandLine(const std::string& fullPath, bool viewMode, uint32_t line) = 0;
    // "-q": reopens the files of the previous run.
    virtual void ReopenPreviousRun() = 0;
    virtual MessageBox& Messages() = 0;
};

// Application state the parser reads and sets.
struct StartState {
    bool startedWithFiles = false;
};

// Parses args (one argv word per name, options first: -q, -v, -c, -NUMBER,
// recognised by their first two characters; "--" ends the options) against
// baseDir. When outDir is given it becomes the folder of the first file named,
// or baseDir with -c.
void ParseCommandLine(const std::string& baseDir, const std::vector<std::string>& args,
                      std::string* outDir, StartState& state, CommandLineHost& host);

}  // namespace qz
