// The files a file argument names: wildcards in the last component and, with
// subfolders, the same name pattern in every folder below, in a stable order.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace qzgrep {


struct WalkCallbacks {
    std::function<void(const std::string& path)> file;        // a file to search
    std::function<void(const std::string& message)> problem;  // UTF-8, no program name
};

// Visits the files of one argument: the matches in its folder sorted by
// name, then (recurse) each subfolder's, subfolders sorted by name. Paths are
// the argument's folder part followed by the names below it. Folders matched
// by the pattern are not files: without recurse each is reported. Returns
// how many files were visited.
long WalkFileArgument(const std::string& arg, bool recurse, const WalkCallbacks& cb);

}  // namespace qzgrep
