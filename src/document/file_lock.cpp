// Open file description locks: they belong to the open file, not the process,
// so two documents (or a test and its fork) see each other's locks.
#include "document/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qz {

namespace {

struct flock WholeFile(short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    fl.l_pid = 0;  // must be 0 for the OFD commands
    return fl;
}

int OpenRetrying(const std::string& path, int flags) {
    int fd;
    do fd = ::open(path.c_str(), flags | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

LockProbe ProbeLocks(const std::string& path) {
    const int fd = OpenRetrying(path, O_RDONLY);
    if (fd < 0) return LockProbe::DenyAll;
    // Asking about a write lock finds every lock of another holder.
    struct flock fl = WholeFile(F_WRLCK);
    LockProbe result = LockProbe::Free;
    if (::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK)
        result = fl.l_type == F_RDLCK ? LockProbe::DenyWriting : LockProbe::DenyAll;
    ::close(fd);
    return result;
}

bool FileLock::Take(const std::string& path, int mode) {
    Release();
    if (mode == 0) return false;
    const bool shared = mode == 1;
    const int fd = OpenRetrying(path, shared ? O_RDONLY : O_RDWR);
    if (fd < 0) return false;
    struct flock fl = WholeFile(shared ? F_RDLCK : F_WRLCK);
    struct stat st {};
    if (::fcntl(fd, F_OFD_SETLK, &fl) != 0 || ::fstat(fd, &st) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    mode_ = mode;
    path_ = path;
    dev_ = st.st_dev;
    ino_ = st.st_ino;
    return true;
}

void FileLock::Release() {
    if (fd_ >= 0) ::close(fd_);  // closing the last descriptor drops the lock
    fd_ = -1;
    mode_ = 0;
    path_.clear();
}

bool FileLock::StillOnPath() const {
    struct stat st {};
    return fd_ >= 0 && ::stat(path_.c_str(), &st) == 0 && st.st_dev == dev_ && st.st_ino == ino_;
}

}  // namespace qz
