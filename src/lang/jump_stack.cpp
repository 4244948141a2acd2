// The jump-back stack and the numbered marks.
#include "lang/jump_stack.h"

#include <cstdio>

namespace qz {

const char kMsgMarksFull[] = "マークできません（既に最大数マークされています）";
const char kMsgNoReturnPoint[] = "戻り先が登録されていません";

std::string MarkedMessage(int number) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d番にマークしました", number);
    return buf;
}

int JumpBackStack::Size() const {
    int n = 0;
    while (n < kJumpBackDepth && places_[n].used) ++n;
    return n;
}

void JumpBackStack::Push(const JumpPlace& place) {
    int n = Size();
    if (n == kJumpBackDepth) {
        for (int i = 1; i < kJumpBackDepth; ++i) places_[i - 1] = std::move(places_[i]);
        n = kJumpBackDepth - 1;
    }
    places_[n] = place;
    places_[n].used = 1;
}

bool JumpBackStack::Pop(JumpPlace& place) {
    int n = Size();
    if (n == 0) return false;
    place = std::move(places_[n - 1]);
    places_[n - 1] = JumpPlace{};
    return true;
}

int NumberedMarks::MarkNext(const std::string& fileName, const void* view, int32_t line) {
    for (int i = 0; i < kNumberedMarks; ++i) {
        if (marks[i].used) continue;
        marks[i] = JumpPlace{1, fileName, view, line};
        return i;
    }
    return -1;
}

void NumberedMarks::Restore(const std::array<MarkEntry, kMarks>& saved) {
    for (int i = 0; i < kNumberedMarks; ++i) {
        marks[i].used = saved[i].EfectFlag ? 1 : 0;
        marks[i].fileName = saved[i].FileName;
        marks[i].line = saved[i].LineNumber;
        marks[i].viewWindow = nullptr;
    }
}

void NumberedMarks::Store(std::array<MarkEntry, kMarks>& saved) const {
    for (int i = 0; i < kNumberedMarks; ++i) {
        saved[i].EfectFlag = marks[i].used;
        saved[i].FileName = marks[i].used ? marks[i].fileName : std::string();
        saved[i].LineNumber = marks[i].used ? marks[i].line : 1;
    }
}

void NumberedMarks::Clear() {
    marks.fill(JumpPlace{});
    remembered = -1;
}

JumpBackStack& TheJumpBackStack() {
    static JumpBackStack stack;
    return stack;
}

NumberedMarks& TheMarks() {
    static NumberedMarks marks;
    return marks;
}

}  // namespace qz
