// The ASCII and Shift-JIS code tables as grids: which code stands in which
// cell, how the cursor moves, the code fields, and the bytes that Enter types
// into the active view. The port only draws the grid and forwards keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qz {

enum class GridMove { Left, Right, Up, Down };

// 256 single bytes, 16 by 16: the column is the high four bits of the code,
// the row the low four bits. The cursor wraps to the opposite edge of its
// own row or column.
class AsciiTable {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 16;
    static constexpr const char* kCaption = "ＡＳＣＩＩコード表 ";
    static constexpr const char* kHint = "改行：テキスト挿入($00,$81-$9F,$E0-$FC,$FFは入力できません)";

    explicit AsciiTable(uint8_t code = 0) : code_(code) {}

    static uint8_t CodeAt(int column, int row) { return static_cast<uint8_t>(column * 16 + row); }
    // NUL and the lead bytes of double-byte characters cannot stand alone in
    // a text.
    static bool Insertable(uint8_t code);
    // "%02X": a column header names the high four bits as a code (00-F0), a
    // row header the low four (00-0F).
    static std::string ColumnHeader(int column);
    static std::string RowHeader(int row);

    uint8_t Code() const { return code_; }
    int Column() const { return code_ >> 4; }
    int Row() const { return code_ & 0x0F; }
    // A click; false (and no change) outside the grid.
    bool Select(int column, int row);
    void Move(GridMove m);
    // What Enter types: the byte, or nothing for a byte that cannot be
    // inserted.
    std::string Send() const;

private:
    uint8_t code_;
};

// The double-byte codes in 60 pages of 12 columns by 16 rows: one page per
// lead byte (0x81-0x9F, then 0xE0-0xFC), its trail bytes 0x40-0xFF running
// down the columns. The cursor stops at the grid's edges; Page Up and Page
// Down turn the pages and keep its cell.
class KanjiTable {
public:
    static constexpr int kPages = 60;
    static constexpr int kColumns = 12;
    static constexpr int kRows = 16;
    static constexpr const char* kCaption = "ＳＨＩＦＴ－ＪＩＳ漢字コード表 ";

    // A code outside the table starts at page 1's first cell.
    explicit KanjiTable(uint16_t code = 0x8140);

    // page 1-60.
    static uint16_t PageStart(int page);
    // column 0-11, row 0-15.
    static uint16_t CodeAt(int page, int column, int row) {
        return static_cast<uint16_t>(PageStart(page) + column * 16 + row);
    }
    // Whether the code is a whole Shift-JIS character: a trail byte of
    // 0x40-0x7E or 0x80-0xFC.
    static bool ValidCode(uint16_t sjis);
    // The JIS X 0208 code by the usual Shift_JIS arithmetic, when it lands
    // inside the 94 x 94 set; the user-defined lead bytes 0xF0-0xFC do not.
    static std::optional<uint16_t> ToJis(uint16_t sjis);
    // "%02X" of the column's first trail byte (40-F0) and of the row (00-0F).
    static std::string ColumnHeader(int column);
    static std::string RowHeader(int row);

    uint16_t Code() const { return CodeAt(page_, column_, row_); }
    int Page() const { return page_; }
    int Column() const { return column_; }
    int Row() const { return row_; }
    bool Select(int column, int row);
    void Move(GridMove m);
    // False at the first / last page.
    bool PageUp();
    bool PageDown();

    // "PAGE: %02d/60".
    std::string PageText() const;
    // "%04X", each empty where the code has no such form.
    std::string SjisField() const;
    std::string JisField() const;
    std::string EucField() const;
    // What Enter types: the two bytes, or nothing for a code that is no
    // whole character (it would leave a lone lead byte in the text).
    std::string Send() const;

private:
    int page_ = 1, column_ = 0, row_ = 0;
};

}  // namespace qz
