// The lock step, the check for outside changes, and what the other file
// steps share.
#include "document/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include "document/file_io_internal.h"
#include "document/file_ops.h"
#include "document/qzed_doc.h"
#include "document/trash.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace qz {

int64_t FileTimeOf(const struct stat& st) { return int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec; }

int64_t FileTimeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? FileTimeOf(st) : 0;
}

void DocFile::Stamp(const std::string& path) {
    struct stat st {};
    const bool ok = ::stat(path.c_str(), &st) == 0;
    fileTime = ok ? FileTimeOf(st) : 0;
    fileSize = ok ? int64_t(st.st_size) : -1;
}

bool AttributesForbidWriting(const std::string& path, const struct stat& st) {
    return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0;
}

FileIo::FileIo(MessageBox& box, FileIoHost* host) : box_(box), host_(host) {}

void FileIo::Error(const std::string& text, const std::string& path) {
    box_.Show(text, path, MbIcon::Stop, MbButtons::Ok);
}

FileOps& FileIo::Ops() const { return ops_ ? *ops_ : PosixFileOps(); }

Trash& FileIo::TrashCan() const { return trash_ ? *trash_ : DesktopTrash(); }

int FileIo::SetLock(CQzedDoc& doc, const std::string& path, int mode) {
    FileLock& lock = doc.File().lock;
    if (lock.Held() && lock.Mode() == mode && lock.Path() == path && lock.StillOnPath()) return 0;
    lock.Release();
    if (mode == 0) return 0;

    const std::string second = "このファイルには排他制御出来ませんので書き込みには注意してください";
    struct stat st {};
    const bool writable = ::stat(path.c_str(), &st) == 0 && !AttributesForbidWriting(path, st);
    const LockProbe probe = ProbeLocks(path);
    if (writable && probe == LockProbe::Free) {
        if (lock.Take(path, mode)) return 0;
        Error("このファイルは他のプログラムで使用中等の理由により排他制御できません", path);
        return -1;
    }
    const bool readable = ::access(path.c_str(), R_OK) == 0 && probe != LockProbe::DenyAll;
    Error(std::string(readable ? file_msg::kWriteProhibited : file_msg::kCannotOpen) + "\n" + second, path);
    doc.SetReadOnly(true);
    return -1;
}

void FileIo::CheckExternalChange(CQzedDoc& doc, const std::string& path) {
    DocFile& f = doc.File();
    if (f.special) return;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return;
    const int64_t now = FileTimeOf(st);
    if (now == f.fileTime) return;
    // Stored before asking, so that the timer and the activation ask only
    // once, and a save after No does not ask about the same change again.
    f.fileTime = now;
    f.fileSize = st.st_size;
    if (box_.Show("このファイルは他のエディタで変更されています。再ロードしますか？", path, MbIcon::Question,
                  MbButtons::YesNo) != MbResult::Yes)
        return;
    doc.SetModifiedFlag(false);
    doc.NewText();
    f.lock.Release();
    f.loaded = false;
    const bool ok = host_ ? host_->ReopenDocument(doc, path) : Load(doc, path) == 0;
    if (ok) {
        if (host_) host_->ResetViews(doc);
        return;
    }
    Error("ファイルの再読み込みに失敗しました", path);
    if (host_) host_->CloseFrames(doc);
}

}  // namespace qz
