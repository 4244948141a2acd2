// Writing a document back: the questions, the backups, and a new file written
// beside the old one and put in its place only once all of it is on the disk.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "document/backup.h"
#include "document/file_io.h"
#include "document/file_io_internal.h"
#include "document/file_ops.h"
#include "document/kanji_convert.h"
#include "document/qzed_doc.h"
#include "document/trash.h"
#include "document/utf8_convert.h"
#include "document/unwritable.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace qz {

namespace {

constexpr uint32_t kPiece = 4096;               // text bytes a converter is handed at once
constexpr size_t kWriteBlock = 1024 * 1024;     // bytes handed to the system at once
static_assert(kMaxUtf8Growth <= kMaxJisGrowth, "the conversion buffer fits the widest code");

constexpr const char* kReadOnlyMode = "書込禁止モードですが保存しますか？";
constexpr const char* kOverwriteChanged = "このファイルは他のエディタで変更されています。上書き保存しますか？";
constexpr const char* kCannotWrite =
    "ファイルが更新又は新規作成できませんでした\n"
    "他のプログラムで書き込み禁止でオープンしている可能性があります\n";
constexpr const char* kLossyTarget =
    "このファイルには読み込めなかった文字があるため、上書き保存できません\n"
    "別の名前で保存してください";
constexpr const char* kWriteFailed =
    "ファイルの書き込みに失敗しました（ディスクの空き不足などが考えられます）\n"
    "元のファイルは変更されていません";
constexpr const char* kWriteFailedInPlace =
    "ファイルの書き込みに失敗しました（ディスクの空き不足などが考えられます）\n"
    "ファイルが途中までしか書き込まれていない可能性があります";

// A name beside target that no other file has.
std::string TempNameFor(const std::string& target, unsigned attempt) {
    const PathParts parts = SplitPath(target);
    return parts.dir + "." + parts.stem + parts.ext + ".qz" + std::to_string(::getpid()) + "-" +
           std::to_string(attempt) + ".tmp";
}

// The file a save replaces: a symbolic link is followed so that the link stays.
std::string ResolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

// Full blocks go to the system on a thread of their own, so that the next
// block is read and converted while the last one is written. Blocks are
// written in the order handed; a failed write fails every later step.
class BlockWriter {
public:
    BlockWriter(FileOps& ops, int fd) : ops_(ops), fd_(fd) {}
    ~BlockWriter() { Finish(); }

    // Waits until the block handed before is written, then hands this one
    // over; bytes must stay untouched until the next Hand or Finish. False
    // once a write has failed.
    bool Hand(const char* bytes, size_t n) {
        std::unique_lock<std::mutex> lock(m_);
        idle_.wait(lock, [this] { return !busy_; });
        if (failed_) return false;
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread(&BlockWriter::Run, this);
            } catch (const std::system_error&) {
                // No thread to be had: the block is written here and now.
                failed_ = !WriteAll(ops_, fd_, bytes, n);
                return !failed_;
            }
        }
        bytes_ = bytes;
        n_ = n;
        busy_ = true;
        work_.notify_one();
        return true;
    }
    // Waits for every block handed over; false when one could not be written.
    bool Finish() {
        {
            std::unique_lock<std::mutex> lock(m_);
            idle_.wait(lock, [this] { return !busy_; });
            stop_ = true;
        }
        work_.notify_one();
        if (thread_.joinable()) thread_.join();
        return !failed_;
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(m_);
        for (;;) {
            work_.wait(lock, [this] { return busy_ || stop_; });
            if (!busy_) return;
            lock.unlock();
            const bool ok = WriteAll(ops_, fd_, bytes_, n_);
            lock.lock();
            failed_ = failed_ || !ok;
            busy_ = false;
            idle_.notify_one();
        }
    }

    FileOps& ops_;
    const int fd_;
    std::thread thread_;
    std::mutex m_;
    std::condition_variable work_, idle_;
    const char* bytes_ = nullptr;
    size_t n_ = 0;
    bool busy_ = false, stop_ = false, failed_ = false;
};

}  // namespace

void SyncFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Pieces of 4096 bytes through the converter (a lead byte cut off at a piece
// end is taken again with the next), line feeds expanded after the
// conversion, the output gathered into large writes: one buffer fills while
// the other is written.
bool WriteText(CQzedDoc& doc, FileOps& ops, int fd, int code, int lineEnd, bool writeEof) {
    std::vector<char> in(kPiece), conv(size_t(kPiece) * kMaxJisGrowth);
    const size_t outSize = kWriteBlock + size_t(kPiece) * kMaxJisGrowth * 2 + 1;
    std::vector<char> buffers[2] = {std::vector<char>(outSize), {}};
    std::vector<char>* out = &buffers[0];
    BlockWriter writer(ops, fd);
    size_t used = 0;
    if (code == kCodeUtf8 && doc.File().utf8Bom) {
        std::memcpy(out->data(), kUtf8Bom, 3);
        used = 3;
    }
    const uint32_t total = doc.GetTextLength();
    uint32_t pos = 1;
    int mode = kJisAscii;
    while (pos <= total) {
        // With LF line ends the converted bytes are the output: they go
        // straight into the write buffer, and Shift-JIS is read straight there.
        const bool direct = lineEnd == kLineLf;
        char* const target = out->data() + used;
        const uint32_t n = doc.ReadText(pos, direct && code == kCodeSjis ? target : in.data(), kPiece);
        if (n == 0) break;
        const bool atEnd = uint64_t(pos) + n > total;
        size_t count = n;
        int left = 0;
        const char* text = in.data();
        char* const dst = direct ? target : conv.data();
        if (code == kCodeEuc) {
            left = SjisToEuc(in.data(), dst, count, atEnd);
            text = dst;
        } else if (code == kCodeJis) {
            left = SjisToJis(in.data(), dst, count, mode, atEnd);
            text = dst;
        } else if (code == kCodeUtf8) {
            left = SjisToUtf8(in.data(), dst, count, doc.File().utf8Forms, atEnd);
            text = dst;
        }
        used += direct ? count : ExpandLineEnds(text, count, target);
        if (used >= kWriteBlock) {
            if (!writer.Hand(out->data(), used)) return false;
            out = out == &buffers[0] ? &buffers[1] : &buffers[0];
            out->resize(outSize);
            used = 0;
        }
        pos += n - uint32_t(left);
    }
    if (writeEof) (*out)[used++] = 0x1A;
    return writer.Finish() && WriteAll(ops, fd, out->data(), used);
}

int FileIo::Save(CQzedDoc& doc, const std::string& path) {
    DocFile& f = doc.File();
    if (f.special && host_ && host_->ShellCommandRunning(doc)) {
        Error("シェルコマンド実行中のためセーブできません", path);
        return 0;
    }
    WaitCursor wait(host_);
    const EnvironSettings& env = TheSettings().env;
    auto ask = [&](const char* question) {
        return box_.Show(question, path, MbIcon::Question, MbButtons::YesNoCancel) == MbResult::Yes;
    };
    auto retakeLock = [&] {
        if (SetLock(doc, path, f.exclusiveMode) != 0) f.exclusiveMode = 0;
    };

    const std::string target = ResolveLink(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        // A folder or a device is never renamed away or replaced.
        Error(kCannotWrite, path);
        return 0;
    }
    // Another program wrote the file since we read it, and the periodic check
    // has not told the user yet: its version is not overwritten unasked.
    if (exists && !f.special && (FileTimeOf(st) != f.fileTime || int64_t(st.st_size) != f.fileSize) &&
        box_.Show(kOverwriteChanged, path, MbIcon::Question, MbButtons::YesNo) != MbResult::Yes)
        return 0;
    // A text read with a loss goes anywhere but over the file it came from.
    if (!f.lossyFrom.empty() && SamePath(f.lossyFrom, target)) {
        Error(kLossyTarget, path);
        return 0;
    }
    // EUC, JIS and UTF-8 have no place for some characters; the converter leaves
    // them out, so the user hears of it before anything is written.
    if (const UnwritableChar lost = FindUnwritable(doc, f.Code());
        lost.count && box_.Show(UnwritableQuestion(lost, f.Code()), path, MbIcon::Question,
                                MbButtons::YesNoCancel) != MbResult::Yes)
        return 0;
    if (!exists) {
        if (doc.IsReadOnly() && !ask(kReadOnlyMode)) return 0;
    } else if (AttributesForbidWriting(target, st)) {
        if (!ask("ファイル属性が書込禁止ですが保存しますか？")) return 0;
        st.st_mode |= S_IWUSR;
        ::chmod(target.c_str(), st.st_mode & 07777);
    } else if (doc.IsReadOnly() && !ask(kReadOnlyMode)) {
        return 0;
    }

    // Our own lock goes; another holder's lock refuses the save.
    f.lock.Release();
    if (exists && ProbeLocks(target) != LockProbe::Free) {
        Error(kCannotWrite, path);
        retakeLock();
        return 0;
    }

    const bool backupStep = exists && (env.BackupMode >= 1 || env.RecycledMode == 1);
    BackupPlan plan;
    if (backupStep) {
        plan = MakeBackupPlan(target, env);
        if (!EnsureBackupDir(plan) || plan.IsBackupName(target)) {
            Error(file_msg::kBackupFailed, path);
            retakeLock();
            return 0;
        }
    }

    FileOps& ops = Ops();
    // The new text goes to a file of its own first; the old file is not touched
    // until that file is complete on the disk.
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TempNameFor(target, attempt);
        fd = ops.Open(temp, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    bool inPlace = false;
    if (fd < 0 && exists && !backupStep && (errno == EACCES || errno == EPERM)) {
        // A folder that takes no new files but a file we may write: write in
        // place, as there is no other way.
        inPlace = true;
        fd = ops.Open(target, O_WRONLY | O_TRUNC, 0666);
    }
    if (fd < 0) {
        Error(kCannotWrite, path);
        retakeLock();
        return 0;
    }
    if (exists && !inPlace) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Another owner cannot be given away; the new file stays ours.
        }
        ::fchmod(fd, st.st_mode & 07777);
    }
    bool written = WriteText(doc, ops, fd, f.Code(), f.lineEnd, env.WriteEOF == 1);
    if (written && sync_) written = ops.Fsync(fd) == 0;
    if (ops.Close(fd) != 0) written = false;
    if (!written) {
        if (!inPlace) ops.Remove(temp);
        Error(inPlace ? kWriteFailedInPlace : kWriteFailed, path);
        retakeLock();
        return 0;
    }

    bool backedUp = false;
    if (backupStep) {
        // A backup folder on another file system takes a copy (EXDEV).
        if (!RotateBackups(plan, ops) || MoveFile(ops, target, plan.TargetName()) != 0) {
            ops.Remove(temp);
            Error(file_msg::kBackupFailed, path);
            retakeLock();
            return 0;
        }
        backedUp = true;
    }
    if (!inPlace && ops.Rename(temp, target) != 0) {
        if (backedUp) MoveFile(ops, plan.TargetName(), target);
        ops.Remove(temp);
        Error(kWriteFailed, path);
        retakeLock();
        return 0;
    }
    if (sync_) SyncFolder(target);

    // Only now that the new version is in place may the old one leave.
    if (backedUp && env.RecycledMode == 1) {
        TrashCan().MoveToTrash(plan.TargetName());
        if (!plan.backupMode) ops.Remove(plan.TargetName());
    }

    AddRecentFile(TheSettings(), f.Code(), path);
    doc.SetModifiedFlag(false);
    doc.ClearUndo();
    doc.Store().ResetEditCounters();
    if (host_) host_->AppendReopenListEntry(doc, path);

    retakeLock();
    if (!f.special) f.Stamp(target);
    return 1;
}

}  // namespace qz
