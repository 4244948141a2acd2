// The option bits of the "Search" and "Replace" setting words, as the search
// dialogs and the engine read them.
#pragma once

namespace qz {

enum SearchOptionBits : unsigned {
    kSearchMatchCase = 1,      // compare single-byte letters with their case
    kSearchFuzzy = 2,          // full/half width and hiragana/katakana compare equal
    kSearchRegex = 4,          // regular expression (implies escapes, no wildcard)
    kSearchWholeWord = 8,      // the match must be a whole word
    kSearchSlateStyle = 16,    // one search, no interactive mode (dialog only)
    kSearchReplaceBox = 32,    // show the replace button box (dialog only)
    kSearchEscapes = 64,       // backslash escape sequences
    kSearchWildcard = 128,     // "?" matches any one character
};

}  // namespace qz
