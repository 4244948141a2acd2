// Appending to and reopening from "SAVE.DAT", with the process's marks.
#include "app/reopen_list.h"

#include "lang/jump_stack.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace qz {

namespace {

SavedMarks CurrentMarks() {
    SavedMarks out;
    const NumberedMarks& marks = TheMarks();
    for (size_t i = 0; i < kSavedMarkCount; ++i) {
        const JumpPlace& p = marks.marks[i];
        // A window of this run only tells that there was one.
        out[i] = {p.used, p.fileName, uint32_t(reinterpret_cast<uintptr_t>(p.viewWindow)), p.line};
    }
    return out;
}

void TakeMarks(const SavedMarks& saved) {
    NumberedMarks& marks = TheMarks();
    for (size_t i = 0; i < kSavedMarkCount; ++i)
        marks.marks[i] = JumpPlace{saved[i].used, saved[i].path, nullptr, saved[i].line};
}

}  // namespace

ReopenList::ReopenList(MessageBox& box, std::string file)
    : box_(box), writer_(file.empty() ? StateFolder() + "/SAVE.DAT" : std::move(file)) {}

void ReopenList::Append(const std::string& path, int code, uint32_t line) {
    if (!writer_.Append(CurrentMarks(), {code, int32_t(line), path}))
        box_.Show(reopen_msg::kCannotCreate, File(), MbIcon::Stop, MbButtons::Ok);
}

void ReopenList::Reopen(ReopenHost& host) {
    SavedMarks marks;
    std::vector<ReopenEntry> entries;
    switch (ReadSaveDat(File(), marks, entries)) {
    case SaveDatRead::Missing: return;
    case SaveDatRead::Damaged: box_.Show(reopen_msg::kDamaged, File(), MbIcon::Stop, MbButtons::Ok); return;
    case SaveDatRead::Ok: break;
    }
    if (TheSettings().env.MarkRestore & 2) TakeMarks(marks);
    for (const ReopenEntry& e : entries) {
        const int code = e.code >= 1 && e.code <= 3 ? e.code : 0;
        const uint32_t line = e.line > 0 ? uint32_t(e.line) : 1;
        if (!host.OpenForReopen(e.path, code, line))
            box_.Show(reopen_msg::kCannotOpen + e.path, reopen_msg::kOpenCaption, MbIcon::Stop, MbButtons::Ok);
    }
}

void RestoreMarksAtStart(const Settings& s) {
    if (s.env.MarkRestore & 1) TheMarks().Restore(s.marks);
}

void StoreMarks(Settings& s) { TheMarks().Store(s.marks); }

}  // namespace qz
