// Search engine speed on a generated 50 MB Shift-JIS program text: literal,
// case-insensitive, fuzzy and regular-expression searches and replace-all,
// on a string-backed text (the engine alone) and on the text store; GNU grep
// on the same file for comparison.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "document/qzed_doc.h"
#include "document/text_store.h"
#include "platform/cp932.h"
#include "search/search_engine.h"
#include "settings/settings.h"

namespace {

constexpr size_t kTextBytes = 50u << 20;
const char* const kMarker = "qz_rare_marker";

// C-like text with Japanese comments, Shift-JIS, the marker on the last line.
const std::string& Corpus() {
    static const std::string text = [] {
        const char* comments[] = {"値を計算する", "バッファの長さを調べる", "エラーなら戻る", "ポインタを進める",
                                  "全角カナとｶﾀｶﾅの混在", "ここで終わり", "データ構造を初期化する"};
        std::vector<std::string> sj;
        for (const char* c : comments) sj.push_back(qz::Utf8ToSjis(c));
        std::mt19937 rng(12345);
        std::string t;
        t.reserve(kTextBytes + 4096);
        char line[256];
        int fn = 0;
        while (t.size() < kTextBytes) {
            std::snprintf(line, sizeof line, "/* %s */\nstatic int func_%d(int count, char *buffer)\n{\n",
                          sj[rng() % sj.size()].c_str(), fn++);
            t += line;
            int stmts = 3 + static_cast<int>(static_cast<unsigned>(rng() % 6));
            for (int s = 0; s < stmts; ++s) {
                switch (static_cast<unsigned>(rng() % 5)) {
                    case 0:
                        std::snprintf(line, sizeof line, "    count += buffer[%u] * %u;  // %s\n", static_cast<unsigned>(rng() % 64),
                                      static_cast<unsigned>(rng() % 100), sj[rng() % sj.size()].c_str());
                        break;
                    case 1: std::snprintf(line, sizeof line, "    if (count > %u)\n        break;\n", static_cast<unsigned>(rng() % 1000)); break;
                    case 2: std::snprintf(line, sizeof line, "    buffer = next_item(buffer, %u);\n", static_cast<unsigned>(rng() % 16)); break;
                    case 3: std::snprintf(line, sizeof line, "    /* %s */\n", sj[rng() % sj.size()].c_str()); break;
                    default: std::snprintf(line, sizeof line, "    total_size = count << %u;\n", static_cast<unsigned>(rng() % 8)); break;
                }
                t += line;
            }
            t += "    return count;\n}\n\n";
        }
        t += "int ";
        t += kMarker;
        t += ";\n";
        return t;
    }();
    return text;
}

const std::string& CorpusFile() {
    static const std::string path = [] {
        std::string p = "/tmp/qz_search_bench_" + std::to_string(getpid()) + ".c";
        FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(Corpus().data(), 1, Corpus().size(), f);
        std::fclose(f);
        std::atexit([] { std::remove(CorpusFile().c_str()); });
        return p;
    }();
    return path;
}

// A gap buffer in a std::string: edits that move forward through the text,
// as replace-all makes them, cost their own size only.
class GapText : public qz::TextAccess {
public:
    explicit GapText(const std::string& s) : buf_(s), gap_lo_(s.size()), gap_hi_(s.size()) {}
    uint32_t GetTextLength() override { return static_cast<uint32_t>(buf_.size() - (gap_hi_ - gap_lo_)); }
    uint32_t ReadText(uint32_t p, char* out, uint32_t n) override {
        size_t total = GetTextLength();
        if (p == 0 || p - 1 >= total) return 0;
        size_t a = p - 1, k = std::min<size_t>(n, total - a), done = 0;
        if (a < gap_lo_) {
            size_t m = std::min(k, gap_lo_ - a);
            std::memcpy(out, buf_.data() + a, m);
            done = m;
        }
        if (done < k) std::memcpy(out + done, buf_.data() + gap_hi_ + (a + done - gap_lo_), k - done);
        return static_cast<uint32_t>(k);
    }
    uint32_t InsertText(uint32_t p, const char* bytes, uint32_t n, uint32_t) override {
        MoveGap(p - 1);
        if (gap_hi_ - gap_lo_ < n) {
            size_t grow = std::max<size_t>(n, 1 << 16);
            buf_.insert(gap_hi_, grow, '\0');
            gap_hi_ += grow;
        }
        std::memcpy(buf_.data() + gap_lo_, bytes, n);
        gap_lo_ += n;
        return n;
    }
    uint32_t DeleteText(uint32_t p, uint32_t n) override {
        MoveGap(p - 1);
        size_t k = std::min<size_t>(n, buf_.size() - gap_hi_);
        gap_hi_ += k;
        return static_cast<uint32_t>(k);
    }

private:
    void MoveGap(size_t at) {
        if (at < gap_lo_) {
            size_t m = gap_lo_ - at;
            std::memmove(buf_.data() + gap_hi_ - m, buf_.data() + at, m);
            gap_lo_ -= m;
            gap_hi_ -= m;
        } else if (at > gap_lo_) {
            size_t m = at - gap_lo_;
            std::memmove(buf_.data() + gap_lo_, buf_.data() + gap_hi_, m);
            gap_lo_ += m;
            gap_hi_ += m;
        }
    }
    std::string buf_;
    size_t gap_lo_, gap_hi_;
};

qz::SearchPattern Compiled(unsigned options, const std::string& pattern) {
    qz::SearchPattern p;
    if (qz::SearchPattern::Compile(options, pattern, &p) != qz::CompileStatus::kOk) std::abort();
    return p;
}

void SearchFromTop(benchmark::State& state, unsigned options, const std::string& pattern) {
    GapText text(Corpus());
    qz::SearchPattern p = Compiled(options, pattern);
    bool stop = false;
    qz::InterruptCheck esc = [&stop] { return stop; };
    for (auto _ : state) {
        qz::FindResult r = qz::Find(text, p, qz::SearchDirection::kForward, 1, std::nullopt, esc);
        if (r.status != qz::FindStatus::kFound) state.SkipWithError("not found");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Corpus().size()));
}

