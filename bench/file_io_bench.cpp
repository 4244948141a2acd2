// Load and save of a 50 MB file in each kanji code, next to glibc iconv
// converting the same file, so that the ratio can be read off one run.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/file_io.h"
#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "document/qzed_doc.h"
#include "gen_corpus.h"
#include "platform/message_box.h"
#include "settings/settings.h"

namespace {

constexpr size_t kBytes = 50u * 1024 * 1024;

class SilentBox : public qz::MessageBox {
public:
    qz::MbResult Show(const std::string&, const std::string&, qz::MbIcon, qz::MbButtons) override {
        return qz::MbResult::Yes;
    }
};

// The corpus files live in $QZ_BENCH_DIR (default /tmp), written once per run.
std::string BenchDir() {
    static const std::string dir = [] {
        const char* d = std::getenv("QZ_BENCH_DIR");
        std::string base = d && *d ? d : "/tmp";
        std::string pattern = base + "/qzbench-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return dir;
}

const std::string& SjisText() {
    static const std::string text = qzbench::GenerateSjisCSource(kBytes);
    return text;
}

std::string WithCrLf(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 20);
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Path of the corpus in `code` (4: Shift-JIS with CR LF).
const std::string& CorpusFile(int code) {
    static std::string paths[5];
    std::string& p = paths[code];
    if (p.empty()) {
        p = BenchDir() + "/corpus" + std::to_string(code) + ".txt";
        const std::string bytes = code == 4 ? WithCrLf(SjisText()) : qz::EncodeFromSjis(code, SjisText());
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    return p;
}

std::string ReadFile(const std::string& path) {
    std::string s;
    const int fd = ::open(path.c_str(), O_RDONLY);
    struct stat st {};
    ::fstat(fd, &st);
    s.resize(size_t(st.st_size));
    size_t got = 0;
    while (got < s.size()) {
        const ssize_t r = ::read(fd, s.data() + got, s.size() - got);
        if (r <= 0) break;
        got += size_t(r);
    }
    ::close(fd);
    return s;
}

void Reset() {
    qz::TheSettings() = qz::Settings();
}

// Open, decide the code, read, convert, fill and lay out the store, close.
void BM_Load(benchmark::State& state) {
    const int code = int(state.range(0));
    const std::string& path = CorpusFile(code);
    Reset();
    SilentBox box;
    qz::FileIo io(box);
    uint64_t bytes = 0;
    for (auto _ : state) {
        auto doc = std::make_unique<qz::CQzedDoc>(1);
        if (io.Load(*doc, path, code == 4 ? 1 : code) != 0) state.SkipWithError("load failed");
        bytes = doc->GetTextLength();
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
    state.SetLabel(code == 1 ? "sjis lf" : code == 2 ? "euc" : code == 3 ? "jis" : "sjis cr/lf");
}
BENCHMARK(BM_Load)->Arg(1)->Arg(4)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same into one document again and again, as a reload does: the store's
// memory is warm, so this is the reading, converting and layout alone.
void BM_Reload(benchmark::State& state) {
    const int code = int(state.range(0));
    const std::string& path = CorpusFile(code);
    Reset();
    SilentBox box;
    qz::FileIo io(box);
    qz::CQzedDoc doc(1);
    for (auto _ : state) {
        if (io.Load(doc, path, code) != 0) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.GetTextLength()));
}
BENCHMARK(BM_Reload)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Convert and write the whole text to a new file beside the old one and put
// it in place; range(1) = 1 flushes to the disk first (the normal save).
void BM_Save(benchmark::State& state) {
    const int code = int(state.range(0));
    const bool sync = state.range(1) != 0;
    Reset();
    qz::TheSettings().env.BackupMode = 0;
    SilentBox box;
    qz::FileIo io(box);
    io.SetSyncOnSave(sync);
    qz::CQzedDoc doc(1);
    if (io.Load(doc, CorpusFile(1), 1) != 0) state.SkipWithError("load failed");
    doc.File().kanjiCode = code;
    doc.File().lineEnd = qz::kLineLf;
    const std::string out = BenchDir() + "/saved" + std::to_string(code) + ".txt";
    for (auto _ : state) {
        if (io.Save(doc, out) != 1) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.GetTextLength()));
    state.SetLabel(std::string(code == 1 ? "sjis" : code == 2 ? "euc" : "jis") + (sync ? " fsync" : " no fsync"));
    ::unlink(out.c_str());
}
BENCHMARK(BM_Save)
    ->Args({1, 1})->Args({2, 1})->Args({3, 1})
    ->Args({1, 0})->Args({2, 0})->Args({3, 0})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// Save with CR LF expansion, the usual form of a Shift-JIS file.
void BM_SaveCrLf(benchmark::State& state) {
    Reset();
    qz::TheSettings().env.BackupMode = 0;
    SilentBox box;
    qz::FileIo io(box);
    io.SetSyncOnSave(state.range(0) != 0);
    qz::CQzedDoc doc(1);
    if (io.Load(doc, CorpusFile(1), 1) != 0) state.SkipWithError("load failed");
    doc.File().lineEnd = qz::kLineCrLf;
    const std::string out = BenchDir() + "/savedcrlf.txt";
    for (auto _ : state) {
        if (io.Save(doc, out) != 1) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.GetTextLength()));
    state.SetLabel(state.range(0) ? "sjis cr/lf fsync" : "sjis cr/lf no fsync");
    ::unlink(out.c_str());
}
BENCHMARK(BM_SaveCrLf)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// glibc iconv over the same file: read it, convert all of it in memory.
void BM_Iconv(benchmark::State& state) {
    const int from = int(state.range(0)), to = int(state.range(1));
    const char* names[] = {"", "SHIFT_JIS", "EUC-JP", "ISO-2022-JP"};
    const std::string& path = CorpusFile(from);
    std::vector<char> out(kBytes * 3);
    for (auto _ : state) {
        std::string in = ReadFile(path);
        iconv_t cd = iconv_open(names[to], names[from]);
        char* src = in.data();
        size_t left = in.size();
        char* dst = out.data();
        size_t room = out.size();
        while (left) {
            if (iconv(cd, &src, &left, &dst, &room) == size_t(-1)) {
                if (!left) break;
                ++src, --left;  // skip what the table does not know, as a lenient reader
            }
        }
        iconv_close(cd);
        benchmark::DoNotOptimize(dst);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
    state.SetLabel(std::string(names[from]) + " -> " + names[to]);
}
BENCHMARK(BM_Iconv)->Args({1, 2})->Args({2, 1})->Args({3, 1})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
BENCHMARK_MAIN();
