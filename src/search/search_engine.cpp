// The search loop over the text in windows, forward and backward, and
// replace-all on top of it.
#include "search/search_engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp932.h"
#include "search/pattern_match.h"
#include "search/span_edits.h"
#include "search/text_window.h"

namespace qz {

namespace {

// One search (or one replace-all run) over one text.
class Finder {
public:
    Finder(TextAccess& text, const SearchPattern& p, const InterruptCheck& interrupt)
        : win_(text), p_(p), interrupt_(interrupt) {
        matcher_.set_interrupt(interrupt);
        plain_margin_ = static_cast<uint32_t>(p.units().size()) * 2 + 2;
    }

    TextWindow& window() { return win_; }

    void Edited(uint32_t pos, uint32_t removed, const char* r, uint32_t added) {
        win_.Replaced(pos, removed, r, added);
        matcher_.Reset();
    }

    // 0-based: the first match starting in [from, last] and ending by limit.
    FindResult Forward(uint32_t from, uint32_t limit) {
        const uint32_t total = win_.total();
        const std::string& lit = p_.literal();
        const bool* first = p_.first_byte();
        const std::string& few = p_.first_byte_list();
        for (uint32_t s = from; s <= limit;) {
            if (interrupt_ && interrupt_()) return {FindStatus::kInterrupted, 0, 0};
            const uint32_t w_end = std::min<uint64_t>(uint64_t{limit} + 1, uint64_t{s} + kSearchWindow);
            win_.Span(s, std::min(total, w_end + Margin()), true);
            uint32_t c = s;
            while (c < w_end) {
                if (c >= total) {
                    if (!p_.can_match_empty()) break;
                } else if (!lit.empty()) {
                    // Look for the raw bytes; a start in this window may end past it.
                    uint32_t hay_end = std::min(win_.hi(), w_end - 1 + static_cast<uint32_t>(lit.size()));
                    if (hay_end < c + lit.size()) break;
                    const uint8_t* base = win_.data() + (c - win_.lo());
                    const void* hit = memmem(base, hay_end - c, lit.data(), lit.size());
                    if (!hit) break;
                    c += static_cast<uint32_t>(static_cast<const uint8_t*>(hit) - base);
                } else if (!few.empty()) {
                    // The nearest of one to three candidate bytes.
                    const uint8_t* base = win_.data() + (c - win_.lo());
                    uint32_t span = std::min(w_end, total) - c, best = span;
                    for (char b : few) {
                        const void* hit = std::memchr(base, static_cast<uint8_t>(b), best);
                        if (hit) best = static_cast<uint32_t>(static_cast<const uint8_t*>(hit) - base);
                    }
                    if (best >= span) break;
                    c += best;
                } else if (p_.has_first_byte_filter()) {
                    const uint8_t* d = win_.data();
                    const uint32_t lo = win_.lo();
                    uint32_t stop = std::min(w_end, total);
                    while (c < stop && !first[d[c - lo]]) ++c;
                    if (c >= stop) break;
                }
                FindResult r;
                if (TryAt(c, limit, true, &r)) return r;
                // A long regular-expression attempt may have moved the window.
                win_.Span(s, std::min(total, w_end + Margin()), true);
                ++c;
            }
            s = w_end;
        }
        return {};
    }

    // 0-based: the last match starting in [lowest, below).
    FindResult Backward(uint32_t below, uint32_t lowest) {
        const uint32_t total = win_.total();
        const bool* first = p_.first_byte();
        const bool filter = p_.has_first_byte_filter();
        for (uint32_t h = below; h > lowest;) {
            if (interrupt_ && interrupt_()) return {FindStatus::kInterrupted, 0, 0};
            const uint32_t w_lo = std::max(lowest, h > kSearchWindow ? h - kSearchWindow : 0);
            win_.Span(w_lo, std::min<uint64_t>(total, uint64_t{h} + Margin()), false);
            for (uint32_t c = h; c-- > w_lo;) {
                if (c >= total) {
                    if (!p_.can_match_empty()) continue;
                } else if (filter) {
                    const uint8_t* d = win_.data();
                    const uint32_t lo = win_.lo();
                    while (c > w_lo && !first[d[c - lo]]) --c;
                    if (!first[d[c - lo]]) break;
                }
                FindResult r;
                if (TryAt(c, total, false, &r)) return r;
                win_.Span(w_lo, std::min<uint64_t>(total, uint64_t{h} + Margin()), false);
            }
            h = w_lo;
        }
        return {};
    }

private:
    uint32_t Margin() const { return p_.is_regex() ? regex_margin_ : plain_margin_; }

    StartContext ContextAt(uint32_t pos) {
        StartContext ctx;
        if (pos == 0) return ctx;
        uint8_t b = win_.ByteAt(pos - 1);
        bool single = (b == '\n' || IsAsciiWordByte(b)) && win_.IsBoundary(pos - 1);
        ctx.line_start = single && b == '\n';
        ctx.prev_word = single && IsAsciiWordByte(b);
        return ctx;
    }

