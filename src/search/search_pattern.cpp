// Compiling plain search strings: escapes, the wildcard, folding; and the
// first-byte filter and literal the finder uses to skip ahead.
#include "search/search_pattern.h"

#include "platform/cp932.h"

namespace qz {

CompileStatus CompileRegex(std::string_view pattern, SearchPattern* out);

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int ReadEscape(std::string_view s, size_t i, std::string_view literals, uint8_t* value) {
    if (i >= s.size()) return 0;
    char c = s[i];
    if (literals.find(c) != std::string_view::npos) {
        *value = static_cast<uint8_t>(c);
        return 1;
    }
    switch (c) {
        case 'a': *value = 7; return 1;
        case 'b': *value = 8; return 1;
        case 'f': *value = 12; return 1;
        case 'n': *value = 10; return 1;
        case 't': *value = 9; return 1;
        case 'v': *value = 11; return 1;
        default: break;
    }
    if (c == 'x' && i + 1 < s.size() && HexValue(s[i + 1]) >= 0) {
        // As many digits as follow; the byte is the value's low eight bits.
        unsigned v = 0;
        size_t j = i + 1;
        while (j < s.size() && HexValue(s[j]) >= 0) v = (v << 4) | static_cast<unsigned>(HexValue(s[j++]));
        *value = static_cast<uint8_t>(v);
        return static_cast<int>(j - i);
    }
    if (c >= '0' && c <= '7') {
        unsigned v = 0;
        size_t j = i;
        while (j < s.size() && j < i + 3 && s[j] >= '0' && s[j] <= '7') v = v * 8 + static_cast<unsigned>(s[j++] - '0');
        *value = static_cast<uint8_t>(v);
        return static_cast<int>(j - i);
    }
    return 0;
}

std::string CompileErrorMessage(CompileStatus status) {
    switch (status) {
        case CompileStatus::kOk: return {};
        case CompileStatus::kEmpty: return "検索文字がありません";
        case CompileStatus::kBracketError: return "カッコの対応が正しくありません";
        case CompileStatus::kTooComplex: return "正規表現が長すぎます";
    }
    return {};
}

CompileStatus SearchPattern::Compile(unsigned options, std::string_view s, SearchPattern* out) {
    *out = SearchPattern();
    out->options_ = options;
    out->folding_ = Folding{(options & kSearchMatchCase) == 0, (options & kSearchFuzzy) != 0};
    out->whole_word_ = (options & kSearchWholeWord) != 0;
    if (s.empty()) return CompileStatus::kEmpty;
    if (options & kSearchRegex) {
        SearchPattern p;
        p.options_ = out->options_;
        p.folding_ = out->folding_;
        p.whole_word_ = out->whole_word_;
        p.regex_ = true;
        CompileStatus st = CompileRegex(s, &p);
        if (st != CompileStatus::kOk) return st;
        p.compiled_ = true;
        p.FinishFilters();
        *out = std::move(p);
        return st;
    }

    const bool escapes = (options & kSearchEscapes) != 0;
    const bool wildcard = (options & kSearchWildcard) != 0;
    const Folding& fold = out->folding_;
    std::vector<PlainUnit> units;
    auto push = [&](uint16_t code, bool dbcs) {
        FoldedChar f = fold.Fold(code, dbcs);
        for (int k = 0; k < f.count; ++k) units.push_back({f.unit[k], false});
    };
    size_t i = 0;
    while (i < s.size()) {
        uint8_t b = static_cast<uint8_t>(s[i]);
        if (IsSjisLead(b) && i + 1 < s.size()) {
            push(static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(s[i + 1])), true);
            i += 2;
        } else if (escapes && b == '\\') {
            uint8_t v;
            int used = ReadEscape(s, i + 1, "$*+.?[\\]^", &v);
            i += 1;  // a backslash before anything else is dropped
            if (used > 0) {
                push(v, false);
                i += static_cast<size_t>(used);
            }
        } else if (wildcard && b == '?') {
            units.push_back({0, true});
            ++i;
        } else {
            push(b, false);
            ++i;
        }
    }
    if (units.empty()) return CompileStatus::kEmpty;
    out->units_ = std::move(units);
    out->compiled_ = true;
    out->needs_context_ = out->whole_word_;
    out->FinishFilters();
    return CompileStatus::kOk;
}

void SearchPattern::FinishFilters() {
    std::vector<uint16_t> first;
    bool any = false;
    if (!regex_) {
        if (units_.front().wildcard) any = true;
        else first.push_back(units_.front().code);
    } else {
        // Units that can begin a match: follow splits, jumps and tests from
        // the start without consuming anything.
        std::vector<uint32_t> todo{0};
        std::vector<bool> seen(program_.size(), false);
        while (!todo.empty()) {
            uint32_t pc = todo.back();
            todo.pop_back();
            if (seen[pc]) continue;
            seen[pc] = true;
            const ReInst& in = program_[pc];
            switch (in.op) {
                case ReOp::kUnits: first.push_back(in.unit[0]); break;
                case ReOp::kAny:
                case ReOp::kClass: any = true; break;
                case ReOp::kSplit: todo.push_back(in.x); todo.push_back(in.y); break;
                case ReOp::kJump: todo.push_back(in.x); break;
                case ReOp::kMatch: nullable_ = true; break;
                default: todo.push_back(pc + 1); break;
            }
            if (in.op == ReOp::kLineStart || in.op == ReOp::kWordStart) needs_context_ = true;
        }
        for (const ReInst& in : program_)
            if (in.op == ReOp::kLineStart || in.op == ReOp::kWordStart) needs_context_ = true;
    }
    filter_ = !any && !nullable_;
    if (filter_) {
        auto wanted = [&](uint16_t u) {
            for (uint16_t f : first)
                if (f == u) return true;
            return false;
        };
        for (int b = 0; b < 256; ++b) {
            bool hit = wanted(folding_.Fold(static_cast<uint16_t>(b), false).unit[0]);
            if (!hit && IsSjisLead(static_cast<uint8_t>(b))) {
                if (!folding_.fuzzy) {
                    for (uint16_t f : first) hit = hit || (f >> 8) == b;
                } else {
                    for (int t = 0; t < 256 && !hit; ++t)
                        hit = wanted(folding_.Fold(static_cast<uint16_t>(b << 8 | t), true).unit[0]);
                }
            }
            first_byte_[b] = hit;
            if (hit) first_list_ += static_cast<char>(b);
        }
        if (first_list_.size() > 3) first_list_.clear();
    }
    if (!regex_ && !folding_.ignore_case && !folding_.fuzzy) {
        std::string lit;
        for (const PlainUnit& u : units_) {
            if (u.wildcard) return;
            if (u.code > 0xFF) lit += static_cast<char>(u.code >> 8);
            lit += static_cast<char>(u.code & 0xFF);
        }
        literal_ = std::move(lit);
    }
}

}  // namespace qz
