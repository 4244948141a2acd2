// Writing the temporary copy, and the timer state of a view that decides when.
#include "document/temp_save.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>

#include "document/file_io_internal.h"
#include "document/file_ops.h"
#include "document/kanji_code.h"
#include "document/qzed_doc.h"
#include "document/temp_register.h"
#include "document/unwritable.h"
#include "settings/settings.h"

namespace qz {

int TemporarySave(CQzedDoc& doc, const TempRegister& reg, FileOps* given) {
    FileOps& ops = given ? *given : PosixFileOps();
    std::string copy;
    if (reg.EntryFor(doc.GetPathName(), copy) != 0) return 0;
    const DocFile& f = doc.File();
    const int code = FindUnwritable(doc, f.Code()).count ? kCodeSjis : f.Code();
    const std::string part = TempRegister::PartOf(copy);
    const int fd = ops.Open(part, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
    bool ok = fd >= 0 && WriteText(doc, ops, fd, code, f.lineEnd, TheSettings().env.WriteEOF == 1) &&
              ops.Fsync(fd) == 0;
    if (fd >= 0 && ops.Close(fd) != 0) ok = false;
    if (ok) ok = ops.Rename(part, copy) == 0;
    if (ok) {
        SyncFolder(copy);
        return 1;
    }
    ops.Remove(part);
    // A copy that never got a text would come back at the next start as an
    // empty document under the file's name: it goes with its entry.
    struct stat st {};
    if (::stat(copy.c_str(), &st) == 0 && st.st_size == 0) reg.Free(doc.GetPathName());
    return 0;
}

namespace {
int Threshold(const EnvironSettings& env) {
    return int(std::clamp<int64_t>(int64_t(env.Autobk_Time) * 6, INT_MIN, INT_MAX - 1));
}
}  // namespace

bool TempSaveTimer::Idle(int64_t counter) {
    if (armed_ && counter == armedAt_) {
        armed_ = false;
        ticks_ = 0;
        return true;
    }
    armed_ = true;
    armedAt_ = counter;
    return false;
}

bool TempSaveTimer::Tick(int64_t counter, const EnvironSettings& env) {
    // Past the time the count stays there until the text rests for a tick.
    if ((env.Autobk_Mode & 1) && (ticks_ = std::min(ticks_, INT_MAX - 1) + 1) >= Threshold(env)) {
        if (!Idle(counter)) return false;
        const bool changed = counter != lastSave_;
        lastSave_ = counter;
        return changed;
    }
    // Signed: a save restarts the document's counter but not lastSave_, so
    // after a save this waits until the counter has passed it again.
    if ((env.Autobk_Mode & 2) && counter - lastSave_ >= env.Autobk_Len) {
        if (!Idle(counter)) return false;
        lastSave_ = counter;
        return true;
    }
    armed_ = false;
    return false;
}

void TempSaveTimer::OtherPane(const EnvironSettings& env) {
    armed_ = false;
    lastSave_ = 0;
    ticks_ = Threshold(env);
}

}  // namespace qz
