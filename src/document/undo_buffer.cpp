// Undo history: recording with merging and making room, and replaying whole
// groups backwards (undo) or forwards (redo) through the store.
#include "document/undo_buffer.h"

#include <algorithm>
#include <cstring>

#include "document/text_store.h"

namespace qz {

UndoBuffer::UndoBuffer(int undoKb) : ring_(static_cast<size_t>(undoKb < 1 ? 1 : undoKb) * 1024) {}

void UndoBuffer::BeginGroup() {
    if (!hold_) group_ = count_ ? records_[count_ - 1].group + 1 : 1;
    overflow_ = 0;
}

void UndoBuffer::Clear() {
    count_ = limit_ = 0;
    overflow_ = replay_ = 0;
}

uint32_t UndoBuffer::FreeSpace() const {
    if (!count_) return RingSize();
    const UndoRecord& newest = records_[count_ - 1];
    return RingSize() - (newest.start + newest.length - records_[0].start);
}

uint32_t UndoBuffer::GroupStart() const {
    uint32_t k = count_;
    while (k && records_[k - 1].group == group_) --k;
    return k;
}

uint32_t UndoBuffer::GroupRoomRecords() const { return overflow_ ? 0 : kUndoRecords - (count_ - GroupStart()); }

uint32_t UndoBuffer::GroupRoomBytes() const {
    if (overflow_) return 0;
    uint32_t used = 0;
    for (uint32_t k = GroupStart(); k < count_; ++k) used += records_[k].length;
    return RingSize() - used;
}

void UndoBuffer::Lose() {
    overflow_ = 1;
    count_ = limit_ = 0;
}

void UndoBuffer::DropOldestGroup() {
    const int32_t g = records_[0].group;
    uint32_t k = 0;
    while (k < count_ && records_[k].group == g) ++k;
    std::move(records_.begin() + k, records_.begin() + count_, records_.begin());
    count_ -= k;
    limit_ = count_;
}

int UndoBuffer::Record(int kind, uint32_t pos, const char* bytes, uint32_t n) {
    if (replay_) return 0;
    if (overflow_) return -1;
    limit_ = count_;  // recording loses what could have been redone
    while (count_ == kUndoRecords || (count_ && FreeSpace() < n)) {
        if (records_[0].group == group_) {
            Lose();
            return -1;
        }
        DropOldestGroup();
    }
    if (!count_ && n > RingSize()) {
        Lose();
        return -1;
    }
    UndoRecord* r = count_ ? &records_[count_ - 1] : nullptr;
    const bool merge = r && r->group == group_ && r->kind == kind &&
                       (kind == 1 ? pos == r->pos + r->length : pos == r->pos);
    if (!merge) {
        UndoRecord fresh;
        fresh.group = group_;
        fresh.kind = kind;
        fresh.pos = pos;
        fresh.length = 0;
        fresh.start = r ? r->start + r->length : 0;
        records_[count_++] = fresh;
        r = &records_[count_ - 1];
    }
    const uint32_t size = RingSize();
    uint32_t at = (r->start + r->length) % size;
    for (uint32_t i = 0; i < n;) {
        uint32_t take = std::min(n - i, size - at);
        std::memcpy(ring_.data() + at, bytes + i, take);
        i += take;
        at = 0;
    }
    r->length += n;
    limit_ = count_;
    while (records_[0].start >= size)
        for (uint32_t k = 0; k < count_; ++k) records_[k].start -= size;
    return 0;
}

void UndoBuffer::CopyOut(const UndoRecord& r, uint32_t from, uint32_t n, char* out) const {
    const uint32_t size = RingSize();
    uint32_t at = (r.start + from) % size;
    for (uint32_t i = 0; i < n;) {
        uint32_t take = std::min(n - i, size - at);
        std::memcpy(out + i, ring_.data() + at, take);
        i += take;
        at = 0;
    }
}

int UndoBuffer::Undo(TextStore& store, uint32_t* outPos) {
    if (overflow_) return 1;
    if (!count_) return -1;
    replay_ = 1;
    char piece[kUndoPiece];
    const int32_t g = records_[count_ - 1].group;
    while (count_ && records_[count_ - 1].group == g) {
        const UndoRecord& r = records_[count_ - 1];
        uint32_t pos = r.pos;
        for (uint32_t done = 0; done < r.length;) {
            uint32_t n = std::min(kUndoPiece, r.length - done);
            if (r.kind == 1) {
                store.DeleteText(pos, n);
            } else {
                CopyOut(r, done, n, piece);
                store.InsertText(pos, piece, n, r.length - done - n);
                pos += n;
            }
            done += n;
        }
        if (outPos) *outPos = r.pos;
        --count_;
    }
    replay_ = 0;
    return 0;
}

int UndoBuffer::Redo(TextStore& store, uint32_t* outPos) {
    if (overflow_) return 1;
    if (count_ == limit_) return -1;
    replay_ = 1;
    char piece[kUndoPiece];
    const int32_t g = records_[count_].group;
    while (count_ < limit_ && records_[count_].group == g) {
        const UndoRecord& r = records_[count_];
        if (r.kind == 1) {
            uint32_t pos = r.pos;
            for (uint32_t done = 0; done < r.length;) {
                uint32_t n = std::min(kUndoPiece, r.length - done);
                CopyOut(r, done, n, piece);
                store.InsertText(pos, piece, n, r.length - done - n);
                pos += n;
                done += n;
            }
        } else {
            store.DeleteText(r.pos, r.length);
        }
        if (outPos) *outPos = r.pos;
        ++count_;
    }
    replay_ = 0;
    return 0;
}

}  // namespace qz
