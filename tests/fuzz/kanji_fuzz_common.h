// Shared by the kanji converter fuzz targets: conversions into buffers of the
// exact documented size (so a write past the bound is caught), whole and in
// pieces with the left-over bytes handed back as the loader and saver do.
#pragma once

#include "document/kanji_code.h"
#include "document/kanji_convert.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace qz::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

enum class Dir { Read, Write };

// One call on a heap copy of exactly n input bytes into exactly the bound.
inline int Convert(Dir dir, int code, const char* data, size_t n, std::string& out, int& mode,
                   bool atEnd) {
    std::unique_ptr<char[]> in(new char[n ? n : 1]);
    if (n) std::memcpy(in.get(), data, n);
    const size_t room = dir == Dir::Read ? n : n * (code == kCodeEuc ? kMaxEucGrowth : kMaxJisGrowth);
    std::unique_ptr<char[]> buf(new char[room ? room : 1]);
    size_t count = n;
    int left;
    if (dir == Dir::Read)
        left = code == kCodeEuc ? EucToSjis(in.get(), buf.get(), count, atEnd)
                                : JisToSjis(in.get(), buf.get(), count, mode, atEnd);
    else
        left = code == kCodeEuc ? SjisToEuc(in.get(), buf.get(), count, atEnd)
                                : SjisToJis(in.get(), buf.get(), count, mode, atEnd);
    Check(count <= room);
    Check(left >= 0 && left <= (dir == Dir::Read && code == kCodeJis ? 2 : 1));
    Check(size_t(left) <= n);
    Check(!atEnd || left == 0);
    Check(mode >= kJisAscii && mode <= kJisKana);
    out.append(buf.get(), count);
    return left;
}

inline std::string Whole(Dir dir, int code, std::string_view s) {
    std::string out;
    int mode = kJisAscii;
    Convert(dir, code, s.data(), s.size(), out, mode, true);
    return out;
}

// Pieces of `piece` bytes (at least 3, the longest escape).
inline std::string Pieces(Dir dir, int code, std::string_view s, size_t piece) {
    std::string out;
    int mode = kJisAscii;
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t n = std::min(piece, s.size() - pos);
        const int left = Convert(dir, code, s.data() + pos, n, out, mode, pos + n == s.size());
        Check(size_t(left) < n);
        pos += n - size_t(left);
    }
    return out;
}

// Shift-JIS that the writers take over unchanged: ASCII (no escape byte),
// half-width kana, and pairs with a JIS X 0208 position.
inline bool WellFormedSjis(std::string_view s, bool kana) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned c = static_cast<unsigned char>(s[i]);
        if (c == 0x1B) return false;
        if (c < 0x80) continue;
        if (IsHalfKana(c)) {
            if (!kana) return false;
            continue;
        }
        if (i + 1 == s.size() || !SjisPairToJis(c, static_cast<unsigned char>(s[i + 1]))) return false;
        ++i;
    }
    return true;
}

// The properties every converter pair keeps, given a Shift-JIS text s:
// piecewise writing equals whole writing, the writer's output is a fixed
// point of read-then-write, and well-formed text survives a round trip.
inline void CheckWriters(std::string_view s, size_t piece) {
    std::string noEsc(s);
    std::erase(noEsc, '\x1B');  // the writers copy it; a reader would obey it
    for (int code : {kCodeEuc, kCodeJis}) {
        const std::string_view text = code == kCodeJis ? std::string_view(noEsc) : s;
        const std::string file = Whole(Dir::Write, code, text);
        Check(Pieces(Dir::Write, code, text, piece) == file);
        const std::string back = Whole(Dir::Read, code, file);
        Check(Pieces(Dir::Read, code, file, piece) == back);
        Check(Whole(Dir::Write, code, back) == file);
        if (WellFormedSjis(text, code == kCodeEuc)) Check(back == text);
    }
}

}  // namespace qz::fuzz
