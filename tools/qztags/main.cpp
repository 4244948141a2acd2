// qztags: writes the tags file of the C and C++ sources named on the command line.
#include "qztags/file_args.h"
#include "qztags/tag_writer.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {

const char* const kUsage[] = {
    "ＱＺＴＡＧＳ for Windows Version 1.06 <QZTAGS is a console application>",
    "",
    "Format: qztags.exe <Option> <File> <File> ...",
    "",
    "<Option> : -p ... ファイル名をフルパスで表示する",
    "           -r ... サブディレクトリも検索する",
    "",
    "<File>   : 対象のファイル名を指定します。",
    "           ファイル名にはワイルドカード(＊又は？)が使用できます。",
    "           ファイルは複数個指定可能です。",
    "           ファイル名の先頭に@を付けた場合には対象ファイル名が記述されてい",
    "           るリストファイルとして処理します。",
    "",
    "Output: 関数リストファイル(ﾌｧｲﾙ名:TAGS)が出来上がります。",
};

int Usage() {
    for (const char* line : kUsage) std::printf("%s\n", line);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "qztags";
    qztags::Options opt;
    std::vector<std::string> files;
    // Asked for, the usage is an answer rather than a complaint.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        Usage();
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        const char* w = argv[i];
        if (w[0] != '-') {
            files.emplace_back(w);
        } else if (strcasecmp(w, "-p") == 0) {
            opt.full_path = true;
        } else if (strcasecmp(w, "-r") == 0) {
            opt.recurse = true;
        } else if (strcasecmp(w, "-d") == 0) {
            opt.echo = true;
        } else {
            return Usage();
        }
    }
    if (files.empty()) return Usage();

    const std::string tags = "tags";
    qztags::TagWriter out(tags);
    if (!out.ok()) {
        std::printf("%s: Can't be created. '%s'\n", program.c_str(), tags.c_str());
        return 0;
    }
    qztags::ArgumentProcessor proc(opt, program, out, stdout);
    for (const std::string& f : files) proc.CommandLineWord(f);
    if (!out.Close()) {
        // Reporting a truncated tags file as created would send the editor's
        // definition jumps to stale or missing lines without a word.
        std::printf("%s: Can't be created. '%s'\n", program.c_str(), tags.c_str());
        return 0;
    }
    std::printf("created 'TAGS' file.\n");
    return 0;
}
