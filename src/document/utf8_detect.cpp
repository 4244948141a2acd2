// The UTF-8 look of a file, and where it comes in the code decision.
#include "document/utf8_detect.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "document/kanji_code.h"
#include "document/kanji_detect.h"
#include "platform/sjis_unicode.h"

namespace qz {

namespace {

// Reads up to n bytes; fewer only at the end of the file or on an error.
size_t ReadFull(int fd, char* buf, size_t n) {
    size_t got = 0;
    while (got < n) {
        const ssize_t r = ::read(fd, buf + got, n - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += size_t(r);
    }
    return got;
}

bool HasHighByte(const char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80) return true;
    return false;
}

}  // namespace

bool FileLooksUtf8(int fd) {
    std::string window(kDetectSampleSize + 1, '\0');
    ::lseek(fd, 0, SEEK_SET);
    size_t got;
    // Blocks of ASCII are passed over; the window starts at a block boundary,
    // which no sequence crosses since the block before it is all ASCII.
    for (;;) {
        got = ReadFull(fd, window.data(), kDetectBlockSize);
        if (got == 0 || HasHighByte(window.data(), got)) break;
    }
    if (got == kDetectBlockSize) got += ReadFull(fd, window.data() + got, window.size() - got);
    ::lseek(fd, 0, SEEK_SET);
    // One byte past the window tells whether a sequence cut at its end is the
    // end of the file.
    const bool more = got > kDetectSampleSize;
    window.resize(std::min(got, kDetectSampleSize));
    return LooksLikeUtf8(window, more);
}

int DecideFileCode(int documentCode, int explicitCode, int charCheck, std::string_view eucDrive,
                   std::string_view path, int fd, bool utf8) {
    if (documentCode == kCodeUtf8) return documentCode;
    if (documentCode < kCodeSjis || documentCode > kCodeJis) {
        if (explicitCode >= kCodeSjis && explicitCode <= kCodeUtf8) return explicitCode;
        if (utf8 && FileLooksUtf8(fd)) return kCodeUtf8;
    }
    return DecideKanjiCode(documentCode, explicitCode, charCheck, eucDrive, path, fd);
}

}  // namespace qz
