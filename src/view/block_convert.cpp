// Block conversions: double-byte characters are always taken whole, and the
// width and kana mappings are the code page's, shared with fuzzy search.
#include "view/block_convert.h"

#include <algorithm>

#include "platform/cp932.h"
#include "search/kana_width.h"

namespace qz {

namespace {

constexpr BlockConversionInfo kInfo[] = {
    {71, "大文字->小文字"}, {72, "小文字->大文字"},   {69, "半角->全角"}, {70, "全角->半角"},
    {73, "ひらがな->カタカナ"}, {74, "カタカナ->ひらがな"}, {75, "インデント"}, {76, "逆インデント"},
    {77, "タブ->空白"},     {78, "空白->タブ"},
};

void PutCode(std::string& out, uint16_t code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Walks the text character by character: f(code, width, next) gets a
// double-byte code (width 2) or a single byte (width 1) with the byte after
// it (-1 at the end) and returns how many bytes it consumed.
template <class F> void EachCharacter(std::string_view text, F f) {
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const uint8_t c = static_cast<uint8_t>(text[i]);
        if (IsSjisLead(c) && i + 1 < n) {
            f(static_cast<uint16_t>((c << 8) | static_cast<uint8_t>(text[i + 1])), 2, -1);
            i += 2;
        } else {
            const int next = i + 1 < n ? static_cast<uint8_t>(text[i + 1]) : -1;
            i += f(c, 1, next);
        }
    }
}

// A mapping of double-byte codes; single bytes through another.
template <class Wide, class Narrow> std::string MapCharacters(std::string_view text, Wide wide, Narrow narrow) {
    std::string out;
    out.reserve(text.size());
    EachCharacter(text, [&](uint16_t code, int width, int) -> size_t {
        if (width == 2) PutCode(out, wide(code));
        else out += static_cast<char>(narrow(static_cast<uint8_t>(code)));
        return 1;
    });
    return out;
}

std::string ToFull(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    EachCharacter(text, [&](uint16_t code, int width, int next) -> size_t {
        if (width == 2) {
            PutCode(out, code);
            return 1;
        }
        int used = 1;
        if (const uint16_t full = ToFullWidth(static_cast<uint8_t>(code), next, &used)) PutCode(out, full);
        else out += static_cast<char>(code);
        return static_cast<size_t>(used);
    });
    return out;
}

std::string ToHalf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    EachCharacter(text, [&](uint16_t code, int width, int) -> size_t {
        uint8_t half[2];
        const int n = width == 2 ? ToHalfWidth(code, half) : 0;
        if (n > 0) out.append(reinterpret_cast<const char*>(half), static_cast<size_t>(n));
        else if (width == 2) PutCode(out, code);
        else out += static_cast<char>(code);
        return 1;
    });
    return out;
}

// Indent writes a tab before the first byte and before every byte after a
// line feed; unindent drops a tab found there.
std::string Indent(std::string_view text, bool add) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 1);
    bool rowStart = true;
    for (char c : text) {
        if (rowStart) {
            rowStart = false;
            if (add) out += '\t';
            else if (c == '\t') continue;
        }
        out += c;
        rowStart = c == '\n';
    }
    return out;
}

std::string TabsToSpaces(std::string_view text, int column, int tabs) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\t') {
            const int n = tabs - column % tabs;
            out.append(static_cast<size_t>(n), ' ');
            column += n;
        } else {
            out += c;
            column = c == '\n' ? 0 : column + 1;
        }
    }
    return out;
}

// Runs of spaces that reach a tab stop become one tab. A tab moves the
// column to its stop, so spaces after it are measured where they are shown.
std::string SpacesToTabs(std::string_view text, int column, int tabs) {
    std::string out;
    out.reserve(text.size());
    size_t pending = 0;
    for (char c : text) {
        if (pending && column % tabs == 0) {
            out += '\t';
            pending = 0;
        }
        if (c == ' ') {
            ++pending;
            ++column;
            continue;
        }
        out.append(pending, ' ');
        pending = 0;
        out += c;
        column = c == '\n' ? 0 : c == '\t' ? (column / tabs + 1) * tabs : column + 1;
    }
    out.append(pending, ' ');
    return out;
}

uint8_t AsciiLower(uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + 32) : c; }
uint8_t AsciiUpper(uint8_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 32) : c; }
uint8_t Same(uint8_t c) { return c; }

}  // namespace

const BlockConversionInfo& InfoOf(BlockConversion c) { return kInfo[static_cast<int>(c)]; }

size_t BlockPieceBytes(BlockConversion c) {
    return c == BlockConversion::TabsToSpaces || c == BlockConversion::SpacesToTabs ? 4080 : 4095;
}

std::string ConvertBlock(BlockConversion c, std::string_view text, int startColumn, int tabs) {
    tabs = std::max(1, tabs);
    startColumn = std::max(0, startColumn);
    using B = BlockConversion;
    switch (c) {
    case B::ToLower: return MapCharacters(text, FullWidthToLower, AsciiLower);
    case B::ToUpper: return MapCharacters(text, FullWidthToUpper, AsciiUpper);
    case B::ToFullWidth: return ToFull(text);
    case B::ToHalfWidth: return ToHalf(text);
    case B::ToKatakana: return MapCharacters(text, HiraganaToKatakana, Same);
    case B::ToHiragana: return MapCharacters(text, KatakanaToHiragana, Same);
    case B::Indent: return Indent(text, true);
    case B::Unindent: return Indent(text, false);
    case B::TabsToSpaces: return TabsToSpaces(text, startColumn, tabs);
    case B::SpacesToTabs: return SpacesToTabs(text, startColumn, tabs);
    }
    return std::string(text);
}

}  // namespace qz
