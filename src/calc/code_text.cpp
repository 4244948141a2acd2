// The radix and character code displays' texts.
#include "calc/code_text.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/cp932.h"

namespace qz {

namespace {

constexpr const char* kNotANumber = "１０進数又は１６進数ではありません";
constexpr const char* kTooLarge = "３２ビットを超える数は変換できません";

bool InRadixSet(uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == 'X' ||
           c == 'x' || c == '$' || c == '\\';
}

int DigitValue(uint8_t c, int base) {
    int v = 99;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

std::string Bits(uint32_t value, int count) {
    std::string s;
    for (int i = count - 1; i >= 0; --i) {
        s += static_cast<char>('0' + (value >> i & 1));
        if (i && i % (count == 8 ? 4 : 8) == 0) s += ' ';
    }
    return s;
}

// The JIS X 0208 row and cell arithmetic with no range check: codes outside
// the 94 x 94 table show what the arithmetic makes of them.
unsigned SjisToJisArithmetic(unsigned lead, unsigned trail) {
    if (trail > 0x7F) --trail;
    const int base = static_cast<int>(lead) - (lead > 0x9F ? 0xB0 : 0x70);
    const int t = static_cast<int>(trail);
    const int row = t >= 0x9E ? 2 * base : 2 * base - 1;
    const int cell = t >= 0x9E ? t - 0x7D : t - 0x1F;
    return static_cast<unsigned>(row * 256 + cell);
}

}  // namespace

bool RadixDisplayText(std::string_view row, size_t caret, std::string* text) {
    // Trail bytes of kanji can look like hex digits; only whole single-byte
    // characters belong to the number.
    std::vector<size_t> starts;
    for (size_t i = 0; i < row.size();) {
        starts.push_back(i);
        i += IsSjisLead(static_cast<uint8_t>(row[i])) && i + 1 < row.size() ? 2 : 1;
    }
    auto single = [&](size_t k) {
        const size_t len = (k + 1 < starts.size() ? starts[k + 1] : row.size()) - starts[k];
        return len == 1 && InRadixSet(static_cast<uint8_t>(row[starts[k]]));
    };
    size_t at = 0;
    while (at < starts.size() && starts[at] < caret) ++at;
    if (at == starts.size() || starts[at] != caret || !single(at)) {
        *text = kNotANumber;
        return false;
    }
    size_t first = at, last = at;
    while (first > 0 && single(first - 1)) --first;
    while (last + 1 < starts.size() && single(last + 1)) ++last;
    std::string_view run = row.substr(starts[first], starts[last] + 1 - starts[first]);

    int base = 10;
    if (run.size() >= 2 && run[0] == '0' && (run[1] == 'x' || run[1] == 'X')) base = 16, run.remove_prefix(2);
    else if (run[0] == '$' || run[0] == '\\') base = 16, run.remove_prefix(1);
    if (run.empty()) {
        *text = kNotANumber;
        return false;
    }
    // Decimal numbers are signed 32-bit, hexadecimal ones unsigned: beyond
    // that the C library would clamp and show a number that is not there.
    const uint64_t limit = base == 10 ? 0x7FFFFFFF : 0xFFFFFFFF;
    uint64_t value = 0;
    bool tooLarge = false;
    for (char c : run) {
        const int d = DigitValue(static_cast<uint8_t>(c), base);
        if (d < 0) {
            *text = kNotANumber;
            return false;
        }
        value = value * base + static_cast<unsigned>(d);
        if (value > limit) tooLarge = true, value = limit;
    }
    if (tooLarge) {
        *text = kTooLarge;
        return false;
    }
    const uint32_t u = static_cast<uint32_t>(value);
    const int bits = u <= 255 ? 8 : u > 65535 ? 32 : 16;
    char head[96];
    std::snprintf(head, sizeof head, "10進数:[%d] 16進数:[%X] 2進数:[", static_cast<int32_t>(u), u);
    *text = head + Bits(u, bits) + "]";
    return true;
}

std::string CodeDisplayText(std::string_view bytes) {
    if (bytes.empty()) return "";
    const uint8_t lead = static_cast<uint8_t>(bytes[0]);
    char text[96];
    // A lead byte alone at the end of the text or of a line is a byte of its own.
    if (IsSjisLead(lead) && bytes.size() >= 2 && bytes[1] != '\n') {
        const uint8_t trail = static_cast<uint8_t>(bytes[1]);
        const unsigned jis = SjisToJisArithmetic(lead, trail);
        std::snprintf(text, sizeof text, "コードは SJIS=[%04X] JIS=[%04X] EUC=[%04X]", lead << 8 | trail, jis,
                      jis + 0x8080);
    } else {
        std::snprintf(text, sizeof text, "コードは 16進[%X], 10進[%d]", lead, lead);
    }
    return text;
}

}  // namespace qz
