// Writes the grep benchmark's tree: C files of generated Shift-JIS source with
// CR/LF line ends in 40 x 3 folders, one rare marker line in every 100th file.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "gen_corpus.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_grep_tree <folder> [files] [bytes per file]\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const int files = argc > 2 ? std::atoi(argv[2]) : 2000;
    const size_t bytes = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 25000;
    for (int f = 0; f < files; ++f) {
        std::filesystem::path dir = root / ("mod" + std::to_string(f % 40)) / ("sub" + std::to_string(f % 3));
        std::filesystem::create_directories(dir);
        std::string lf = qzbench::GenerateSjisCSource(bytes, static_cast<uint32_t>(f + 1));
        if (f % 100 == 0) lf.insert(lf.find('\n') + 1, "/* qz_rare_marker */\n");
        std::string crlf;
        crlf.reserve(lf.size() + lf.size() / 16);
        for (char c : lf) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        char name[32];
        std::snprintf(name, sizeof name, "file%04d.c", f);
        std::ofstream(dir / name, std::ios::binary).write(crlf.data(), static_cast<std::streamsize>(crlf.size()));
    }
    return 0;
}
