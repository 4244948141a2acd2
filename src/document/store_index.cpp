// The segment index of the text store: a Fenwick tree over the segments'
// sums, rebuilt whole when segments appear or vanish (a rare event next to
// the edits that only move sums).
#include "document/store_index.h"

#include <bit>

namespace qz {

namespace {

uint32_t Measure(const ChainSums& s, IndexMeasure m) {
    return m == IndexMeasure::Bytes ? s.size : m == IndexMeasure::Rows ? s.cr : s.cr - s.dcr;
}

}  // namespace

void StoreIndex::Clear(uint32_t records) {
    segs_.clear();
    tree_.assign(1, ChainSums{});
    heads_.assign(records / 64 + 1, 0);
}

void StoreIndex::Reserve(uint32_t records) {
    if (records / 64 + 1 > heads_.size()) heads_.resize(records / 64 + 1, 0);
}

void StoreIndex::Append(uint32_t first, uint32_t count, const ChainSums& sums) {
    segs_.push_back(Segment{first, count, sums});
    SetHead(first, true);
    // Appending keeps the tree valid: the new node covers the segments that
    // its index's lowest bit spans.
    const uint32_t i = Size();
    ChainSums node = sums;
    for (uint32_t k = 1; k < (i & (0u - i)); k <<= 1) node += tree_[i - k];
    tree_.push_back(node);
}

uint64_t StoreIndex::HeadCount() const {
    uint64_t n = 0;
    for (uint64_t w : heads_) n += static_cast<uint64_t>(std::popcount(w));
    return n;
}

void StoreIndex::Add(uint32_t seg, const ChainSums& s) {
    segs_[seg].sums += s;
    for (uint32_t i = seg + 1; i < tree_.size(); i += i & (0u - i)) tree_[i] += s;
}

void StoreIndex::Sub(uint32_t seg, const ChainSums& s) {
    segs_[seg].sums -= s;
    for (uint32_t i = seg + 1; i < tree_.size(); i += i & (0u - i)) tree_[i] -= s;
}

StoreIndex::Hit StoreIndex::Find(IndexMeasure m, bool after, uint32_t t) {
    const uint32_t n = Size();
    uint32_t pos = 0;
    ChainSums acc;
    for (uint32_t step = n ? std::bit_floor(n) : 0; step; step >>= 1) {
        const uint32_t next = pos + step;
        if (next > n) continue;
        const uint32_t v = Measure(acc, m) + Measure(tree_[next], m);
        if (after ? v < t : v <= t) {
            pos = next;
            acc += tree_[next];
        }
    }
    return Hit{pos, acc};
}

void StoreIndex::Replace(uint32_t seg, const std::vector<Segment>& with) {
    segs_[seg] = with.front();
    segs_.insert(segs_.begin() + seg + 1, with.begin() + 1, with.end());
    Rebuild();
}

void StoreIndex::DropEmpty() {
    std::erase_if(segs_, [](const Segment& s) { return s.count == 0; });
    Rebuild();
}

void StoreIndex::Rebuild() {
    tree_.assign(segs_.size() + 1, ChainSums{});
    for (uint32_t i = 1; i < tree_.size(); ++i) {
        tree_[i] += segs_[i - 1].sums;
        const uint32_t up = i + (i & (0u - i));
        if (up < tree_.size()) tree_[up] += tree_[i];
    }
}

ChainSums StoreIndex::Prefix(uint32_t seg) {
    ChainSums s;
    for (uint32_t i = seg; i; i -= i & (0u - i)) s += tree_[i];
    return s;
}

uint64_t StoreIndex::MemoryUsed() const {
    return segs_.capacity() * sizeof(Segment) + tree_.capacity() * sizeof(ChainSums) +
           heads_.capacity() * sizeof(uint64_t);
}

}  // namespace qz
