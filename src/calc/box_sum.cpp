// The rectangle calculation's half-width conversion and sum.
#include "calc/box_sum.h"

#include <cmath>
#include <cstdint>

#include "calc/expression.h"
#include "platform/cp932.h"

namespace qz {

namespace {

constexpr int kDrop = -1;
constexpr int kSeparator = -2;

// The half-width byte of a full-width character the calculation reads, or
// kDrop, or kSeparator for a box-drawing character.
int HalfWidth(unsigned code) {
    if (code >= 0x824F && code <= 0x8258) return '0' + static_cast<int>(code - 0x824F);
    if (code >= 0x8260 && code <= 0x8279) return 'A' + static_cast<int>(code - 0x8260);
    if (code >= 0x8281 && code <= 0x829A) return 'a' + static_cast<int>(code - 0x8281);
    if (code >= 0x849F && code <= 0x84BE) return kSeparator;
    switch (code) {
    case 0x8140: return ' ';
    case 0x8169: return '(';
    case 0x816A: return ')';
    case 0x8196: return '*';
    case 0x817B: return '+';
    case 0x817C: return '-';
    case 0x8144: return '.';
    case 0x8143: return ',';
    case 0x815E: return '/';
    case 0x8183: return '<';
    case 0x8181: return '=';
    case 0x8184: return '>';
    case 0x814F: return '^';
    case 0x8162: return '|';
    case 0x8193: return '%';
    case 0x8195: return '&';
    case 0x8190: return '$';
    case 0x8150: return '~';   // overline, the JIS Roman 0x7E
    case 0x818F: return '\\';  // yen sign, the JIS Roman 0x5C
    case 0x817E: return '*';   // multiplication sign
    case 0x8180: return '/';   // division sign
    default: return kDrop;
    }
}

bool IsBlank(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

std::vector<std::string> CalcPieces(std::string_view line) {
    std::vector<std::string> pieces(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(line[i]);
        if (!IsSjisLead(b) || i + 1 == line.size()) {
            pieces.back() += static_cast<char>(b);
            continue;
        }
        const unsigned code = b << 8 | static_cast<uint8_t>(line[++i]);
        const int half = HalfWidth(code);
        if (half == kSeparator) pieces.emplace_back();
        else if (half != kDrop) pieces.back() += static_cast<char>(half);
    }
    return pieces;
}

int SumCalcBox(std::string_view box, double* total) {
    double sum = 0;
    while (!box.empty()) {
        size_t end = box.find('\n');
        if (end == std::string_view::npos) end = box.size();
        std::string_view line = box.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        box.remove_prefix(end < box.size() ? end + 1 : end);
        for (const std::string& piece : CalcPieces(line)) {
            // A blank cell of a table column counts as nothing, like an empty line.
            if (IsBlank(piece)) continue;
            double value = 0;
            if (EvaluateExpression(piece, &value) != 0) return -1;
            sum += value;
        }
    }
    if (!std::isfinite(sum)) return -1;
    *total = sum;
    return 0;
}

}  // namespace qz
