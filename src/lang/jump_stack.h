// Places the editor can return to: the definition jump-back stack and the
// twelve numbered marks, both process-wide.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/settings.h"

namespace qz {

constexpr int kJumpBackDepth = 16;
constexpr int kNumberedMarks = 12;

// Messages of the marks (UTF-8).
extern const char kMsgMarksFull[];      // "マークできません（既に最大数マークされています）"
extern const char kMsgNoReturnPoint[];  // "戻り先が登録されていません"
std::string MarkedMessage(int number);  // "%d番にマークしました", number from 1

struct JumpPlace {
    int32_t used = 0;
    std::string fileName;              // full path of the document
    const void* viewWindow = nullptr;  // the view active when stored; null when restored
    int32_t line = 1;
    bool operator==(const JumpPlace&) const = default;
};

class JumpBackStack {
public:
    // Stores a place; when all 16 are in use the oldest is dropped.
    void Push(const JumpPlace& place);
    // Takes the newest place off; false when the stack is empty.
    bool Pop(JumpPlace& place);
    int Size() const;  // the places before the first unused one
    const JumpPlace& At(int i) const { return places_.at(i); }
    void Clear() { places_.fill(JumpPlace{}); }

private:
    std::array<JumpPlace, kJumpBackDepth> places_{};
};

class NumberedMarks {
public:
    std::array<JumpPlace, kNumberedMarks> marks{};
    int remembered = -1;  // the row last chosen in the mark dialog, -1 = none

    // Fills the first unused mark; returns its index (0-based) or -1 when all
    // twelve are in use.
    int MarkNext(const std::string& fileName, const void* view, int32_t line);
    // From and to the settings record's "MarkJump" values. Unused marks are
    // written with an empty name and line 1; restored marks have no view.
    void Restore(const std::array<MarkEntry, kMarks>& saved);
    void Store(std::array<MarkEntry, kMarks>& saved) const;
    void Clear();
};

JumpBackStack& TheJumpBackStack();
NumberedMarks& TheMarks();

}  // namespace qz
