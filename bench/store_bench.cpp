// Text store speed on a 50 MB Shift-JIS C source: filling as the loader does,
// typing near the end, reading every row, random row, line and offset
// lookups, relayout.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "document/qzed_doc.h"
#include "gen_corpus.h"
#include "settings/settings.h"

namespace {

constexpr size_t kBytes = 50u * 1024 * 1024;

const std::string& Corpus() {
    static const std::string text = qzbench::GenerateSjisCSource(kBytes);
    return text;
}

// Fills a document in 512-byte pieces, as the loader's read loop does.
void Fill(qz::CQzedDoc& doc, const std::string& s) {
    doc.LoadBegin(s.size());
    for (size_t at = 0; at < s.size(); at += 512) {
        size_t n = s.size() - at < 512 ? s.size() - at : 512;
        doc.LoadAppend(s.data() + at, static_cast<uint32_t>(n));
    }
    doc.LoadEnd();
}

struct CountingView : qz::LinesObserver {
    uint64_t calls = 0;
    void NotifyLinesChanged(uint32_t, int32_t) override { ++calls; }
};

void BM_Fill50MB(benchmark::State& state) {
    const std::string& s = Corpus();
    qz::CQzedDoc doc(1);
    for (auto _ : state) {
        Fill(doc, s);
        benchmark::DoNotOptimize(doc.GetTextLength());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size()));
    state.counters["mem_per_byte"] = double(doc.Store().MemoryUsed()) / double(s.size());
}
BENCHMARK(BM_Fill50MB)->Unit(benchmark::kMillisecond);

void BM_Type10000NearEnd(benchmark::State& state) {
    const std::string& s = Corpus();
    qz::CQzedDoc doc(1);
    CountingView view;
    doc.AddView(&view);
    Fill(doc, s);
    for (auto _ : state) {
        uint32_t p = doc.GetTextLength() - 2000;
        for (int i = 0; i < 10000; ++i) {
            doc.BeginUndoGroup();  // every character its own command: the worst case
            doc.Store().InsertChar(p++, static_cast<uint8_t>('a' + i % 26));
        }
    }
    state.counters["time_per_char"] = benchmark::Counter(double(state.iterations()) * 10000,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Type10000NearEnd)->Unit(benchmark::kMillisecond);

// Typing into one logical line of 1 MB (the generated source with its line
// feeds made spaces), at its start (/0) and in its middle (/1): each
// character moves the wraps after it until a tab or a double-byte character
// at a row's end brings the columns together again. /2 types at the start
// of a minified line, single-byte characters without a tab, where nothing
// does: the rest of the line is laid out again for each character.
void BM_TypeInOneMegabyteLine(benchmark::State& state) {
    std::string line = Corpus().substr(0, 1u << 20);
    for (char& c : line) {
        if (c == '\n') c = ' ';
        if (state.range(0) == 2 && (c == '\t' || static_cast<uint8_t>(c) >= 0x80)) c = 'x';
    }
    qz::CQzedDoc doc(1);
    CountingView view;
    doc.AddView(&view);
    Fill(doc, line + "\n");
    uint32_t p = state.range(0) == 1 ? uint32_t(line.size() / 2) : 1;
    for (auto _ : state) {
        for (int i = 0; i < 200; ++i) {
            doc.BeginUndoGroup();
            doc.Store().InsertChar(p++, static_cast<uint8_t>('a' + i % 26));
        }
    }
    state.counters["time_per_char"] = benchmark::Counter(double(state.iterations()) * 200,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TypeInOneMegabyteLine)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ReadAllRows(benchmark::State& state) {
    const std::string& s = Corpus();
    qz::CQzedDoc doc(1);
    Fill(doc, s);
    qz::TextStore& st = doc.Store();
    char buf[qz::kRowTextMax];
    for (auto _ : state) {
        uint64_t total = 0;
        const uint32_t rows = st.GetRowCount() + 1;
        for (uint32_t r = 1; r <= rows; ++r) total += st.GetRowText(r, buf);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size()));
}
BENCHMARK(BM_ReadAllRows)->Unit(benchmark::kMillisecond);

void BM_RandomLookups(benchmark::State& state) {
    const std::string& s = Corpus();
    qz::CQzedDoc doc(1);
    Fill(doc, s);
    qz::TextStore& st = doc.Store();
    std::mt19937 rng(7);
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        uint64_t sum = 0;
        for (int i = 0; i < n; ++i) {
            switch (i & 3) {
            case 0: sum += st.OffsetToRow(1 + rng() % st.GetTextLength()); break;
            case 1: sum += st.RowToOffset(1 + rng() % (st.GetRowCount() + 1)); break;
            case 2: sum += st.LineToRow(1 + rng() % (st.GetLineEndCount() + 1)); break;
            default: sum += st.RowToLine(1 + rng() % (st.GetRowCount() + 1)); break;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["time_per_lookup"] = benchmark::Counter(double(state.iterations()) * n,
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RandomLookups)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomLookups)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RelayoutAll(benchmark::State& state) {
    const std::string& s = Corpus();
    qz::CQzedDoc doc(1);
    Fill(doc, s);
    for (auto _ : state) {
        doc.Store().RelayoutAll();
        benchmark::DoNotOptimize(doc.Store().GetRowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size()));
}
BENCHMARK(BM_RelayoutAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
