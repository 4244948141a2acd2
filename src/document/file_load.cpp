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
#include "document/utf8_convert.h"
#include "document/utf8_detect.h"
#include "platform/message_box.h"
#include "settings/settings.h"

namespace qz {

namespace {

// The byte rules for a UTF-8 file after its conversion (the other codes
// have them in the load pipe): NUL and CR dropped (CR noted), LF noted,
// 0x1A the end of the text with "ReadEND" 0.
class Utf8TextFilter {
public:
    Utf8TextFilter(CQzedDoc& doc, bool stopAtEof) : doc_(doc), stopAtEof_(stopAtEof) {}
    // False once the text has ended or the store is full (Full() tells).
    bool Feed(char* p, size_t n) {
        size_t o = 0;
        for (size_t i = 0; i < n; ++i) {
            const char c = p[i];
            if (c == 0) continue;
            if (c == 0x0D) {
                sawCr_ = true;
                continue;
            }
            if (c == 0x1A && stopAtEof_) {
                ended_ = true;
                break;
            }
            if (c == '\n') sawLf_ = true;
            p[o++] = c;
        }
        if (o && !doc_.LoadAppend(p, static_cast<uint32_t>(o))) {
            full_ = true;
            return false;
        }
        return !ended_;
    }
    bool Full() const { return full_; }
    bool SawLf() const { return sawLf_; }
    bool SawCr() const { return sawCr_; }

private:
    CQzedDoc& doc_;
    bool stopAtEof_;
    bool sawLf_ = false, sawCr_ = false, full_ = false, ended_ = false;
};

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
    int code = DecideFileCode(f.kanjiCode, explicitCode, env.CharCheck, env.EucDrive, path, fd);
    // A guessed UTF-8 must hold to the end; a chosen one reads what is not
    // UTF-8 as problems.
    const bool guessedUtf8 = code == kCodeUtf8 && f.kanjiCode != kCodeUtf8 && explicitCode != kCodeUtf8;
    Utf8Reader utf8(guessedUtf8, env.ReadEND == 0);
    bool full = false, readError = false, sawLf = false, sawCr = false;
    if (code == kCodeUtf8) {
        Utf8TextFilter filter(doc, env.ReadEND == 0);
        const Utf8ReadEnd end = ReadUtf8File(fd, utf8, [&](char* p, size_t n) { return filter.Feed(p, n); });
        full = filter.Full();
        readError = end == Utf8ReadEnd::kError;
        sawLf = filter.SawLf(), sawCr = filter.SawCr();
        if (end == Utf8ReadEnd::kNotUtf8) {
            // Not UTF-8 after all: read as the other codes would have it.
            code = DecideFileCode(f.kanjiCode, explicitCode, env.CharCheck, env.EucDrive, path, fd, false);
            ::lseek(fd, 0, SEEK_SET);
            doc.LoadBegin(length);
            full = readError = false;
        }
    }
    if (code != kCodeUtf8) {
        LoadPipe pipe(fd, code, env.ReadEND == 0, readBlock_, length, doc.Store().LoadArea());
        size_t n;
        for (;;) {
            // While the reader is busy, fault in record memory ahead of it,
            // then lay out what is filled already.
            while (!pipe.Ready() && (pipe.HelpPrefault() || doc.Store().LoadLayoutSome(32))) {
            }
            const char* p = pipe.Next(&n);
            if (!n) break;
            if (!doc.LoadAppend(p, static_cast<uint32_t>(n))) {
                full = true;
                break;
            }
        }
        pipe.Finish();
        readError = pipe.Result() != LoadPipe::Status::Done && !full;
        sawLf = pipe.SawLf(), sawCr = pipe.SawCr();
    }
    ::close(fd);
    if (full || readError) {
        // Nothing half read is left behind: the caller closes the document.
        doc.NewText();
        Error(full ? kTooLarge : kReadError, path);
        return -1;
    }
    doc.LoadEnd();
    f.kanjiCode = code;
    f.lineEnd = sawLf && !sawCr ? kLineLf : kLineCrLf;
    f.utf8Forms = code == kCodeUtf8 ? utf8.Forms() : Utf8Forms();
    f.utf8Bom = code == kCodeUtf8 && utf8.Bom();
    f.lossyFrom.clear();
    if (code == kCodeUtf8 && utf8.Problem().kind != Utf8Problem::kNone) {
        // Nothing may be lost by a save: the text stays read-only, and is
        // never written over the file it came from.
        f.lossyFrom = path;
        doc.SetReadOnly(true);
        box_.Show(Utf8ProblemMessage(utf8.Problem()), path, MbIcon::Exclamation, MbButtons::Ok);
    }

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
