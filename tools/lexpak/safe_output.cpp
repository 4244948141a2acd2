// Temporary-then-rename writing of the destination dictionary.
#include "lexpak/safe_output.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace lexpak {

SafeOutput::~SafeOutput() {
    if (!temp_.empty() && !committed_) unlink(temp_.c_str());
}

FILE* SafeOutput::Open() {
    target_ = dest_;
    struct stat st;
    mode_t mode;
    if (stat(dest_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return nullptr;
        if (!S_ISREG(st.st_mode)) {
            // A device or pipe is written as it is: there is nothing to rename.
            file_ = std::fopen(dest_.c_str(), "wb");
            return file_;
        }
        if (access(dest_.c_str(), W_OK) != 0) return nullptr;
        char real[PATH_MAX];
        if (realpath(dest_.c_str(), real)) target_ = real;
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    temp_ = target_ + ".QZMXXXXXX";
    int fd = mkstemp(temp_.data());
    if (fd < 0) {
        temp_.clear();
        return nullptr;
    }
    fchmod(fd, mode);
    file_ = fdopen(fd, "wb");
    if (!file_) close(fd);
    return file_;
}

bool SafeOutput::Commit() {
    if (temp_.empty()) return true;
    if (rename(temp_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    return true;
}

}  // namespace lexpak
