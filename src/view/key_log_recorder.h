// The hook through which every view command records itself; the keystroke
// log implements it, tests record into a list.
#pragma once

#include <cstdint>

namespace qz {

constexpr int kLogTyped = 1;    // kind: a typed byte
constexpr int kLogCommand = 2;  // kind: a view command

class KeyLogRecorder {
public:
    virtual ~KeyLogRecorder() = default;
    virtual void Record(int kind, int32_t code, int32_t argument) = 0;
    // A command failed in a way that should end a replay running now (a
    // search that found nothing); nothing when no replay runs.
    virtual void StopReplay() {}
};

}  // namespace qz
