// The help pages' generated parts: the key table and the menu of each key
// scheme, made from the same tables the dispatcher and the menus use, and
// put into a page where it says <!--@keys N--> or <!--@menu N-->.
#pragma once

#include <string>
#include <vector>

namespace qz {

struct KeyTableRow {
    std::string key;       // as the hints write it: "Ctrl+Shift+N"
    std::string function;  // UTF-8
};

// The keys of scheme 1 to 4 in key order (function keys, then the others;
// plain, Shift, Ctrl, Ctrl+Shift, Alt), ranges the dispatcher decides last.
std::vector<KeyTableRow> SchemeKeyRows(int scheme);
std::string KeyTableHtml(int scheme);
std::string MenuHtml(int scheme);
// The page with every marker replaced; markers of an unknown scheme stay.
std::string ExpandHelpPage(const std::string& page);

}  // namespace qz
