// Scanning one C or C++ source file into lines of the tags file.
#pragma once

#include <cstdio>
#include <string>

namespace qztags {

class TagWriter;

// Longest piece one read takes: a 512-byte line buffer less its terminator.
constexpr size_t kPieceBytes = 511;

// Scans the file at path, naming it tag_name in the tags file (quoted there
// when it holds a blank). With echo set, every non-empty filtered line is
// printed to echo. Returns false when the file cannot be opened (nothing is
// written then).
bool ScanSource(const std::string& path, const std::string& tag_name, TagWriter& out,
                FILE* echo);

}  // namespace qztags
