// Plain unit-by-unit matching and the backtracking machine for regular
// expressions, which remembers failed (instruction, position) states so that
// no pattern can take more than a bounded number of steps per search.
#include "search/pattern_match.h"

#include "platform/cp932.h"

namespace qz {

namespace {

enum class Read { kOk, kNeedMore, kNone };

struct Char {
    uint16_t code;
    bool dbcs;
    uint32_t len;
};

// The character at pos (a character boundary), if it may be taken.
inline Read CharAt(const Subject& s, uint32_t pos, Char* c) {
    if (pos >= s.limit || pos >= s.text_end) return Read::kNone;
    if (pos >= s.avail) return Read::kNeedMore;
    uint8_t b = s.data[pos - s.base];
    if (IsSjisLead(b) && pos + 1 < s.text_end) {
        if (pos + 1 >= s.avail) return Read::kNeedMore;
        if (pos + 2 > s.limit) return Read::kNone;
        c->code = static_cast<uint16_t>(b << 8 | s.data[pos + 1 - s.base]);
        c->dbcs = true;
        c->len = 2;
    } else {
        c->code = b;
        c->dbcs = false;
        c->len = 1;
    }
    return Read::kOk;
}

// The byte at a boundary pos for the end tests: -1 at the end of the text,
// -2 when it is not loaded yet.
inline int PeekByte(const Subject& s, uint32_t pos) {
    if (pos >= s.text_end) return -1;
    if (pos >= s.avail) return -2;
    return s.data[pos - s.base];
}

constexpr size_t kMemoLimit = size_t{1} << 23;  // entries; beyond it the memory restarts

}  // namespace

void Matcher::Reset() {
    memo_.clear();
    memo_used_ = 0;
    memo_on_ = false;
}

bool Matcher::Visited(uint64_t key) {
    if (memo_used_ * 2 >= memo_.size()) {
        if (memo_used_ >= kMemoLimit) {
            // Forgetting only costs repeated work, never a wrong answer.
            std::fill(memo_.begin(), memo_.end(), 0);
            memo_used_ = 0;
        } else {
            std::vector<uint64_t> old;
            old.swap(memo_);
            memo_.assign(old.empty() ? 4096 : old.size() * 2, 0);
            memo_used_ = 0;
            for (uint64_t k : old)
                if (k) Visited(k);
        }
    }
    size_t mask = memo_.size() - 1;
    size_t h = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & mask;
    while (memo_[h] != 0) {
        if (memo_[h] == key) return true;
        h = (h + 1) & mask;
    }
    memo_[h] = key;
    ++memo_used_;
    return false;
}

MatchStatus Matcher::MatchAt(const SearchPattern& p, const Subject& s, uint32_t pos, const StartContext& ctx,
                             uint32_t* length) {
    if (p.empty()) return MatchStatus::kNoMatch;
    return p.is_regex() ? MatchRegex(p, s, pos, ctx, length) : MatchPlain(p, s, pos, ctx, length);
}

MatchStatus Matcher::MatchPlain(const SearchPattern& p, const Subject& s, uint32_t pos, const StartContext& ctx,
                                uint32_t* length) {
    const uint32_t start = pos;
    if (p.whole_word()) {
        int b = PeekByte(s, pos);
        if (b == -2) return MatchStatus::kNeedMore;
        if (b < 0 || !IsAsciiWordByte(static_cast<uint8_t>(b)) || ctx.prev_word) return MatchStatus::kNoMatch;
    }
    const Folding& fold = p.folding();
    FoldedChar cur{{0, 0}, 0};
    int idx = 0;
    for (const PlainUnit& u : p.units()) {
        if (idx >= cur.count) {
            Char c;
            Read r = CharAt(s, pos, &c);
            if (r != Read::kOk) return r == Read::kNeedMore ? MatchStatus::kNeedMore : MatchStatus::kNoMatch;
            cur = fold.Fold(c.code, c.dbcs);
            idx = 0;
            pos += c.len;
        }
        if (u.wildcard) {
            idx = cur.count;  // "?" takes the rest of the character
        } else {
            if (cur.unit[idx] != u.code) return MatchStatus::kNoMatch;
            ++idx;
        }
    }
    if (idx < cur.count) return MatchStatus::kNoMatch;  // would end inside a character
    if (p.whole_word()) {
        int b = PeekByte(s, pos);
        if (b == -2) return MatchStatus::kNeedMore;
        if (b >= 0 && IsAsciiWordByte(static_cast<uint8_t>(b))) return MatchStatus::kNoMatch;
    }
    *length = pos - start;
    return MatchStatus::kMatch;
}

MatchStatus Matcher::MatchRegex(const SearchPattern& p, const Subject& s, uint32_t start, const StartContext& ctx,
                                uint32_t* length) {
    const std::vector<ReInst>& prog = p.program();
    const Folding& fold = p.folding();
    stack_.clear();
    stack_.push_back({0, start, 0});
    uint32_t steps_here = 0;
    auto need_more = [this] {
        Reset();  // states of an unfinished walk are not known failures
        return MatchStatus::kNeedMore;
    };
    while (!stack_.empty()) {
        Thread t = stack_.back();
        stack_.pop_back();
        for (;;) {
            if (memo_on_ && Visited((uint64_t{t.pc} << 34 | uint64_t{t.pos} << 1 | t.sub) + 1)) break;
            ++total_steps_;
            if ((total_steps_ & 0xFFF) == 0 && interrupt_ && interrupt_()) return MatchStatus::kInterrupted;
            if (++steps_here > 256) memo_on_ = true;
            const ReInst& in = prog[t.pc];
            bool ok = true;
            switch (in.op) {
                case ReOp::kUnits: {
                    for (int k = 0; k < in.count && ok; ++k) {
                        Char c;
                        Read r = CharAt(s, t.pos, &c);
                        if (r == Read::kNeedMore) return need_more();
                        if (r == Read::kNone) {
                            ok = false;
                            break;
                        }
                        FoldedChar f = fold.Fold(c.code, c.dbcs);
                        if (f.unit[t.sub] != in.unit[k]) {
                            ok = false;
                            break;
                        }
                        if (++t.sub == f.count) {
                            t.sub = 0;
                            t.pos += c.len;
                        }
                    }
                    ++t.pc;
                    break;
                }
                case ReOp::kAny:
                case ReOp::kClass: {
                    Char c;
                    Read r = CharAt(s, t.pos, &c);
                    if (r == Read::kNeedMore) return need_more();
                    if (r == Read::kNone || (!c.dbcs && c.code == '\n')) {
                        ok = false;
                        break;
                    }
                    if (in.op == ReOp::kClass) {
                        FoldedChar f = fold.Fold(c.code, c.dbcs);
                        FoldedChar raw = fold.FoldKeepCase(c.code, c.dbcs);
                        uint16_t key = t.sub ? f.unit[1] : f.Key();
                        uint16_t raw_key = t.sub ? raw.unit[1] : raw.Key();
                        const ReClass& cls = p.classes()[in.x];
                        bool in_class = false;
                        for (const ReClassItem& item : cls.items) {
                            if (item.range ? (raw_key >= item.lo && raw_key <= item.hi) : key == item.lo) {
                                in_class = true;
                                break;
                            }
                        }
                        if (in_class == cls.negated) {
                            ok = false;
                            break;
                        }
                    }
                    t.pos += c.len;
                    t.sub = 0;
                    ++t.pc;
                    break;
                }
                case ReOp::kSplit:
                    stack_.push_back({in.y, t.pos, t.sub});
                    t.pc = in.x;
                    break;
                case ReOp::kJump: t.pc = in.x; break;
                case ReOp::kLineStart:
                    ok = t.pos == start && ctx.line_start;
                    ++t.pc;
                    break;
                case ReOp::kWordStart: {
                    int b = PeekByte(s, t.pos);
                    if (b == -2) return need_more();
                    ok = t.sub == 0 && t.pos == start && b >= 0 && IsAsciiWordByte(static_cast<uint8_t>(b)) &&
                         !ctx.prev_word;
                    ++t.pc;
                    break;
                }
                case ReOp::kWordEnd:
                case ReOp::kLineEnd: {
                    int b = PeekByte(s, t.pos);
                    if (b == -2) return need_more();
                    if (in.op == ReOp::kWordEnd)
                        ok = t.sub == 0 && (b < 0 || !IsAsciiWordByte(static_cast<uint8_t>(b)));
                    else
                        ok = t.sub == 0 && (b < 0 || b == '\n');
                    ++t.pc;
                    break;
                }
                case ReOp::kMatch:
                    if (t.sub == 0) {
                        *length = t.pos - start;
                        return MatchStatus::kMatch;
                    }
                    ok = false;
                    break;
            }
            if (!ok) break;
        }
    }
    return MatchStatus::kNoMatch;
}

}  // namespace qz