void BM_RareLiteral(benchmark::State& s) { SearchFromTop(s, qz::kSearchMatchCase, kMarker); }
void BM_IgnoreCaseLiteral(benchmark::State& s) { SearchFromTop(s, 0, "QZ_RARE_MARKER"); }
void BM_FuzzyLiteral(benchmark::State& s) {
    SearchFromTop(s, qz::kSearchFuzzy, qz::Utf8ToSjis("ｑｚ＿ｒａｒｅ＿ｍａｒｋｅｒ"));
}
void BM_RegexRare(benchmark::State& s) { SearchFromTop(s, qz::kSearchRegex, "qz_r[a-z]+_m"); }
void BM_BackwardRareLiteral(benchmark::State& state) {
    GapText text(Corpus());
    qz::SearchPattern p = Compiled(qz::kSearchMatchCase, "static int func_0(");
    for (auto _ : state) {
        qz::FindResult r = qz::Find(text, p, qz::SearchDirection::kBackward, text.GetTextLength() + 1);
        if (r.status != qz::FindStatus::kFound) state.SkipWithError("not found");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Corpus().size()));
}

// Every match of re[a-z]+n through the whole text, one find after another.
void BM_RegexAllMatches(benchmark::State& state) {
    GapText text(Corpus());
    qz::SearchPattern p = Compiled(qz::kSearchRegex | qz::kSearchMatchCase, "re[a-z]+n");
    long found = 0;
    for (auto _ : state) {
        found = 0;
        uint32_t at = 1;
        for (;;) {
            qz::FindResult r = qz::Find(text, p, qz::SearchDirection::kForward, at);
            if (r.status != qz::FindStatus::kFound) break;
            ++found;
            at = r.pos + r.length;
        }
    }
    state.counters["matches"] = static_cast<double>(found);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Corpus().size()));
}

template <class Text>
void ReplaceReturn(benchmark::State& state, Text& (*make)()) {
    qz::SearchPattern p = Compiled(qz::kSearchMatchCase, "return");
    long count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Text& text = make();
        state.ResumeTiming();
        qz::ReplaceAllResult r = qz::ReplaceAll(text, p, "yield_value", 1, std::nullopt, [](long) { return true; },
                                                [] { return false; });
        count = r.count;
    }
    state.counters["replaced"] = static_cast<double>(count);
}

GapText& FreshGap() {
    static std::unique_ptr<GapText> t;
    t = std::make_unique<GapText>(Corpus());
    return *t;
}

