// Line filter of the tag scanner: the editor's top-level line reading with the
// comment kinds fixed to C and C++ comments.
#include "qztags/line_filter.h"

#include "platform/cp932.h"
#include "qztags/words.h"

namespace qztags {

std::string FilterLine(ScanState& s, std::string_view line, bool cut_mid_line,
                       bool* ends_with_backslash) {
    bool in_single = false, in_double = false, escape = false, rest_comment = false;
    bool skip_next = s.trail_pending;
    bool last_was_trail = false;
    std::string top;
    const size_t n = line.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (skip_next) {
            skip_next = false;
            escape = false;
            last_was_trail = true;
            continue;
        }
        last_was_trail = false;
        if (qz::IsSjisLead(c)) {
            skip_next = true;
            continue;
        }
        if (rest_comment) continue;
        if (s.in_block_comment) {
            // The byte before may be the opener's own star, so "/*/" is a
            // whole comment.
            if (c == '/' && i > 0 && line[i - 1] == '*') s.in_block_comment = false;
            continue;
        }
        bool appended = false;
        if (escape) {
            escape = false;
        } else if (in_single) {
            if (c == '\'') in_single = false;
            else if (c == '\\') escape = true;
        } else if (in_double) {
            if (c == '"') in_double = false;
            else if (c == '\\') escape = true;
        } else {
            const char next = i + 1 < n ? line[i + 1] : '\0';
            if (c == '/' && next == '*') {
                s.in_block_comment = true;
                continue;
            }
            if (c == '/' && next == '/') {
                rest_comment = true;
                continue;
            }
            const bool top_level = s.brace_depth == 0 && s.paren_depth == 0;
            switch (c) {
            case '\'':
                in_single = true;
                if (top_level) { top += '\''; appended = true; }
                break;
            case '"':
                in_double = true;
                if (top_level) { top += '"'; appended = true; }
                break;
            case '{':
                if (++s.brace_depth == 1) { top += '{'; appended = true; }
                break;
            case '}':
                if (s.brace_depth > 0 && --s.brace_depth == 0) { top += '}'; appended = true; }
                break;
            case '(':
                if (++s.paren_depth == 1 && s.brace_depth == 0) { top += '('; appended = true; }
                break;
            case ')':
                if (s.paren_depth > 0 && --s.paren_depth == 0 && s.brace_depth == 0) {
                    top += ')';
                    appended = true;
                }
                break;
            default:
                break;
            }
        }
        if (!appended && s.brace_depth == 0 && s.paren_depth == 0 && !in_single && !in_double)
            top += static_cast<char>(c);
    }
    s.trail_pending = skip_next && cut_mid_line;
    if (ends_with_backslash)
        *ends_with_backslash = n > 0 && line[n - 1] == '\\' && !last_was_trail;
    return top;
}

void ApplyDefineFilter(ScanState& s, std::string& top, bool ends_with_backslash) {
    if (s.in_continuation && s.last_line_define) {
        top.clear();
        s.in_continuation = ends_with_backslash;
        return;
    }
    std::vector<std::string_view> words = SplitWords(top, " \t\n");
    if (words.size() >= 2 && words[0] == "#define") {
        top = "#define " + std::string(words[1]);
        s.last_line_define = true;
        s.in_continuation = ends_with_backslash;
    } else {
        s.last_line_define = false;
        s.in_continuation = false;
    }
}

}  // namespace qztags
