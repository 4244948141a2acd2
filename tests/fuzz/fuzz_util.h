// Small checks shared by the fuzz targets.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// Ends the run with a message; libFuzzer then saves the input as a crash.
#define FUZZ_CHECK(cond)                                                         \
    do {                                                                         \
        if (!(cond)) {                                                           \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, \
                         __LINE__);                                              \
            std::abort();                                                        \
        }                                                                        \
    } while (0)

// Whether s is well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
inline bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n;
        unsigned cp;
        if (c < 0x80) { ++i; continue; }
        else if (c >= 0xC2 && c <= 0xDF) { n = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { n = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { n = 3; cp = c & 0x07; }
        else return false;
        for (size_t k = 1; k <= n; ++k) {
            if (i + k >= s.size()) return false;
            unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}
