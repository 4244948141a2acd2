// The system calls behind FileOps, and the moves and writes made of them.
#include "document/file_ops.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qz {

int FileOps::Open(const std::string& path, int flags, mode_t mode) {
    int fd;
    do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

ssize_t FileOps::Read(int fd, void* bytes, size_t n) { return ::read(fd, bytes, n); }

ssize_t FileOps::Write(int fd, const void* bytes, size_t n) { return ::write(fd, bytes, n); }

int FileOps::Fsync(int fd) { return ::fsync(fd); }

int FileOps::Close(int fd) { return ::close(fd); }

int FileOps::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int FileOps::Remove(const std::string& path) { return ::unlink(path.c_str()); }

FileOps& PosixFileOps() {
    static FileOps ops;
    return ops;
}

bool WriteAll(FileOps& ops, int fd, const char* bytes, size_t n) {
    while (n) {
        const ssize_t w = ops.Write(fd, bytes, n);
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) return false;
        if (w == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes += w;
        n -= size_t(w);
    }
    return true;
}

namespace {

// Copies the bytes of in to out; false with errno set on a failure.
bool CopyBytes(FileOps& ops, int in, int out) {
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t n = ops.Read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!WriteAll(ops, out, buf.data(), size_t(n))) return false;
    }
}

// The copy half of a move across file systems: a new file under to with the
// bytes, mode and times of from, on the disk before the original goes.
bool CopyFile(FileOps& ops, const std::string& from, const std::string& to) {
    const int in = ops.Open(from, O_RDONLY, 0);
    if (in < 0) return false;
    struct stat st {};
    if (::fstat(in, &st) != 0) {
        const int e = errno;
        ops.Close(in);
        errno = e;
        return false;
    }
    const int out = ops.Open(to, O_WRONLY | O_CREAT | O_TRUNC, st.st_mode & 07777);
    if (out < 0) {
        const int e = errno;
        ops.Close(in);
        errno = e;
        return false;
    }
    bool ok = CopyBytes(ops, in, out);
    if (ok) {
        // Owner, mode and times as far as the other file system keeps them (a
        // FAT stick refuses some): mv goes on without them too.
        const timespec times[2] = {st.st_atim, st.st_mtim};
        [[maybe_unused]] const int owned = ::fchown(out, st.st_uid, st.st_gid);
        [[maybe_unused]] const int moded = ::fchmod(out, st.st_mode & 07777);
        [[maybe_unused]] const int timed = ::futimens(out, times);
        ok = ops.Fsync(out) == 0;
    }
    int e = errno;
    if (ops.Close(out) != 0 && ok) ok = false, e = errno;
    ops.Close(in);
    errno = e;
    return ok;
}

}  // namespace

int MoveFile(FileOps& ops, const std::string& from, const std::string& to) {
    if (ops.Rename(from, to) == 0) return 0;
    if (errno != EXDEV) return -1;
    if (CopyFile(ops, from, to) && ops.Remove(from) == 0) return 0;
    const int e = errno;
    ops.Remove(to);
    errno = e;
    return -1;
}

}  // namespace qz
