// Text-mode reading for list files and sources.
#include "qztags/text_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sjis_unicode.h"

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

bool TextReader::ReadSource(const std::string& path, std::string& bytes) {
    bytes.clear();
    const int fd = Open(path);
    if (fd < 0) return false;
    char chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // a read error ends the file, as for other readers
        bytes.append(chunk, size_t(got));
    }
    close(fd);
    if (qz::LooksLikeUtf8(bytes, false)) {
        const std::string_view bom = "\xEF\xBB\xBF";
        bytes = qz::Utf8TextToSjis(std::string_view(bytes).substr(bytes.starts_with(bom) ? bom.size() : 0));
    }
    return true;
}

bool TextReader::Fill() {
    if (eof_) return false;
    char buffer[65536];
    const char* raw = buffer;
    ssize_t got;
    if (fromMemory_) {
        raw = memory_.data() + memoryPos_;
        got = ssize_t(std::min(sizeof buffer, memory_.size() - memoryPos_));
        memoryPos_ += size_t(got);
    } else {
        do {
            got = read(fd_, buffer, sizeof buffer);
        } while (got < 0 && errno == EINTR);
    }
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
    if (eof_ && fd_ >= 0) close(fd_), fd_ = -1;
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
