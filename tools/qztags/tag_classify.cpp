// The three kinds of definition line and the marked text of each.
#include "qztags/tag_classify.h"

#include "qztags/words.h"

namespace qztags {
namespace {

constexpr std::string_view kBlanks = " \t";

bool IsWordStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsTypeKeyword(std::string_view w) { return w == "struct" || w == "union" || w == "class"; }

std::optional<std::string> DefineHead(std::string_view t) {
    std::vector<std::string_view> words = SplitWords(t.substr(0, t.find('(')), kBlanks);
    if (words.size() < 2 || words[0] != "#define") return std::nullopt;
    return "#define '" + std::string(words[1]) + "'";
}

std::optional<std::string> FunctionHead(std::string_view t) {
    size_t open = t.find('(');
    if (open == std::string_view::npos) return std::nullopt;
    size_t close = t.find(')', open + 1);
    if (close != std::string_view::npos) {
        size_t after = t.find_first_not_of(kBlanks, close + 1);
        if (after != std::string_view::npos && t[after] == ';') return std::nullopt;  // a declaration
    }
    std::vector<std::string_view> words = SplitWords(t.substr(0, open), kBlanks);
    if (words.empty()) return std::nullopt;
    std::string out;
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        out += words[i];
        out += ' ';
    }
    std::string_view name = words.back();
    size_t stars = name.find_first_not_of('*');
    if (stars == std::string_view::npos) stars = name.size();
    if (stars > 0) {
        out += name.substr(0, stars);
        out += ' ';
        name.remove_prefix(stars);
    }
    if (size_t q = name.find("::"); q != std::string_view::npos) {
        out += name.substr(0, q);
        out += "::'";
        out += name.substr(q + 2);
    } else {
        out += '\'';
        out += name;
    }
    out += "'(";
    return out;
}

std::optional<std::string> TypeHead(std::string_view t) {
    std::string_view head = t.substr(0, t.find('{'));
    if (head.find(';') != std::string_view::npos) return std::nullopt;
    std::vector<std::string_view> words = SplitWords(head, kBlanks);
    enum { kUnset, kType, kInitialiser } mark = kUnset;
    for (std::string_view w : words) {
        if (IsTypeKeyword(w) && mark == kUnset) mark = kType;
        if (w == "=") mark = kInitialiser;
    }
    if (mark != kType) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) out += ' ';
        if (i > 0 && IsTypeKeyword(words[i - 1])) {
            out += '\'';
            out += words[i];
            out += '\'';
        } else {
            out += words[i];
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> ClassifyLine(std::string_view t) {
    if (t.empty()) return std::nullopt;
    if (t[0] == '#') {
        if (auto d = DefineHead(t)) return d;
    }
    if (IsWordStart(static_cast<unsigned char>(t[0]))) {
        if (auto f = FunctionHead(t)) return f;
    }
    return TypeHead(t);
}

}  // namespace qztags
