// The keyword table of one file type: patterns with a colour group per byte,
// sorted and indexed by first byte so that painting tries few entries.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

class MessageBox;

constexpr int kMaxKeywords = 1024;
constexpr int kMaxPatternBytes = 128;
constexpr size_t kKeywordLineBytes = 511;

// Pattern codes standing for runs or skips inside a pattern.
enum KeywordCode : uint8_t {
    kCodeLower = 1,       // \a  run of a-z
    kCodeUpper = 2,       // \A  run of A-Z
    kCodeAlpha = 3,       // \b  run of letters
    kCodeDigit = 4,       // \0  run of digits
    kCodeSpace = 5,       // \s  run of spaces
    kCodeTab = 6,         // \t  run of tabs
    kCodeWhite = 7,       // \S  run of spaces, tabs, line feeds
    kCodeWord = 8,        // \w  run of word characters
    kCodeSkipQuoted = 9,  // \W  skip to the next element over "strings"
    kCodeSkip = 10,       // \*  skip to the next element
    kCodeAnyChar = 11,    // \?  one character, not a line feed
};
constexpr int kLastKeyCode = 31;  // keys below 32 are pattern codes

// Entry kind bits (from //#TYPE).
constexpr uint8_t kKindToken = 1;     // matched only at the start of a token
constexpr uint8_t kKindNoCase = 2;    // letters compare without case

struct KeywordEntry {
    uint8_t kind = 0;
    uint8_t length = 0;                         // pattern bytes, 1 to 128
    char pattern[kMaxPatternBytes + 1] = {};    // zero-terminated
    uint8_t group[kMaxPatternBytes] = {};       // colour group 0-3 per byte
    // How many leading pattern bytes are single-byte literals (at most 8),
    // upper-cased for case-insensitive entries: a quick test before matching.
    uint8_t quickLength = 0;
    char quick[8] = {};
    std::string_view Pattern() const { return {pattern, length}; }
};

struct KeywordTable {
    std::vector<KeywordEntry> entries;        // sorted, see SortKeywordTable
    // The \w class (//#WORD): single bytes and the first bytes of double-byte
    // characters in wordChars, their second bytes apart in wordTrails, so that
    // a character such as 0x83 0x41 never makes the letter 'A' a word byte.
    std::array<bool, 256> wordChars{};
    std::array<bool, 256> wordTrails{};
    std::array<int, 2> classStart{-1, -1};    // first entry of class 0 / 1
    std::array<int, 2> classEnd{0, 0};        // one past the last entry of each class
    // First entry of a class whose pattern begins with a byte, or -1.
    std::array<std::array<int16_t, 256>, 2> firstByte{};
    // Derived for speed, rebuilt with the index: the pattern codes that begin
    // entries of each class, and for each class a bit per (first byte, next
    // text byte) pair that some entry beginning with a literal could match.
    std::array<std::vector<uint8_t>, 2> codeKeys;
    std::array<std::array<uint64_t, 1024>, 2> pairBits{};
    bool MayStart(int cls, uint8_t c, uint8_t next) const {
        unsigned bit = (static_cast<unsigned>(c) << 8) | next;
        return (pairBits[cls][bit >> 6] >> (bit & 63)) & 1;
    }

    KeywordTable() { Clear(); }
    void Clear();
    bool Empty() const { return entries.empty(); }
};

// Converts one pattern token into an entry; false when it ends up empty.
bool CompileKeywordPattern(std::string_view token, uint8_t kind, uint8_t defaultGroup,
                           KeywordEntry& entry);

// Builds a table from a keyword file's bytes (Shift-JIS, CR LF or LF). The
// table is cleared first; reading stops at the 1024th entry.
void ParseKeywordFile(std::string_view bytes, KeywordTable& table);

// Sorts the entries (class, first byte as a signed byte, longer first) and
// builds the class ranges and first-byte indexes.
void SortKeywordTable(KeywordTable& table);

// Loads a table from a path (UTF-8). A missing or unreadable file shows its
// message box and leaves the table empty; returns whether the file was read.
bool LoadKeywordFile(const std::string& path, KeywordTable& table, MessageBox& box);

// Colours keyword matches in a display row image of n cells: chars holds the
// shown bytes, attrs their attribute codes. Cells "1", "Y" and "Z" (with or
// without the selected bit) take part; matched "1" cells become "6" + group.
// Token entries match whole words: they are tried at the row start and after
// any character that is not a letter, digit, '_' or //#WORD character, and a
// match that ends inside a word does not count.
void MatchKeywords(const KeywordTable& table, const char* chars, char* attrs, size_t n);

}  // namespace qz
