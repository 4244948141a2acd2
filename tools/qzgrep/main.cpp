// qzgrep: prints the lines of the named files that hold the search pattern, in
// the form the editor's tag jump reads ("name line: text").
#include <cstdio>
#include <optional>
#include <string>

#include "platform/paths.h"
#include "qzgrep/file_search.h"
#include "qzgrep/file_walk.h"
#include "qzgrep/grep_args.h"
#include "search/search_pattern.h"

namespace {

constexpr int kExitFound = 0;
constexpr int kExitNone = 1;
constexpr int kExitUsage = 2;

void Problem(const std::string& message) { std::fprintf(stderr, "qzgrep: %s\n", message.c_str()); }

int Usage(const std::string& message) {
    if (!message.empty()) Problem(message);
    std::fputs(qzgrep::kUsage, stderr);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    qzgrep::GrepOptions opt;
    std::string message;
    if (!qzgrep::ParseArguments(argc, argv, opt, message)) return Usage(message);
    if (opt.help) {
        std::fputs(qzgrep::kUsage, stdout);
        return kExitFound;
    }

    qz::SearchPattern pattern;
    qz::CompileStatus st = qz::SearchPattern::Compile(opt.search, opt.pattern, &pattern);
    if (st != qz::CompileStatus::kOk) {
        Problem(qz::CompileErrorMessage(st));
        return kExitUsage;
    }

    std::string out;
    auto flushOut = [&out] {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    };
    const std::string cwd = opt.full_path ? qz::CurrentDirectory() : std::string();
    long hits = 0;
    std::string text, problem;
    std::optional<qz::Utf8Forms> utf8Forms;
    qzgrep::WalkCallbacks cb;
    cb.problem = [&flushOut](const std::string& m) {
        flushOut();  // keep messages in their place among the hits
        std::fflush(stdout);
        Problem(m);
    };
    cb.file = [&](const std::string& path) {
        if (!qzgrep::LoadSjisText(path, text, problem, &utf8Forms)) {
            cb.problem(problem);
            return;
        }
        const std::string name = opt.full_path ? qz::FullPath(cwd, path) : path;
        hits += qzgrep::SearchLines(text, pattern, [&](long line, std::string_view lineText) {
            qzgrep::AppendHit(out, name, opt.quote_names, line, lineText, utf8Forms ? &*utf8Forms : nullptr);
            if (out.size() >= 1 << 16) flushOut();
        });
    };
    for (const std::string& arg : opt.files) {
        if (qzgrep::WalkFileArgument(arg, opt.recurse, cb) == 0)
            cb.problem("No such file. '" + arg + "'");
    }
    flushOut();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Problem("the output could not be written");
        return kExitUsage;
    }
    return hits > 0 ? kExitFound : kExitNone;
}
