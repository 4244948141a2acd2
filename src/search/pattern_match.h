// Matching a compiled pattern at one start position of a piece of text held
// in memory; the finder supplies the text and asks again with more of it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "search/search_pattern.h"

namespace qz {

// Bytes [base, avail) of a text of text_end bytes (0-based offsets). No unit
// may be taken from at or beyond limit; tests at the end may look past it.
struct Subject {
    const uint8_t* data;  // data[0] is the byte at offset base
    uint32_t base;
    uint32_t avail;
    uint32_t text_end;
    uint32_t limit;
};

// What lies just before a start position.
struct StartContext {
    bool prev_word = false;   // the character before is a word character
    bool line_start = true;   // start of text or just after a line feed
};

enum class MatchStatus { kNoMatch, kMatch, kNeedMore, kInterrupted };

// One matcher serves one search: it keeps the regular-expression memory of
// failed states, valid while the text does not change (Reset after edits).
class Matcher {
public:
    // Checked every few thousand backtracking steps; true stops the search.
    void set_interrupt(std::function<bool()> check) { interrupt_ = std::move(check); }
    void Reset();

    MatchStatus MatchAt(const SearchPattern& p, const Subject& s, uint32_t pos, const StartContext& ctx,
                        uint32_t* length);

    // Backtracking steps taken in all (for tests and benchmarks).
    uint64_t steps() const { return total_steps_; }

private:
    MatchStatus MatchPlain(const SearchPattern& p, const Subject& s, uint32_t pos, const StartContext& ctx,
                           uint32_t* length);
    MatchStatus MatchRegex(const SearchPattern& p, const Subject& s, uint32_t pos, const StartContext& ctx,
                           uint32_t* length);
    bool Visited(uint64_t key);  // records key; true when it was there already

    std::function<bool()> interrupt_;
    struct Thread {
        uint32_t pc;
        uint32_t pos;
        uint8_t sub;
    };
    std::vector<Thread> stack_;
    std::vector<uint64_t> memo_;  // open addressing, 0 = empty slot
    size_t memo_used_ = 0;
    bool memo_on_ = false;
    uint64_t total_steps_ = 0;
};

}  // namespace qz
