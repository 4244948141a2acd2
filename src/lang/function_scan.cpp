// The line reader with its comment, literal and depth rules, the #define
// filter, and the classification of top-level lines into definitions.
#include "lang/function_scan.h"

#include <cstring>
#include <string_view>

#include "document/text_access.h"
#include "platform/cp932.h"

namespace qz {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits at blanks and tabs (and line feeds when asked).
template <typename F>
void ForEachWord(std::string_view s, bool lineFeeds, F&& f) {
    size_t i = 0;
    auto sep = [&](char c) { return IsBlank(c) || (lineFeeds && c == '\n'); };
    while (i < s.size()) {
        while (i < s.size() && sep(s[i])) ++i;
        size_t b = i;
        while (i < s.size() && !sep(s[i])) ++i;
        if (i > b && !f(s.substr(b, i - b))) return;
    }
}

void CopyCut(char (&dst)[64], std::string_view src) {
    size_t n = std::min(src.size(), kFuncTextBytes);
    std::memcpy(dst, src.data(), n);
    dst[n] = 0;
}

std::string_view SkipBlanks(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

// The value of a #define from the line without comments: what follows the
// directive word and the macro name with its parameter list.
std::string_view DefineValue(std::string_view raw) {
    while (!raw.empty() && IsBlank(raw.back())) raw.remove_suffix(1);
    raw = SkipBlanks(raw);
    size_t i = 0;
    while (i < raw.size() && !IsBlank(raw[i])) ++i;
    raw = SkipBlanks(raw.substr(i));
    int depth = 0;
    for (i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (depth > 0) --depth;
        } else if (IsBlank(c) && depth == 0) {
            break;
        }
    }
    return SkipBlanks(raw.substr(i));
}

bool IsHeadStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Function head: returns false when the line is not one (it then goes on to
// the type rule).
bool ClassifyFunction(std::string_view t, FuncListEntry& e) {
    size_t open = t.find('(');
    if (open == std::string_view::npos) return false;
    size_t close = t.find(')', open);
    if (close != std::string_view::npos) {
        size_t k = close + 1;
        while (k < t.size() && IsBlank(t[k])) ++k;
        if (k < t.size() && t[k] == ';') return false;  // a declaration
    }
    std::string_view last;
    ForEachWord(t.substr(0, open), false, [&](std::string_view w) {
        last = w;
        return true;
    });
    while (!last.empty() && last[0] == '*') last.remove_prefix(1);
    e = FuncListEntry{};
    e.kind = kFuncFunction;
    size_t colons = last.find("::");
    if (colons != std::string_view::npos) {
        CopyCut(e.qualifier, last.substr(0, colons));
        CopyCut(e.name, last.substr(colons + 2));
    } else {
        CopyCut(e.name, last);
    }
    return true;
}

bool ClassifyType(std::string_view t, FuncListEntry& e) {
    t = t.substr(0, t.find('{'));
    if (t.find(';') != std::string_view::npos) return false;
    enum { kUnset, kTypeSeen, kInitialiser } mark = kUnset;
    std::string joined;
    ForEachWord(t, false, [&](std::string_view w) {
        if (mark == kUnset && (w == "struct" || w == "union" || w == "class")) mark = kTypeSeen;
        if (w == "=") mark = kInitialiser;
        if (!joined.empty()) joined.push_back(' ');
        joined.append(w);
        return true;
    });
    if (mark != kTypeSeen) return false;
    e = FuncListEntry{};
    e.kind = kFuncType;
    std::string_view j = joined;
    size_t colon = j.find(':');
    if (colon != std::string_view::npos) {
        CopyCut(e.name, j.substr(0, colon));
        CopyCut(e.qualifier, SkipBlanks(j.substr(colon + 1)));
    } else {
        CopyCut(e.name, j);
    }
    return true;
}

bool ClassifyDefine(std::string_view t, std::string_view raw, FuncListEntry& e) {
    std::string_view head = t.substr(0, t.find('('));
    std::string_view first, second;
    int words = 0;
    ForEachWord(head, false, [&](std::string_view w) {
        (words == 0 ? first : second) = w;
        return ++words < 2;
    });
    if (words < 2 || first != "#define") return false;
    e = FuncListEntry{};
    e.kind = kFuncDefine;
    CopyCut(e.name, second);
    CopyCut(e.qualifier, DefineValue(raw));
    return true;
}

}  // namespace

int ReadScanLine(TextAccess& text, ScanState& st, uint32_t& position, std::string& top,
                 std::string& raw) {
    top.clear();
    raw.clear();
    char buf[kScanPieceBytes];
    uint32_t n = text.ReadText(position, buf, kScanPieceBytes);
    if (n == 0) return 0;
    const char* lf = static_cast<const char*>(std::memchr(buf, '\n', n));
    uint32_t taken = lf ? static_cast<uint32_t>(lf - buf) + 1 : n;
    position += taken;
    const size_t len = lf ? taken - 1 : taken;
    const uint32_t kinds = st.commentKinds;

    bool inSingle = false, inDouble = false, escape = false, restIsComment = false;
    bool trailPending = st.trailPending, endsWithBackslash = false;
    for (size_t i = 0; i < len; ++i) {
        const uint8_t b = static_cast<uint8_t>(buf[i]);
        endsWithBackslash = false;
        if (trailPending) {
            trailPending = false;
            escape = false;
            continue;
        }
        if (IsSjisLead(b)) {
            trailPending = true;
            continue;
        }
        endsWithBackslash = b == '\\';
        if (restIsComment) continue;
        if (st.comment == ScanState::kBlock) {
            if (b == '/' && i > 0 && buf[i - 1] == '*') st.comment = ScanState::kNone;
            continue;
        }
        if (st.comment == ScanState::kMarkup) {
            if (b == '>') st.comment = ScanState::kNone;
            continue;
        }
        bool bracket = false;  // an outermost bracket or opening quote for topText
        if (escape) {
            escape = false;
        } else if (inSingle) {
            if (b == '\'') inSingle = false;
            else if (b == '\\') escape = true;
        } else if (inDouble) {
            if (b == '"') inDouble = false;
            else if (b == '\\') escape = true;
        } else {
            const uint8_t next = i + 1 < len ? static_cast<uint8_t>(buf[i + 1]) : 0;
            if ((kinds & kCommentBlock) && b == '/' && next == '*') {
                st.comment = ScanState::kBlock;
                continue;
            }
            if ((kinds & kCommentMarkup) && b == '<' && next == '!') {
                st.comment = ScanState::kMarkup;
                continue;
            }
            if (((kinds & kCommentSlashes) && b == '/' && next == '/') ||
                ((kinds & kCommentSemicolon) && b == ';') || ((kinds & kCommentStar) && b == '*') ||
                ((kinds & kCommentQuote) && b == '\'') || ((kinds & kCommentHash) && b == '#') ||
                ((kinds & kCommentBackslash) && b == '\\')) {
                restIsComment = true;
                continue;
            }
            if (i == 0 && (((kinds & kCommentSemiFirst) && b == ';') ||
                           ((kinds & kCommentStarFirst) && b == '*') ||
                           ((kinds & kCommentQuoteFirst) && b == '\'') ||
                           ((kinds & kCommentHashFirst) && b == '#') ||
                           ((kinds & kCommentBackslashFirst) && b == '\\'))) {
                restIsComment = true;
                continue;
            }
            const bool top0 = st.braceDepth == 0 && st.parenDepth == 0;
            switch (b) {
                case '\'':
                    inSingle = true;
                    bracket = top0;
                    break;
                case '"':
                    inDouble = true;
                    bracket = top0;
                    break;
                case '{':
                    bracket = ++st.braceDepth == 1;
                    break;
                case '}':
                    if (st.braceDepth > 0) bracket = --st.braceDepth == 0;
                    break;
                case '(':
                    bracket = ++st.parenDepth == 1 && st.braceDepth == 0;
                    break;
                case ')':
                    if (st.parenDepth > 0) bracket = --st.parenDepth == 0 && st.braceDepth == 0;
                    break;
                default:
                    break;
            }
        }
        raw.push_back(static_cast<char>(b));
        if (bracket || (st.braceDepth == 0 && st.parenDepth == 0 && !inSingle && !inDouble))
            top.push_back(static_cast<char>(b));
    }
    st.trailPending = trailPending && !lf;
    top.push_back('\n');
    return endsWithBackslash ? 2 : 1;
}

void ApplyDefineFilter(ScanState& st, std::string& top, int readResult) {
    if (st.inContinuation && st.lastLineWasDefine) {
        top.clear();
        top.push_back('\n');
        st.inContinuation = readResult == 2;
        return;
    }
    std::string_view first, second;
    int words = 0;
    ForEachWord(top, true, [&](std::string_view w) {
        (words == 0 ? first : second) = w;
        return ++words < 2;
    });
    if (words >= 2 && first == "#define") {
        // The word lives in top, so it is moved to the front in place.
        const size_t at = static_cast<size_t>(second.data() - top.data());
        const size_t len = second.size();
        std::memmove(top.data(), top.data() + at, len);
        top.resize(len);
        top.insert(0, "#define ", 8);
        top.push_back('\n');
        st.lastLineWasDefine = true;
        st.inContinuation = readResult == 2;
    } else {
        st.lastLineWasDefine = false;
        st.inContinuation = false;
    }
}

int ScanDefinitions(TextAccess& text, uint32_t commentKinds, FuncListEntry* entries,
                    int maxEntries, int& count) {
    count = 0;
    if (maxEntries <= 0) return 0;
    ScanState st;
    st.commentKinds = commentKinds;
    std::string top, raw;
    top.reserve(kScanPieceBytes + 1);
    raw.reserve(kScanPieceBytes);
    uint32_t position = 1;
    int32_t line = 0;
    while (int r = ReadScanLine(text, st, position, top, raw)) {
        ++line;
        ApplyDefineFilter(st, top, r);
        std::string_view t(top.data(), top.size() - 1);
        if (t.empty()) continue;
        FuncListEntry e;
        bool found = false;
        if (t[0] == '#') found = ClassifyDefine(t, raw, e);
        if (!found && IsHeadStart(t[0])) found = ClassifyFunction(t, e);
        if (!found) found = ClassifyType(t, e);
        if (!found) continue;
        e.line = line;
        entries[count++] = e;
        if (count == maxEntries) return 1;
    }
    return 0;
}

void ScanDefinitions(TextAccess& text, uint32_t commentKinds, FuncListResult& result) {
    result.full = ScanDefinitions(text, commentKinds, result.entries, kMaxFuncEntries, result.count) == 1;
}

}  // namespace qz
