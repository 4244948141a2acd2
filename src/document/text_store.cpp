// Text store: record allocation, locating by bytes, rows and lines, and the
// two mutations (insert, delete) with their calls out to the document.
#include "document/text_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

#include "platform/message_box.h"

namespace qz {

namespace {

std::string Fmt(const char* fmt, long long v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, static_cast<int>(v));
    return buf;
}

}  // namespace

TextStore::TextStore() {
    SetLayout(8, 80, 0);
    Reset();
}

TextStore::~TextStore() { ReleaseAll(); }

void TextStore::ReleaseAll() {
    for (const Block& b : blocks_) ::munmap(b.base, b.bytes);
    blocks_.clear();
    chunks_.clear();
    chunkUsed_.clear();
    chunkCount_ = 0;
    inUse_ = 0;
    rowCacheValid_ = false;
    cursorSegKnown_ = false;
}

bool TextStore::CanHold(uint64_t bytes) {
    // Every record full, plus the empty tail a loaded text ends with.
    return (bytes + kRecordText - 1) / kRecordText + 1 <= kMaxRecords;
}

void TextStore::Reset() {
    // A store of one chunk keeps it: new documents and cleared texts cost no
    // fresh mapping then.
    if (chunkCount_ == 1 && blocks_.size() == 1) {
        std::memset(chunks_[0].records, 0, size_t(kChunkRecords) * sizeof(StoreRecord));
        chunkUsed_[0] = 0;
        inUse_ = 0;
        rowCacheValid_ = false;
    } else {
        ReleaseAll();
        Grow(1);
    }
    StoreRecord& r = Rec(1);
    r.used = 1;
    r.NOW = 1;
    chunkUsed_[0] = 1;
    inUse_ = 1;
    head_ = tail_ = hint_ = 1;
    cursor_ = StoreCursor{};
    totalBytes_ = totalCR_ = totalLF_ = 0;
    lastEditPos_ = 0;
    changedBytes_ = 0;
    loadRec_ = 0;
    IndexRebuild();
}

// ---------------------------------------------------------------- allocation

void TextStore::Grow(uint32_t bytes) {
    uint32_t need = bytes == 0 ? 1 : (bytes - 1) / kChunkBytes + 1;
    if (chunkCount_ + uint64_t(need) > chunkLimit_) InternalError(1);
    // One zero-filled mapping for all the new chunks: the kernel hands out
    // zeroed pages, in large pages where it can, on first touch.
    const size_t chunkSize = size_t(kChunkRecords) * sizeof(StoreRecord);
    const size_t bytesNeeded = chunkSize * need;
    void* mem = ::mmap(nullptr, bytesNeeded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mem == MAP_FAILED) InternalError(1);
    if (bytesNeeded >= (size_t(2) << 20)) ::madvise(mem, bytesNeeded, MADV_HUGEPAGE);
    blocks_.push_back(Block{mem, bytesNeeded});
    for (uint32_t i = 0; i < need; ++i) {
        StoreRecord* records = reinterpret_cast<StoreRecord*>(static_cast<char*>(mem) + chunkSize * i);
        chunks_.push_back(ChunkEntry{1, mem, records});
        chunkUsed_.push_back(0);
        ++chunkCount_;
    }
    index_.Reserve(chunkCount_ * kChunkRecords + 1);
}

