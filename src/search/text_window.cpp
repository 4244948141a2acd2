// Reading the text in pieces that double as a search runs on, so that a
// search next door reads little and a long one reads in big blocks.
#include "search/text_window.h"

#include <algorithm>
#include <cstring>

#include "platform/cp932.h"

namespace qz {

namespace {
constexpr uint32_t kMaxAhead = 1u << 16;
constexpr uint32_t kKeepBehind = 64;
}  // namespace

TextWindow::TextWindow(TextAccess& text) : text_(text), total_(text.GetTextLength()) {}

void TextWindow::Reload(uint32_t a, uint32_t b) {
    // Keep what overlaps, read the rest.
    uint32_t old_lo = lo_, old_hi = hi();
    std::vector<uint8_t> nb(b - a + 1);
    uint32_t ov_lo = std::max(a, old_lo), ov_hi = std::min(b, old_hi);
    auto read = [&](uint32_t from, uint32_t to) {
        if (from < to) {
            uint32_t got = text_.ReadText(from + 1, reinterpret_cast<char*>(nb.data() + (from - a)), to - from);
            if (got < to - from) std::memset(nb.data() + (from - a) + got, 0, to - from - got);
        }
    };
    if (ov_lo < ov_hi) {
        std::memcpy(nb.data() + (ov_lo - a), buf_.data() + head_ + (ov_lo - old_lo), ov_hi - ov_lo);
        read(a, ov_lo);
        read(ov_hi, b);
    } else {
        read(a, b);
    }
    buf_.swap(nb);
    head_ = 0;
    tail_ = b - a;
    lo_ = a;
}

const uint8_t* TextWindow::Span(uint32_t a, uint32_t b, bool forward) {
    b = std::min(b, total_);
    a = std::min(a, b);
    if (a >= lo_ && b <= hi()) return data() + (a - lo_);
    if (forward) {
        uint32_t from = a > kKeepBehind ? a - kKeepBehind : 0;
        if (a >= lo_ && a <= hi()) from = std::max(from, lo_);
        Reload(from, std::min(total_, std::max(b, a + ahead_)));
    } else {
        Reload(b > ahead_ ? std::min(a, b - ahead_) : 0, b);
    }
    ahead_ = std::min(kMaxAhead, ahead_ * 2);
    return data() + (a - lo_);
}

uint8_t TextWindow::ByteAt(uint32_t a) {
    if (a >= lo_ && a < hi()) return buf_[head_ + (a - lo_)];
    if (a >= side_lo_ && a < side_lo_ + side_.size()) return side_[a - side_lo_];
    uint32_t from = a >= 4095 ? a - 4095 : 0;
    uint32_t to = std::min(total_, a + 1);
    side_.resize(to - from);
    uint32_t got = text_.ReadText(from + 1, reinterpret_cast<char*>(side_.data()), to - from);
    side_.resize(got);
    side_lo_ = from;
    return a < from + got ? side_[a - from] : 0;
}

bool TextWindow::IsBoundary(uint32_t a) {
    if (a == 0 || a >= total_) return true;
    // A byte that cannot lead a character ends one, so the character after it
    // starts a run whose lead-range bytes pair up from its start.
    uint32_t k = a;
    uint32_t start = 0;
    for (;;) {
        if (k >= run_start_ && k <= run_end_) {
            start = run_start_;
            break;
        }
        if (k == 0) {
            start = 0;
            break;
        }
        if (!IsSjisLead(ByteAt(k - 1))) {
            start = k;
            break;
        }
        --k;
    }
    run_start_ = start;
    run_end_ = a;
    return ((a - start) & 1) == 0;
}

void TextWindow::Replaced(uint32_t pos, uint32_t removed, const char* r, uint32_t added) {
    uint32_t end = pos + removed;
    side_.clear();
    total_ = total_ - removed + added;
    if (pos >= lo_ && end <= hi() && static_cast<size_t>(end - lo_) >= added) {
        // The window now begins with the new text, then what followed the match.
        size_t at = head_ + (end - lo_) - added;
        if (added) std::memcpy(buf_.data() + at, r, added);  // an empty window has no buffer at all
        head_ = at;
        lo_ = pos;
    } else {
        buf_.clear();
        head_ = tail_ = 0;
        lo_ = pos;
    }
    // The match started on a boundary and nothing before it changed.
    run_start_ = run_end_ = pos;
}

}  // namespace qz
