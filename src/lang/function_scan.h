// The function scan of a document: function heads, #define macros and
// class/struct/union heads with their line numbers, found line by line at
// the top level of the text.
#pragma once

#include <cstdint>
#include <string>

namespace qz {

class TextAccess;

constexpr int kMaxFuncEntries = 256;
constexpr uint32_t kScanPieceBytes = 512;
constexpr size_t kFuncTextBytes = 63;

enum FuncKind : int32_t { kFuncFunction = 0, kFuncDefine = 1, kFuncType = 2 };

// Comment kinds of a file type ("Comment").
enum CommentBits : uint32_t {
    kCommentBlock = 0x0001,        // /* ... */
    kCommentSlashes = 0x0002,      // //
    kCommentSemicolon = 0x0004,    // ; anywhere
    kCommentMarkup = 0x0008,       // <! ... >
    kCommentStar = 0x0010,         // * anywhere
    kCommentQuote = 0x0020,        // ' anywhere
    kCommentHash = 0x0040,         // # anywhere
    kCommentBackslash = 0x0080,    // \ anywhere
    kCommentStarFirst = 0x0100,    // * as the first byte
    kCommentQuoteFirst = 0x0200,   // ' as the first byte
    kCommentHashFirst = 0x0400,    // # as the first byte
    kCommentSemiFirst = 0x0800,    // ; as the first byte
    kCommentBackslashFirst = 0x1000,
};

struct FuncListEntry {
    int32_t kind = 0;
    int32_t line = 0;
    char qualifier[64] = {};  // class name, macro value or base-class text
    char name[64] = {};
};

// Carried from line to line during one scan.
struct ScanState {
    enum Comment { kNone, kBlock, kMarkup };
    uint32_t commentKinds = 0;
    Comment comment = kNone;
    int braceDepth = 0;
    int parenDepth = 0;
    bool lastLineWasDefine = false;
    bool inContinuation = false;
    // A piece cut off inside a double-byte character leaves its second byte
    // to the next piece, which must skip it rather than read it as ASCII.
    bool trailPending = false;
};

// Reads the line (at most 512 bytes, a longer line giving several) that
// starts at the 1-based position and advances it. topText gets the top-level
// text ending with a line feed, rawText the line without comments and
// double-byte characters. Returns 0 at the end of the text, 2 when the line
// ends with a backslash, else 1.
int ReadScanLine(TextAccess& text, ScanState& state, uint32_t& position, std::string& topText,
                 std::string& rawText);

// Reduces a #define line to "#define NAME\n" and its continuation lines to a
// lone line feed; readResult is what ReadScanLine returned for the line.
void ApplyDefineFilter(ScanState& state, std::string& topText, int readResult);

// Scans the whole text. Fills entries (at most maxEntries, in line order) and
// count; returns 1 when the scan stopped because it was full, else 0.
int ScanDefinitions(TextAccess& text, uint32_t commentKinds, FuncListEntry* entries,
                    int maxEntries, int& count);

// The scan result the commands of the view use.
struct FuncListResult {
    FuncListEntry entries[kMaxFuncEntries];
    int count = 0;
    bool full = false;
};
void ScanDefinitions(TextAccess& text, uint32_t commentKinds, FuncListResult& result);

}  // namespace qz
