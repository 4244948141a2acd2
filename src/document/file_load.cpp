// Reading a file into the store: the open and lock cases, the code decision,
// 512-byte pieces through the converter and the byte rules of the text.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "document/file_io.h"
#include "document/file_io_internal.h"
#include "document/kanji_convert.h"
#include "document/kanji_detect.h"
#include "document/qzed_doc.h"
#include "document/utf8_detect.h"
#include "platform/message_box.h"
#include "settings/settings.h"

namespace qz {

namespace {

constexpr size_t kPiece = 512;             // bytes a converter is handed at once
constexpr size_t kReadBlock = 256 * 1024;  // bytes asked of the system at once

constexpr const char* kTooLarge = "ファイルが大きすぎるため読み込めません";
constexpr const char* kReadError = "ファイルの読み込み中にエラーが発生しました";

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHigh = 0x8080808080808080ull;

inline bool HasZeroByte(uint64_t w) { return ((w - kOnes) & ~w & kHigh) != 0; }

// Index of the first byte at or after i that may be NUL, CR or 0x1A; the
// caller looks at the bytes from there one by one.
inline size_t SkipPlain(const char* p, size_t i, size_t n) {
#if defined(__SSE2__)
    const __m128i nul = _mm_setzero_si128(), cr = _mm_set1_epi8(0x0D), eof = _mm_set1_epi8(0x1A);
    while (n - i >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, nul), _mm_cmpeq_epi8(v, cr)),
                                         _mm_cmpeq_epi8(v, eof));
        const int mask = _mm_movemask_epi8(hit);
        if (mask) return i + size_t(__builtin_ctz(unsigned(mask)));
        i += 16;
    }
#endif
    while (n - i >= 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (HasZeroByte(w) || HasZeroByte(w ^ (kOnes * 0x0D)) || HasZeroByte(w ^ (kOnes * 0x1A))) break;
        i += 8;
    }
    return i;
}

// The byte rules between the converter and the records: NUL and CR dropped
// (CR noted), LF noted, 0x1A dropped or the end of the text.
class TextFilter {
public:
    TextFilter(CQzedDoc& doc, bool stopAtEof) : doc_(doc), stopAtEof_(stopAtEof) {}

    // Takes n bytes at p, which it may overwrite: the kept bytes are moved
    // together in place and go to the store in one piece. False once the text
    // has ended (0x1A with "ReadEND" 0) or the store is full (Full() tells which).
    bool Feed(char* p, size_t n) {
        size_t i = 0, o = 0;
        while (i < n) {
            size_t j = SkipPlain(p, i, n);
            const size_t look = std::min(n, j + 8);
            while (j < look && !IsSpecial(p[j])) ++j;
            if (o != i) std::memmove(p + o, p + i, j - i);
            o += j - i;
            i = j;
            if (i < n && IsSpecial(p[i])) {
                const char c = p[i++];
                if (c == 0x0D) {
                    sawCr_ = true;
                } else if (c == 0x1A && stopAtEof_) {
                    ended_ = true;
                    break;
                }
            }
        }
        // Only kept bytes count: a line feed after the end of the text is not seen.
        if (!sawLf_ && std::memchr(p, '\n', o)) sawLf_ = true;
        return Append(p, o) && !ended_;
    }

    bool Full() const { return full_; }
    bool Ended() const { return ended_; }
    int LineEndMode() const { return sawLf_ && !sawCr_ ? kLineLf : kLineCrLf; }

private:
    static bool IsSpecial(char c) { return c == 0 || c == 0x0D || c == 0x1A; }
    bool Append(const char* p, size_t n) {
        if (n == 0) return true;
        if (!doc_.LoadAppend(p, static_cast<uint32_t>(n))) {
            full_ = true;
            return false;
        }
        return true;
    }

    CQzedDoc& doc_;
    bool stopAtEof_;
    bool sawLf_ = false, sawCr_ = false, full_ = false, ended_ = false;
};

enum class ReadResult { Done, Full, Error };

ssize_t ReadSome(int fd, char* buf, size_t n) {
    ssize_t r;
    do r = ::read(fd, buf, n);
    while (r < 0 && errno == EINTR);
    return r;
}

// Shift-JIS needs no converter: the filter runs over whole read blocks.
ReadResult ReadSjis(int fd, TextFilter& filter) {
    std::vector<char> buf(kReadBlock);
    for (;;) {
        const ssize_t r = ReadSome(fd, buf.data(), buf.size());
        if (r < 0) return ReadResult::Error;
        if (r == 0) return ReadResult::Done;
        if (!filter.Feed(buf.data(), size_t(r))) return filter.Full() ? ReadResult::Full : ReadResult::Done;
    }
}

