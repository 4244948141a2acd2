// Text store: filling by the loader. Records are filled in order and laid
// out behind the filling while the reader is busy; what is left at the end
// is laid out on two cores, the second half from a guessed start state that
// is then corrected until the two agree.
#include <cstring>
#include <thread>

#include "document/text_store.h"

namespace qz {

void TextStore::LoadBegin(uint32_t fileLength) {
    ReleaseAll();
    uint64_t want = uint64_t(fileLength) + kRecordText;
    uint64_t most = uint64_t(chunkLimit_) * kChunkBytes;
    Grow(static_cast<uint32_t>(want < most ? want : most));
    StoreRecord& r = Rec(1);
    r.used = 1;
    r.NOW = 1;
    chunkUsed_[0] = 1;
    inUse_ = 1;
    head_ = tail_ = hint_ = 1;
    loadRec_ = 1;
    loadScanned_ = 0;
    cursor_ = StoreCursor{};
    totalBytes_ = totalCR_ = totalLF_ = 0;
    ResetEditCounters();
    indexOn_ = true;
    index_.Clear(chunkCount_ * kChunkRecords + 1);
    loadSeg_ = ChainSums{};
}

PrefaultArea TextStore::LoadArea() const {
    if (blocks_.empty()) return {};
    return PrefaultArea{static_cast<char*>(blocks_.front().base), blocks_.front().bytes, sizeof(StoreRecord)};
}

bool TextStore::LoadAppend(const char* bytes, uint32_t n) {
    if (!loadRec_) return false;  // not between LoadBegin and LoadEnd
    while (n) {
        StoreRecord* r = &Rec(loadRec_);
        if (r->SIZE == kRecordText) {
            // Room must stay for this record's successor and the empty tail.
            if (loadRec_ + 2 > chunkLimit_ * kChunkRecords) return false;
            uint32_t next = loadRec_ + 1;
            if ((next - 1) / kChunkRecords >= chunkCount_) Grow(kChunkBytes);
            r->NEXT = next;
            StoreRecord& nr = Rec(next);
            nr.used = 1;
            nr.NOW = next;
            nr.BEFORE = loadRec_;
            ++chunkUsed_[(next - 1) / kChunkRecords];
            ++inUse_;
            loadRec_ = next;
            r = &nr;
        }
        uint32_t take = kRecordText - r->SIZE;
        if (take > n) take = n;
        std::memcpy(r->text + r->SIZE, bytes, take);
        r->SIZE += take;
        bytes += take;
        n -= take;
    }
    return true;
}

bool TextStore::LoadLayoutSome(uint32_t records) {
    bool any = false;
    // The record being filled may still change.
    while (records-- && loadScanned_ + 1 < loadRec_) {
        StoreRecord& r = Rec(++loadScanned_);
        Scan(r);
        LoadIndexRecord(r);
        any = true;
    }
    return any;
}

void TextStore::LoadEnd() {
    if (!loadRec_) return;
    // A text that filled its last record gets an empty tail after it; an
    // empty text keeps its one record as it is.
    const bool newTail = Rec(loadRec_).SIZE > 0;
    if (newTail) {
        uint32_t t = loadRec_ + 1;
        if ((t - 1) / kChunkRecords >= chunkCount_) Grow(kChunkBytes);
        StoreRecord& tr = Rec(t);
        tr.used = 1;
        tr.NOW = t;
        tr.BEFORE = loadRec_;
        Rec(loadRec_).NEXT = t;
        ++chunkUsed_[(t - 1) / kChunkRecords];
        ++inUse_;
        tail_ = t;
    } else {
        tail_ = loadRec_;
    }
    LoadLayoutRest(loadScanned_ + 1, newTail ? tail_ : tail_ - 1);
    if (!newTail) LoadIndexRecord(Rec(tail_));
    const uint32_t open = tail_ % SegLoad();
    if (open) index_.Append(tail_ - open + 1, open, loadSeg_);
    hint_ = tail_;
    loadRec_ = 0;
    cursor_ = StoreCursor{};
    cursor_.FATNO = head_;
    cursorSeg_ = 0;
    cursorSegKnown_ = true;
    rowCacheValid_ = false;
}

void TextStore::LoadIndexRecord(const StoreRecord& r) {
    totalBytes_ += r.SIZE;
    totalCR_ += r.CR;
    totalLF_ += r.CR - r.DCR;
    // Loaded records lie in number order, so segment k holds the records
    // from k * SegLoad() + 1 on; the last, open one is closed by LoadEnd.
    loadSeg_ += ChainSums{r.SIZE, r.CR, r.DCR};
    if (r.NOW % SegLoad() == 0) {
        index_.Append(r.NOW - SegLoad() + 1, SegLoad(), loadSeg_);
        loadSeg_ = ChainSums{};
    }
}

void TextStore::LoadLayoutRest(uint32_t from, uint32_t to) {
    if (to < from) return;
    const uint32_t L = SegLoad();
    // The second half starts on a segment boundary, so that its segments
    // can be summed apart and appended afterwards.
    uint32_t mid = from - 1 + (to - from + 1) / 2;
    mid -= mid % L;
    if (to - from + 1 >= kParallelRecords && mid >= from) {
        std::vector<ChainSums> segs((to - mid - 1) / L + 1);
        auto second = [this, &segs, mid, to, L] {
            // A line start in normal state: what most record boundaries of
            // program text are near.
            ScanFrom(Rec(mid + 1), ScanState{kComNormal, 1, 0, 0, 0});
            for (uint32_t x = mid + 1; x <= to; ++x) {
                StoreRecord& r = Rec(x);
                if (x > mid + 1) Scan(r);
                segs[(x - mid - 1) / L] += ChainSums{r.SIZE, r.CR, r.DCR};
            }
        };
        std::thread helper;
        try {
            helper = std::thread(second);
        } catch (const std::system_error&) {
        }
        if (helper.joinable()) {
            for (uint32_t x = from; x <= mid; ++x) {
                Scan(Rec(x));
                LoadIndexRecord(Rec(x));
            }
            helper.join();
            // Relay out from the true start until a record ends as it did
            // from the guess; everything after it was laid out right.
            for (uint32_t x = mid + 1; x <= to; ++x) {
                StoreRecord& r = Rec(x);
                const StoreRecord was = r;
                Scan(r);
                ChainSums& s = segs[(x - mid - 1) / L];
                s += ChainSums{r.SIZE, r.CR, r.DCR};
                s -= ChainSums{was.SIZE, was.CR, was.DCR};
                if (r.COM == was.COM && r.TOP == was.TOP && r.COL == was.COL && r.KAN == was.KAN &&
                    r.CHR == was.CHR)
                    break;
            }
            for (size_t k = 0; k < segs.size(); ++k) {
                const uint32_t first = mid + 1 + uint32_t(k) * L;
                totalBytes_ += segs[k].size;
                totalCR_ += segs[k].cr;
                totalLF_ += segs[k].cr - segs[k].dcr;
                if (to - first + 1 >= L) index_.Append(first, L, segs[k]);
                else loadSeg_ = segs[k];  // the open segment LoadEnd closes
            }
            loadScanned_ = to;
            return;
        }
    }
    for (uint32_t x = from; x <= to; ++x) {
        Scan(Rec(x));
        LoadIndexRecord(Rec(x));
    }
    loadScanned_ = to;
}

}  // namespace qz
