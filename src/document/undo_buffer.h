// A document's undo history: a table of change records whose bytes live in a
// ring; one group per command, replayed through the text store.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qz {

class TextStore;

constexpr uint32_t kUndoRecords = 2048;
constexpr uint32_t kUndoPiece = 1024;  // bytes handed to the store per replay step

struct UndoRecord {
    int32_t group = 0;
    int32_t kind = 0;     // 1 inserted, 2 deleted
    uint32_t start = 0;   // data start in the ring (kept below 2 x ring size)
    uint32_t pos = 0;     // 1-based text position
    uint32_t length = 0;  // bytes
};

class UndoBuffer {
public:
    // undoKb is the file type's "Undo" setting: the ring holds undoKb x 1024 bytes.
    explicit UndoBuffer(int undoKb = 63);

    void BeginGroup();
    void HoldGroup(int hold) { hold_ = hold ? 1 : 0; }
    // 0 recorded or ignored during replay, -1 refused or overflow.
    int Record(int kind, uint32_t pos, const char* bytes, uint32_t n);
    // 0 done, 1 overflow, -1 nothing to undo (redo).
    int Undo(TextStore& store, uint32_t* outPos);
    int Redo(TextStore& store, uint32_t* outPos);
    void Clear();

    uint32_t Count() const { return count_; }
    uint32_t RedoLimit() const { return limit_; }
    int32_t CurrentGroup() const { return group_; }
    int Hold() const { return hold_; }
    int Overflow() const { return overflow_; }
    int Replay() const { return replay_; }
    uint32_t RingSize() const { return static_cast<uint32_t>(ring_.size()); }
    // Records 1..RedoLimit(), 1-based.
    const UndoRecord& At(uint32_t k) const { return records_.at(k - 1); }
    uint32_t FreeSpace() const;
    // What the current group can still record before the history is lost
    // (older groups make way for it): records and ring bytes; none once it
    // has overflowed.
    uint32_t GroupRoomRecords() const;
    uint32_t GroupRoomBytes() const;

private:
    void Lose();
    void DropOldestGroup();
    // Index of the current group's first record (count_ when it has none).
    uint32_t GroupStart() const;
    void CopyOut(const UndoRecord& r, uint32_t from, uint32_t n, char* out) const;

    uint32_t count_ = 0, limit_ = 0;
    int32_t group_ = 1;
    int hold_ = 0, overflow_ = 0, replay_ = 0;
    std::array<UndoRecord, kUndoRecords> records_{};
    std::vector<char> ring_;
};

}  // namespace qz
