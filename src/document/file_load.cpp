// Reading a file into the store: the open and lock cases, the code decision,
// the reading (load_pipe.cpp) beside the filling and layout of the records.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/file_io.h"
#include "document/file_io_internal.h"
#include "document/kanji_convert.h"
#include "document/kanji_detect.h"
#include "document/load_pipe.h"
#include "document/qzed_doc.h"
#include "platform/message_box.h"
#include "settings/settings.h"

namespace qz {

namespace {

constexpr const char* kTooLarge = "ファイルが大きすぎるため読み込めません";
constexpr const char* kReadError = "ファイルの読み込み中にエラーが発生しました";

}  // namespace

int FileIo::Load(CQzedDoc& doc, const std::string& path, int explicitCode) {
    WaitCursor wait(host_);
    const EnvironSettings& env = TheSettings().env;
    DocFile& f = doc.File();
    f.exclusiveMode = env.ExclusiveMode;

    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) {
        doc.NewText();
        f.lock.Release();
        f.kanjiCode = kCodeSjis;
        f.lineEnd = kLineCrLf;
        // No lock on a file that is not there yet: the first save takes it.
        if (!f.special) f.fileTime = 0, f.fileSize = -1;
        f.loaded = true;
        return 0;
    }
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;

    // Our own lock would count as another program's in the probe below; the
    // lock step at the end takes it again.
    f.lock.Release();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const LockProbe probe = fd >= 0 ? ProbeLocks(path) : LockProbe::DenyAll;
    if (fd < 0 || probe == LockProbe::DenyAll) {
        if (fd >= 0) ::close(fd);
        Error(file_msg::kCannotOpen, path);
        return -1;
    }
    if (AttributesForbidWriting(path, st)) {
        doc.SetReadOnly(true);
        f.exclusiveMode = 0;
    } else if (probe == LockProbe::DenyWriting) {
        Error(file_msg::kWriteProhibited, path);
        doc.SetReadOnly(true);
        f.exclusiveMode = 0;
    }

    // The status of what is read: a change while reading shows at the next check.
    struct stat now {};
    const bool haveNow = ::fstat(fd, &now) == 0;
    const uint64_t length = haveNow ? uint64_t(now.st_size) : uint64_t(st.st_size);
    if (!doc.LoadBegin(length)) {
        ::close(fd);
        Error(kTooLarge, path);
        return -1;
    }
    const int code = DecideKanjiCode(f.kanjiCode, explicitCode, env.CharCheck, env.EucDrive, path, fd);
    LoadPipe pipe(fd, code, env.ReadEND == 0, readBlock_, length, doc.Store().LoadArea());
    bool full = false;
    size_t n;
    for (;;) {
        // While the reader is busy, lay out what is filled already.
        while (!pipe.Ready() && doc.Store().LoadLayoutSome(32)) {
        }
        const char* p = pipe.Next(&n);
        if (!n) break;
        if (!doc.LoadAppend(p, static_cast<uint32_t>(n))) {
            full = true;
            break;
        }
    }
    pipe.Finish();
    ::close(fd);
    if (full || pipe.Result() != LoadPipe::Status::Done) {
        // Nothing half read is left behind: the caller closes the document.
        doc.NewText();
        Error(full ? kTooLarge : kReadError, path);
        return -1;
    }
    doc.LoadEnd();
    f.kanjiCode = code;
    f.lineEnd = pipe.SawLf() && !pipe.SawCr() ? kLineLf : kLineCrLf;

    if (SetLock(doc, path, f.exclusiveMode) != 0) f.exclusiveMode = 0;
    if (!f.special) {
        f.fileTime = haveNow ? int64_t(now.st_mtim.tv_sec) * 1000000000 + now.st_mtim.tv_nsec : 0;
        f.fileSize = haveNow ? int64_t(now.st_size) : -1;
    }
    f.loaded = true;
    doc.Store().ResetEditCounters();
    return 0;
}

}  // namespace qz