uint32_t TextStore::Allocate(uint32_t h) {
    auto search = [this]() -> uint32_t {
        uint32_t hc = (hint_ - 1) / kChunkRecords, hs = (hint_ - 1) % kChunkRecords;
        auto scan = [this](uint32_t c, uint32_t from, uint32_t to) -> uint32_t {
            if (chunkUsed_[c] >= kChunkRecords) return 0;
            for (uint32_t s = from; s < to; ++s)
                if (!chunks_[c].records[s].used) return c * kChunkRecords + s + 1;
            return 0;
        };
        if (hc < chunkCount_) {
            if (uint32_t n = scan(hc, hs, kChunkRecords)) return n;
            for (uint32_t c = hc + 1; c < chunkCount_; ++c)
                if (uint32_t n = scan(c, 0, kChunkRecords)) return n;
        }
        for (uint32_t c = 0; c < hc && c < chunkCount_; ++c)
            if (uint32_t n = scan(c, 0, kChunkRecords)) return n;
        if (hc < chunkCount_)
            if (uint32_t n = scan(hc, 0, hs)) return n;
        return 0;
    };
    uint32_t n = search();
    if (!n) {
        // A hint larger than the table can still hold is cut to what fits, so
        // that an edit the capacity check let through never fails here.
        uint64_t b = uint64_t(h) + kRecordText;
        uint64_t room = uint64_t(chunkLimit_ - chunkCount_) * kChunkBytes;
        if (b > room && room > 0) b = room;
        Grow(static_cast<uint32_t>(b));
        n = search();
        if (!n) InternalError(6);
    }
    StoreRecord& r = Rec(n);
    std::memset(&r, 0, sizeof r);
    r.used = 1;
    r.NOW = n;
    ++chunkUsed_[(n - 1) / kChunkRecords];
    ++inUse_;
    hint_ = n;
    return n;
}

void TextStore::FreeRecord(uint32_t n) {
    StoreRecord& r = Rec(n);
    r.used = 0;
    if (indexOn_) index_.SetHead(n, false);
    --chunkUsed_[(n - 1) / kChunkRecords];
    --inUse_;
}

// ---------------------------------------------------------------- locating

void TextStore::SetCursor(const Found& f, int make) {
    cursor_.MAKE = make;
    cursor_.FATNO = f.rec;
    cursor_.SIZE = f.sSize;
    cursor_.CR = f.sCr;
    cursor_.DCR = f.sDcr;
    cursorSeg_ = f.seg;
    cursorSegKnown_ = indexOn_;
}

TextStore::Found TextStore::Locate(Measure m, Rule rule, uint32_t t, int errFwd, int errBack,
                                   const char* fmtNo, const char* fmtRem) {
    if (rule == Rule::After && t == 0) return Found{head_, 0, 0, 0, 0};
    const uint32_t total = m == Measure::Bytes ? totalBytes_ : m == Measure::Rows ? totalCR_ : totalLF_;
    auto sum = [m](const Found& f) -> uint32_t {
        return m == Measure::Bytes ? f.sSize : m == Measure::Rows ? f.sCr : f.sCr - f.sDcr;
    };
    const Found cur{cursor_.FATNO, cursor_.SIZE, cursor_.CR, cursor_.DCR, cursorSeg_};
    const uint32_t c = sum(cur);
    const uint64_t dHead = t;
    const uint64_t dCur = c > t ? c - t : t - c;
    const uint64_t dTail = total >= t ? total - t : UINT64_MAX;

    Found f;
    int start;
    uint64_t d;
    if (dCur <= dHead && dCur <= dTail) {
        f = cur;
        d = dCur;
        start = c < t ? 1 : c > t ? 2 : 3;
    } else if (dHead <= dTail) {
        f = Found{head_, 0, 0, 0, 0};
        d = dHead;
        start = 0;
    } else {
        const StoreRecord& r = Rec(tail_);
        const uint32_t totalDcr = totalCR_ - totalLF_;
        f = Found{tail_, totalBytes_ - r.SIZE, totalCR_ - r.CR, totalDcr - r.DCR, index_.Size() - 1};
        d = dTail;
        start = 4;
    }
    // Far targets come from the index; the walk from the nearest start stays
    // for near ones, where it is cheaper and finds the same record.
    if (indexOn_ && (WalkRecords(d, total) > walkMax_ || (start >= 1 && start <= 3 && !cursorSegKnown_))) {
        const StoreIndex::Hit hit =
            index_.Find(m == Measure::Bytes ? IndexMeasure::Bytes : m == Measure::Rows ? IndexMeasure::Rows
                                                                                          : IndexMeasure::Lines,
                        rule == Rule::After, t);
        if (hit.seg < index_.Size()) {
            f = Found{index_.At(hit.seg).first, hit.before.size, hit.before.cr, hit.before.dcr, hit.seg};
            start = 5;
        }
    }
    if (start == 3) {
        const StoreRecord& r = Rec(cur.rec);
        if (r.BEFORE) {
            const StoreRecord& b = Rec(r.BEFORE);
            f = Found{r.BEFORE, cur.sSize - b.SIZE, cur.sCr - b.CR, cur.sDcr - b.DCR,
                      cur.seg - (index_.IsHead(cur.rec) ? 1 : 0)};
        } else {
            start = 1;
        }
    }

    // A corrupted chain could hold a cycle; no walk is longer than the chain.
    uint32_t steps = 0;
    const uint32_t maxSteps = inUse_ + 1;
    for (;;) {
        uint32_t s = sum(f);
        bool tooFar = rule == Rule::Within ? s > t : s >= t;
        if (!tooFar) break;
        const StoreRecord& r = Rec(f.rec);
        if (!r.BEFORE || ++steps > maxSteps)
            InternalError(errBack, Fmt(fmtNo, start), Fmt(fmtRem, (long long)t - s));
        const StoreRecord& b = Rec(r.BEFORE);
        f = Found{r.BEFORE, f.sSize - b.SIZE, f.sCr - b.CR, f.sDcr - b.DCR, f.seg - (index_.IsHead(f.rec) ? 1 : 0)};
        Prefetch(r.BEFORE - kPrefetchAhead);
    }
    for (;;) {
        const StoreRecord& r = Rec(f.rec);
        uint64_t end = uint64_t(sum(f)) + M(r, m);
        bool beyond = rule == Rule::Within ? t >= end : t > end;
        if (!beyond) break;
        if (!r.NEXT || ++steps > maxSteps)
            InternalError(errFwd, Fmt(fmtNo, start), Fmt(fmtRem, (long long)t - (long long)end));
        Prefetch(r.NEXT + kPrefetchAhead);
        f = Found{r.NEXT, f.sSize + r.SIZE, f.sCr + r.CR, f.sDcr + r.DCR, SegAfter(f.seg, r.NEXT)};
    }
    return f;
}

