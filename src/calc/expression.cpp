// The expression evaluator: operands and operators are split in one pass,
// parenthesised operands and function arguments are evaluated recursively,
// then the operators are applied by priority, equal priorities from the left.
#include "calc/expression.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace qz {

namespace {

constexpr double kPi = 3.141592653589793;

enum class Op : uint8_t { None, Mul, Div, Mod, Add, Sub, Shl, Shr, And, Xor, Or };

int PriorityOf(Op op) {
    switch (op) {
    case Op::Mul: case Op::Div: case Op::Mod: return 1;
    case Op::Add: case Op::Sub: return 2;
    case Op::Shl: case Op::Shr: return 3;
    case Op::And: return 4;
    case Op::Xor: return 5;
    case Op::Or: return 6;
    case Op::None: break;
    }
    return 0;
}

struct Operand {
    double value;
    Op op;        // the operator after the value
    int priority; // the operator's; 0 for the product of a unary minus
    bool alive;
};

// Toward zero, then modulo 2^32 as a signed value; v is finite.
int32_t Truncate(double v) {
    double m = std::fmod(std::trunc(v), 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(m));
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    if (c <= '9') return c - '0';
    return (c | 0x20) - 'a' + 10;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The number after "0x", "$" or "\" (prefix already removed): 1 to 8 digits,
// the 32-bit pattern read as a signed value.
bool HexNumber(std::string_view digits, double* v) {
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t x = 0;
    for (char c : digits) {
        if (!IsHexDigit(c)) return false;
        x = x << 4 | static_cast<uint32_t>(HexValue(c));
    }
    *v = static_cast<int32_t>(x);
    return true;
}

bool OctalNumber(std::string_view s, double* v) {
    uint64_t x = 0;
    for (char c : s) {
        if (c < '0' || c > '7') return false;
        x = x << 3 | static_cast<uint64_t>(c - '0');
        if (x > 0xFFFFFFFFu) return false;
    }
    *v = static_cast<int32_t>(static_cast<uint32_t>(x));
    return true;
}

// Digits with one point, commas as thousands separators anywhere, and one
// exponent with digits and an optional sign.
bool DecimalNumber(std::string_view s, double* v) {
    std::string plain;
    bool digits = false, point = false, exponent = false, exponentDigits = false, negativeExponent = false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            (exponent ? exponentDigits : digits) = true;
        } else if (c == ',') {
            continue;
        } else if (c == '.') {
            if (point || exponent) return false;
            point = true;
        } else if (c == 'e' || c == 'E') {
            if (exponent || !digits) return false;
            exponent = true;
            plain += 'e';
            if (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
                negativeExponent = s[i + 1] == '-';
                plain += s[++i];
            }
            continue;
        } else {
            return false;
        }
        plain += c;
    }
    if (!digits || exponent != exponentDigits) return false;
    double x = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), x);
    if (ec == std::errc::result_out_of_range && negativeExponent) x = 0;  // below the smallest double
    else if (ec != std::errc() || end != plain.data() + plain.size()) return false;
    *v = x;
    return true;
}

int Evaluate(std::string_view text, double* result);

// The argument text of name(...), which must close the operand.
bool Argument(std::string_view s, std::string_view name, std::string_view* arg) {
    if (!StartsWith(s, name) || s.back() != ')') return false;
    *arg = s.substr(name.size(), s.size() - name.size() - 1);
    return true;
}

// "a,b" split at every comma: exactly two values.
bool TwoArguments(std::string_view arg, double* a, double* b) {
    const size_t comma = arg.find(',');
    if (comma == std::string_view::npos || arg.find(',', comma + 1) != std::string_view::npos) return false;
    return Evaluate(arg.substr(0, comma), a) == 0 && Evaluate(arg.substr(comma + 1), b) == 0;
}

