// Throughput of the console tools' cores on generated text held in memory:
// the tags line filter and the dictionary conversion followed by the sort.
#include "lexpak/dict_convert.h"
#include "lexpak/dict_sort.h"
#include "qztags/line_filter.h"
#include "qztags/tag_classify.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SourceLines(size_t count) {
    const char* const shapes[] = {
        "static int count_items(int x, const char *s)", "{", "    for (int i = 0; i < x; ++i) {",
        "        if (s[i] == '\\'') return i; /* quote */", "        puts(\"done {\");", "    }",
        "}", "#define ITEM_MAX 42", "typedef struct tagItem {", "} Item;", "// a comment line",
    };
    std::vector<std::string> lines;
    for (size_t i = 0; i < count; ++i) lines.emplace_back(shapes[i % std::size(shapes)]);
    return lines;
}

void BM_TagsLineFilter(benchmark::State& state) {
    std::vector<std::string> lines = SourceLines(10000);
    size_t bytes = 0;
    for (const std::string& l : lines) bytes += l.size() + 1;
    for (auto _ : state) {
        qztags::ScanState s;
        size_t found = 0;
        for (const std::string& l : lines) {
            bool bs;
            std::string top = qztags::FilterLine(s, l, false, &bs);
            qztags::ApplyDefineFilter(s, top, bs);
            if (!top.empty() && qztags::ClassifyLine(top)) ++found;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_TagsLineFilter);

void BM_DictionaryConvertAndSort(benchmark::State& state) {
    std::mt19937 rng(1);
    std::string src;
    for (int64_t i = 0; i < state.range(0); ++i) {
        int len = 3 + static_cast<int>(rng() % 16);
        for (int k = 0; k < len; ++k) src += static_cast<char>('a' + rng() % 26);
        src += "\t\x82\xA0\x82\xA2\x82\xA4 translation\r\n";
    }
    for (auto _ : state) {
        lexpak::MemorySource in(src);
        lexpak::StringSink converted;
        lexpak::Convert(lexpak::Layout::kTab, in, converted, nullptr);
        lexpak::MemorySource dict(converted.out);
        std::vector<lexpak::SortRecord> recs;
        lexpak::ScanEntries(dict, recs);
        lexpak::SortEntries(dict, recs);
        lexpak::StringSink out;
        lexpak::WriteEntries(dict, recs, out);
        benchmark::DoNotOptimize(out.out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
}
BENCHMARK(BM_DictionaryConvertAndSort)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
