// The regular-expression compiler: parses the search string into elements,
// counts them against the limits and emits the backtracking program.
#include <memory>

#include "platform/cp932.h"
#include "search/search_pattern.h"

namespace qz {

namespace {

constexpr std::string_view kRegexLiterals = "$()*+.?[\\]^|";

struct Node;
using Seq = std::vector<Node>;

struct Node {
    enum Kind { kUnits, kAny, kClass, kGroup } kind = kUnits;
    uint16_t unit[2] = {0, 0};
    uint8_t count = 0;
    int cls = -1;
    char quant = 0;  // 0, '*', '+' or '?'
    std::vector<Seq> alts;
};

}  // namespace

class RegexCompiler {
public:
    RegexCompiler(std::string_view s, SearchPattern* out) : s_(s), out_(out), fold_(out->folding_) {}

    CompileStatus Run() {
        size_t n = s_.size();
        bool bol = false;
        if (s_[0] == '^') {
            bol = true;
            i_ = 1;
            ++elements_;
        }
        std::vector<Seq> top = ParseAlternatives();
        if (status_ != CompileStatus::kOk) return status_;
        if (i_ < n) return CompileStatus::kBracketError;  // a ")" with no "("
        if (top.size() > static_cast<size_t>(kRegexMaxAlternatives)) return CompileStatus::kTooComplex;
        if (out_->whole_word_) elements_ += 2;
        if (elements_ > kRegexMaxElements) return CompileStatus::kTooComplex;

        std::vector<ReInst>& p = out_->program_;
        if (bol) p.push_back({ReOp::kLineStart});
        if (out_->whole_word_) p.push_back({ReOp::kWordStart});
        EmitAlternatives(top, !eol_ && !out_->whole_word_);
        if (out_->whole_word_) p.push_back({ReOp::kWordEnd});
        if (eol_) p.push_back({ReOp::kLineEnd});
        p.push_back({ReOp::kMatch});
        out_->elements_ = elements_;
        return CompileStatus::kOk;
    }

private:
    // The unit for the byte or character at i_ (a double-byte character is
    // taken whole, a backslash starts an escape), advancing i_. Returns false
    // when the string ends with a backslash, which is dropped.
    struct Unit {
        FoldedChar folded;
        FoldedChar raw;
        bool escaped = false;
    };
    bool ReadUnit(Unit* u) {
        uint8_t b = static_cast<uint8_t>(s_[i_]);
        if (b == '\\') {
            uint8_t v;
            int used = ReadEscape(s_, i_ + 1, kRegexLiterals, &v);
            ++i_;
            if (used > 0) {
                i_ += static_cast<size_t>(used);
                u->folded = fold_.Fold(v, false);
                u->raw = fold_.FoldKeepCase(v, false);
                u->escaped = true;
                return true;
            }
            if (i_ >= s_.size()) return false;
            b = static_cast<uint8_t>(s_[i_]);
            u->escaped = true;
        }
        if (IsSjisLead(b) && i_ + 1 < s_.size()) {
            uint16_t code = static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(s_[i_ + 1]));
            i_ += 2;
            u->folded = fold_.Fold(code, true);
            u->raw = fold_.FoldKeepCase(code, true);
            return true;
        }
        ++i_;
        u->folded = fold_.Fold(b, false);
        u->raw = fold_.FoldKeepCase(b, false);
        return true;
    }

    std::vector<Seq> ParseAlternatives() {
        std::vector<Seq> alts;
        alts.push_back(ParseSeq());
        while (status_ == CompileStatus::kOk && i_ < s_.size() && s_[i_] == '|') {
            ++i_;
            ++elements_;
            alts.push_back(ParseSeq());
        }
        return alts;
    }

    Seq ParseSeq() {
        Seq seq;
        bool after_quant = false;  // the previous character was a quantifier
        while (status_ == CompileStatus::kOk && i_ < s_.size()) {
            if (elements_ > kRegexMaxElements) {
                // Stop early: this also bounds the nesting of groups.
                status_ = CompileStatus::kTooComplex;
                break;
            }
            char c = s_[i_];
            if (c == '|' || c == ')') break;
            bool was_quant = after_quant;
            after_quant = false;
            if (c == '$' && i_ + 1 == s_.size()) {
                eol_ = true;
                ++elements_;
                ++i_;
                break;
            }
            if (c == '(') {
                ++i_;
                elements_ += 2;
                Node g;
                g.kind = Node::kGroup;
                g.alts = ParseAlternatives();
                if (status_ != CompileStatus::kOk) break;
                if (i_ >= s_.size() || s_[i_] != ')') {
                    status_ = CompileStatus::kBracketError;
                    break;
                }
                ++i_;
                seq.push_back(std::move(g));
                continue;
            }
            if (c == '*' || c == '+' || c == '?') {
                after_quant = true;
                if (!was_quant && !seq.empty() && seq.back().kind != Node::kGroup && seq.back().quant == 0) {
                    seq.back().quant = c;
                    ++elements_;
                    ++i_;
                    continue;
                }
                // Nothing to repeat: the character stands for itself.
            }
            if (c == '.') {
                ++i_;
                ++elements_;
                Node n;
                n.kind = Node::kAny;
                seq.push_back(n);
                continue;
            }
            if (c == '[') {
                ++i_;
                ParseClass(&seq);
                continue;
            }
            Unit u;
            if (!ReadUnit(&u)) break;
            Node n;
            n.kind = Node::kUnits;
            n.count = u.folded.count;
            n.unit[0] = u.folded.unit[0];
            n.unit[1] = u.folded.unit[1];
            elements_ += n.count;
            seq.push_back(n);
        }
        return seq;
    }