// ---------------------------------------------------------------- reading

uint32_t TextStore::ReadText(uint32_t p, char* buf, uint32_t n) {
    if (p == 0 || p - 1 >= totalBytes_ || n == 0) return 0;
    Found f = Locate(Measure::Bytes, Rule::Within, p - 1, 2, 3, "No :%d", "Ofs:%d");
    SetCursor(f, kMakeRead);
    uint32_t k = p - 1 - f.sSize;
    uint32_t done = 0;
    uint32_t rn = f.rec;
    while (done < n && rn) {
        const StoreRecord& r = Rec(rn);
        if (k < r.SIZE) {
            uint32_t take = r.SIZE - k;
            if (take > n - done) take = n - done;
            std::memcpy(buf + done, r.text + k, take);
            done += take;
        }
        k = 0;
        rn = r.NEXT;
    }
    return done;
}

uint8_t TextStore::GetCharAt(uint32_t p) {
    char c = 0;
    return ReadText(p, &c, 1) ? static_cast<uint8_t>(c) : 0;
}

// ---------------------------------------------------------------- mutations

void TextStore::Refuse() {
    if (box_)
        box_->Show("書き込み禁止中に書き込みを行おうとしました\nバグです作者に連絡して下さい",
                   "システムエラー", MbIcon::Stop, MbButtons::Ok);
}

void TextStore::Propagate(uint32_t from, uint32_t seg) {
    // A record's layout depends on the one before it, never on the sums, so
    // the sums change once per segment: a long line laid out again after
    // every keystroke crosses many records.
    ChainSums was, now;
    auto settle = [&] {
        if (was == now) return;
        Remove(was, seg);
        Add(now, seg);
    };
    for (uint32_t x = from; x;) {
        StoreRecord& r = Rec(x);
        was += SumsOf(r);
        const bool stable = Scan(r);
        now += SumsOf(r);
        if (stable) break;
        x = r.NEXT;
        const uint32_t next = SegAfter(seg, x);
        if (next != seg) {
            settle();
            was = now = ChainSums{};
            seg = next;
        }
    }
    settle();
}

