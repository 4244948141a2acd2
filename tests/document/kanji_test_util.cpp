// Shared helpers of the kanji converter tests.
#include "kanji_test_util.h"

#include "document/kanji_code.h"
#include "document/kanji_convert.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace qz::test {

const std::vector<std::string>& JisX0208Chars() {
    static const std::vector<std::string> chars = [] {
        std::vector<std::string> v;
        iconv_t cd = iconv_open("UTF-8", "SHIFT_JIS");
        for (int a = 0x81; a <= 0xFC; ++a) {
            if (a >= 0xA0 && a <= 0xDF) continue;  // half-width kana, not leads
            for (int b = 0x40; b <= 0xFC; ++b) {
                if (b == 0x7F) continue;
                char in[2] = {char(a), char(b)}, out[8];
                char* src = in;
                char* dst = out;
                size_t il = 2, ol = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &src, &il, &dst, &ol) != size_t(-1) && il == 0)
                    v.push_back(std::string(in, 2));
            }
        }
        iconv_close(cd);
        return v;
    }();
    return chars;
}

std::string RandomSjisText(std::mt19937& rng, size_t n, bool kana) {
    const auto& chars = JisX0208Chars();
    std::string s;
    for (size_t k = 0; k < n; ++k) {
        const unsigned kind = rng() % 8;
        if (kind < 3) {
            s += chars[rng() % chars.size()];
        } else if (kind == 3 && kana) {
            s += char(0xA1 + rng() % (0xDF - 0xA1 + 1));
        } else if (kind == 4) {
            s += "\t\n "[rng() % 3];
        } else {
            s += char(0x20 + rng() % 0x5F);
        }
    }
    return s;
}

namespace {
int Decode(int code, const std::string& in, size_t from, size_t n, std::string& out, int& mode,
           bool atEnd) {
    std::string buf(n, '\0');
    size_t count = n;
    const int left = code == kCodeEuc ? EucToSjis(in.data() + from, buf.data(), count, atEnd)
                                      : JisToSjis(in.data() + from, buf.data(), count, mode, atEnd);
    out.append(buf.data(), count);
    return left;
}

int Encode(int code, const std::string& in, size_t from, size_t n, std::string& out, int& mode,
           bool atEnd) {
    std::string buf(n * kMaxJisGrowth, '\0');
    size_t count = n;
    const int left = code == kCodeEuc ? SjisToEuc(in.data() + from, buf.data(), count, atEnd)
                                      : SjisToJis(in.data() + from, buf.data(), count, mode, atEnd);
    out.append(buf.data(), count);
    return left;
}

template <typename Step>
std::string Pieces(const std::string& in, size_t piece, Step step) {
    std::string out;
    int mode = kJisAscii;
    size_t pos = 0;
    while (pos < in.size()) {
        const size_t n = std::min(piece, in.size() - pos);
        const int left = step(pos, n, out, mode, pos + n == in.size());
        EXPECT_LT(size_t(left), n) << "no progress at " << pos;
        if (size_t(left) >= n) break;
        pos += n - size_t(left);
    }
    return out;
}

template <typename Step>
std::string Split(const std::string& in, size_t split, Step step) {
    std::string out;
    int mode = kJisAscii;
    const int left = step(0, split, out, mode, split == in.size());
    const size_t rest = split - size_t(left);
    if (rest < in.size()) step(rest, in.size() - rest, out, mode, true);
    return out;
}
}  // namespace

std::string ReadLikeLoader(int code, const std::string& bytes, size_t piece) {
    return Pieces(bytes, piece, [&](size_t f, size_t n, std::string& o, int& m, bool e) {
        return Decode(code, bytes, f, n, o, m, e);
    });
}

std::string WriteLikeSaver(int code, const std::string& sjis, size_t piece) {
    return Pieces(sjis, piece, [&](size_t f, size_t n, std::string& o, int& m, bool e) {
        return Encode(code, sjis, f, n, o, m, e);
    });
}

std::string DecodeSplit(int code, const std::string& bytes, size_t split) {
    return Split(bytes, split, [&](size_t f, size_t n, std::string& o, int& m, bool e) {
        return Decode(code, bytes, f, n, o, m, e);
    });
}

std::string EncodeSplit(int code, const std::string& sjis, size_t split) {
    return Split(sjis, split, [&](size_t f, size_t n, std::string& o, int& m, bool e) {
        return Encode(code, sjis, f, n, o, m, e);
    });
}

std::string Widened(const std::string& sjis) {
    std::string out;
    for (size_t i = 0; i < sjis.size(); ++i) {
        const unsigned c = static_cast<unsigned char>(sjis[i]);
        if (IsHalfKana(c)) {
            const unsigned w = WidenHalfKana(c);
            out += char(w >> 8);
            out += char(w & 0xFF);
        } else {
            out += sjis[i];
            if (IsSjisLeadClass(c) && i + 1 < sjis.size()) out += sjis[++i];
        }
    }
    return out;
}

}  // namespace qz::test
