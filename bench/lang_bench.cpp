// Keyword colouring speed: the default C table matched over every row of a
// generated 10 MB C-like Shift-JIS text, as painting would do it.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "lang/function_scan.h"
#include "lang/keyword_table.h"
#include "platform/cp932.h"

namespace {

// C-like source: functions with declarations, loops, calls, comments and
// strings, some of them in Japanese.
std::string GenerateCLikeText(size_t bytes) {
    std::mt19937 rng(12345);
    auto pick = [&](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
    const std::vector<std::string> types = {"int", "char", "unsigned long", "size_t", "double",
                                            "struct node *", "const char *", "uint32_t"};
    const std::vector<std::string> names = {"count", "index", "buffer", "result", "pointer",
                                            "length", "value", "item", "total", "offset"};
    const std::vector<std::string> calls = {"printf", "memcpy", "strlen", "malloc", "free",
                                            "process_item", "update_total", "fprintf"};
    const std::vector<std::string> notes = {"/* 初期化 */", "// 合計を求める", "/* 文字列の長さ */",
                                            "// ループの終わり", "/* TODO: check */"};
    std::string out;
    int fn = 0;
    while (out.size() < bytes) {
        out += "/* 関数 " + std::to_string(fn) + " : データを処理する */\n";
        out += "static " + pick(types) + " func_" + std::to_string(fn++) + "(" + pick(types) + " " +
               pick(names) + ", int n)\n{\n";
        int body = 5 + rng() % 20;
        for (int i = 0; i < body; ++i) {
            std::string ind(4 * (1 + rng() % 3), ' ');
            switch (rng() % 7) {
                case 0: out += ind + pick(types) + " " + pick(names) + " = 0;  " + pick(notes) + "\n"; break;
                case 1: out += ind + "for (int i = 0; i < n; i++) {\n"; break;
                case 2: out += ind + "if (" + pick(names) + " > " + std::to_string(rng() % 1000) + ") return -1;\n"; break;
                case 3: out += ind + pick(calls) + "(\"%d: 結果は %s です\\n\", " + pick(names) + ", " + pick(names) + ");\n"; break;
                case 4: out += ind + pick(names) + " += sizeof(" + pick(types) + ") * " + pick(names) + ";\n"; break;
                case 5: out += ind + "}\n"; break;
                default: out += ind + "while (" + pick(names) + "-- != 0) " + pick(calls) + "(" + pick(names) + ");\n"; break;
            }
        }
        out += "    return " + pick(names) + ";\n}\n\n";
    }
    return qz::Utf8ToSjis(out);
}

// Display rows of at most 240 bytes, never splitting a double-byte character.
std::vector<std::string> Rows(const std::string& text) {
    std::vector<std::string> rows;
    size_t i = 0;
    while (i < text.size()) {
        size_t j = i, end = std::min(text.size(), i + 240);
        while (j < end && text[j] != '\n') j += qz::IsSjisLead(static_cast<uint8_t>(text[j])) ? 2 : 1;
        if (j > end) j -= 2;
        if (j < text.size() && text[j] == '\n') ++j;
        rows.push_back(text.substr(i, j - i));
        i = j;
    }
    return rows;
}

const std::string& Corpus() {
    static const std::string text = GenerateCLikeText(10 << 20);
    return text;
}

void BM_MatchDefaultCTable(benchmark::State& state) {
    std::ifstream in(std::string(QZ_SOURCE_DATA_DIR) + "/yoyaku_c.tbl", std::ios::binary);
    std::stringstream file;
    file << in.rdbuf();
    qz::KeywordTable table;
    qz::ParseKeywordFile(file.str(), table);
    const std::vector<std::string> rows = Rows(Corpus());
    std::string attrs;
    size_t coloured = 0;
    for (auto _ : state) {
        for (const std::string& row : rows) {
            attrs.assign(row.size(), '1');
            qz::MatchKeywords(table, row.data(), attrs.data(), row.size());
            coloured += attrs[0] != '1';
        }
        benchmark::DoNotOptimize(coloured);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Corpus().size());
    state.counters["entries"] = static_cast<double>(table.entries.size());
}
BENCHMARK(BM_MatchDefaultCTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
