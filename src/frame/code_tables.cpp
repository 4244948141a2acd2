// The code tables' grids, cursors and code arithmetic.
#include "frame/code_tables.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp932.h"

namespace qz {

namespace {

std::string Hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// One step along an axis of n cells: wrapping round, or stopping at the edge.
int Step(int at, int delta, int n, bool wrap) {
    const int to = at + delta;
    if (wrap) return (to + n) % n;
    return std::clamp(to, 0, n - 1);
}

void MoveCell(int& column, int& row, GridMove m, int columns, int rows, bool wrap) {
    switch (m) {
    case GridMove::Left: column = Step(column, -1, columns, wrap); break;
    case GridMove::Right: column = Step(column, 1, columns, wrap); break;
    case GridMove::Up: row = Step(row, -1, rows, wrap); break;
    case GridMove::Down: row = Step(row, 1, rows, wrap); break;
    }
}

}  // namespace

// ------------------------------------------------------------------ ASCII

bool AsciiTable::Insertable(uint8_t code) { return code != 0 && !IsSjisLead(code); }

std::string AsciiTable::ColumnHeader(int column) { return Hex(static_cast<unsigned>(column) * 16, 2); }

std::string AsciiTable::RowHeader(int row) { return Hex(static_cast<unsigned>(row), 2); }

bool AsciiTable::Select(int column, int row) {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return false;
    code_ = CodeAt(column, row);
    return true;
}

void AsciiTable::Move(GridMove m) {
    int column = Column(), row = Row();
    MoveCell(column, row, m, kColumns, kRows, true);
    code_ = CodeAt(column, row);
}

std::string AsciiTable::Send() const {
    return Insertable(code_) ? std::string(1, static_cast<char>(code_)) : std::string();
}

// ------------------------------------------------------------------ Shift-JIS

KanjiTable::KanjiTable(uint16_t code) {
    const int lead = code >> 8, trail = code & 0xFF;
    int page = 0;
    if (lead >= 0x81 && lead <= 0x9F) page = lead - 0x81 + 1;
    else if (lead >= 0xE0 && lead <= 0xFC) page = lead - 0xE0 + 32;
    if (page == 0 || trail < 0x40) return;
    page_ = page;
    column_ = (trail - 0x40) / 16;
    row_ = (trail - 0x40) % 16;
}

uint16_t KanjiTable::PageStart(int page) {
    return static_cast<uint16_t>(page <= 31 ? 0x8140 + (page - 1) * 0x100 : 0xE040 + (page - 32) * 0x100);
}

bool KanjiTable::ValidCode(uint16_t sjis) {
    const int lead = sjis >> 8, trail = sjis & 0xFF;
    const bool leadOk = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    return leadOk && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

std::optional<uint16_t> KanjiTable::ToJis(uint16_t sjis) {
    if (!ValidCode(sjis)) return std::nullopt;
    const int s1 = sjis >> 8;
    int s2 = sjis & 0xFF;
    int j1 = (s1 <= 0x9F ? s1 - 0x71 : s1 - 0xB1) * 2 + 1;
    if (s2 > 0x7F) --s2;
    int j2;
    if (s2 >= 0x9E) {
        ++j1;
        j2 = s2 - 0x7D;
    } else {
        j2 = s2 - 0x1F;
    }
    // Lead bytes 0xF0 on would give rows past 94, and EUC codes past 16 bits.
    if (j1 > 0x7E) return std::nullopt;
    return static_cast<uint16_t>(j1 << 8 | j2);
}

std::string KanjiTable::ColumnHeader(int column) { return Hex(0x40 + static_cast<unsigned>(column) * 16, 2); }

std::string KanjiTable::RowHeader(int row) { return Hex(static_cast<unsigned>(row), 2); }

bool KanjiTable::Select(int column, int row) {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return false;
    column_ = column;
    row_ = row;
    return true;
}

void KanjiTable::Move(GridMove m) { MoveCell(column_, row_, m, kColumns, kRows, false); }

bool KanjiTable::PageUp() {
    if (page_ <= 1) return false;
    --page_;
    return true;
}

bool KanjiTable::PageDown() {
    if (page_ >= kPages) return false;
    ++page_;
    return true;
}

std::string KanjiTable::PageText() const {
    char text[24];
    std::snprintf(text, sizeof text, "PAGE: %02d/%d", page_, kPages);
    return text;
}

std::string KanjiTable::SjisField() const { return ValidCode(Code()) ? Hex(Code(), 4) : std::string(); }

std::string KanjiTable::JisField() const {
    const auto jis = ToJis(Code());
    return jis ? Hex(*jis, 4) : std::string();
}

std::string KanjiTable::EucField() const {
    const auto jis = ToJis(Code());
    return jis ? Hex(*jis + 0x8080u, 4) : std::string();
}

std::string KanjiTable::Send() const {
    if (!ValidCode(Code())) return {};
    return {static_cast<char>(Code() >> 8), static_cast<char>(Code() & 0xFF)};
}

}  // namespace qz
