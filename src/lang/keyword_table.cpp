// Keyword files: directives, pattern tokens with their escapes and colour
// groups, and the sorted, indexed table built from them.
#include "lang/keyword_table.h"

#include <algorithm>

#include "lang/text_lines.h"
#include "platform/cp932.h"
#include "platform/message_box.h"

namespace qz {

namespace {

bool StartsNoCase(std::string_view line, std::string_view word) {
    if (line.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char a = line[i], b = word[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
        if (a != b) return false;
    }
    return true;
}

bool IsTokenEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text after a directive name and its blanks, tabs and '=' signs.
std::string_view DirectiveArgument(std::string_view line, size_t nameLength) {
    size_t i = nameLength;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '=')) ++i;
    return line.substr(i);
}

int EscapeCode(char c) {
    switch (c) {
        case 'a': return kCodeLower;
        case 'A': return kCodeUpper;
        case 'b': return kCodeAlpha;
        case '0': return kCodeDigit;
        case 's': return kCodeSpace;
        case 't': return kCodeTab;
        case 'S': return kCodeWhite;
        case 'w': return kCodeWord;
        case 'W': return kCodeSkipQuoted;
        case '*': return kCodeSkip;
        case '?': return kCodeAnyChar;
        case '\\': return '\\';
        default: return -1;
    }
}

}  // namespace

void KeywordTable::Clear() {
    entries.clear();
    wordChars.fill(false);
    wordTrails.fill(false);
    classStart = {-1, -1};
    classEnd = {0, 0};
    for (auto& index : firstByte) index.fill(-1);
    for (auto& keys : codeKeys) keys.clear();
    for (auto& bits : pairBits) bits.fill(0);
}

namespace {

void SetPair(KeywordTable& t, int cls, uint8_t c, int next) {
    auto set = [&](uint8_t a, int d) {
        unsigned bit = (static_cast<unsigned>(a) << 8) | static_cast<unsigned>(d);
        t.pairBits[cls][bit >> 6] |= uint64_t{1} << (bit & 63);
    };
    for (int d = next < 0 ? 0 : next; d <= (next < 0 ? 255 : next); ++d) set(c, d);
}

// Letter cases an entry's byte stands for.
int CaseVariants(uint8_t b, bool noCase, uint8_t out[2]) {
    out[0] = b;
    if (!noCase) return 1;
    if (b >= 'a' && b <= 'z') out[1] = static_cast<uint8_t>(b - 32);
    else if (b >= 'A' && b <= 'Z') out[1] = static_cast<uint8_t>(b + 32);
    else return 1;
    return 2;
}

void BuildSpeedIndex(KeywordTable& t) {
    for (const KeywordEntry& e : t.entries) {
        int cls = e.kind & kKindToken;
        uint8_t first = static_cast<uint8_t>(e.pattern[0]);
        if (first <= kLastKeyCode) {
            auto& keys = t.codeKeys[cls];
            if (std::find(keys.begin(), keys.end(), first) == keys.end()) keys.push_back(first);
            continue;
        }
        bool noCase = e.kind & kKindNoCase;
        uint8_t firsts[2], nexts[2];
        int nf = CaseVariants(first, noCase, firsts);
        uint8_t second = e.length > 1 ? static_cast<uint8_t>(e.pattern[1]) : 0;
        // Any next byte will do after a one-byte pattern, a code, or a lead
        // byte (the second byte of whose character is fixed, but rare).
        bool anyNext = e.length < 2 || second <= kLastKeyCode || IsSjisLead(first);
        int nn = anyNext ? 0 : CaseVariants(second, noCase, nexts);
        for (int f = 0; f < nf; ++f) {
            if (anyNext) {
                SetPair(t, cls, firsts[f], -1);
            } else {
                for (int k = 0; k < nn; ++k) SetPair(t, cls, firsts[f], nexts[k]);
            }
        }
    }
    for (auto& keys : t.codeKeys) std::sort(keys.begin(), keys.end());
}

}  // namespace

bool CompileKeywordPattern(std::string_view token, uint8_t kind, uint8_t defaultGroup,
                           KeywordEntry& entry) {
    entry = KeywordEntry{};
    entry.kind = kind;
    uint8_t group = defaultGroup;
    size_t n = 0;
    auto put = [&](uint8_t byte) {
        entry.pattern[n] = static_cast<char>(byte);
        entry.group[n] = group;
        ++n;
    };
    for (size_t i = 0; i < token.size();) {
        uint8_t c = static_cast<uint8_t>(token[i]);
        if (IsSjisLead(c)) {
            // A double-byte character is never split: it goes in whole or not
            // at all (a lead byte cut off at the end of the token is dropped).
            if (i + 1 < token.size() && n + 2 <= kMaxPatternBytes) {
                put(c);
                put(static_cast<uint8_t>(token[i + 1]));
            }
            i += 2;
            continue;
        }
        if (c == '$') {
            if (i + 1 < token.size()) {
                char d = token[i + 1];
                if (d >= '0' && d <= '3') {
                    group = static_cast<uint8_t>(d - '0');
                } else if (d == '$' && n < kMaxPatternBytes) {
                    put('$');
                }
            }
            i += 2;
            continue;
        }
        if (c == '\\') {
            int code = i + 1 < token.size() ? EscapeCode(token[i + 1]) : -1;
            if (code > 0 && n < kMaxPatternBytes) put(static_cast<uint8_t>(code));
            i += 2;
            continue;
        }
        // Control bytes would read as pattern codes; they could never match a
        // text cell anyway, since the view shows them in other colours.
        if (c >= 0x20 && n < kMaxPatternBytes) put(c);
        ++i;
    }
    entry.length = static_cast<uint8_t>(n);
    entry.pattern[n] = 0;
    while (entry.quickLength < n && entry.quickLength < sizeof entry.quick) {
        uint8_t b = static_cast<uint8_t>(entry.pattern[entry.quickLength]);
        if (b <= kLastKeyCode || b >= 0x80) break;
        if ((kind & kKindNoCase) && b >= 'a' && b <= 'z') b = static_cast<uint8_t>(b - 32);
        entry.quick[entry.quickLength++] = static_cast<char>(b);
    }
    return n > 0;
}

