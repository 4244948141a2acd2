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
    // Shift-JIS sources hide ASCII bytes inside double-byte characters; in
    // UTF-8 every byte of a multibyte character is 0x80 or above, so there
    // each such byte is dropped on its own.
    bool sjis = true;
};

// Whether a source's first bytes read as UTF-8 with at least one multibyte
// character. cut: the sample stops before the end of the file, so a character
// it cuts off at its end does not count against it.
bool LooksLikeUtf8(std::string_view sample, bool cut);

// Filters one line piece (without its line feed) into its top-level text:
// double-byte (or UTF-8 multibyte) characters dropped, /* */ and // comments removed, literals
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