bool Function(std::string_view s, double* v) {
    using Fn = double (*)(double);
    static constexpr std::array<std::pair<std::string_view, Fn>, 6> kRadians = {{
        {"asin(", [](double x) { return std::asin(x); }},
        {"acos(", [](double x) { return std::acos(x); }},
        {"atan(", [](double x) { return std::atan(x); }},
        {"log(", [](double x) { return std::log(x); }},
        {"log10(", [](double x) { return std::log10(x); }},
        {"sqrt(", [](double x) { return std::sqrt(x); }},
    }};
    static constexpr std::array<std::pair<std::string_view, Fn>, 3> kDegrees = {{
        {"sin(", [](double x) { return std::sin(x); }},
        {"cos(", [](double x) { return std::cos(x); }},
        {"tan(", [](double x) { return std::tan(x); }},
    }};
    std::string_view arg;
    double x = 0, y = 0;
    for (const auto& [name, fn] : kDegrees) {
        if (!Argument(s, name, &arg)) continue;
        if (Evaluate(arg, &x) != 0) return false;
        *v = fn(x * kPi / 180);
        // sin(180) is 1.2e-16 in doubles; the user expects the 0 of the table.
        if (std::fabs(*v) < 1e-9) *v = 0;
        return true;
    }
    for (const auto& [name, fn] : kRadians) {
        if (!Argument(s, name, &arg)) continue;
        if (Evaluate(arg, &x) != 0) return false;
        *v = fn(x);
        return true;
    }
    if (Argument(s, "atan2(", &arg)) {
        if (!TwoArguments(arg, &x, &y)) return false;
        *v = std::atan2(x, y);
        return true;
    }
    if (Argument(s, "pow(", &arg)) {
        if (!TwoArguments(arg, &x, &y)) return false;
        *v = std::pow(x, y);
        return true;
    }
    return false;
}

bool IsPai(std::string_view s) {
    return s.size() == 3 && (s[0] | 0x20) == 'p' && (s[1] | 0x20) == 'a' && (s[2] | 0x20) == 'i';
}

bool HexPrefixed(std::string_view s, std::string_view* digits) {
    if (s.size() >= 3 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        *digits = s.substr(2);
        return true;
    }
    if (!s.empty() && (s[0] == '$' || s[0] == '\\')) {
        *digits = s.substr(1);
        return true;
    }
    return false;
}

bool OperandValue(std::string_view s, double* v) {
    if (s.empty()) return false;
    const bool invert = s[0] == '~';
    if (invert) s.remove_prefix(1);
    if (s.empty()) return false;
    std::string_view digits;
    bool ok;
    if (s[0] == '(') {
        ok = s.size() >= 2 && s.back() == ')' && Evaluate(s.substr(1, s.size() - 2), v) == 0;
    } else if (IsPai(s)) {
        *v = kPi;
        ok = true;
    } else if (HexPrefixed(s, &digits)) {
        ok = HexNumber(digits, v);
    } else if (s[0] == '0' && s.find('.') == std::string_view::npos) {
        ok = OctalNumber(s, v);
    } else if (s[0] >= 'a' && s[0] <= 'z') {
        ok = Function(s, v);
    } else {
        ok = DecimalNumber(s, v);
    }
    if (!ok || !std::isfinite(*v)) return false;
    if (invert) *v = ~Truncate(*v);
    return true;
}

bool Apply(Op op, double a, double b, double* r) {
    switch (op) {
    case Op::Mul: *r = a * b; break;
    case Op::Div:
        if (b == 0) return false;
        *r = a / b;
        break;
    case Op::Mod: {
        const int32_t x = Truncate(a), y = Truncate(b);
        if (y == 0 || (x == std::numeric_limits<int32_t>::min() && y == -1)) return false;
        *r = x % y;
        break;
    }
    case Op::Add: *r = a + b; break;
    case Op::Sub: *r = a - b; break;
    case Op::Shl: *r = static_cast<int32_t>(static_cast<uint32_t>(Truncate(a)) << (Truncate(b) & 31)); break;
    case Op::Shr: *r = Truncate(a) >> (Truncate(b) & 31); break;
    case Op::And: *r = Truncate(a) & Truncate(b); break;
    case Op::Xor: *r = Truncate(a) ^ Truncate(b); break;
    case Op::Or: *r = Truncate(a) | Truncate(b); break;
    case Op::None: return false;
    }
    return std::isfinite(*r);
}

