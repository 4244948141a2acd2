// What interactive replace keeps while it runs: its strings, the compiled
// pattern, the current match and the state of the replace box.
#pragma once

#include <cstdint>
#include <string>

#include "search/search_pattern.h"
#include "view/qzed_view.h"

namespace qz {

struct CQzedView::ReplaceSession {
    std::string from, to;  // Shift-JIS
    unsigned options = 0;
    SearchPattern pattern;
    uint32_t pos = 0, length = 0;  // the current match
    bool boxShown = false;
    bool boxFailed = false;  // told once; the keys go on working without it
};

// A message with one "%s" filled by a Shift-JIS string, in UTF-8.
std::string Bracketed(const char* format, const std::string& sjis);

}  // namespace qz
