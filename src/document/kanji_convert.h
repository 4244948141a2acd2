// Byte-stream converters between the document's Shift-JIS and the EUC and
// 7-bit JIS codes of files, one buffer at a time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qz {

// Every converter takes `count` bytes from `in`, writes to `out` and leaves the
// number of bytes written in `count`. It returns how many bytes at the end of
// the input it did not consume because a character or escape sequence was cut
// by the buffer end; the caller hands those bytes in again at the start of the
// next buffer (a file reader moves back by that many bytes).
//
// With atEnd set the input is the last of the stream: nothing is left over, a
// cut character is dropped and a cut escape sequence loses its escape byte.
//
// Output needs at most: EucToSjis, JisToSjis count bytes; SjisToEuc
// 2 * count; SjisToJis 5 * count (kMaxJisGrowth).
constexpr size_t kMaxEucGrowth = 2;
constexpr size_t kMaxJisGrowth = 5;

// EUC to Shift-JIS. Returns 1 when the input ended after a lead byte.
int EucToSjis(const char* in, char* out, size_t& count, bool atEnd = false);

// 7-bit JIS to Shift-JIS; `mode` (kJisAscii, kJisKanji, kJisKana) is carried
// across buffers. Returns 0, 1 or 2 bytes left over.
int JisToSjis(const char* in, char* out, size_t& count, int& mode, bool atEnd = false);

// Shift-JIS to EUC. Returns 1 when the input ended after a lead byte.
int SjisToEuc(const char* in, char* out, size_t& count, bool atEnd = false);

// Shift-JIS to 7-bit JIS, half-width kana widened to full width; `mode` is
// carried across buffers. Returns 1 when the input ended after a lead byte.
// No escape is added at the end: a text ending in kanji stays in kanji mode.
int SjisToJis(const char* in, char* out, size_t& count, int& mode, bool atEnd = false);

// Writes `count` bytes of in to out with every line feed preceded by a
// carriage return; returns the bytes written (at most 2 * count).
size_t ExpandLineEnds(const char* in, size_t count, char* out);

// Whole-text forms for callers that hold all of it in memory (code display,
// tests): `code` is kCodeSjis (copied), kCodeEuc or kCodeJis.
std::string DecodeToSjis(int code, std::string_view bytes);
std::string EncodeFromSjis(int code, std::string_view sjis);

}  // namespace qz
