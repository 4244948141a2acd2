// A search string compiled under the option bits: either a plain sequence of
// units (with wildcards and whole-word tests) or a regular-expression program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_options.h"
#include "search/text_units.h"

namespace qz {

enum class CompileStatus {
    kOk,
    kEmpty,          // nothing to search for
    kBracketError,   // unclosed "[" or unbalanced parentheses
    kTooComplex,     // over the element limits of a regular expression
};

// The message-area text (UTF-8) for a failed compilation; empty for kOk.
std::string CompileErrorMessage(CompileStatus status);

// Regular-expression limits: elements in all, top-level alternatives, and
// elements in one top-level alternative.
constexpr int kRegexMaxElements = 143;
constexpr int kRegexMaxAlternatives = 128;
constexpr int kRegexMaxAlternativeElements = 256;

struct PlainUnit {
    uint16_t code;
    bool wildcard;  // "?": any one character
};

enum class ReOp : uint8_t {
    kUnits,       // unit[0..count) compared one by one
    kAny,         // one character other than a line feed
    kClass,       // one character other than a line feed, in (or not in) class x
    kSplit,       // try x, then y
    kJump,        // go on at x
    kLineStart,   // start of text or after a line feed
    kLineEnd,     // before a line feed or at the end of the text
    kWordStart,   // a word character here and none just before
    kWordEnd,     // end of text or a character that is not a word character
    kMatch,
};

struct ReInst {
    ReOp op;
    uint8_t count = 0;
    uint16_t unit[2] = {0, 0};
    uint32_t x = 0;
    uint32_t y = 0;
};

struct ReClassItem {
    uint16_t lo, hi;  // a member is lo == hi (folded); a range compares raw codes
    bool range;
};

struct ReClass {
    bool negated = false;
    std::vector<ReClassItem> items;
};

class SearchPattern {
public:
    // Compiles the Shift-JIS search string under the option bits. On failure
    // *out is left empty (it finds nothing).
    static CompileStatus Compile(unsigned options, std::string_view pattern, SearchPattern* out);

    unsigned options() const { return options_; }
    bool is_regex() const { return regex_; }
    bool empty() const { return !compiled_; }
    const Folding& folding() const { return folding_; }

    // Plain form.
    const std::vector<PlainUnit>& units() const { return units_; }
    bool whole_word() const { return whole_word_; }
    // Regular-expression form.
    const std::vector<ReInst>& program() const { return program_; }
    const std::vector<ReClass>& classes() const { return classes_; }
    int element_count() const { return elements_; }

    // What the finder needs around a start position.
    bool needs_start_context() const { return needs_context_; }
    // Whether the pattern can match the empty string somewhere.
    bool can_match_empty() const { return nullable_; }
    // first_byte()[b]: a match can start with a character whose first byte is b.
    const bool* first_byte() const { return first_byte_; }
    bool has_first_byte_filter() const { return filter_; }
    // The same bytes as a list when there are at most three of them (a letter
    // in both cases, say), so the finder can skip with memchr; else empty.
    const std::string& first_byte_list() const { return first_list_; }
    // The raw bytes of a case-sensitive, unfolded literal without wildcards,
    // which the finder may look for directly; empty when there is none.
    const std::string& literal() const { return literal_; }

private:
    friend class RegexCompiler;
    void FinishFilters();

    unsigned options_ = 0;
    bool compiled_ = false;
    bool regex_ = false;
    bool whole_word_ = false;
    bool needs_context_ = false;
    bool nullable_ = false;
    bool filter_ = false;
    Folding folding_;
    std::vector<PlainUnit> units_;
    std::vector<ReInst> program_;
    std::vector<ReClass> classes_;
    int elements_ = 0;
    bool first_byte_[256] = {};
    std::string literal_;
    std::string first_list_;
};

// One escape sequence after a backslash at s[i - 1]: on return *value holds
// the byte and the count of characters read after the backslash; 0 when the
// backslash is simply dropped. `literals` lists the characters that stand for
// themselves after a backslash.
int ReadEscape(std::string_view s, size_t i, std::string_view literals, uint8_t* value);

}  // namespace qz
