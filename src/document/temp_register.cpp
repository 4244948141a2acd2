// Reading and rewriting "regbk.dat", and making the copies it names.
#include "document/temp_register.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "document/file_io_internal.h"
#include "document/file_ops.h"
#include "platform/paths.h"

namespace qz {

namespace {

constexpr size_t kTempOffset = 257;

std::string FieldText(const char* field, size_t size) { return std::string(field, ::strnlen(field, size)); }

// 0, or the errno of the failure.
int ReadWhole(const std::string& path, std::string& out) {
    const int fd = PosixFileOps().Open(path, O_RDONLY, 0);
    if (fd < 0) return errno;
    out.clear();
    char buf[8192];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            return e;
        }
        out.append(buf, size_t(n));
    }
    ::close(fd);
    return 0;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

TempRegister::TempRegister(std::string folder) : folder_(std::move(folder)) {}

std::string TempRegister::File() const { return folder_ + "/regbk.dat"; }
std::string TempRegister::TempDir() const { return folder_ + "/TEMP"; }

std::string TempRegister::Encode(const RegisterEntry& e) {
    std::string bytes(kRegisterEntrySize, '\0');
    bytes[0] = e.used ? 'O' : 'F';
    if (!e.used) return bytes;
    bytes.replace(1, std::min(e.docPath.size(), kRegisterPathMax), e.docPath, 0, kRegisterPathMax);
    bytes[256] = 'B';
    bytes.replace(kTempOffset, std::min(e.tempPath.size(), kRegisterPathMax), e.tempPath, 0, kRegisterPathMax);
    return bytes;
}

bool TempRegister::Decode(const char* b, RegisterEntry& e) {
    e = {};
    if (b[0] == 'F') return true;
    if (b[0] != 'O' || b[256] != 'B') return false;
    e.used = true;
    e.docPath = FieldText(b + 1, 255);
    e.tempPath = FieldText(b + kTempOffset, 255);
    return true;
}

bool TempRegister::OwnCopy(const std::string& path) const {
    const std::string name = FileNameOf(path);
    return FolderOf(path) == TempDir() && name.size() > 3 && name.compare(0, 3, "qzm") == 0;
}

TempRegister::Read TempRegister::ReadAll(std::vector<RegisterEntry>& entries) const {
    entries.clear();
    std::string bytes;
    if (const int e = ReadWhole(File(), bytes)) return e == ENOENT ? Read::Missing : Read::Unreadable;
    for (size_t at = 0; at + kRegisterEntrySize <= bytes.size(); at += kRegisterEntrySize) {
        RegisterEntry e;
        if (!Decode(bytes.data() + at, e) || (e.used && !OwnCopy(e.tempPath))) {
            entries.clear();
            Remove();
            return Read::Invalid;
        }
        entries.push_back(std::move(e));
    }
    return Read::Ok;
}

bool TempRegister::WriteAll(const std::vector<RegisterEntry>& entries) const {
    std::string bytes;
    bytes.reserve(entries.size() * kRegisterEntrySize);
    for (const RegisterEntry& e : entries) bytes += Encode(e);
    std::string part = folder_ + "/.regbk.dat.XXXXXX";
    const int fd = ::mkostemp(part.data(), O_CLOEXEC);
    if (fd < 0) return false;
    FileOps& ops = ops_ ? *ops_ : PosixFileOps();
    bool ok = qz::WriteAll(ops, fd, bytes.data(), bytes.size()) && ops.Fsync(fd) == 0;
    if (ops.Close(fd) != 0) ok = false;
    if (ok) ok = ops.Rename(part, File()) == 0;
    if (!ok) ops.Remove(part);
    else SyncFolder(File());
    return ok;
}

void TempRegister::Remove() const { ::unlink(File().c_str()); }

void TempRegister::DeleteCopy(const std::string& copy) const {
    if (!OwnCopy(copy)) return;
    ::unlink(copy.c_str());
    ::unlink(PartOf(copy).c_str());
}

int TempRegister::EntryFor(const std::string& docPath, std::string& tempPath) const {
    if (docPath.empty() || docPath.size() > kRegisterPathMax) return -1;
    if (!IsFolder(TempDir()) && ::mkdir(TempDir().c_str(), 0700) != 0 && !IsFolder(TempDir())) return -1;
    std::vector<RegisterEntry> entries;
    // A file we cannot read is not replaced by one without its entries.
    if (ReadAll(entries) == Read::Unreadable) return -1;
    size_t lastFree = entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        const RegisterEntry& e = entries[i];
        if (!e.used) {
            lastFree = i;
        } else if (SamePath(e.docPath, docPath)) {
            tempPath = e.tempPath;
            return 0;
        }
    }
    std::string made = TempDir() + "/qzmXXXXXX";
    if (made.size() > kRegisterPathMax) return -1;
    const int fd = ::mkostemp(made.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    ::close(fd);
    const RegisterEntry added{true, docPath, made};
    if (lastFree < entries.size()) entries[lastFree] = added;
    else entries.push_back(added);
    // The old register is whole when the new one could not be written: the
    // other documents keep their entries.
    if (!WriteAll(entries)) {
        ::unlink(made.c_str());
        return -1;
    }
    tempPath = made;
    return 0;
}

int TempRegister::Free(const std::string& docPath) const {
    std::vector<RegisterEntry> entries;
    switch (ReadAll(entries)) {
    case Read::Missing: return 0;
    case Read::Invalid:
    case Read::Unreadable: return -1;
    case Read::Ok: break;
    }
    bool freed = false;
    // Every entry of the path: two spellings that became one file (a link)
    // leave no copy behind.
    for (RegisterEntry& e : entries) {
        if (!e.used || !SamePath(e.docPath, docPath)) continue;
        DeleteCopy(e.tempPath);
        e = RegisterEntry{};
        freed = true;
    }
    if (freed) WriteAll(entries);
    return 0;
}

}  // namespace qz
