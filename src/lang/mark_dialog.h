// What the mark / jump dialog decides, apart from its widgets: its rows, the
// effect of each button and key, and what happens after it closes.
#pragma once

#include <string>

#include "lang/jump_stack.h"

namespace qz {

class MarkDialogModel {
public:
    struct Row {
        std::string number, line, fileName;  // "%02d", "%d" or empty, path or empty
    };
    enum Outcome { kStay, kCloseOk };

    MarkDialogModel(const NumberedMarks& marks, int markRestore);

    Row RowText(int i) const;
    int selected = -1;  // starts at the remembered row
    int markRestore;    // bit 0: restore at start, bit 1: with the last run's files

    Outcome Mark();         // clears the selected row's mark and closes
    Outcome Jump() const;   // closes only when the selected row is in use
    Outcome Default() const;
    Outcome DoubleClick() const;
    void Clear();
    void ClearAll();
    // Letters while the list has the focus: A, C, J, M in either case.
    Outcome Key(char c);

    // After the dialog. The used flags go back whatever way it closed; after
    // OK the chosen row is remembered and either marked with the caret's place
    // (returns kMarked) or jumped to (kJump, target filled).
    enum After { kNothing, kMarked, kJump };
    After Finish(bool ok, NumberedMarks& marks, int& markRestoreOut, const std::string& documentPath,
                 const void* view, int32_t caretLine, JumpPlace& target) const;

private:
    bool HasRow() const { return selected >= 0 && selected < kNumberedMarks; }
    std::array<JumpPlace, kNumberedMarks> copy_;
};

}  // namespace qz