qz::TextStore& FreshStore() {
    static std::unique_ptr<qz::TextStore> st;
    st = std::make_unique<qz::TextStore>();
    const std::string& c = Corpus();
    st->LoadBegin(static_cast<uint32_t>(c.size()));
    if (!st->LoadAppend(c.data(), static_cast<uint32_t>(c.size()))) std::abort();
    st->LoadEnd();
    return *st;
}

// Ten logical lines of 1 MB each (no line feed inside, so each wraps into
// thousands of rows), "return" about every 80 bytes: a document as the
// editor holds it, undo recording included.
qz::CQzedDoc& FreshLongLines() {
    static std::unique_ptr<qz::CQzedDoc> doc;
    static const std::string text = [] {
        std::string line, t;
        for (int i = 0; line.size() < (1u << 20); ++i)
            line += "x = f(" + std::to_string(i) + "); if (x) return x; /* \x92\x6c */ ";
        for (int i = 0; i < 10; ++i) t += line + "\n";
        return t;
    }();
    doc = std::make_unique<qz::CQzedDoc>();
    if (!doc->LoadBegin(text.size()) || !doc->LoadAppend(text.data(), static_cast<uint32_t>(text.size())))
        std::abort();
    doc->LoadEnd();
    return *doc;
}

void BM_ReplaceAllString(benchmark::State& s) { ReplaceReturn<GapText>(s, FreshGap); }
void BM_ReplaceAllLongLines(benchmark::State& s) { ReplaceReturn<qz::CQzedDoc>(s, FreshLongLines); }

// The same with a 32 MB "Undo" ring, which holds the whole run: the spans are
// held in memory until the end and the run stays one undo step.
void BM_ReplaceAllLongLinesUndoable(benchmark::State& state) {
    const int saved = qz::TheSettings().Type(1).Undo;
    qz::TheSettings().Type(1).Undo = 32 * 1024;
    qz::SearchPattern p = Compiled(qz::kSearchMatchCase, "return");
    long count = 0;
    uint32_t records = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qz::CQzedDoc& doc = FreshLongLines();
        doc.BeginUndoGroup();
        qz::ReplaceUndoRoom room;
        room.changes = doc.Undo().GroupRoomRecords();
        room.bytes = doc.Undo().GroupRoomBytes();
        room.goOn = [&state] {
            state.SkipWithError("the run did not fit the undo ring");
            return true;
        };
        state.ResumeTiming();
        qz::ReplaceAllResult r = qz::ReplaceAll(doc, p, "yield_value", 1, std::nullopt, [](long) { return true; },
                                                [] { return false; }, room);
        count = r.count;
        records = doc.Undo().Count();
    }
    state.counters["replaced"] = static_cast<double>(count);
    state.counters["undo_records"] = static_cast<double>(records);
    qz::TheSettings().Type(1).Undo = saved;
}
void BM_ReplaceAllStore(benchmark::State& s) { ReplaceReturn<qz::TextStore>(s, FreshStore); }

void BM_StoreRareLiteral(benchmark::State& state) {
    qz::TextStore& st = FreshStore();
    qz::SearchPattern p = Compiled(qz::kSearchMatchCase, kMarker);
    for (auto _ : state) {
        qz::FindResult r = qz::Find(st, p, qz::SearchDirection::kForward, 1);
        if (r.status != qz::FindStatus::kFound) state.SkipWithError("not found");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Corpus().size()));
}

void GnuGrep(benchmark::State& state, const char* flags, const char* pattern) {
    std::string cmd = std::string("LC_ALL=C grep ") + flags + " '" + pattern + "' " + CorpusFile() + " >/dev/null";
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("grep failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Corpus().size()));
}
void BM_GnuGrepRareLiteral(benchmark::State& s) { GnuGrep(s, "-c", kMarker); }
void BM_GnuGrepIgnoreCaseLiteral(benchmark::State& s) { GnuGrep(s, "-ci", "QZ_RARE_MARKER"); }

}  // namespace

BENCHMARK(BM_RareLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GnuGrepRareLiteral)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IgnoreCaseLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GnuGrepIgnoreCaseLiteral)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FuzzyLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexRare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexAllMatches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackwardRareLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllString)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreRareLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllStore)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReplaceAllLongLines)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReplaceAllLongLinesUndoable)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
