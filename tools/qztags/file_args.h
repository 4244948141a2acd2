// File arguments of the tag generator: list files, wildcards in the last
// component, recursion into subdirectories.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qztags {

class TagWriter;

struct Options {
    bool full_path = false;  // -p
    bool recurse = false;    // -r
    bool echo = false;       // -d
};


// Processes the arguments in order, writing every found definition to out.
// Messages go to msg, prefixed by program.
class ArgumentProcessor {
public:
    ArgumentProcessor(const Options& opt, const std::string& program, TagWriter& out, FILE* msg)
        : opt_(opt), program_(program), out_(out), msg_(msg) {}

    // One command-line word: "@list" reads a list file, anything else is a
    // file argument.
    void CommandLineWord(const std::string& word);
    // A file argument: its matches are scanned, then (with -r) the same
    // pattern below every subdirectory of its directory.
    void FileArgument(const std::string& arg);

private:
    void CannotOpen(const std::string& name);

    Options opt_;
    std::string program_;
    TagWriter& out_;
    FILE* msg_;
};

}  // namespace qztags
