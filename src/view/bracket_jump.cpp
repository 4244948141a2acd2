// CQzedView bracket and definition jump: from a bracket, a preprocessor
// conditional or a comment mark to its partner, counting nesting.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "view/qzed_view.h"

namespace qz {

namespace {
struct Pair {
    const char* at;
    const char* nest;  // nullptr: nothing nests
    const char* target;
    bool forward;
};

// Longer marks first so that "#endif" is not taken for "#e...".
const Pair kPairs[] = {
    {"#endif", "#endif", "#if", false}, {"#else", "#if", "#endif", true}, {"#if", "#if", "#endif", true},
    {"/*", nullptr, "*/", true},        {"*/", nullptr, "/*", false},     {"{", "{", "}", true},
    {"}", "}", "{", false},             {"[", "[", "]", true},            {"]", "]", "[", false},
    {"(", "(", ")", true},              {")", ")", "(", false},           {"<", "<", ">", true},
    {">", ">", "<", false},
};

bool At(const std::string& text, size_t i, const char* s) { return text.compare(i, std::strlen(s), s) == 0; }

constexpr size_t kBlock = 1 << 16;
constexpr size_t kLongestMark = 6;

// The text is read in blocks around the caret, so that a partner a few rows
// away is found without reading the whole file. Blocks read backward start
// at a line start: a line feed is never the second byte of a character, so
// character starts are known from there.
class Reader {
public:
    explicit Reader(TextStore& st) : st_(st), total_(st.GetTextLength()) {}
    size_t Total() const { return total_; }
    // Bytes from 0-based from, n of them (fewer at the end).
    std::string Read(size_t from, size_t n) const {
        n = std::min(n, total_ - std::min(from, total_));
        std::string b(n, '\0');
        if (n) b.resize(st_.ReadText(static_cast<uint32_t>(from) + 1, b.data(), static_cast<uint32_t>(n)));
        return b;
    }

private:
    TextStore& st_;
    size_t total_;
};

size_t Step(const std::string& b, size_t i) {
    return IsSjisLead(static_cast<uint8_t>(b[i])) && i + 1 < b.size() ? 2 : 1;
}

// The first target at nesting level 0 at or after from (a character start).
long FindForward(const Reader& r, const Pair& pair, size_t from) {
    long level = 0;
    for (size_t pos = from; pos < r.Total();) {
        const std::string b = r.Read(pos, kBlock + kLongestMark);
        const size_t limit = pos + kBlock >= r.Total() ? b.size() : kBlock;
        size_t i = 0;
        for (; i < limit; i += Step(b, i)) {
            if (At(b, i, pair.target)) {
                if (level == 0) return static_cast<long>(pos + i);
                --level;
            } else if (pair.nest && At(b, i, pair.nest)) {
                ++level;
            }
        }
        pos += i;
    }
    return -1;
}

// The nearest target at nesting level 0 that starts before end.
long FindBackward(const Reader& r, const Pair& pair, size_t end) {
    long level = 0;
    std::vector<std::pair<size_t, bool>> marks;  // position, is the target
    size_t block = kBlock;
    while (end > 0) {
        size_t start = end > block ? end - block : 0;
        const std::string b = r.Read(start, end - start + kLongestMark);
        size_t first = 0;
        if (start > 0) {
            // A line start inside the block, before end (so that every
            // round moves back).
            const size_t lf = b.find('\n');
            if (lf == std::string::npos || lf + 1 >= end - start) {
                block *= 2;  // one very long line: look further back for its start
                continue;
            }
            first = lf + 1;
        }
        marks.clear();
        for (size_t i = first; i < end - start; i += Step(b, i)) {
            if (At(b, i, pair.target)) marks.emplace_back(start + i, true);
            else if (pair.nest && At(b, i, pair.nest)) marks.emplace_back(start + i, false);
        }
        for (auto m = marks.rbegin(); m != marks.rend(); ++m) {
            if (!m->second) {
                ++level;
            } else if (level == 0) {
                return static_cast<long>(m->first);
            } else {
                --level;
            }
        }
        end = start + first;
        block = kBlock;
    }
    return -1;
}

}  // namespace

void CQzedView::BracketJump() {
    Record(50, 0);
    if (host_.WindowSelectActive() || !MotionAllowedInMode()) return;
    const Reader reader(doc_.Store());
    const size_t caret = Abs() - 1;
    const std::string here = reader.Read(caret, kLongestMark);
    const Pair* pair = nullptr;
    for (const Pair& p : kPairs)
        if (At(here, 0, p.at)) {
            pair = &p;
            break;
        }
    if (!pair) {
        StopReplay();
        return ErrorMessage("このカッコ又は定義文字は不正です");
    }
    const long found = pair->forward ? FindForward(reader, *pair, caret + std::strlen(pair->at))
                                     : FindBackward(reader, *pair, caret);
    if (found < 0) {
        StopReplay();
        return ErrorMessage("Could not find");
    }
    CancelSelection();
    const uint32_t oldRow = caretRow_, oldTop = top_;
    const int oldLeft = left_;
    SetFromAbsolute(static_cast<uint32_t>(found) + 1);
    desiredCol_ = caretCol_;
    FinishMotion(oldRow, oldTop, oldLeft);
}

}  // namespace qz
