// Grep and tag generation command lines.
#include "external/command_lines.h"

#include <unistd.h>

#include "external/shell_words.h"
#include "platform/paths.h"

namespace qz {
namespace {

std::string PatternArguments(const std::string& files) {
    std::string out;
    for (const std::string& w : PatternWords(files)) out += " " + ShellWord(w);
    return out;
}

}  // namespace

std::string HelperProgram(const std::string& name) {
    const std::string beside = FolderFacts::OfThisProcess().exeFolder + "/" + name;
    return access(beside.c_str(), X_OK) == 0 ? beside : name;
}

std::string GrepCommandLine(const std::string& program, unsigned mode, const std::string& option,
                            const std::string& pattern, const std::string& files) {
    std::string line = ShellWord(program) + " ";
    if (!(mode & kGrepMatchCase)) line += "-i ";
    if (mode & kGrepFuzzy) line += "-a ";
    if (mode & kGrepRegex) line += "-j ";
    if (mode & kGrepWord) line += "-w ";
    if (mode & kGrepFullPath) line += "-p ";
    if (mode & kGrepSubfolders) line += "-r ";
    if (mode & kGrepQuotedNames) line += "-d ";
    line += option;
    // A pattern that begins with a minus would be read as option letters.
    if (!pattern.empty() && pattern[0] == '-') line += " --";
    // Always quoted, so that an empty pattern or one of blanks stays one word.
    line += " '" + ShellInsert(pattern, ShellQuote::kSingle) + "'";
    return line + PatternArguments(files);
}

std::string QztagsCommandLine(const std::string& program, unsigned mode, const std::string& targets) {
    std::string line = ShellWord(program);
    if (mode & kQztagsSubfolders) line += " -r";
    if (mode & kQztagsFullPath) line += " -p";
    return line + PatternArguments(targets);
}

void PushPattern(std::array<std::string, kPatternLists>& history, const std::string& entry) {
    std::array<std::string, kPatternLists> next;
    size_t n = 0;
    next[n++] = entry;
    for (const std::string& old : history)
        if (n < next.size() && !old.empty() && old != entry) next[n++] = old;
    history = next;
}

}  // namespace qz