    void ParseClass(Seq* seq) {
        ReClass cls;
        ++elements_;
        if (i_ < s_.size() && s_[i_] == '^') {
            cls.negated = true;
            ++i_;
        }
        // Members first, ranges joined afterwards: a "-" is a range only
        // between two members and never first or last.
        struct Member {
            Unit u;
            bool dash;
        };
        std::vector<Member> members;
        bool closed = false;
        while (i_ < s_.size()) {
            if (s_[i_] == ']') {
                ++i_;
                closed = true;
                break;
            }
            Member m{};
            m.dash = s_[i_] == '-';
            if (!ReadUnit(&m.u)) break;
            if (m.u.escaped) m.dash = false;
            members.push_back(m);
        }
        if (!closed) {
            status_ = CompileStatus::kBracketError;
            return;
        }
        elements_ += static_cast<int>(members.size());
        for (size_t k = 0; k < members.size(); ++k) {
            const Member& m = members[k];
            if (m.dash && k > 0 && k + 1 < members.size() && !members[k - 1].dash && !cls.items.empty() &&
                !cls.items.back().range) {
                ReClassItem& lo = cls.items.back();
                lo.range = true;
                lo.lo = members[k - 1].u.raw.Key();
                lo.hi = members[k + 1].u.raw.Key();
                ++k;  // the member after the dash is the range's end
                continue;
            }
            cls.items.push_back({m.u.folded.Key(), m.u.folded.Key(), false});
        }
        Node n;
        n.kind = Node::kClass;
        n.cls = static_cast<int>(out_->classes_.size());
        out_->classes_.push_back(std::move(cls));
        seq->push_back(n);
    }

    uint32_t Here() const { return static_cast<uint32_t>(out_->program_.size()); }

    void EmitAlternatives(const std::vector<Seq>& alts, bool last) {
        std::vector<ReInst>& p = out_->program_;
        std::vector<uint32_t> jumps;
        for (size_t a = 0; a < alts.size(); ++a) {
            uint32_t split = 0;
            bool more = a + 1 < alts.size();
            if (more) {
                split = Here();
                p.push_back({ReOp::kSplit});
                p[split].x = Here();
            }
            EmitSeq(alts[a], last);
            if (more) {
                jumps.push_back(Here());
                p.push_back({ReOp::kJump});
                p[split].y = Here();
            }
        }
        for (uint32_t j : jumps) p[j].x = Here();
    }

    void EmitAtom(const Node& n) {
        ReInst in{};
        switch (n.kind) {
            case Node::kUnits:
                in.op = ReOp::kUnits;
                in.count = n.count;
                in.unit[0] = n.unit[0];
                in.unit[1] = n.unit[1];
                break;
            case Node::kAny: in.op = ReOp::kAny; break;
            case Node::kClass:
                in.op = ReOp::kClass;
                in.x = static_cast<uint32_t>(n.cls);
                break;
            case Node::kGroup: break;
        }
        out_->program_.push_back(in);
    }

    // A repeated element followed by more elements takes the fewest
    // repetitions first; the last element of the pattern takes the most.
    void EmitSeq(const Seq& seq, bool last) {
        std::vector<ReInst>& p = out_->program_;
        for (size_t k = 0; k < seq.size(); ++k) {
            const Node& n = seq[k];
            bool greedy = last && k + 1 == seq.size();
            if (n.kind == Node::kGroup) {
                EmitAlternatives(n.alts, greedy);
                continue;
            }
            if (n.quant == 0) {
                EmitAtom(n);
            } else if (n.quant == '+') {
                uint32_t body = Here();
                EmitAtom(n);
                uint32_t split = Here();
                p.push_back({ReOp::kSplit});
                p[split].x = greedy ? body : split + 1;
                p[split].y = greedy ? split + 1 : body;
            } else {
                uint32_t split = Here();
                p.push_back({ReOp::kSplit});
                EmitAtom(n);
                if (n.quant == '*') p.push_back({ReOp::kJump, 0, {0, 0}, split, 0});
                uint32_t after = Here();
                p[split].x = greedy ? split + 1 : after;
                p[split].y = greedy ? after : split + 1;
            }
        }
    }

    std::string_view s_;
    SearchPattern* out_;
    Folding fold_;
    size_t i_ = 0;
    int elements_ = 0;
    bool eol_ = false;
    CompileStatus status_ = CompileStatus::kOk;
};

CompileStatus CompileRegex(std::string_view pattern, SearchPattern* out) {
    RegexCompiler c(pattern, out);
    return c.Run();
}

}  // namespace qz
