// The index over a text store's record chain: the chain cut into segments of
// consecutive records, each with its sums of bytes, row breaks and wraps, in
// a Fenwick tree, so that a byte, row or line far from every walk start is
// found in logarithmic time plus a walk inside one segment.
#pragma once

#include <cstdint>
#include <vector>

namespace qz {

struct ChainSums {
    uint32_t size = 0, cr = 0, dcr = 0;
    ChainSums& operator+=(const ChainSums& o) {
        size += o.size, cr += o.cr, dcr += o.dcr;
        return *this;
    }
    // Unsigned: a difference of sums wraps, and adding it back undoes that.
    ChainSums& operator-=(const ChainSums& o) {
        size -= o.size, cr -= o.cr, dcr -= o.dcr;
        return *this;
    }
    bool operator==(const ChainSums&) const = default;
};

// What a search in the index counts: bytes, row breaks, or line ends.
enum class IndexMeasure { Bytes, Rows, Lines };

class StoreIndex {
public:
    struct Segment {
        uint32_t first;  // its first record; that record's head bit is set
        uint32_t count;  // records in it, 0 once all were unlinked
        ChainSums sums;
    };
    struct Hit {
        uint32_t seg;      // segment holding the target, or Size() when none does
        ChainSums before;  // sums over the segments before it
    };

    // Forgets every segment; head bits are kept for up to `records` records.
    void Clear(uint32_t records);
    void Reserve(uint32_t records);
    // Appends a segment at the end of the chain.
    void Append(uint32_t first, uint32_t count, const ChainSums& sums);

    uint32_t Size() const { return static_cast<uint32_t>(segs_.size()); }
    const Segment& At(uint32_t seg) const { return segs_[seg]; }
    Segment& MutableAt(uint32_t seg) { return segs_[seg]; }

    bool IsHead(uint32_t rec) const {
        return rec / 64 < heads_.size() && (heads_[rec / 64] >> (rec % 64) & 1);
    }
    void SetHead(uint32_t rec, bool on) {
        if (on) heads_[rec / 64] |= uint64_t(1) << (rec % 64);
        else heads_[rec / 64] &= ~(uint64_t(1) << (rec % 64));
    }
    uint64_t HeadCount() const;

    // A record's sums joining or leaving segment seg.
    void Add(uint32_t seg, const ChainSums& s);
    void Sub(uint32_t seg, const ChainSums& s);

    // The segment holding unit t (0-based) of the measure with `after`
    // false, or the segment where the t-th unit ends (t >= 1) with `after`
    // true; segments whose measure is 0 never hold one.
    Hit Find(IndexMeasure m, bool after, uint32_t t);

    // Replaces segment seg by the given ones (at least one), or drops the
    // segments with no records left; both rebuild the tree.
    void Replace(uint32_t seg, const std::vector<Segment>& with);
    void DropEmpty();

    // Sums over the segments before seg, from the tree (for checks).
    ChainSums Prefix(uint32_t seg);
    uint64_t MemoryUsed() const;

private:
    void Rebuild();

    std::vector<Segment> segs_;
    std::vector<ChainSums> tree_;  // Fenwick tree, 1-based
    std::vector<uint64_t> heads_;  // one bit per record number
};

}  // namespace qz
