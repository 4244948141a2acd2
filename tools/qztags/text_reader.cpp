// Text-mode reading for list files and sources.
#include "qztags/text_reader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qztags {

TextReader::~TextReader() {
    if (fd_ >= 0) close(fd_);
}

int TextReader::Open(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool TextReader::Fill() {
    if (eof_) return false;
    char raw[65536];
    ssize_t got;
    do {
        got = read(fd_, raw, sizeof raw);
    } while (got < 0 && errno == EINTR);
    buf_.erase(0, pos_);
    pos_ = 0;
    if (got <= 0) {  // end of file, or a read error ends it the same way
        eof_ = true;
        if (cr_pending_) buf_ += '\r';
        cr_pending_ = false;
        return !buf_.empty();
    }
    size_t i = 0;
    if (cr_pending_) {
        cr_pending_ = false;
        if (raw[0] == '\n') {
            buf_ += '\n';
            i = 1;
        } else {
            buf_ += '\r';
        }
    }
    for (; i < static_cast<size_t>(got); ++i) {
        char c = raw[i];
        if (c == 0x1A) {
            eof_ = true;
            break;
        }
        if (c == '\r') {
            if (i + 1 == static_cast<size_t>(got)) {
                cr_pending_ = true;
                break;
            }
            if (raw[i + 1] == '\n') {
                buf_ += '\n';
                ++i;
                continue;
            }
        }
        buf_ += c;
    }
    if (eof_) close(fd_), fd_ = -1;
    return true;
}

bool TextReader::ReadPiece(std::string& piece, size_t max_bytes) {
    piece.clear();
    while (piece.size() < max_bytes) {
        if (pos_ == buf_.size() && !Fill()) break;
        if (pos_ == buf_.size()) continue;
        size_t want = max_bytes - piece.size();
        size_t avail = buf_.size() - pos_;
        size_t take = want < avail ? want : avail;
        const char* start = buf_.data() + pos_;
        if (const void* lf = memchr(start, '\n', take)) {
            take = static_cast<const char*>(lf) - start + 1;
            piece.append(start, take);
            pos_ += take;
            return true;
        }
        piece.append(start, take);
        pos_ += take;
    }
    return !piece.empty();
}

}  // namespace qztags