uint32_t TextStore::InsertText(uint32_t p, const char* bytes, uint32_t n, uint32_t h) {
    if (readOnly_) {
        Refuse();
        return 0;
    }
    if (n == 0 || p == 0 || p - 1 > totalBytes_) return 0;
    // A text beyond the store's capacity is refused like any other write.
    if (uint64_t(chunkLimit_) * kChunkRecords - inUse_ < uint64_t(n) / kRecordText + 2) return 0;
    rowCacheValid_ = false;
    const uint32_t row = OffsetToRow(p);
    const uint32_t oldCR = totalCR_;
    Found f = Locate(Measure::Bytes, Rule::After, p - 1, 4, 5, "No :%d", "Ofs:%d");
    SetCursor(f, kMakeInsert);
    uint32_t rn = f.rec;
    uint32_t seg = f.seg;
    const uint32_t grown = seg;  // new records join the segment of the first one
    StoreRecord* r = &Rec(rn);
    const uint32_t k = p - 1 - f.sSize;

    hold_.assign(reinterpret_cast<const uint8_t*>(bytes), reinterpret_cast<const uint8_t*>(bytes) + n);
    Remove(*r, seg);
    bool allocNow = false;
    if (k < kRecordText) {
        hold_.insert(hold_.end(), r->text + k, r->text + r->SIZE);
        std::memset(r->text + k, 0, r->SIZE - k);
        r->SIZE = k;
    } else {
        allocNow = true;
    }
    // The records filled are laid out and counted once all are in place.
    filled_.clear();
    filledSeg_.clear();
    size_t pos = 0;
    for (;;) {
        size_t rest = hold_.size() - pos;
        if (!allocNow) {
            uint32_t room = kRecordText - r->SIZE;
            if (rest <= room) {
                std::memcpy(r->text + r->SIZE, hold_.data() + pos, rest);
                r->SIZE += static_cast<uint32_t>(rest);
                break;
            }
            std::memcpy(r->text + r->SIZE, hold_.data() + pos, room);
            r->SIZE = kRecordText;
            pos += room;
            rest -= room;
        }
        filled_.push_back(rn);
        filledSeg_.push_back(seg);
        uint32_t nx = r->NEXT;
        if (!allocNow && nx && kRecordText - Rec(nx).SIZE >= rest) {
            StoreRecord& nr = Rec(nx);
            seg = SegAfter(seg, nx);
            Remove(nr, seg);
            hold_.insert(hold_.end(), nr.text, nr.text + nr.SIZE);
            std::memset(nr.text, 0, nr.SIZE);
            nr.SIZE = 0;
            rn = nx;
            r = &nr;
        } else {
            uint32_t nn = Allocate(h);
            StoreRecord& nr = Rec(nn);
            nr.BEFORE = rn;
            nr.NEXT = r->NEXT;
            if (r->NEXT) Rec(r->NEXT).BEFORE = nn;
            else tail_ = nn;
            r->NEXT = nn;
            rn = nn;
            r = &nr;
            if (indexOn_) ++index_.MutableAt(seg).count;
        }
        allocNow = false;
    }
    filled_.push_back(rn);
    filledSeg_.push_back(seg);
    ScanRun(filled_);
    for (size_t k = 0; k < filled_.size(); ++k) Add(Rec(filled_[k]), filledSeg_[k]);
    Propagate(r->NEXT, SegAfter(seg, r->NEXT));
    if (indexOn_ && index_.At(grown).count > segMax_) IndexSplit(grown);

    if (host_) {
        host_->SetModifiedFlag(true);
        host_->NotifyLinesChanged(row, static_cast<int32_t>(totalCR_ - oldCR));
    }
    lastEditPos_ = p + n - 1;
    if (host_) host_->RecordUndo(1, p, bytes, n);
    changedBytes_ += n;
    return n;
}

int TextStore::InsertChar(uint32_t p, uint8_t c) {
    char b = static_cast<char>(c);
    return InsertText(p, &b, 1, 0) ? 0 : -1;
}

