// The kanji code and line-end attributes of a document, their title labels, and
// the row-and-cell arithmetic between Shift-JIS and JIS X 0208 shared by every converter.
#pragma once

#include <cstdint>
#include <string_view>

namespace qz {

// Kanji code of a file: the digit stored in recent-file entries.
constexpr int kCodeSjis = 1;
constexpr int kCodeEuc = 2;
constexpr int kCodeJis = 3;
constexpr int kCodeUtf8 = 4;

// Line-end mode of a file.
constexpr int kLineCrLf = 0;
constexpr int kLineLf = 1;

// JIS mode word carried from one buffer to the next while reading or writing
// a 7-bit JIS file; every whole-file pass starts in kJisAscii.
constexpr int kJisAscii = 0;
constexpr int kJisKanji = 1;
constexpr int kJisKana = 2;

// The label the document title carries for a code and line-end mode ("" for
// Shift-JIS with CR/LF). Unknown values read as Shift-JIS and CR/LF.
std::string_view KanjiLabel(int code, int lineEnd);

// Byte classes of document text as the writing converters see it.
constexpr bool IsSjisLeadClass(unsigned c) { return c >= 0x80 && (c <= 0x9F || c >= 0xE0); }
constexpr bool IsHalfKana(unsigned c) { return c >= 0xA0 && c <= 0xDF; }
constexpr bool IsSjisTrail(unsigned c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Shift-JIS pair to its JIS X 0208 code (row byte * 256 + cell byte, both
// 0x21-0x7E). 0 when the pair has no place in the 94 x 94 table: the trail is
// not a trail byte, or the lead lies outside 0x81-0x9F / 0xE0-0xEF (vendor and
// user-defined rows beyond row 94).
constexpr unsigned SjisPairToJis(unsigned lead, unsigned trail) {
    if (!IsSjisTrail(trail)) return 0;
    // Written without branches on the trail byte: in Japanese text whether a
    // trail lies in the even or the odd row is a coin toss for the predictor.
    trail -= trail > 0x7F;
    const unsigned even = trail >= 0x9E;
    const unsigned base = lead > 0x9F ? lead - 0xB0 : lead - 0x70;
    const unsigned row = 2 * base - 1 + even;
    const unsigned cell = trail - 0x1F - 0x5E * even;
    if (row - 0x21 > 0x7E - 0x21) return 0;  // unsigned: also catches rows below 0x21
    return row << 8 | cell;
}

// JIS pair (bit 7 ignored) to Shift-JIS lead * 256 + trail. Bytes outside
// 0x21-0x7E go through the same arithmetic; the result is always two bytes
// with no control byte below 0x1F.
constexpr unsigned JisPairToSjis(unsigned first, unsigned second) {
    first &= 0x7F;
    second &= 0x7F;
    unsigned trail = second + 0x7D - 0x5E * (first & 1);
    trail += trail >= 0x7F;
    unsigned lead = ((first + 1) >> 1) + 0x70;
    if (lead > 0x9F) lead += 0x40;
    return lead << 8 | trail;
}

// The code display's single-character forms of a Shift-JIS double-byte code
// (lead * 256 + trail): its JIS X 0208 code, and the EUC code (the JIS code
// with 0x8080 set). Both are 0 for a code with no JIS X 0208 position.
constexpr unsigned SjisCharToJis(unsigned sjis) {
    return SjisPairToJis(sjis >> 8 & 0xFF, sjis & 0xFF);
}
constexpr unsigned SjisCharToEuc(unsigned sjis) {
    unsigned jis = SjisCharToJis(sjis);
    return jis ? jis | 0x8080 : 0;
}

// The full-width Shift-JIS character a half-width kana byte 0xA1-0xDF widens
// to when written as JIS (voiced-sound marks stay separate characters); 0 for
// any other byte, 0xA0 included, which has no full-width counterpart.
unsigned WidenHalfKana(unsigned c);

}  // namespace qz
