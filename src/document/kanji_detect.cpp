// Kanji code decision for a file being opened: JIS and EUC detection over the
// file's first 64 KB and the order in which explicit choices win.
#include "document/kanji_detect.h"

#include "document/kanji_code.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace qz {

namespace {
using Byte = unsigned char;

std::string_view Head(std::string_view sample) {
    return sample.substr(0, std::min(sample.size(), kDetectSampleSize));
}

bool IsJisEscape(Byte a, Byte b) {
    return (a == '(' && (b == 'B' || b == 'J' || b == 'I')) || (a == '$' && b == 'B');
}
}  // namespace

int DetectJis(std::string_view sample) {
    sample = Head(sample);
    const Byte* p = reinterpret_cast<const Byte*>(sample.data());
    bool escape = false;
    for (size_t start = 0; start < sample.size(); start += kDetectBlockSize) {
        const size_t end = std::min(sample.size(), start + kDetectBlockSize);
        size_t i = start;
        // Whole words first: most of a JIS file is 7-bit with no escape.
        for (; end - i >= 8; i += 8) {
            uint64_t w;
            std::memcpy(&w, p + i, 8);
            if (w & 0x8080808080808080ull) return 0;
        }
        for (; i < end; ++i)
            if (p[i] & 0x80) return 0;
        if (escape) continue;
        for (const Byte* e = p + start; e + 2 < p + end;) {
            e = static_cast<const Byte*>(std::memchr(e, 0x1B, p + end - 2 - e));
            if (!e) break;
            if (IsJisEscape(e[1], e[2])) {
                escape = true;
                break;
            }
            ++e;
        }
    }
    return escape ? 1 : 0;
}

int DetectEuc(std::string_view sample) {
    sample = Head(sample);
    int state = 0;
    bool evidence = false;
    for (const char ch : sample) {
        const Byte c = Byte(ch);
        switch (state) {
        case 0:
            if (c >= 0xA1 && c <= 0xDF) state = 1;
            else if (c == 0x8E) state = 2;
            else if (c >= 0xE0) state = 3;
            else if (c >= 0x80) return 0;  // 0x80-0xA0 other than 0x8E
            break;
        case 1:
            if (c >= 0xE0) evidence = true;
            else if (c < 0xA1) return 0;
            state = 0;
            break;
        case 2:
            state = 0;
            break;
        default:
            if (c < 0xA1) return 0;
            state = 0;
            break;
        }
    }
    return evidence ? 1 : 0;
}

std::string ReadKanjiSample(int fd) {
    std::string sample(kDetectSampleSize, '\0');
    size_t got = 0;
    lseek(fd, 0, SEEK_SET);
    while (got < sample.size()) {
        const ssize_t r = read(fd, sample.data() + got, sample.size() - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += size_t(r);
    }
    sample.resize(got);
    lseek(fd, 0, SEEK_SET);
    return sample;
}

bool IsEucPath(std::string_view eucDrive, std::string_view path) {
    if (path.empty()) return false;
    const std::string normal = NormalizePath(path);
    auto inFolder = [&normal](const std::string& folder) {
        if (folder == "/") return normal.size() > 1 && normal[0] == '/';
        return normal.size() > folder.size() && normal.compare(0, folder.size(), folder) == 0 &&
               normal[folder.size()] == '/';
    };
    size_t i = 0;
    while (i < eucDrive.size()) {
        const size_t end = eucDrive.find_first_of(" \t,;:", i);
        const std::string_view token =
            eucDrive.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
        i = end == std::string_view::npos ? eucDrive.size() : end + 1;
        if (token.size() == 1 &&
            std::tolower(Byte(token[0])) == std::tolower(Byte(path[0])))
            return true;
        if (!token.empty() && token[0] == '/') {
            // The document's path is canonical, so a folder reached through a
            // symbolic link is matched by its real spelling too.
            if (inFolder(NormalizePath(token)) || inFolder(CanonicalPath(token))) return true;
        }
    }
    return false;
}

int DecideKanjiCode(int documentCode, int explicitCode, int charCheck,
                    std::string_view eucDrive, std::string_view path,
                    const std::function<std::string()>& readSample) {
    if (documentCode >= kCodeSjis && documentCode <= kCodeJis) return documentCode;
    if (explicitCode >= kCodeSjis && explicitCode <= kCodeJis) return explicitCode;
    if (IsEucPath(eucDrive, path)) return kCodeEuc;
    if (charCheck != 1) return kCodeSjis;
    const std::string sample = readSample();
    if (DetectJis(sample)) return kCodeJis;
    if (DetectEuc(sample)) return kCodeEuc;
    return kCodeSjis;
}

int DecideKanjiCode(int documentCode, int explicitCode, int charCheck,
                    std::string_view eucDrive, std::string_view path, int fd) {
    return DecideKanjiCode(documentCode, explicitCode, charCheck, eucDrive, path,
                           [fd] { return ReadKanjiSample(fd); });
}

}  // namespace qz
