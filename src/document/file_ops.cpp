// The system calls behind FileOps.
#include "document/file_ops.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace qz {

int FileOps::Open(const std::string& path, int flags, mode_t mode) {
    int fd;
    do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

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

}  // namespace qz
