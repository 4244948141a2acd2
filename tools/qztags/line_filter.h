// The per-line filter of the tag scanner: comments, literals and nested
// brackets removed, and the #define reduction that follows it.
#pragma once

#include <string>
#include <string_view>

namespace qztags {

// Carried from line to line; reset at the start of every source file.
struct ScanState {
    bool last_line_define = false;
    bool in_continuation = false;
    bool in_block_comment = false;
    int brace_depth = 0;
    int paren_depth = 0;
    // A piece cut in the middle of a physical line may end on a lead byte;
    // its trail byte then opens the next piece and must not be read as text.
    bool trail_pending = false;
};

// Filters one line piece (without its line feed) into its top-level text:
// double-byte characters dropped, /* */ and // comments removed, literals
// reduced to their quotes, text inside braces and parentheses dropped except
// the outermost brackets. *ends_with_backslash tells whether the piece ends
// in a backslash that is not the second byte of a double-byte character.
// cut_mid_line: the piece ended without a line feed (the next piece belongs
// to the same physical line).
std::string FilterLine(ScanState& state, std::string_view piece, bool cut_mid_line,
                       bool* ends_with_backslash);

// Reduces a "#define NAME ..." line to "#define NAME" and empties the
// continuation lines of a define that ends in a backslash.
void ApplyDefineFilter(ScanState& state, std::string& top, bool ends_with_backslash);

}  // namespace qztags