bool IsOperatorByte(uint8_t c) {
    switch (c) {
    case '%': case '&': case '*': case '+': case '-': case '/': case '<': case '>': case '^': case '|': return true;
    default: return false;
    }
}

// Whether a sign after a trailing e belongs to the number: not in "0x1e+1".
bool TakesExponentSign(const std::string& operand) {
    if (operand.empty() || (operand.back() != 'e' && operand.back() != 'E')) return false;
    std::string_view s(operand);
    if (s[0] == '~') s.remove_prefix(1);
    std::string_view digits;
    return !HexPrefixed(s, &digits);
}

bool Tokenise(std::string_view text, std::vector<Operand>* list) {
    std::string operand;
    bool gap = false;
    int open = 0;
    auto push = [&](double value, Op op, int priority) {
        if (list->size() >= kCalcOperandCount) return false;
        list->push_back({value, op, priority, true});
        return true;
    };
    auto endOperand = [&](Op op) {
        double v = 0;
        if (!OperandValue(operand, &v) || !push(v, op, PriorityOf(op))) return false;
        operand.clear();
        gap = false;
        return true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t c = static_cast<uint8_t>(text[i]);
        if (c == '=') break;
        if (c == ' ' || c == '\t') {
            if (!operand.empty()) gap = true;
            continue;
        }
        if (open == 0 && IsOperatorByte(c) && !((c == '+' || c == '-') && TakesExponentSign(operand))) {
            Op op = Op::None;
            switch (c) {
            case '*': op = Op::Mul; break;
            case '/': op = Op::Div; break;
            case '%': op = Op::Mod; break;
            case '+': op = Op::Add; break;
            case '-': op = Op::Sub; break;
            case '&': op = Op::And; break;
            case '^': op = Op::Xor; break;
            case '|': op = Op::Or; break;
            case '<': case '>':
                if (i + 1 >= text.size() || static_cast<uint8_t>(text[i + 1]) != c) return false;
                ++i;
                op = c == '<' ? Op::Shl : Op::Shr;
                break;
            }
            if (!operand.empty()) {
                if (!endOperand(op)) return false;
            } else if (op == Op::Sub) {
                // Unary minus: -1 times what follows, before any other
                // operator, so that 2/-4 divides by -4 and not by -1.
                if (!push(-1, Op::Mul, 0)) return false;
            } else if (op != Op::Add) {
                return false;
            }
            continue;
        }
        if (gap) return false;
        if (c == '(') ++open;
        if (c == ')' && open-- == 0) return false;
        if (operand.size() >= kCalcOperandMax) return false;
        operand += static_cast<char>(c);
    }
    if (open != 0) return false;
    return operand.empty() || endOperand(Op::None);
}

int Evaluate(std::string_view text, double* result) {
    std::vector<Operand> list;
    if (!Tokenise(text, &list) || list.empty()) return -1;
    for (int priority = 0; priority <= 6; ++priority) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (!list[i].alive) continue;
            while (list[i].op != Op::None && list[i].priority == priority) {
                size_t j = i + 1;
                while (j < list.size() && !list[j].alive) ++j;
                if (j == list.size()) return -1;  // "1+"
                if (!Apply(list[i].op, list[i].value, list[j].value, &list[i].value)) return -1;
                list[i].op = list[j].op;
                list[i].priority = list[j].priority;
                list[j].alive = false;
            }
        }
    }
    *result = list[0].value;
    return 0;
}

}  // namespace

int EvaluateExpression(std::string_view text, double* result) {
    double v = 0;
    if (Evaluate(text, &v) != 0) return -1;
    *result = v;
    return 0;
}

}  // namespace qz
