// Gathering replacements into spans, reading through them, and handing them
// to the text in order.
#include "search/span_edits.h"

#include <algorithm>
#include <cstring>

namespace qz {

namespace {

// Changes one span hands to the text: a deletion and an insertion, each
// only when it has bytes.
uint64_t Changes(uint32_t old, size_t added) { return (old > 0) + (added > 0); }

}  // namespace

SpanEdits::SpanEdits(TextAccess& base, uint32_t changes, uint64_t bytes)
    : base_(base),
      holding_(changes != UINT32_MAX),
      changesRoom_(changes),
      bytesRoom_(bytes),
      length_(base.GetTextLength()) {
    // A gap inside a span costs its bytes twice in the undo ring, a new span
    // two records: gaps up to a thousandth of the ring are taken in, so a run
    // whose whole replaced stretch fits the ring needs at most a few hundred
    // spans. Without a ring to fill, any gap up to the span limit is taken
    // in: every span handed over lays out the rest of its logical line again,
    // so short spans in a long line would cost the square of its length.
    gap_ = holding_ ? static_cast<uint32_t>(std::clamp<uint64_t>(bytes / 1024, 256, kSpanBytes)) : kSpanBytes;
}

void SpanEdits::Pull(uint32_t from, uint32_t to, std::string& out) {
    if (from >= to) return;
    // out may be the last span's own text: its size counts in Delta().
    const uint32_t pos = static_cast<uint32_t>(from - Delta()) + 1;
    const size_t had = out.size();
    out.resize(had + (to - from));
    const uint32_t got = base_.ReadText(pos, out.data() + had, to - from);
    out.resize(had + got);
}

uint32_t SpanEdits::ReadText(uint32_t p, char* buf, uint32_t n) {
    if (p == 0 || p - 1 >= length_) return 0;
    uint32_t x = p - 1;
    const uint32_t want = std::min(n, length_ - x);
    uint32_t done = 0;
    // The last span starting at or before x.
    auto it = std::upper_bound(spans_.begin(), spans_.end(), x, [](uint32_t v, const Span& s) { return v < s.at; });
    while (done < want) {
        if (it != spans_.begin() && x < std::prev(it)->End()) {
            const Span& s = *std::prev(it);
            const uint32_t k = std::min(want - done, s.End() - x);
            std::memcpy(buf + done, s.text.data() + (x - s.at), k);
            done += k, x += k;
            continue;
        }
        const int64_t delta = it == spans_.begin() ? 0 : std::prev(it)->DeltaAfter();
        const uint32_t k = std::min(want - done, it == spans_.end() ? UINT32_MAX : it->at - x);
        const uint32_t got = base_.ReadText(static_cast<uint32_t>(x - delta) + 1, buf + done, k);
        done += got, x += got;
        if (got < k) break;  // the text is shorter than the edits think
        if (it != spans_.end() && x == it->at) ++it;
    }
    return done;
}

bool SpanEdits::Replace(uint32_t at, uint32_t removed, std::string_view bytes) {
    if (open_) {
        Span& s = spans_.back();
        const bool small = std::max<size_t>(s.old, s.text.size()) < kSpanBytes;
        if (at >= s.at && (at < s.End() || (small && at <= uint64_t(s.End()) + gap_))) {
            const uint32_t end = s.End();
            if (at + removed > end) {
                // Pulled bytes join the span's old text too.
                const size_t had = s.text.size();
                Pull(end, at + removed, s.text);
                s.old += static_cast<uint32_t>(s.text.size() - had);
            }
            s.text.replace(at - s.at, removed, bytes);
            ++s.edits;
            length_ = static_cast<uint32_t>(length_ + bytes.size() - removed);
            return true;
        }
        Close();
        if (!holding_ && !HandOver()) return false;
    }
    Span s;
    s.at = at;
    s.deltaBefore = Delta();
    Pull(at, at + removed, s.text);
    s.old = static_cast<uint32_t>(s.text.size());
    s.text.replace(0, removed, bytes);
    s.edits = 1;
    spans_.push_back(std::move(s));
    open_ = true;
    length_ = static_cast<uint32_t>(length_ + bytes.size() - removed);
    return true;
}

void SpanEdits::Close() {
    if (!open_) return;
    const Span& s = spans_.back();
    closedChanges_ += Changes(s.old, s.text.size());
    closedBytes_ += uint64_t(s.old) + s.text.size();
    open_ = false;
}

bool SpanEdits::OverBudget() const {
    if (!holding_) return false;
    uint64_t changes = closedChanges_, bytes = closedBytes_;
    if (open_) {
        const Span& s = spans_.back();
        changes += Changes(s.old, s.text.size());
        bytes += uint64_t(s.old) + s.text.size();
    }
    return changes > changesRoom_ || bytes > bytesRoom_;
}

// Every closed span goes to the text, oldest first: each one's position in
// the edited text is its position in the text once those before it are in.
bool SpanEdits::HandOver() {
    const size_t closed = spans_.size() - (open_ ? 1 : 0);
    for (size_t k = 0; k < closed; ++k) {
        const Span& s = spans_[k];
        const uint32_t added = static_cast<uint32_t>(s.text.size());
        if ((s.old && base_.DeleteText(s.at + 1, s.old) != s.old) ||
            (added && base_.InsertText(s.at + 1, s.text.data(), added, 0) != added)) {
            Discard();
            return false;
        }
        applied_ += s.edits;
    }
    spans_.erase(spans_.begin(), spans_.begin() + static_cast<std::ptrdiff_t>(closed));
    if (open_) spans_.back().deltaBefore = 0;
    closedChanges_ = closedBytes_ = 0;
    return true;
}

bool SpanEdits::Flush(bool join) {
    Close();
    if (join && holding_) Join();
    holding_ = false;
    gap_ = kSpanBytes;
    return HandOver();
}

// Held spans were kept apart to spare the undo ring; once it cannot hold the
// run anyway, neighbours become one span (the bytes between them taken in)
// as long as it stays within the limit.
void SpanEdits::Join() {
    std::vector<Span> joined;
    for (Span& s : spans_) {
        if (!joined.empty()) {
            Span& m = joined.back();
            const uint32_t gap = s.at - m.End();
            if (uint64_t(std::max<size_t>(m.old, m.text.size())) + gap + std::max<size_t>(s.old, s.text.size()) <=
                kSpanBytes) {
                const uint32_t from = static_cast<uint32_t>(m.End() - m.DeltaAfter()) + 1;
                const size_t had = m.text.size();
                m.text.resize(had + gap);
                m.text.resize(had + base_.ReadText(from, m.text.data() + had, gap));
                m.old += static_cast<uint32_t>(m.text.size() - had);
                m.text += s.text;
                m.old += s.old;
                m.edits += s.edits;
                continue;
            }
        }
        joined.push_back(std::move(s));
    }
    spans_ = std::move(joined);
}

void SpanEdits::Discard() {
    spans_.clear();
    open_ = false;
    closedChanges_ = closedBytes_ = 0;
    length_ = base_.GetTextLength();
}

}  // namespace qz
