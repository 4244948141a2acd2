// The UTF-8 look of a file, and where it comes in the code decision.
#include "document/utf8_detect.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
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
    size_t i = 0;
    for (uint64_t w; i + 8 <= n; i += 8)
        if (std::memcpy(&w, p + i, 8), w & 0x8080808080808080ull) return true;
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80) return true;
    return false;
}

}  // namespace

bool FileLooksUtf8(int fd) {
    std::string window(kDetectSampleSize + 1, '\0');
    ::lseek(fd, 0, SEEK_SET);
    // Pieces of ASCII are passed over; the window starts where a piece does,
    // which no sequence crosses since the piece before it is all ASCII.
    size_t got;
    for (;;) {
        got = ReadFull(fd, window.data(), kDetectSampleSize);
        if (got == 0 || HasHighByte(window.data(), got)) break;
    }
    // One byte past the window tells whether a sequence cut at its end is the
    // end of the file.
    const bool more = got == kDetectSampleSize && ReadFull(fd, window.data() + got, 1) == 1;
    ::lseek(fd, 0, SEEK_SET);
    window.resize(got);
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
