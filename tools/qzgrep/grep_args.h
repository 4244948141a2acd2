// The grep program's command line: option letters, the search pattern and the
// file patterns.
#pragma once

#include <string>
#include <vector>

namespace qzgrep {

struct GrepOptions {
    unsigned search = 0;      // the engine's option bits (search_options.h)
    bool full_path = false;   // -p
    bool recurse = false;     // -r
    bool quote_names = false; // -d
    std::string pattern;      // Shift-JIS
    std::vector<std::string> files;
    bool help = false;        // --help alone: the usage text on standard output
};

// Reads argv[1..argc). On success returns true; otherwise message holds the
// reason (UTF-8, without the program name), empty when only the usage text
// is due (no arguments at all).
bool ParseArguments(int argc, const char* const* argv, GrepOptions& opt, std::string& message);

// The usage text, lines ending in '\n'.
extern const char kUsage[];

}  // namespace qzgrep
