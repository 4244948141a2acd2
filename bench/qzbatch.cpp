// A batch program over the core libraries for whole-process timing beside
// other editors (bench/peers.sh): generate the corpus, load a file, find a
// literal, replace every occurrence of a literal and save. Each command
// prints what it counted so that a run can be checked against a peer's.
// With QZBATCH_TIMES set, replace also prints the time of each step on stderr.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "document/file_io.h"
#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "document/qzed_doc.h"
#include "gen_corpus.h"
#include "platform/message_box.h"
#include "search/search_engine.h"
#include "search/search_options.h"
#include "settings/settings.h"

namespace {

class PrintingBox : public qz::MessageBox {
public:
    qz::MbResult Show(const std::string& text, const std::string& caption, qz::MbIcon, qz::MbButtons) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return qz::MbResult::Yes;
    }
};

int Usage() {
    std::fputs(
        "usage: qzbatch gen MB OUT [lf|crlf] [sjis|euc|jis]   generated C source\n"
        "       qzbatch genlong LINES KB OUT                  LINES lines of KB kilobytes (CR LF)\n"
        "       qzbatch load FILE [CODE]                      prints the line count\n"
        "       qzbatch find FILE LITERAL                     prints the line of the first match\n"
        "       qzbatch replace FILE FROM TO OUT              replaces every FROM, saves to OUT\n",
        stderr);
    return 2;
}

std::string WithCrLf(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 16);
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

// Lines as an editor counts them: line feeds, plus one for a last line
// without one.
uint32_t LineCount(qz::CQzedDoc& doc) {
    qz::TextStore& st = doc.Store();
    const uint32_t n = st.GetTextLength();
    return st.GetLineEndCount() + (n && st.GetCharAt(n) != '\n' ? 1 : 0);
}

bool Load(qz::FileIo& io, qz::CQzedDoc& doc, const char* path, int code) {
    if (io.Load(doc, path, code) != 0) {
        std::fprintf(stderr, "cannot load %s\n", path);
        return false;
    }
    return true;
}

// Milliseconds since the last call (or the first), printed on stderr with a
// label when QZBATCH_TIMES is set.
void Step(const char* label) {
    static const bool on = std::getenv("QZBATCH_TIMES") != nullptr;
    static auto last = std::chrono::steady_clock::now();
    const auto now = std::chrono::steady_clock::now();
    if (on) std::fprintf(stderr, "%s %.1f ms\n", label, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
}

qz::SearchPattern Literal(const char* text) {
    qz::SearchPattern p;
    qz::SearchPattern::Compile(qz::kSearchMatchCase, text, &p);
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string cmd = argv[1];
    if (cmd == "gen" && argc >= 4) {
        const std::string text = qzbench::GenerateSjisCSource(size_t(std::atol(argv[2])) << 20);
        const std::string le = argc > 4 ? argv[4] : "crlf";
        const std::string code = argc > 5 ? argv[5] : "sjis";
        std::string bytes = code == "euc" ? qz::EncodeFromSjis(qz::kCodeEuc, text)
                            : code == "jis" ? qz::EncodeFromSjis(qz::kCodeJis, text)
                                            : text;
        if (le == "crlf") bytes = WithCrLf(bytes);
        return WriteFile(argv[3], bytes) ? 0 : 1;
    }
    if (cmd == "genlong" && argc >= 5) {
        // Minified or logged text: very long lines of C tokens.
        const size_t lines = size_t(std::atol(argv[2])), len = size_t(std::atol(argv[3])) << 10;
        const std::string src = qzbench::GenerateSjisCSource(len * lines, 7);
        std::string out;
        for (size_t i = 0; i < lines; ++i) {
            std::string line = src.substr(i * len, len);
            for (char& c : line)
                if (c == '\n') c = ' ';
            out += line + "\r\n";
        }
        return WriteFile(argv[4], out) ? 0 : 1;
    }

    PrintingBox box;
    qz::TheSettings().env.ReadEND = 1;
    qz::TheSettings().env.BackupMode = 0;  // the peers keep no backup either
    qz::FileIo io(box);
    io.SetSyncOnSave(false);
    qz::CQzedDoc doc(1);
    doc.SetMessageBox(&box);
    if (cmd == "load") {
        if (!Load(io, doc, argv[2], argc > 3 ? std::atoi(argv[3]) : 0)) return 1;
        std::printf("lines %u\n", LineCount(doc));
        return 0;
    }
    if (cmd == "find" && argc >= 4) {
        if (!Load(io, doc, argv[2], 0)) return 1;
        const qz::FindResult r = qz::Find(doc, Literal(argv[3]), qz::SearchDirection::kForward, 1);
        if (r.status != qz::FindStatus::kFound) {
            std::printf("not found\n");
            return 1;
        }
        std::printf("found line %u\n", doc.Store().RowToLine(doc.Store().OffsetToRow(r.pos)));
        return 0;
    }
    if (cmd == "replace" && argc >= 6) {
        Step("start");
        if (!Load(io, doc, argv[2], 0)) return 1;
        Step("load");
        const qz::ReplaceAllResult r = qz::ReplaceAll(doc, Literal(argv[3]), argv[4], 1);
        if (r.status == qz::ReplaceStatus::kStoreError) return 1;
        Step("replace");
        if (io.Save(doc, argv[5]) != 1) return 1;
        Step("save");
        std::printf("replaced %ld lines %u\n", r.count, LineCount(doc));
        return 0;
    }
    return Usage();
}
