// CP932 <-> UTF-8: glibc iconv towards UTF-8, the strict table back.
#include "platform/cp932.h"

#include "platform/sjis_unicode.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace qz {

namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv_open failed: ") + from + " -> " + to);
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts in; stops at the first invalid or incomplete sequence and
    // returns its offset, or in.size() when everything converted.
    size_t Convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        char buf[4096];
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - left;
    }

private:
    iconv_t cd_;
};

Iconv& ToUtf8() {
    thread_local Iconv cv("UTF-8", "CP932");
    return cv;
}

size_t Utf8SeqLen(uint8_t c) {
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

bool Cp932ToUtf8(std::string_view sjis, std::string& utf8, size_t* bad, bool lossy) {
    utf8.clear();
    size_t pos = 0;
    bool ok = true;
    while (pos < sjis.size()) {
        pos += ToUtf8().Convert(sjis.substr(pos), utf8);
        if (pos >= sjis.size()) break;
        if (ok && bad) *bad = pos;
        ok = false;
        if (!lossy) return false;
        utf8 += "\xEF\xBF\xBD";
        // Skip the whole unconvertible character, not half of it.
        pos += (IsSjisLead(static_cast<uint8_t>(sjis[pos])) && pos + 1 < sjis.size()) ? 2 : 1;
    }
    return ok;
}

bool Utf8ToCp932(std::string_view utf8, std::string& sjis, size_t* bad) {
    // The table files are read with: glibc alone would write the yen sign and
    // the overline as a backslash and a tilde.
    return Utf8ToSjisStrict(utf8, sjis, bad);
}

std::string SjisToUtf8(std::string_view sjis) {
    std::string out;
    Cp932ToUtf8(sjis, out, nullptr, true);
    return out;
}

std::string Utf8ToSjis(std::string_view utf8) {
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        std::string part;
        size_t bad = 0;
        if (Utf8ToCp932(utf8.substr(pos), part, &bad)) {
            out += part;
            break;
        }
        out += part;
        out += '?';
        pos += bad + Utf8SeqLen(static_cast<uint8_t>(utf8[pos + bad]));
    }
    return out;
}

std::string_view SjisPrefix(std::string_view s, size_t max_bytes) {
    if (s.size() <= max_bytes) return s;
    size_t i = 0;
    while (i < max_bytes) {
        size_t len = IsSjisLead(static_cast<uint8_t>(s[i])) ? 2 : 1;
        if (i + len > max_bytes) break;
        i += len;
    }
    return s.substr(0, i);
}

std::string Utf8PrefixBySjisBytes(std::string_view utf8, size_t max_bytes) {
    size_t used = 0, i = 0;
    while (i < utf8.size()) {
        size_t len = std::min(Utf8SeqLen(static_cast<uint8_t>(utf8[i])), utf8.size() - i);
        std::string part;
        size_t cost = Utf8ToCp932(utf8.substr(i, len), part) ? part.size() : 2;
        if (used + cost > max_bytes) break;
        used += cost;
        i += len;
    }
    return std::string(utf8.substr(0, i));
}

}  // namespace qz
