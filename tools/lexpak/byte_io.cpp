// File and memory forms of the converter's inputs and outputs.
#include "lexpak/byte_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexpak {

size_t MemorySource::Read(char* buf, size_t n) {
    size_t take = std::min(n, data_.size() - pos_);
    std::memcpy(buf, data_.data() + pos_, take);
    pos_ += take;
    return take;
}

bool MemorySource::ReadAt(uint64_t offset, char* buf, size_t n) {
    if (offset > data_.size() || n > data_.size() - offset) return false;
    std::memcpy(buf, data_.data() + offset, n);
    return true;
}

FileInput::FileInput(int fd) : fd_(fd) {
    struct stat st;
    if (fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) size_ = static_cast<uint64_t>(st.st_size);
}

FileInput::~FileInput() {
    if (fd_ >= 0) close(fd_);
}

int FileInput::Open(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

size_t FileInput::Read(char* buf, size_t n) {
    while (true) {
        ssize_t got = read(fd_, buf, n);
        if (got >= 0) return static_cast<size_t>(got);
        if (errno != EINTR) {
            error_ = true;
            return 0;
        }
    }
}

bool FileInput::ReadAt(uint64_t offset, char* buf, size_t n) {
    while (n > 0) {
        ssize_t got = pread(fd_, buf, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        buf += got;
        offset += static_cast<uint64_t>(got);
        n -= static_cast<size_t>(got);
    }
    return true;
}

FileSink::FileSink(FILE* f) : f_(f) {
    if (f_) std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
}

FileSink::~FileSink() {
    if (f_) Close();
}

bool FileSink::Write(const char* data, size_t n) {
    if (failed_ || !f_) return false;
    if (n > 0 && std::fwrite(data, 1, n, f_) != n) failed_ = true;
    return !failed_;
}

bool FileSink::Close() {
    if (!f_) return !failed_;
    if (std::fclose(f_) != 0) failed_ = true;
    f_ = nullptr;
    return !failed_;
}

}  // namespace lexpak