    // Tries a match at pos; true when the search is over (found or stopped).
    bool TryAt(uint32_t pos, uint32_t limit, bool forward, FindResult* out) {
        if (!win_.IsBoundary(pos)) return false;
        StartContext ctx = p_.needs_start_context() ? ContextAt(pos) : StartContext{};
        for (;;) {
            win_.Span(pos, std::min<uint64_t>(win_.total(), uint64_t{pos} + Margin()), forward);
            Subject s{win_.data(), win_.lo(), win_.hi(), win_.total(), limit};
            uint32_t len = 0;
            switch (matcher_.MatchAt(p_, s, pos, ctx, &len)) {
                case MatchStatus::kMatch: *out = {FindStatus::kFound, pos + 1, len}; return true;
                case MatchStatus::kInterrupted: *out = {FindStatus::kInterrupted, 0, 0}; return true;
                case MatchStatus::kNoMatch: return false;
                case MatchStatus::kNeedMore:
                    // Never more than the whole text, so offsets cannot overflow.
                    if (p_.is_regex()) regex_margin_ = std::min(regex_margin_ * 2, std::max(win_.total(), 512u));
                    else plain_margin_ = std::min(plain_margin_ * 2, std::max(win_.total(), 512u));
                    break;
            }
        }
    }

    TextWindow win_;
    const SearchPattern& p_;
    const InterruptCheck& interrupt_;
    Matcher matcher_;
    uint32_t plain_margin_;
    uint32_t regex_margin_ = 512;
};

}  // namespace

FindResult Find(TextAccess& text, const SearchPattern& pattern, SearchDirection dir, uint32_t start,
                std::optional<uint32_t> end, const InterruptCheck& interrupt) {
    if (pattern.empty()) return {};
    Finder f(text, pattern, interrupt);
    const uint32_t total = f.window().total();
    const uint32_t s = std::min(start > 0 ? start - 1 : 0, total + 1);
    if (dir == SearchDirection::kForward) {
        uint32_t limit = end ? std::min(*end > 0 ? *end - 1 : 0, total) : total;
        if (s > limit) return {};
        return f.Forward(s, limit);
    }
    uint32_t lowest = end && *end > 0 ? *end - 1 : 0;
    return f.Backward(s, lowest);
}

bool IsReplaceProgressPoint(long n) {
    if (n < 10) return n > 0;
    if (n < 100) return n % 10 == 0;
    if (n < 1000) return n % 100 == 0;
    return n % 1000 == 0;
}

ReplaceAllResult ReplaceAll(TextAccess& text, const SearchPattern& pattern, std::string_view replacement,
                            uint32_t start, std::optional<uint32_t> end, const ReplaceProgress& progress,
                            const InterruptCheck& interrupt, const ReplaceUndoRoom& undo) {
    ReplaceAllResult res;
    res.next = start;
    if (pattern.empty()) return res;
    // The finder reads the text as the replacements make it; the text itself
    // changes span by span.
    SpanEdits edits(text, undo.changes, undo.bytes);
    auto refused = [&] {
        res.status = ReplaceStatus::kStoreError;
        res.count = edits.Applied();
        return res;
    };
    Finder f(edits, pattern, interrupt);
    const uint32_t added = static_cast<uint32_t>(replacement.size());
    uint32_t total = f.window().total();
    uint32_t pos = std::min(start > 0 ? start - 1 : 0, total);
    uint32_t limit = end ? std::min(*end > 0 ? *end - 1 : 0, total) : total;
    bool stopped = false;
    while (pos <= limit) {
        FindResult r = f.Forward(pos, limit);
        if (r.status == FindStatus::kInterrupted) {
            stopped = true;
            break;
        }
        if (r.status == FindStatus::kNotFound) break;
        const uint32_t at = r.pos - 1;
        if (!edits.Replace(at, r.length, replacement)) return refused();
        ++res.count;
        if (edits.OverBudget()) {
            // Asked while the text is still as it was: No leaves it so.
            if (!undo.goOn || !undo.goOn()) {
                edits.Discard();
                res.count = 0;
                res.next = start;
                res.status = ReplaceStatus::kInterrupted;
                return res;
            }
            if (!edits.Flush(true)) return refused();
        }
        f.Edited(at, r.length, replacement.data(), added);
        total = total - r.length + added;
        limit = limit - r.length + added;
        pos = at + added;
        res.next = pos + 1;
        if (r.length == 0) {
            // The empty string matches again right here: step over one character.
            if (pos >= limit) break;
            pos += (IsSjisLead(f.window().ByteAt(pos)) && pos + 1 < total) ? 2 : 1;
        }
        if (IsReplaceProgressPoint(res.count) && progress && !progress(res.count)) {
            stopped = true;
            break;
        }
        if (interrupt && interrupt()) {
            stopped = true;
            break;
        }
    }
    if (!edits.Flush()) return refused();
    res.status = stopped ? ReplaceStatus::kInterrupted
                         : (res.count > 0 ? ReplaceStatus::kDone : ReplaceStatus::kNone);
    return res;
}

std::string ReplaceProgressText(long count, bool interruptible) {
    char buf[96];
    std::snprintf(buf, sizeof buf, interruptible ? "全て置き換え:[%ld] changed  <ESC>:中断" : "全て置き換え:[%ld] changed",
                  count);
    return buf;
}

std::string ReplaceResultText(const ReplaceAllResult& r) {
    char buf[96];
    switch (r.status) {
        case ReplaceStatus::kInterrupted:
        case ReplaceStatus::kStoreError:
            std::snprintf(buf, sizeof buf, "置き換えを中断しました:[%ld] changed", r.count);
            break;
        case ReplaceStatus::kDone: std::snprintf(buf, sizeof buf, "置き換え終了:[%ld] changed", r.count); break;
        case ReplaceStatus::kNone: std::snprintf(buf, sizeof buf, "文字列が見つかりません [0] changed"); break;
    }
    return buf;
}

}  // namespace qz