uint32_t TextStore::DeleteText(uint32_t p, uint32_t n) {
    if (readOnly_) {
        Refuse();
        return 0;
    }
    if (n == 0 || p == 0 || p - 1 >= totalBytes_) return 0;
    rowCacheValid_ = false;
    const uint32_t row = OffsetToRow(p);
    const uint32_t oldCR = totalCR_;
    Found f = Locate(Measure::Bytes, Rule::Within, p - 1, 7, 8, "No :%d", "Ofs:%d");
    SetCursor(f, kMakeDelete);
    uint32_t rn = f.rec;
    uint32_t seg = f.seg;
    uint32_t k = p - 1 - f.sSize;
    uint32_t remaining = n, deleted = 0;
    uint32_t next = 0, nextSeg = 0;
    bool emptied = false;  // a segment lost its last record
    for (;;) {
        StoreRecord& r = Rec(rn);
        Remove(r, seg);
        uint32_t avail = r.SIZE - k;
        if (avail < remaining) {
            if (host_ && avail) host_->RecordUndo(2, p, reinterpret_cast<const char*>(r.text + k), avail);
            std::memset(r.text + k, 0, avail);
            r.SIZE = k;
            remaining -= avail;
            deleted += avail;
        } else {
            if (host_) host_->RecordUndo(2, p, reinterpret_cast<const char*>(r.text + k), remaining);
            std::memmove(r.text + k, r.text + k + remaining, r.SIZE - k - remaining);
            std::memset(r.text + r.SIZE - remaining, 0, remaining);
            r.SIZE -= remaining;
            deleted += remaining;
            remaining = 0;
        }
        next = r.NEXT;
        nextSeg = SegAfter(seg, next);
        // A record the deletion empties leaves the chain unlaid-out: only
        // what stays is scanned and counted again.
        const bool unlink = r.SIZE == 0 && (r.BEFORE || r.NEXT);
        if (!unlink) {
            Scan(r);
            Add(r, seg);
        } else {
            if (r.BEFORE) {
                Rec(r.BEFORE).NEXT = r.NEXT;
                if (r.NEXT) Rec(r.NEXT).BEFORE = r.BEFORE;
                else tail_ = r.BEFORE;
                if (cursor_.FATNO == rn) {
                    cursorSegKnown_ = false;
                    if (r.NEXT) {
                        cursor_.FATNO = r.NEXT;
                    } else {
                        cursor_.FATNO = head_;
                        cursor_.SIZE = cursor_.CR = cursor_.DCR = 0;
                    }
                }
            } else {
                head_ = r.NEXT;
                Rec(r.NEXT).BEFORE = 0;
                cursor_.FATNO = r.NEXT;
                cursor_.SIZE = cursor_.CR = cursor_.DCR = 0;
                cursorSegKnown_ = false;
            }
            if (indexOn_) {
                // The segment's next record, if it has one, becomes its head.
                StoreIndex::Segment& s = index_.MutableAt(seg);
                if (--s.count == 0) {
                    emptied = true;
                } else if (s.first == rn) {
                    s.first = r.NEXT;
                    index_.SetHead(r.NEXT, true);
                }
            }
            FreeRecord(rn);
        }
        if (remaining == 0 || next == 0) break;
        rn = next;
        seg = nextSeg;
        k = 0;
    }
    Propagate(next, nextSeg);
    if (emptied) IndexDropEmpty();

    if (host_) {
        host_->SetModifiedFlag(true);
        host_->NotifyLinesChanged(row, static_cast<int32_t>(totalCR_ - oldCR));
    }
    lastEditPos_ = p;
    changedBytes_ += deleted;
    return deleted;
}

uint64_t TextStore::MemoryUsed() const {
    return uint64_t(chunkCount_) * kChunkRecords * sizeof(StoreRecord) +
           chunks_.capacity() * sizeof(ChunkEntry) + chunkUsed_.capacity() * sizeof(uint16_t) +
           index_.MemoryUsed();
}

}  // namespace qz
