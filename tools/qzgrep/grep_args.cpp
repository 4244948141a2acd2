// Option letters as the grep dialog passes them, mapped onto the engine's bits.
#include "qzgrep/grep_args.h"

#include "platform/sjis_unicode.h"
#include "search/search_options.h"

namespace qzgrep {

const char kUsage[] =
    "Format: qzgrep <Option> <Pattern> <File> ...\n"
    "\n"
    "<Option>  : -i ... 大文字と小文字を区別しない\n"
    "            -a ... あいまい検索(全角／半角、ひらがな／カタカナを区別しない)\n"
    "            -j ... 正規表現で検索する\n"
    "            -w ... 単語として検索する\n"
    "            -p ... ファイル名をフルパスで表示する\n"
    "            -r ... サブフォルダも検索する\n"
    "            -d ... ファイル名を\"file-name\"で表示する\n"
    "            (-ir のようにまとめて指定できます。-- 以降は引数として扱います)\n"
    "            --help ... この説明を表示する\n"
    "<Pattern> : 検索する文字列\n"
    "<File>    : 対象のファイル名。ワイルドカード(＊又は？)が使用できます。\n"
    "\n"
    "Output    : name line: text (一致した行ごとに一行)\n"
    "Exit      : 0 一致あり、1 一致なし、2 引数の誤り\n";

namespace {

bool ApplyLetter(char c, GrepOptions& opt) {
    switch (c) {
        case 'i': case 'I': opt.search &= ~unsigned{qz::kSearchMatchCase}; return true;
        case 'a': case 'A': opt.search |= qz::kSearchFuzzy; return true;
        case 'j': case 'J': opt.search |= qz::kSearchRegex; return true;
        case 'w': case 'W': opt.search |= qz::kSearchWholeWord; return true;
        case 'p': case 'P': opt.full_path = true; return true;
        case 'r': case 'R': opt.recurse = true; return true;
        case 'd': case 'D': opt.quote_names = true; return true;
        default: return false;
    }
}

}  // namespace

bool ParseArguments(int argc, const char* const* argv, GrepOptions& opt, std::string& message) {
    opt = GrepOptions();
    opt.search = qz::kSearchMatchCase;
    message.clear();
    if (argc <= 1) return false;
    if (std::string_view(argv[1]) == "--help") {
        opt.help = true;
        return true;
    }
    int i = 1;
    for (; i < argc; ++i) {
        std::string_view w = argv[i];
        if (w == "--") {
            ++i;
            break;
        }
        // A lone "-" is a pattern, as in other greps.
        if (w.size() < 2 || w[0] != '-') break;
        for (size_t k = 1; k < w.size(); ++k) {
            if (!ApplyLetter(w[k], opt)) {
                message = "unknown option '-" + std::string(1, w[k]) + "'";
                return false;
            }
        }
    }
    if (i >= argc) {
        message = "no search pattern";
        return false;
    }
    // The strict mapping that UTF-8 files are read with: a yen sign finds
    // the yen sign, not a backslash.
    size_t bad = 0;
    if (!qz::Utf8ToSjisStrict(argv[i], opt.pattern, &bad)) {
        message = "the search pattern has no Shift-JIS form (byte " + std::to_string(bad + 1) + ")";
        return false;
    }
    for (++i; i < argc; ++i) opt.files.emplace_back(argv[i]);
    if (opt.files.empty()) {
        message = "no file to search";
        return false;
    }
    return true;
}

}  // namespace qzgrep
