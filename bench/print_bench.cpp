// Printing's own work on 50 MB of generated Shift-JIS C source, the default
// form (60 lines of 80 columns, line numbers on), drawing onto a surface
// that only counts what it is given:
//   BM_PrintJobSetUp      lay the text out at the form's columns and back
//   BM_PrintAllSheets     every sheet through PrintPage (rows read, numbered,
//                         tabs expanded, header and footer expanded)
#include <benchmark/benchmark.h>

#include <memory>

#include "document/qzed_doc.h"
#include "gen_corpus.h"
#include "print/print_page.h"

namespace {

using namespace qz;

constexpr size_t kBytes = 50u << 20;

CQzedDoc& Doc() {
    static std::unique_ptr<CQzedDoc> doc = [] {
        const std::string text = qzbench::GenerateSjisCSource(kBytes);
        auto d = std::make_unique<CQzedDoc>(1);
        d->LoadBegin(text.size());
        for (size_t at = 0; at < text.size(); at += 512)
            d->LoadAppend(text.data() + at, static_cast<uint32_t>(std::min<size_t>(512, text.size() - at)));
        d->LoadEnd();
        d->SetPathString("/tmp/bench.c");
        return d;
    }();
    return *doc;
}

class CountingSurface : public PrintSurface {
public:
    size_t bytes = 0;
    int DpiX() override { return 600; }
    int DpiY() override { return 600; }
    PrintFontMetrics SelectFont(PrintFont) override { return {50, 25}; }
    int TextWidth(const std::string& s) override { return static_cast<int>(s.size()) * 25; }
    void DrawText(int, int, const std::string& s) override { bytes += s.size(); }
    void DrawCells(int, int, int, const std::string& s) override { bytes += s.size(); }
    void DrawLine(int, int, int, int) override {}
    void DrawFrame(const PrintRect&) override {}
};

PrinterForm Form() {
    PrinterForm f;
    f.Number = 1;
    return f;
}

void BM_PrintJobSetUp(benchmark::State& state) {
    CQzedDoc& doc = Doc();
    for (auto _ : state) {
        PrintJob job(doc, Form(), std::tm{});
        benchmark::DoNotOptimize(job.SheetCount());
    }
}
BENCHMARK(BM_PrintJobSetUp)->Unit(benchmark::kMillisecond);

void BM_PrintAllSheets(benchmark::State& state) {
    CQzedDoc& doc = Doc();
    PrintJob job(doc, Form(), std::tm{});
    const int sheets = job.SheetCount();
    for (auto _ : state) {
        CountingSurface dc;
        for (int s = 1; s <= sheets; ++s) PrintPage(job, dc, s, sheets, {0, 0, 4960, 7016});
        benchmark::DoNotOptimize(dc.bytes);
    }
    state.counters["sheets"] = sheets;
}
BENCHMARK(BM_PrintAllSheets)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
