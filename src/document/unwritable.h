// The characters of a text that a file in EUC, JIS or UTF-8 has no place for:
// the writing converters leave them out, so a save names them first.
#pragma once

#include <cstdint>
#include <string>

namespace qz {

class TextAccess;

// The first character the writing converter of one code would leave out,
// and how many such characters the text holds.
struct UnwritableChar {
    uint32_t count = 0;  // 0: every character can be written
    uint32_t pos = 0;    // 1-based position of the first one
    uint32_t line = 0;   // its logical line
    std::string bytes;   // its bytes as the converter takes them (one or two)
};

// Scans the whole text with the byte rules of the writing converters
// (kanji_convert.h): a double-byte character outside the 94 x 94 table (IBM
// extension kanji, user-defined characters, lead bytes 0x80 and 0xF0-0xFF),
// a lead byte without its trail byte and, for JIS only, the byte 0xA0, which
// has no full-width form. For UTF-8 (kCodeUtf8): every character without a
// Unicode form (unassigned pairs, 0x80, 0xA0, 0xFD-0xFF, a lead byte alone).
// Shift-JIS (kCodeSjis) writes everything.
UnwritableChar FindUnwritable(TextAccess& text, int code);

// The question a save asks before it writes such a text (UTF-8): the
// character with its code and line, and how many there are.
std::string UnwritableQuestion(const UnwritableChar& c, int code);

}  // namespace qz
