// The command lines of grep and the tag generator as the dialogs build them,
// and their pattern histories.
#pragma once

#include <array>
#include <string>

#include "settings/settings.h"

namespace qz {

// Grep option bits ("Grep"/"Mode").
enum GrepBits : unsigned {
    kGrepMatchCase = 0x01,
    kGrepFuzzy = 0x02,
    kGrepRegex = 0x04,
    kGrepWord = 0x08,
    kGrepFullPath = 0x10,
    kGrepSubfolders = 0x20,
    kGrepQuotedNames = 0x40,
};
// Tag generation bits ("Qztags"/"Mode").
enum QztagsBits : unsigned { kQztagsSubfolders = 0x01, kQztagsFullPath = 0x02 };

// A helper program of the editor (qzgrep, qztags): beside the running
// executable when it is there, else the bare name for PATH to find.
std::string HelperProgram(const std::string& name);

// program, the option letters of mode in bit order, the special options
// text as the user wrote it, then the pattern and the file patterns, each
// one word that the shell passes on unexpanded. All UTF-8.
std::string GrepCommandLine(const std::string& program, unsigned mode, const std::string& option,
                            const std::string& pattern, const std::string& files);
std::string QztagsCommandLine(const std::string& program, unsigned mode, const std::string& targets);

// A pattern history after entry was used: entry first, then the old entries
// that differ from it, 16 at most.
void PushPattern(std::array<std::string, kPatternLists>& history, const std::string& entry);

}  // namespace qz
