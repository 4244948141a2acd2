// Loading a file through the kanji converters and finding its matching lines
// with the editor's search engine over the whole text.
#include "qzgrep/file_search.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "document/kanji_detect.h"
#include "platform/cp932.h"
#include "search/buffer_text.h"
#include "search/search_engine.h"

namespace qzgrep {
namespace {

// The engine counts positions in 32 bits, 1-based, with one past the end.
constexpr uint64_t kMaxText = 0xFFFFFFF0u;

// Branch-free compaction: CR/LF files drop a byte on every line, which a
// find-and-erase loop pays for with a mispredicted branch each time.
void DropLoaderBytes(std::string& s) {
    static const auto kKeep = [] {
        std::array<uint8_t, 256> t{};
        t.fill(1);
        t['\r'] = t['\0'] = t[0x1A] = 0;
        return t;
    }();
    char* d = s.data();
    const size_t n = s.size();
    size_t o = 0;
    for (size_t i = 0; i < n; ++i) {
        const char c = d[i];
        d[o] = c;
        o += kKeep[static_cast<unsigned char>(c)];
    }
    s.resize(o);
}

}  // namespace

std::string BytesToSjisText(std::string bytes, std::optional<qz::Utf8Forms>* utf8Forms) {
    if (utf8Forms) utf8Forms->reset();
    // UTF-8 first, as the editor decides: the whole file is at hand, so it
    // must be UTF-8 to its end.
    if (qz::LooksLikeUtf8(bytes, false)) {
        qz::Utf8Reader reader(true, false);
        bytes = qz::DecodeUtf8ToSjis(bytes, reader);
        if (utf8Forms) *utf8Forms = reader.Forms();
        DropLoaderBytes(bytes);
        return bytes;
    }
    // No "EucDrive" here: the program sees no editor settings, so only the
    // detection decides.
    int code = qz::DecideKanjiCode(0, 0, 1, {}, {}, [&bytes] {
        return bytes.substr(0, std::min(bytes.size(), qz::kDetectSampleSize));
    });
    if (code != qz::kCodeSjis) bytes = qz::DecodeToSjis(code, bytes);
    DropLoaderBytes(bytes);
    return bytes;
}

bool LoadSjisText(const std::string& path, std::string& text, std::string& problem,
                  std::optional<qz::Utf8Forms>* utf8Forms) {
    text.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) close(fd);
        problem = "Can't be opened. '" + path + "'";
        return false;
    }
    if (static_cast<uint64_t>(st.st_size) > kMaxText) {
        close(fd);
        problem = "Too large to search. '" + path + "'";
        return false;
    }
    std::string bytes(static_cast<size_t>(st.st_size), '\0');
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) bytes.resize(got + 65536);  // the file may have grown
        ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            problem = "Can't be read. '" + path + "'";
            return false;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
        if (got > kMaxText) {
            close(fd);
            problem = "Too large to search. '" + path + "'";
            return false;
        }
    }
    close(fd);
    bytes.resize(got);
    text = BytesToSjisText(std::move(bytes), utf8Forms);
    if (text.size() > kMaxText) {  // JIS text can grow a little on decoding
        problem = "Too large to search. '" + path + "'";
        text.clear();
        return false;
    }
    return true;
}

long SearchLines(std::string_view text, const qz::SearchPattern& pattern,
                 const std::function<void(long line, std::string_view text)>& hit) {
    qz::BufferText access(text);
    const uint32_t total = static_cast<uint32_t>(text.size());
    const char* d = text.data();
    long hits = 0;
    long line = 1;
    uint32_t lineStart = 0;  // 0-based start of line `line`
    uint32_t from = 0;       // 0-based: where the next search begins, always a line start
    while (from <= total) {
        qz::FindResult r = qz::Find(access, pattern, qz::SearchDirection::kForward, from + 1);
        if (r.status != qz::FindStatus::kFound) break;
        uint32_t at = r.pos - 1;
        // After a final line feed there is no line, only the end of the text.
        if (at == total && (total == 0 || d[total - 1] == '\n')) break;
        while (const void* lf = std::memchr(d + lineStart, '\n', at - lineStart)) {
            lineStart = static_cast<uint32_t>(static_cast<const char*>(lf) - d) + 1;
            ++line;
        }
        const void* lf = std::memchr(d + at, '\n', total - at);
        const uint32_t lineEnd = lf ? static_cast<uint32_t>(static_cast<const char*>(lf) - d) : total;
        bool inside = uint64_t{at} + r.length <= lineEnd;
        if (!inside) {
            // The match runs over the line feed; a line on its own may still
            // hold one (a shorter one here, or one further on).
            qz::FindResult again =
                qz::Find(access, pattern, qz::SearchDirection::kForward, at + 1, lineEnd + 1);
            inside = again.status == qz::FindStatus::kFound;
        }
        if (inside) {
            ++hits;
            hit(line, text.substr(lineStart, lineEnd - lineStart));
        }
        if (!lf) break;
        from = lineEnd + 1;
        lineStart = from;
        ++line;
    }
    return hits;
}

void AppendHit(std::string& out, const std::string& name, bool quoteName, long line,
               std::string_view sjisLine, const qz::Utf8Forms* utf8Forms) {
    if (quoteName) out += '"';
    out += name;
    if (quoteName) out += '"';
    out += ' ';
    char number[24];
    out.append(number, static_cast<size_t>(std::to_chars(number, number + sizeof number, line).ptr - number));
    out += ": ";
    // Most source lines are plain ASCII, which reads the same in both codes.
    if (std::all_of(sjisLine.begin(), sjisLine.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out += sjisLine;
    } else if (utf8Forms) {
        out += qz::EncodeSjisToUtf8(sjisLine, *utf8Forms);
    } else {
        std::string utf8;
        qz::Cp932ToUtf8(sjisLine, utf8, nullptr, true);
        out += utf8;
    }
    out += '\n';
}

}  // namespace qzgrep
