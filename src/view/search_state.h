// The search state all views share: the current search string lives in the
// settings record (with its history); this adds the search-given flag and the
// replacement string of the last replace.
#pragma once

#include <string>

namespace qz {

struct SearchState {
    bool given = false;
    std::string replacement;  // Shift-JIS
};

SearchState& TheSearchState();

// Makes sjis the current search string (at most 128 bytes, never half a
// character), puts it at the front of the search history and sets the flag.
void GiveSearchString(const std::string& sjis);
// Whether a search string exists: given in this run or kept from the last.
bool SearchGiven();

}  // namespace qz
