// Shell quoting for the command lines of grep, the tag generator and the
// user tools.
#include "external/shell_words.h"

#include <cstring>

namespace qz {
namespace {

bool Literal(unsigned char c) {
    // Bytes of UTF-8 characters are never special to the shell.
    return c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("_./,:+@%=-", c) != nullptr;
}

std::string SingleQuoted(std::string_view value) {
    std::string out = "'";
    for (char c : value) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

}  // namespace

std::string ShellWord(std::string_view value) {
    bool plain = !value.empty();
    for (char c : value) plain = plain && Literal(static_cast<unsigned char>(c));
    return plain ? std::string(value) : SingleQuoted(value);
}

std::string ShellInsert(std::string_view value, ShellQuote where) {
    std::string out;
    switch (where) {
    case ShellQuote::kNone: return value.empty() ? std::string() : ShellWord(value);
    case ShellQuote::kSingle:
        // Close, an escaped quote, open again.
        for (char c : value) {
            if (c == '\'') out += "'\\''";
            else out += c;
        }
        return out;
    case ShellQuote::kDouble:
        for (char c : value) {
            if (c == '$' || c == '`' || c == '"' || c == '\\') out += '\\';
            out += c;
        }
        return out;
    }
    return out;
}

ShellQuote ShellQuoteAfter(std::string_view text, ShellQuote state) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (state) {
        case ShellQuote::kNone:
            if (c == '\\') ++i;
            else if (c == '\'') state = ShellQuote::kSingle;
            else if (c == '"') state = ShellQuote::kDouble;
            break;
        case ShellQuote::kSingle:
            if (c == '\'') state = ShellQuote::kNone;
            break;
        case ShellQuote::kDouble:
            if (c == '\\') ++i;
            else if (c == '"') state = ShellQuote::kNone;
            break;
        }
    }
    return state;
}

std::optional<std::vector<std::string>> PlainShellWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(word), word.clear();
            inWord = false;
            continue;
        }
        if (std::strchr("|&;<>()$`*?[~#!{}\n\r", c)) return std::nullopt;
        inWord = true;
        if (c == '\\') {
            if (++i >= line.size()) return std::nullopt;
            word += line[i];
        } else if (c == '\'') {
            const size_t end = line.find('\'', i + 1);
            if (end == std::string_view::npos) return std::nullopt;
            word.append(line.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) return std::nullopt;
                const char d = line[i];
                if (d == '"') break;
                if (d == '$' || d == '`') return std::nullopt;
                if (d == '\\' && i + 1 < line.size() && std::strchr("$`\"\\\n", line[i + 1])) ++i;
                word += line[i];
            }
        } else {
            word += c;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

std::vector<std::string> PatternWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word), word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

}  // namespace qz
