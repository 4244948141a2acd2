// Fuzz target for the text store: the input is a script of inserts, deletes,
// undo, redo and layout changes, checked against a std::string model. One
// document serves every input (a fresh text each time), and its index uses
// small segments so that far lookups and segment splits happen in small texts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/qzed_doc.h"
#include "settings/settings.h"

namespace {

struct Reader {
    const uint8_t* p;
    size_t n;
    bool Empty() const { return n == 0; }
    uint8_t Byte() {
        if (!n) return 0;
        --n;
        return *p++;
    }
    uint32_t Word() { return Byte() | (uint32_t(Byte()) << 8); }
};

void Fail() { std::abort(); }

// The text after every step; the invariants and every row after every
// eighth step and the last.
void Compare(qz::TextStore& st, const std::string& model, bool rows) {
    if (st.GetTextLength() != model.size()) Fail();
    std::string now(model.size(), '\0');
    if (st.ReadText(1, now.data(), static_cast<uint32_t>(now.size())) != model.size() && !model.empty()) Fail();
    if (now != model) Fail();
    if (!rows) return;
    if (!st.Check().empty()) Fail();
    // Rows joined again give the text back; each row starts where the
    // offsets say, and rows and lines map onto each other both ways.
    std::string joined;
    char buf[qz::kRowTextMax];
    uint32_t line = 1;
    for (uint32_t r = 1; r <= st.GetRowCount() + 1; ++r) {
        uint32_t k = st.GetRowText(r, buf);
        if (st.RowToOffset(r) != joined.size() + 1) Fail();
        if (st.OffsetToRow(static_cast<uint32_t>(joined.size() + 1)) != r) Fail();
        const uint32_t l = st.RowToLine(r);
        if (l != line && l != line + 1) Fail();
        if ((l != line || r == 1) && st.LineToRow(l) != r) Fail();
        line = l;
        joined.append(buf, k);
    }
    if (line != st.GetLineEndCount() + 1) Fail();
    if (joined != model) Fail();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool once = [] {
        qz::TheSettings().Type(1).Undo = 4096;
        return true;
    }();
    (void)once;
    static qz::CQzedDoc doc(1);
    qz::TextStore& st = doc.Store();
    st.Reset();
    doc.ClearUndo();
    st.SetLayout(4, 20, 0x10B);
    st.RelayoutAll();
    Reader in{data, size};
    const uint8_t tuning = in.Byte();
    st.SetIndexTuningForTest(1 + tuning % 5, tuning / 5 % 4);
    std::string model;
    std::vector<std::string> states{model};
    size_t at = 0;
    static const char* pieces[] = {"\n", "\t", "/*", "*/", "//", "\x82\xA0", "\x88", "<!", ">", ";"};
    for (int ops = 0; ops < 600 && !in.Empty(); ++ops) {
        const uint8_t op = in.Byte();
        const uint32_t len = static_cast<uint32_t>(model.size());
        uint32_t changed = 0;
        switch (op % 8) {
        case 0: case 1: case 2: {
            uint32_t p = in.Word() % (len + 2) + 1;  // sometimes one past the end
            std::string s;
            uint8_t k = in.Byte();
            if (k < 40) {
                s = pieces[k % 10];
            } else {
                for (uint32_t i = 0, n = k % 64 + (k > 200 ? 200 : 0); i < n; ++i) {
                    uint8_t b = in.Byte();
                    s += static_cast<char>(b ? b : 'x');
                }
            }
            doc.BeginUndoGroup();
            changed = st.InsertText(p, s.data(), static_cast<uint32_t>(s.size()), 0);
            if (p <= len + 1 && !s.empty()) {
                if (changed != s.size()) Fail();
                model.insert(p - 1, s);
            } else if (changed) {
                Fail();
            }
            break;
        }
        case 3: case 4: {
            uint32_t p = in.Word() % (len + 2) + 1;
            uint32_t n = in.Byte() % (op & 0x80 ? 255 : 8);
            doc.BeginUndoGroup();
            changed = st.DeleteText(p, n);
            uint32_t want = p <= len ? std::min<uint32_t>(n, len - (p - 1)) : 0;
            if (changed != want) Fail();
            if (want) model.erase(p - 1, want);
            break;
        }
        case 5: {
            uint32_t pos;
            int r = doc.UndoStep(&pos);
            if ((r == 0) != (at > 0)) Fail();
            if (r == 0) model = states[--at];
            break;
        }
        case 6: {
            uint32_t pos;
            int r = doc.RedoStep(&pos);
            if ((r == 0) != (at + 1 < states.size())) Fail();
            if (r == 0) model = states[++at];
            break;
        }
        default: {
            uint8_t k = in.Byte();
            st.SetLayout(1 + k % 9, 20 + (k * 7) % 221, (k & 1 ? 0x3 : 0) | (k & 2 ? 0x1F00 : 0) | (k & 4 ? 8 : 0));
            st.RelayoutAll();
            break;
        }
        }
        if (changed) {
            states.resize(at + 1);
            states.push_back(model);
            ++at;
        }
        Compare(st, model, ops % 8 == 0 || in.Empty());
    }
    Compare(st, model, true);
    return 0;
}
