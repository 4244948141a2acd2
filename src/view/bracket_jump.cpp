// CQzedView bracket and definition jump: from a bracket, a preprocessor
// conditional or a comment mark to its partner, counting nesting.
#include <string>
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

bool At(const std::string& text, size_t i, const char* s) { return text.compare(i, std::string(s).size(), s) == 0; }
}  // namespace

void CQzedView::BracketJump() {
    Record(50, 0);
    if (host_.WindowSelectActive() || !MotionAllowedInMode()) return;
    TextStore& st = doc_.Store();
    std::string text(st.GetTextLength(), '\0');
    if (!text.empty()) text.resize(st.ReadText(1, text.data(), static_cast<uint32_t>(text.size())));
    const size_t caret = Abs() - 1;
    const Pair* pair = nullptr;
    for (const Pair& p : kPairs)
        if (caret < text.size() && At(text, caret, p.at)) {
            pair = &p;
            break;
        }
    if (!pair) {
        StopReplay();
        return ErrorMessage("このカッコ又は定義文字は不正です");
    }
    // Every nest and target mark at a character start, in text order.
    struct Mark {
        size_t pos;
        bool target;
    };
    std::vector<Mark> marks;
    const size_t skip = std::string(pair->at).size();
    for (size_t i = 0; i < text.size();) {
        if (pair->forward ? i >= caret + skip : i < caret) {
            if (At(text, i, pair->target)) marks.push_back({i, true});
            else if (pair->nest && At(text, i, pair->nest)) marks.push_back({i, false});
        }
        i += IsSjisLead(static_cast<uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    long level = 0;
    long found = -1;
    const long n = static_cast<long>(marks.size());
    for (long k = 0; k < n && found < 0; ++k) {
        const Mark& m = marks[static_cast<size_t>(pair->forward ? k : n - 1 - k)];
        if (m.target) {
            if (level == 0) found = static_cast<long>(m.pos);
            else --level;
        } else {
            ++level;
        }
    }
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