// EUC and JIS: 512-byte pieces; the bytes a converter leaves over (a cut
// character or escape) start the next piece, as a file moved back would.
ReadResult ReadConverted(int fd, int code, TextFilter& filter) {
    std::vector<char> buf(kReadBlock + kPiece);
    char out[kPiece];
    size_t have = 0, pos = 0;
    bool eof = false;
    int mode = kJisAscii;
    for (;;) {
        if (have - pos < kPiece && !eof) {
            std::memmove(buf.data(), buf.data() + pos, have - pos);
            have -= pos;
            pos = 0;
            while (!eof && have < kReadBlock) {
                const ssize_t r = ReadSome(fd, buf.data() + have, kReadBlock - have);
                if (r < 0) return ReadResult::Error;
                if (r == 0) eof = true;
                have += size_t(r);
            }
        }
        const size_t n = std::min(kPiece, have - pos);
        if (n == 0) return ReadResult::Done;
        const bool atEnd = eof && pos + n == have;
        size_t count = n;
        const int left = code == kCodeEuc ? EucToSjis(buf.data() + pos, out, count, atEnd)
                                          : JisToSjis(buf.data() + pos, out, count, mode, atEnd);
        if (!filter.Feed(out, count)) return filter.Full() ? ReadResult::Full : ReadResult::Done;
        pos += n - size_t(left);
    }
}

}  // namespace

int FileIo::Load(CQzedDoc& doc, const std::string& path, int explicitCode) {
    WaitCursor wait(host_);
    const EnvironSettings& env = TheSettings().env;
    DocFile& f = doc.File();
    f.exclusiveMode = env.ExclusiveMode;

    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) {
        doc.NewText();
        f.lock.Release();
        f.kanjiCode = kCodeSjis;
        f.lineEnd = kLineCrLf;
        // No lock on a file that is not there yet: the first save takes it.
        if (!f.special) f.fileTime = 0, f.fileSize = -1;
        f.loaded = true;
        return 0;
    }
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;

    // Our own lock would count as another program's in the probe below; the
    // lock step at the end takes it again.
    f.lock.Release();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const LockProbe probe = fd >= 0 ? ProbeLocks(path) : LockProbe::DenyAll;
    if (fd < 0 || probe == LockProbe::DenyAll) {
        if (fd >= 0) ::close(fd);
        Error(file_msg::kCannotOpen, path);
        return -1;
    }
    if (AttributesForbidWriting(path, st)) {
        doc.SetReadOnly(true);
        f.exclusiveMode = 0;
    } else if (probe == LockProbe::DenyWriting) {
        Error(file_msg::kWriteProhibited, path);
        doc.SetReadOnly(true);
        f.exclusiveMode = 0;
    }

    // The status of what is read: a change while reading shows at the next check.
    struct stat now {};
    const bool haveNow = ::fstat(fd, &now) == 0;
    const uint64_t length = haveNow ? uint64_t(now.st_size) : uint64_t(st.st_size);
    if (!doc.LoadBegin(length)) {
        ::close(fd);
        Error(kTooLarge, path);
        return -1;
    }
    int code = DecideFileCode(f.kanjiCode, explicitCode, env.CharCheck, env.EucDrive, path, fd);
    // A guessed UTF-8 must hold to the end; a chosen one reads what is not
    // UTF-8 as problems.
    const bool guessedUtf8 = code == kCodeUtf8 && f.kanjiCode != kCodeUtf8 && explicitCode != kCodeUtf8;
    Utf8Reader utf8(guessedUtf8, env.ReadEND == 0);
    std::optional<TextFilter> filter(std::in_place, doc, env.ReadEND == 0);
    ReadResult result;
    if (code == kCodeUtf8) {
        const Utf8ReadEnd end = ReadUtf8File(fd, utf8, [&](char* p, size_t n) { return filter->Feed(p, n); });
        result = end == Utf8ReadEnd::kError ? ReadResult::Error
                 : filter->Full()           ? ReadResult::Full
                                            : ReadResult::Done;
        if (end == Utf8ReadEnd::kNotUtf8) {
            // Not UTF-8 after all: read as the other codes would have it.
            code = DecideFileCode(f.kanjiCode, explicitCode, env.CharCheck, env.EucDrive, path, fd, false);
            ::lseek(fd, 0, SEEK_SET);
            doc.LoadBegin(length);
            filter.emplace(doc, env.ReadEND == 0);
        }
    }
    if (code != kCodeUtf8) result = code == kCodeSjis ? ReadSjis(fd, *filter) : ReadConverted(fd, code, *filter);
    ::close(fd);
    if (result != ReadResult::Done) {
        // Nothing half read is left behind: the caller closes the document.
        doc.NewText();
        Error(result == ReadResult::Full ? kTooLarge : kReadError, path);
        return -1;
    }
    doc.LoadEnd();
    f.kanjiCode = code;
    f.lineEnd = filter->LineEndMode();
    f.utf8Forms = code == kCodeUtf8 ? utf8.Forms() : Utf8Forms();
    f.utf8Bom = code == kCodeUtf8 && utf8.Bom();
    f.lossyFrom.clear();
    if (code == kCodeUtf8 && utf8.Problem().kind != Utf8Problem::kNone) {
        // Nothing may be lost by a save: the text stays read-only, and is
        // never written over the file it came from.
        f.lossyFrom = path;
        doc.SetReadOnly(true);
        box_.Show(Utf8ProblemMessage(utf8.Problem()), path, MbIcon::Exclamation, MbButtons::Ok);
    }

    if (SetLock(doc, path, f.exclusiveMode) != 0) f.exclusiveMode = 0;
    if (!f.special) {
        f.fileTime = haveNow ? int64_t(now.st_mtim.tv_sec) * 1000000000 + now.st_mtim.tv_nsec : 0;
        f.fileSize = haveNow ? int64_t(now.st_size) : -1;
    }
    f.loaded = true;
    doc.Store().ResetEditCounters();
    return 0;
}

}  // namespace qz
