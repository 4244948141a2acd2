// Editing view speed on 50 MB of generated Shift-JIS C source, comments and
// keywords on, a 60 x 200 screen at the end of the text:
//   BM_PaintScreenAtEnd   build and paint all 61 screen rows
//   BM_TypeAndRepaintRow  type one character (insert, undo record, the
//                         caret row repainted); the character is taken back
//                         outside the timing
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "gen_corpus.h"
#include "lang/language_data.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace {

using namespace qz;

class NullBox : public MessageBox {
public:
    MbResult Show(const std::string&, const std::string&, MbIcon, MbButtons) override { return MbResult::Ok; }
};

// Draws nothing but touches every run so that nothing is optimised away.
class BenchHost : public ViewHost {
public:
    size_t cells = 0;
    NullBox box;
    int ClientWidth() override { return 208 * 8; }  // 200 text columns plus the number area
    int ClientHeight() override { return 60 * 16; }
    int CharWidth() override { return 8; }
    int CharHeight() override { return 16; }
    void DrawRow(int, const std::vector<PaintRun>& runs) override {
        for (const PaintRun& r : runs) cells += r.text.size();
    }
    void ScrollRows(int) override {}
    void InvalidateAll() override {}
    void CreateCaret(int, int) override {}
    void DestroyCaret() override {}
    void ShowCaret() override {}
    void HideCaret() override {}
    void SetCaretPos(int, int) override {}
    void SetCompositionWindow(int, int) override {}
    void SetCompositionFont() override {}
    void SetInputMethodOpen(bool) override {}
    void XorGuideLines(const GuideLines&) override {}
    void SetScrollBar(bool, int, int, int, int) override {}
    void SetPositionPanes(const std::string&, const std::string&) override {}
    bool IsActiveView() override { return true; }
    void ShowMessage(const std::string&, MessageKind) override {}
    void Beep() override {}
    MessageBox& Boxes() override { return box; }
    bool IsKeyDown(AsyncKey) override { return false; }
    void SetTimer(int, int) override {}
    void KillTimer(int) override {}
    void CaptureMouse(bool) override {}
    void SetPointer(PointerShape) override {}
    void RepeatPointerPosition() override {}
    void Sleep(int) override {}
    bool WindowSelectActive() override { return false; }
    int ShellOpen(const std::string&) override { return 42; }
    bool AskOpenFile(const std::string&, const std::string&, std::string*) override { return false; }
    bool AskLineNumber(const std::string&, const std::string&, const std::string&, long*) override { return false; }
};

struct Fixture {
    BenchHost host;
    std::unique_ptr<CQzedDoc> doc;
    std::unique_ptr<CQzedView> view;
};

Fixture& Shared() {
    static Fixture* f = [] {
        auto* x = new Fixture;
        TypeSettings& t = TheSettings().Type(1);
        t.Comment = 3;
        t.LineDisp = 1;
        t.ClickableURL = 1;
        std::ifstream in(std::string(QZ_SOURCE_DIR) + "/data/yoyaku_c.tbl", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        ParseKeywordFile(ss.str(), TheKeywordTable(1));
        const std::string text = qzbench::GenerateSjisCSource(50u << 20);
        x->doc = std::make_unique<CQzedDoc>(1);
        x->doc->LoadBegin(text.size());
        for (size_t i = 0; i < text.size(); i += 512)
            x->doc->LoadAppend(text.data() + i, static_cast<uint32_t>(std::min<size_t>(512, text.size() - i)));
        x->doc->LoadEnd();
        x->view = std::make_unique<CQzedView>(*x->doc, x->host);
        x->view->OnInitialUpdate(1);
        x->view->OnSetFocus();
        x->view->FileEnd();
        x->view->RowsUp(30);  // inside the text, well above the end
        x->view->RowEnd();
        return x;
    }();
    return *f;
}

void BM_PaintScreenAtEnd(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        f.view->PaintRows(1, 1, f.view->VisibleRows() + 1);
        benchmark::DoNotOptimize(f.host.cells);
    }
    state.counters["keywords"] = static_cast<double>(TheKeywordTable(1).entries.size());
}
BENCHMARK(BM_PaintScreenAtEnd)->Unit(benchmark::kMicrosecond);

void BM_TypeAndRepaintRow(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        f.view->OnChar('x');
        state.PauseTiming();
        f.view->Backspace();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeAndRepaintRow)->Unit(benchmark::kMicrosecond);

// A jump between a brace pair a few rows apart, deep in a 50 MB text: what
// a user pressing the key waits for.
void BM_BracketJumpNearby(benchmark::State& state) {
    Fixture& f = Shared();
    TextStore& st = f.doc->Store();
    const uint32_t from = st.GetTextLength() / 2;
    std::string window(65536, '\0');
    window.resize(st.ReadText(from, window.data(), static_cast<uint32_t>(window.size())));
    const size_t brace = window.find('{');
    if (brace == std::string::npos) return state.SkipWithError("no brace in the middle of the text");
    const uint32_t at = from + static_cast<uint32_t>(brace);
    for (auto _ : state) {
        f.view->SetFromAbsolute(at);
        f.view->BracketJump();
        benchmark::DoNotOptimize(f.view->CaretRow());
    }
    state.counters["rows_apart"] = static_cast<double>(f.view->CaretRow() - st.OffsetToRow(at));
}
BENCHMARK(BM_BracketJumpNearby)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
