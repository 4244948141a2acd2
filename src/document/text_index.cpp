// Text store: keeping the segment index in step with the chain (rebuild,
// split, dropping emptied segments) and checking it against the chain.
#include <cstdio>

#include "document/text_store.h"

namespace qz {

void TextStore::SetIndexTuningForTest(uint32_t segMax, uint32_t walkMax) {
    segMax_ = segMax < 1 ? 1 : segMax;
    walkMax_ = walkMax;
    IndexRebuild();
}

// Also recomputes the totals and puts the cursor at the head, which is what
// RelayoutAll and Reset want as well.
void TextStore::IndexRebuild() {
    index_.Clear(chunkCount_ * kChunkRecords + 1);
    indexOn_ = true;
    totalBytes_ = totalCR_ = totalLF_ = 0;
    ChainSums seg;
    uint32_t first = 0, count = 0;
    for (uint32_t x = head_; x; x = Rec(x).NEXT) {
        const StoreRecord& r = Rec(x);
        if (count == SegLoad()) {
            index_.Append(first, count, seg);
            seg = ChainSums{};
            count = 0;
        }
        if (count++ == 0) first = x;
        seg += ChainSums{r.SIZE, r.CR, r.DCR};
        totalBytes_ += r.SIZE;
        totalCR_ += r.CR;
        totalLF_ += r.CR - r.DCR;
    }
    index_.Append(first, count, seg);
    cursor_ = StoreCursor{};
    cursor_.FATNO = head_;
    cursorSeg_ = 0;
    cursorSegKnown_ = true;
    rowCacheValid_ = false;
}

void TextStore::IndexSplit(uint32_t seg) {
    const StoreIndex::Segment whole = index_.At(seg);
    std::vector<StoreIndex::Segment> parts;
    uint32_t x = whole.first;
    for (uint32_t left = whole.count; left;) {
        const uint32_t take = left < SegLoad() * 2 ? left : SegLoad();
        StoreIndex::Segment part{x, take, {}};
        index_.SetHead(x, true);
        for (uint32_t i = 0; i < take; ++i, x = Rec(x).NEXT) {
            const StoreRecord& r = Rec(x);
            part.sums += ChainSums{r.SIZE, r.CR, r.DCR};
        }
        parts.push_back(part);
        left -= take;
    }
    index_.Replace(seg, parts);
    cursorSegKnown_ = false;
}

void TextStore::IndexDropEmpty() {
    index_.DropEmpty();
    cursorSegKnown_ = false;
}

std::string TextStore::IndexCheck() const {
    char buf[160];
    auto bad = [&buf](const char* fmt, long long a = 0, long long b = 0, long long c = 0) {
        std::snprintf(buf, sizeof buf, fmt, a, b, c);
        return std::string(buf);
    };
    const uint32_t n = index_.Size();
    if (n == 0) return "index has no segment";
    uint32_t seg = 0, inSeg = 0;
    ChainSums sums, before;
    for (uint32_t x = head_; x; x = Rec(x).NEXT) {
        if (index_.IsHead(x) && x != head_) {
            if (inSeg != index_.At(seg).count) return bad("segment %lld holds %lld records, counts %lld", seg, inSeg, index_.At(seg).count);
            if (!(sums == index_.At(seg).sums)) return bad("segment %lld sums differ from its records", seg);
            if (!(index_.Prefix(seg) == before)) return bad("index tree before segment %lld is wrong", seg);
            before += sums;
            sums = ChainSums{};
            inSeg = 0;
            if (++seg >= n) return bad("chain has more segments than the %lld indexed", n);
        }
        if (inSeg == 0 && index_.At(seg).first != x) return bad("segment %lld starts at %lld, not at its head bit", seg, index_.At(seg).first);
        if (x == cursor_.FATNO && cursorSegKnown_ && cursorSeg_ != seg)
            return bad("cursor segment %lld, the record lies in %lld", cursorSeg_, seg);
        const StoreRecord& r = Rec(x);
        sums += ChainSums{r.SIZE, r.CR, r.DCR};
        ++inSeg;
    }
    if (!index_.IsHead(head_)) return "the head record is no segment head";
    if (seg + 1 != n) return bad("chain has %lld segments, index %lld", seg + 1, n);
    if (inSeg != index_.At(seg).count || !(sums == index_.At(seg).sums) || !(index_.Prefix(seg) == before))
        return bad("last segment %lld differs from its records", seg);
    if (index_.HeadCount() != n) return bad("%lld head bits for %lld segments", index_.HeadCount(), n);
    for (uint32_t s = 0; s < n; ++s)
        if (index_.At(s).count > segMax_) return bad("segment %lld holds %lld records", s, index_.At(s).count);
    return {};
}

}  // namespace qz
