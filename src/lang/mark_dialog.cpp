// The mark / jump dialog's rules.
#include "lang/mark_dialog.h"

#include <cstdio>

namespace qz {

MarkDialogModel::MarkDialogModel(const NumberedMarks& marks, int restore)
    : selected(marks.remembered), markRestore(restore), copy_(marks.marks) {}

MarkDialogModel::Row MarkDialogModel::RowText(int i) const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", i + 1);
    Row r{buf, {}, {}};
    const JumpPlace& p = copy_.at(i);
    if (p.used) {
        r.line = std::to_string(p.line);
        r.fileName = p.fileName;
    }
    return r;
}

MarkDialogModel::Outcome MarkDialogModel::Mark() {
    if (!HasRow()) return kStay;
    copy_[selected].used = 0;
    return kCloseOk;
}

MarkDialogModel::Outcome MarkDialogModel::Jump() const {
    return HasRow() && copy_[selected].used ? kCloseOk : kStay;
}

MarkDialogModel::Outcome MarkDialogModel::Default() const { return HasRow() ? kCloseOk : kStay; }

MarkDialogModel::Outcome MarkDialogModel::DoubleClick() const { return Default(); }

void MarkDialogModel::Clear() {
    if (HasRow()) copy_[selected].used = 0;
}

void MarkDialogModel::ClearAll() {
    for (auto& p : copy_) p.used = 0;
}

MarkDialogModel::Outcome MarkDialogModel::Key(char c) {
    switch (c) {
        case 'a': case 'A': ClearAll(); return kStay;
        case 'c': case 'C': Clear(); return kStay;
        case 'j': case 'J': return Jump();
        case 'm': case 'M': return Mark();
        default: return kStay;
    }
}

MarkDialogModel::After MarkDialogModel::Finish(bool ok, NumberedMarks& marks, int& markRestoreOut,
                                               const std::string& documentPath, const void* view,
                                               int32_t caretLine, JumpPlace& target) const {
    for (int i = 0; i < kNumberedMarks; ++i) marks.marks[i].used = copy_[i].used;
    markRestoreOut = markRestore;
    if (!ok || !HasRow()) return kNothing;
    marks.remembered = selected;
    JumpPlace& p = marks.marks[selected];
    if (!p.used) {
        p = JumpPlace{1, documentPath, view, caretLine};
        return kMarked;
    }
    target = p;
    return kJump;
}

}  // namespace qz
