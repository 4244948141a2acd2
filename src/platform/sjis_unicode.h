// The strict mapping between Shift-JIS characters and Unicode that text files
// in UTF-8 are read and written with, and the UTF-8 byte rules around it.
// Unlike the converter for native strings (cp932.h), nothing here maps a
// character to a look-alike: what has no Shift-JIS form has none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// A Shift-JIS character as one number: the byte of a single-byte character,
// lead * 256 + trail for a double-byte one.

// The Unicode form of a Shift-JIS character as code page 932 defines it (the
// usual form of a code with two, see below); 0 when the character has none
// (0x80, 0xA0, 0xFD-0xFF, unassigned pairs). The byte 0 gives 0 as well.
char32_t SjisCharToUnicode(unsigned sjis);

// The Shift-JIS character of a Unicode scalar value, either form of a code
// with two included; 0 when it has none (U+0000 gives 0 as well). Where code
// page 932 has one character under several codes (NEC and IBM rows), the one
// Windows writes is taken: JIS X 0208 first, then NEC row 13, then the IBM rows.
unsigned UnicodeToSjisChar(char32_t u);

// Shift-JIS codes that files write in two Unicode forms: the code page 932
// form, and the one of JIS-based tables (and, for the yen sign and overline,
// of JIS X 0201 text), which many UTF-8 files use instead.
struct TwoForms {
    unsigned sjis;
    char32_t usual;  // what SjisCharToUnicode gives
    char32_t other;
};
constexpr int kTwoFormCount = 10;
extern const TwoForms kTwoForms[kTwoFormCount];

// The index into kTwoForms of a Shift-JIS code, or -1.
int TwoFormIndexOfSjis(unsigned sjis);
// The index of a Unicode value that is one of the two forms, or -1; *other
// (when given) tells whether it is the other form.
int TwoFormIndexOfUnicode(char32_t u, bool* other = nullptr);

// Decodes one UTF-8 sequence at p (n bytes at hand): its length 1-4 with the
// value in *u; 0 when the bytes are not UTF-8 (overlong forms, surrogates and
// values past U+10FFFF included); -1 when the n bytes are the beginning of a
// sequence that needs more.
int DecodeUtf8(const unsigned char* p, size_t n, char32_t* u);
// Encodes a scalar value; returns the length (at most 4).
size_t EncodeUtf8(char32_t u, char* out);

// Whether bytes are UTF-8 with at least one multi-byte sequence. With
// mayBeCut a sequence cut off by the end of the bytes counts as valid (the
// bytes are the beginning of a longer file).
bool LooksLikeUtf8(std::string_view bytes, bool mayBeCut);

// UTF-8 text (a search pattern, say) to Shift-JIS with the strict mapping.
// False at the first character without a Shift-JIS form or byte that is not
// UTF-8, with its byte offset in *bad (when given).
bool Utf8ToSjisStrict(std::string_view utf8, std::string& sjis, size_t* bad = nullptr);

// UTF-8 text to Shift-JIS for programs that only read (grep, tag files):
// a character without a Shift-JIS form becomes "〓", a byte that is not
// UTF-8 "?". Line feeds and every ASCII byte stay as they are.
std::string Utf8TextToSjis(std::string_view utf8);

// "〓", what stands for a character without a Shift-JIS form.
constexpr unsigned kGetaMark = 0x81AC;

}  // namespace qz
