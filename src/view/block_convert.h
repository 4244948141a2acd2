// The ten block conversions of a stream selection as byte mappings: letter
// case, width, hiragana and katakana, indentation, tabs against spaces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

enum class BlockConversion {
    ToLower, ToUpper, ToFullWidth, ToHalfWidth, ToKatakana, ToHiragana,
    Indent, Unindent, TabsToSpaces, SpacesToTabs,
};

struct BlockConversionInfo {
    int32_t logCode;
    const char* menuText;  // UTF-8; the caption of the out-of-memory box
};
const BlockConversionInfo& InfoOf(BlockConversion c);

// Whether the range starts at the first byte of its row (indent, unindent).
constexpr bool StartsAtRow(BlockConversion c) {
    return c == BlockConversion::Indent || c == BlockConversion::Unindent;
}

// The store takes the converted text in pieces of this many bytes; a piece
// never ends inside a double-byte character.
size_t BlockPieceBytes(BlockConversion c);

// Converts Shift-JIS text. startColumn is the 0-based column the text
// begins at and tabs the file type's tab width (the tab conversions only).
std::string ConvertBlock(BlockConversion c, std::string_view text, int startColumn, int tabs);

}  // namespace qz
