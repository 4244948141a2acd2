// A window of a document's text held in memory for the finder, read from the
// store in growing pieces, and the character-boundary test over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/text_access.h"

namespace qz {

class TextWindow {
public:
    explicit TextWindow(TextAccess& text);

    uint32_t total() const { return total_; }
    // Offsets are 0-based. Makes [a, b) (clipped to the text) available and
    // returns the byte at a; `forward` says which way the reads will go on,
    // so the window reads ahead in that direction.
    const uint8_t* Span(uint32_t a, uint32_t b, bool forward);
    uint32_t lo() const { return lo_; }
    uint32_t hi() const { return lo_ + static_cast<uint32_t>(tail_ - head_); }
    const uint8_t* data() const { return buf_.data() + head_; }

    // One byte anywhere in the text (a < total), loaded when needed.
    uint8_t ByteAt(uint32_t a);

    // Whether a character starts at a (0 and total are boundaries). The
    // remembered run of lead-range bytes keeps a whole search linear.
    bool IsBoundary(uint32_t a);

    // The text at [pos, pos + removed) was replaced by the `added` bytes at r.
    void Replaced(uint32_t pos, uint32_t removed, const char* r, uint32_t added);

private:
    void Reload(uint32_t a, uint32_t b);

    TextAccess& text_;
    uint32_t total_;
    std::vector<uint8_t> buf_;
    size_t head_ = 0, tail_ = 0;
    uint32_t lo_ = 0;
    uint32_t ahead_ = 256;
    // Bytes [run_start_, run_end_) are all lead-range and run_start_ is a
    // boundary.
    uint32_t run_start_ = 0, run_end_ = 0;
    // Side reads for bytes outside the window (boundary scans backwards).
    std::vector<uint8_t> side_;
    uint32_t side_lo_ = 0;
};

}  // namespace qz
