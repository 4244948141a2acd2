// Command-line parsing. On POSIX each argv word is one name, so the quoting
// and drive-letter splitting of a single command string do not arise; options
// keep their rules (first two characters, unknown ones ignored, only before
// the first name).
#include "app/command_line.h"

#include <cctype>
#include <cstdlib>

#include "platform/paths.h"

namespace qz {

void ParseCommandLine(const std::string& baseDir, const std::vector<std::string>& args,
                      std::string* outDir, StartState& state, CommandLineHost& host) {
    uint32_t line = 1;
    bool viewMode = false;
    bool keepOutDir = false;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& tok = args[i];
        if (tok.empty() || tok[0] != '-') break;
        if (tok == "--") {
            ++i;
            break;
        }
        if (tok.size() < 2) continue;
        const char c = tok[1];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            const unsigned long n = std::strtoul(tok.c_str() + 1, nullptr, 10);
            line = (n == 0 || n > UINT32_MAX) ? 1 : static_cast<uint32_t>(n);
            continue;
        }
        switch (std::tolower(static_cast<unsigned char>(c))) {
            case 'q':
                state.startedWithFiles = true;
                host.ReopenPreviousRun();
                break;
            case 'v':
                viewMode = true;
                break;
            case 'c':
                if (outDir) {
                    *outDir = baseDir;
                    keepOutDir = true;
                }
                break;
            default:
                break;  // unknown options are ignored
        }
    }

    bool outDirSet = false;
    for (; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name.empty()) break;
        const std::string path = FullPath(baseDir, name);
        if (outDir && !keepOutDir && !outDirSet) {
            *outDir = FolderOf(path);
            outDirSet = true;
        }
        state.startedWithFiles = true;
        if (!host.OpenFromCommandLine(path, viewMode, line)) {
            host.Messages().Show("ファイルが開けませんでした\n" + path, "ファイル開く", MbIcon::Stop,
                                 MbButtons::Ok);
        }
    }
}

}  // namespace qz
