// Speed of the kanji converters on 50 MB of program text in the piece sizes
// the loader (512-byte reads) and the saver (4096-byte writes) use, next to
// glibc iconv converting the same text CP932 -> EUC-JP.
#include "document/kanji_code.h"
#include "document/kanji_convert.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>

#include <random>
#include <string>
#include <vector>

using namespace qz;

namespace {
constexpr size_t kTextSize = 50u << 20;

// C source with Japanese comments and strings: mostly ASCII, about one line
// in three carrying kanji, kana and now and then half-width kana.
std::string GenerateSjis(size_t size) {
    std::mt19937 rng(1);
    // Assigned characters only, so that iconv takes the same text.
    std::vector<std::string> kanji;
    iconv_t cd = iconv_open("EUC-JP", "CP932");
    for (unsigned lead : {0x88u, 0x89u, 0x8Au, 0x93u, 0x96u, 0x8Cu, 0x82u, 0x83u, 0xE0u}) {
        for (unsigned trail = 0x40; trail <= 0xFC; trail += 3) {
            char pair[2] = {char(lead), char(trail)}, out[8];
            char* src = pair;
            char* dst = out;
            size_t il = 2, ol = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &il, &dst, &ol) != size_t(-1) && il == 0 && ol == sizeof out - 2)
                kanji.push_back(std::string(pair, 2));
        }
    }
    iconv_close(cd);
    const char* code[] = {"    for (i = 0; i < count; i++) {\n", "        total += table[i] * scale;\n",
                          "    }\n", "    return result;\n", "static int parse_line(const char *p)\n",
                          "        if (p == NULL) break;\n", "#include <stdio.h>\n", "\n"};
    std::string s;
    s.reserve(size + 256);
    while (s.size() < size) {
        const unsigned kind = rng() % 6;
        if (kind == 0 || kind == 1) {
            s += kind == 0 ? "    /* " : "    printf(\"";
            const unsigned n = 4 + rng() % 20;
            for (unsigned k = 0; k < n; ++k) {
                if (rng() % 16 == 0)
                    s += char(0xB1 + rng() % 40);
                else
                    s += kanji[rng() % kanji.size()];
            }
            s += kind == 0 ? " */\n" : "\\n\");\n";
        } else {
            s += code[rng() % (sizeof code / sizeof *code)];
        }
    }
    s.resize(size);
    return s;
}

const std::string& Sjis() {
    static const std::string s = GenerateSjis(kTextSize);
    return s;
}
const std::string& Euc() {
    static const std::string s = EncodeFromSjis(kCodeEuc, Sjis());
    return s;
}
const std::string& Jis() {
    static const std::string s = EncodeFromSjis(kCodeJis, Sjis());
    return s;
}

// The saver's loop: 4096-byte pieces of text, a left-over lead byte taken
// again with the next piece, each converted piece written to the "file".
void Write(benchmark::State& state, int code) {
    const std::string& in = Sjis();
    std::string file(in.size() * (code == kCodeEuc ? 2 : 3), '\0');
    std::vector<char> buf(4096 * kMaxJisGrowth);
    for (auto _ : state) {
        size_t pos = 0, o = 0;
        int mode = kJisAscii;
        while (pos < in.size()) {
            const size_t n = std::min<size_t>(4096, in.size() - pos);
            size_t count = n;
            const bool end = pos + n == in.size();
            const int left = code == kCodeEuc ? SjisToEuc(in.data() + pos, buf.data(), count, end)
                                              : SjisToJis(in.data() + pos, buf.data(), count, mode, end);
            std::memcpy(file.data() + o, buf.data(), count);
            o += count;
            pos += n - size_t(left);
        }
        benchmark::DoNotOptimize(file.data());
        state.counters["out_MB"] = double(o) / (1 << 20);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

// The loader's loop: 512-byte reads from a file position that moves back by
// the left-over count, the Shift-JIS appended to the text.
void Read(benchmark::State& state, int code) {
    const std::string& in = code == kCodeEuc ? Euc() : Jis();
    std::string text(in.size(), '\0');
    char buf[512];
    for (auto _ : state) {
        size_t pos = 0, o = 0;
        int mode = kJisAscii;
        while (pos < in.size()) {
            const size_t n = std::min<size_t>(512, in.size() - pos);
            size_t count = n;
            const bool end = pos + n == in.size();
            const int left = code == kCodeEuc ? EucToSjis(in.data() + pos, buf, count, end)
                                              : JisToSjis(in.data() + pos, buf, count, mode, end);
            std::memcpy(text.data() + o, buf, count);
            o += count;
            pos += n - size_t(left);
        }
        benchmark::DoNotOptimize(text.data());
        // JIS widens half-width kana, so only EUC gives the text back byte for byte.
        if (code == kCodeEuc && std::memcmp(text.data(), Sjis().data(), o) != 0)
            state.SkipWithError("round trip changed the text");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void BM_SjisToEuc_4096(benchmark::State& s) { Write(s, kCodeEuc); }
void BM_SjisToJis_4096(benchmark::State& s) { Write(s, kCodeJis); }
void BM_EucToSjis_512(benchmark::State& s) { Read(s, kCodeEuc); }
void BM_JisToSjis_512(benchmark::State& s) { Read(s, kCodeJis); }

// iconv on the same text: whole (its best case) and in 4096-byte pieces.
void BM_IconvCp932ToEucJp(benchmark::State& state) {
    const std::string& in = Sjis();
    const size_t piece = size_t(state.range(0));
    std::string out(in.size() * 2, '\0');
    iconv_t cd = iconv_open("EUC-JP", "CP932");
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* dst = out.data();
        size_t room = out.size();
        for (size_t pos = 0; pos < in.size();) {
            char* src = const_cast<char*>(in.data()) + pos;
            size_t left = std::min(piece, in.size() - pos);
            const size_t n = left;
            // A piece cut inside a pair stops with EINVAL; the rest is retried.
            if (iconv(cd, &src, &left, &dst, &room) == size_t(-1) && errno != EINVAL) {
                state.SkipWithError("iconv refused the text");
                break;
            }
            pos += n - left;
        }
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}
}  // namespace

BENCHMARK(BM_SjisToEuc_4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis_4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EucToSjis_512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis_512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvCp932ToEucJp)->Arg(4096)->Arg(int(kTextSize))->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
