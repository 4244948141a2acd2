// The text of a calculation result: the 15 significant digits a double
// holds, as a plain number where that stays readable, else with an exponent.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/expression.h"

namespace qz {

std::string FormatCalcResult(double value, bool withHex) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    // d.dddddddddddddde+xx, rounded as the C library's digit conversion
    // rounds; to_chars, unlike printf, ignores the locale's decimal point.
    char sci[40] = {};
    std::to_chars(sci, sci + sizeof sci - 1, value, std::chars_format::scientific, 14);
    const char* p = sci;
    const bool negative = *p == '-';
    if (negative) ++p;
    std::string digits(1, p[0]);
    digits.append(p + 2, 14);
    const int exponent = std::atoi(p + 17);  // after "d.dddddddddddddde"
    const int point = exponent + 1;          // digits before the decimal point

    std::string whole, fraction, tail;
    if (exponent < -14 || exponent > 14) {
        whole = digits.substr(0, 1);
        fraction = digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "e%02d", exponent);
        tail = e;
    } else if (point < 1) {
        whole = "0";
        fraction = std::string(static_cast<size_t>(-point), '0') + digits;
    } else {
        whole = digits.substr(0, static_cast<size_t>(point));
        fraction = digits.substr(static_cast<size_t>(point));
    }
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

    if (fraction.empty() && tail.empty()) {
        // The printed digits decide, not the value: 0.9999999999999999 shows as 1.
        const long long n = (negative ? -1 : 1) * std::atoll(whole.c_str());
        if (n >= -2147483648LL && n <= 2147483647LL) {
            char text[40];
            if (withHex)
                std::snprintf(text, sizeof text, "%d ($%X)", static_cast<int>(n),
                              static_cast<unsigned>(static_cast<int>(n)));
            else
                std::snprintf(text, sizeof text, "%d", static_cast<int>(n));
            return text;
        }
    }
    std::string text = negative ? "-" : "";
    text += whole;
    if (!fraction.empty()) text += "." + fraction;
    return text + tail;
}

}  // namespace qz