void ParseKeywordFile(std::string_view bytes, KeywordTable& table) {
    table.Clear();
    uint8_t kind = 0, defaultGroup = 0;
    TextModeLines lines(bytes, kKeywordLineBytes);
    std::string line;
    while (static_cast<int>(table.entries.size()) < kMaxKeywords && lines.Next(line)) {
        std::string_view l = line;
        if (l.empty() || l[0] == '\r' || l[0] == '\n') continue;
        if (StartsNoCase(l, "//#WORD")) {
            std::string_view arg = DirectiveArgument(l, 7);
            for (size_t i = 0; i < arg.size() && !IsTokenEnd(arg[i]); ++i) {
                uint8_t c = static_cast<uint8_t>(arg[i]);
                if (IsSjisLead(c)) {
                    // A lead byte without its second byte adds nothing.
                    if (i + 1 >= arg.size() || IsTokenEnd(arg[i + 1])) break;
                    table.wordChars[c] = true;
                    table.wordTrails[static_cast<uint8_t>(arg[++i])] = true;
                    continue;
                }
                table.wordChars[c] = true;
            }
            continue;
        }
        if (StartsNoCase(l, "//#TYPE")) {
            std::string_view arg = DirectiveArgument(l, 7);
            if (!arg.empty() && arg[0] >= '0' && arg[0] <= '3') kind = static_cast<uint8_t>(arg[0] - '0');
            continue;
        }
        if (StartsNoCase(l, "//#DEFCOL")) {
            std::string_view arg = DirectiveArgument(l, 9);
            if (!arg.empty() && arg[0] >= '0' && arg[0] <= '3')
                defaultGroup = static_cast<uint8_t>(arg[0] - '0');
            continue;
        }
        if (l.size() >= 2 && l[0] == '/' && l[1] == '/') continue;
        size_t end = 0;
        while (end < l.size() && !IsTokenEnd(l[end])) ++end;
        KeywordEntry entry;
        if (CompileKeywordPattern(l.substr(0, end), kind, defaultGroup, entry))
            table.entries.push_back(entry);
    }
    SortKeywordTable(table);
}

void SortKeywordTable(KeywordTable& table) {
    auto& e = table.entries;
    // Stable, so that equal keys keep the order of the file.
    std::stable_sort(e.begin(), e.end(), [](const KeywordEntry& a, const KeywordEntry& b) {
        int ca = a.kind & kKindToken, cb = b.kind & kKindToken;
        if (ca != cb) return ca < cb;
        auto fa = static_cast<signed char>(a.pattern[0]);
        auto fb = static_cast<signed char>(b.pattern[0]);
        if (fa != fb) return fa < fb;
        return a.length > b.length;
    });
    table.classStart = {-1, -1};
    table.classEnd = {0, 0};
    for (auto& index : table.firstByte) index.fill(-1);
    for (auto& keys : table.codeKeys) keys.clear();
    for (auto& bits : table.pairBits) bits.fill(0);
    for (int i = 0; i < static_cast<int>(e.size()); ++i) {
        int cls = e[i].kind & kKindToken;
        if (table.classStart[cls] < 0) table.classStart[cls] = i;
        table.classEnd[cls] = i + 1;
        auto& slot = table.firstByte[cls][static_cast<uint8_t>(e[i].pattern[0])];
        if (slot < 0) slot = static_cast<int16_t>(i);
    }
    BuildSpeedIndex(table);
}

bool LoadKeywordFile(const std::string& path, KeywordTable& table, MessageBox& box) {
    table.Clear();
    std::string bytes;
    switch (ReadWholeFile(path, bytes)) {
        case FileReadStatus::Missing:
            box.Show("予約語ファイルがありません\n" + path, "予約語ファイル開く", MbIcon::Stop,
                     MbButtons::Ok);
            return false;
        case FileReadStatus::Unreadable:
            box.Show("予約語ファイルがオープンできません\n" + path, "予約語ファイル開く",
                     MbIcon::Stop, MbButtons::Ok);
            return false;
        case FileReadStatus::Ok:
            break;
    }
    ParseKeywordFile(bytes, table);
    return true;
}

}  // namespace qz
