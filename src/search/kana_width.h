// Width, kana and full-width letter case mappings of code page 932, shared by
// fuzzy search folding and the block conversions of the view.
#pragma once

#include <cstdint>

namespace qz {

// Half-width form of the double-byte character `code` (lead * 256 + trail)
// written to out: one byte, or two for a voiced or semi-voiced katakana (the
// base kana and the mark 0xDE or 0xDF, VU 0x8394 giving 0xB3 0xDE). Returns
// the byte count, 0 when the character has no half-width form. Hiragana have
// none: callers that want them folded go through HiraganaToKatakana first.
int ToHalfWidth(uint16_t code, uint8_t out[2]);

// Full-width form of the single byte b, looking at the byte after it (next, or
// -1 at the end) to join a half-width kana and its voiced or semi-voiced mark.
// Returns the double-byte code and sets *used to 1 or 2 (2 when the mark was
// taken); returns 0 (with *used = 1) when b has no full-width form.
uint16_t ToFullWidth(uint8_t b, int next, int* used);

// Hiragana 0x829F-0x82F1 to katakana, skipping the empty code 0x837F; any
// other code is returned unchanged. KatakanaToHiragana is the reverse; VU and
// the small KA and KE (0x8394-0x8396) have no hiragana and stay.
uint16_t HiraganaToKatakana(uint16_t code);
uint16_t KatakanaToHiragana(uint16_t code);

// Full-width capital letters 0x8260-0x8279 and small letters 0x8281-0x829A;
// any other code is returned unchanged.
uint16_t FullWidthToLower(uint16_t code);
uint16_t FullWidthToUpper(uint16_t code);

}  // namespace qz
