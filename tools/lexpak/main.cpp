// lexpak: converts a word dictionary into the editor's sorted dictionary layout.
#include "lexpak/byte_io.h"
#include "lexpak/dict_convert.h"
#include "lexpak/dict_sort.h"
#include "lexpak/safe_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>
#include <unistd.h>

namespace {

using namespace lexpak;

const char* const kUsage[] = {
    "Format: lexpak.exe <Option> -f<Source File> -o<Destination File>",
    "<Option>             : -d1 ... 変換元辞書の形式 《辞郎形式》",
    "                     : -d2 ... 変換元辞書の形式 《二行一組形式》",
    "                     : -d3 ... 変換元辞書の形式 《タブ区切り形式》",
    "                     : -d4 ... 変換元辞書の形式 《スペース区切り形式》",
    "                     : -s  ... 変換は行わずソートのみ行う",
    "                               変換元辞書はＱＺエディタ専用形式であること",
    "                     : -c  ... 会話モード",
    "-f<Source File>      : 変換元辞書ファイル",
    "-o<Destination File> : 変換先辞書ファイル",
};

const char* const kLayoutNames[] = {"辞郎形式", "二行一組形式", "タブ区切り形式",
                                    "スペース区切り形式"};

struct Args {
    Layout layout = Layout::kEijiro;
    bool sort_only = false;
    bool interactive = false;
    std::string source;
    std::string destination;
};

int Usage() {
    for (const char* line : kUsage) std::printf("%s\n", line);
    return 1;
}

bool ParseArgs(int argc, char** argv, Args& a) {
    for (int i = 1; i < argc; ++i) {
        const char* w = argv[i];
        if (strcasecmp(w, "-d1") == 0) a.layout = Layout::kEijiro;
        else if (strcasecmp(w, "-d2") == 0) a.layout = Layout::kTwoLine;
        else if (strcasecmp(w, "-d3") == 0) a.layout = Layout::kTab;
        else if (strcasecmp(w, "-d4") == 0) a.layout = Layout::kSpace;
        else if (strcasecmp(w, "-s") == 0) a.sort_only = true;
        else if (strcasecmp(w, "-c") == 0) a.interactive = true;
        else if (strncasecmp(w, "-f", 2) == 0) a.source = w + 2;
        else if (strncasecmp(w, "-o", 2) == 0) a.destination = w + 2;
        else return false;
    }
    return true;
}

// One answer line from standard input without its line end; false at the end
// of the input.
bool Ask(const char* prompt, std::string& answer) {
    std::fputs(prompt, stdout);
    std::fflush(stdout);
    answer.clear();
    int c;
    bool any = false;
    while ((c = std::getchar()) != EOF) {
        any = true;
        if (c == '\n') break;
        answer += static_cast<char>(c);
    }
    if (!answer.empty() && answer.back() == '\r') answer.pop_back();
    return any;
}

// Asks for what the command line did not give. false when the input ended
// before a layout was chosen (asking again would never end).
bool Interview(Args& a) {
    std::string answer;
    if (a.source.empty()) {
        Ask("変換元の辞書(FullPath)：", a.source);
        while (true) {
            if (!Ask("形式(1:辞郎 2:2行1組 3:ﾀﾌﾞ区切り 4:ｽﾍﾟｰｽ区切り)：", answer)) return false;
            int n = std::atoi(answer.c_str());
            if (n >= 1 && n <= 4) {
                a.layout = static_cast<Layout>(n);
                break;
            }
        }
    }
    if (a.destination.empty()) Ask("変換先の辞書(FullPath)：", a.destination);
    return true;
}

std::string TempFolder() {
    const char* t = std::getenv("TMPDIR");
    std::string dir = t && *t ? t : "/tmp";
    if (dir.back() != '/') dir += '/';
    return dir;
}

// Prints the percentage of the source read whenever it changes, over the
// previous one.
class ProgressLine {
public:
    explicit ProgressLine(uint64_t size) : size_(size) { std::printf("辞書変換中   0%% 完了"); }
    void Update(uint64_t consumed) {
        if (size_ == 0) return;
        int pct = static_cast<int>(std::min<uint64_t>(consumed, size_) * 100 / size_);
        if (pct == pct_) return;
        pct_ = pct;
        std::printf("\r辞書変換中 %3d%% 完了", pct);
        std::fflush(stdout);
    }
    void Finish() { std::printf("\r辞書変換中 100%% 完了\n"); }

private:
    uint64_t size_;
    int pct_ = 0;
};

bool ConvertToTemp(const Args& a, const std::string& temp, int temp_fd) {
    int src_fd = FileInput::Open(a.source);
    if (src_fd < 0) {
        close(temp_fd);
        std::printf("変換元ファイルが開けません '%s'\n", a.source.c_str());
        return false;
    }
    FileInput in(src_fd);
    FILE* f = fdopen(temp_fd, "wb");
    if (!f) {
        close(temp_fd);
        std::printf("テンポラリファイルが生成できません '%s'\n", temp.c_str());
        return false;
    }
    FileSink out(f);
    std::printf("辞書形式：《%s》\n", kLayoutNames[static_cast<int>(a.layout) - 1]);
    ProgressLine progress(in.Size());
    ConvertResult r =
        Convert(a.layout, in, out, [&](uint64_t consumed) { progress.Update(consumed); });
    if (r == ConvertResult::kOk && !out.Close()) r = ConvertResult::kWriteFailed;
    switch (r) {
    case ConvertResult::kOk:
        progress.Finish();
        return true;
    case ConvertResult::kLineTooLong:
        std::printf("\n４Ｋバイトを超える桁数の行があるため処理できません\n");
        break;
    case ConvertResult::kHeadwordTooLong:
        std::printf("\n見出し語(単語)が長すぎて処理できません\n");
        break;
    case ConvertResult::kReadFailed:
        std::printf("\n変換元ファイルのリードエラー\n");
        break;
    case ConvertResult::kWriteFailed:
        std::printf("\nテンポラリファイルへの書き込みができません\n");
        break;
    }
    return false;
}

bool Sort(const std::string& input, const std::string& destination) {
    std::printf("ソート中[ファイル読み込み]...\n");
    int fd = FileInput::Open(input);
    if (fd < 0) {
        std::printf("変換元ファイルが開けません '%s'\n", input.c_str());
        return false;
    }
    FileInput in(fd);
    SafeOutput dest(destination);
    FILE* f = dest.Open();
    if (!f) {
        std::printf("変換先ファイルが生成できません '%s'\n", destination.c_str());
        return false;
    }
    FileSink out(f);
    std::vector<SortRecord> records;
    SortResult r = ScanEntries(in, records);
    if (r == SortResult::kOk) {
        std::printf("ソート中[クイックソート]...\n");
        r = SortEntries(in, records);
    }
    if (r == SortResult::kOk) {
        std::printf("ソート中[ファイル書き込み]...\n");
        r = WriteEntries(in, records, out);
        if (r == SortResult::kOk && !out.Close()) r = SortResult::kWriteError;
        if (r == SortResult::kOk && !dest.Commit()) {
            std::printf("変換先ファイルが生成できません '%s'\n", destination.c_str());
            return false;
        }
    }
    switch (r) {
    case SortResult::kOk:
        std::printf("ソート完了\n");
        return true;
    case SortResult::kLineTooLong:
        std::printf("４Ｋバイトを超える桁数の行があるため処理できません\n");
        break;
    case SortResult::kNoMemory:
        std::printf("ソート用のメモリーの獲得ができません\n");
        break;
    case SortResult::kReadError:
        std::printf("変換元ファイルのリードエラー\n");
        break;
    case SortResult::kWriteError:
        std::printf("変換先ファイルのライトエラー\n");
        break;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::printf("ＱＺエディタ専用  辞書コンバータ  Version 1.00\n\n");
    // Asked for, the usage is an answer rather than a complaint.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        Usage();
        return 0;
    }
    Args a;
    if (!ParseArgs(argc, argv, a)) return Usage();
    if (a.interactive && !Interview(a)) return Usage();
    if (a.source.empty() || a.destination.empty()) return Usage();

    if (a.sort_only) return Sort(a.source, a.destination) ? 0 : 1;

    std::string temp = TempFolder() + "QZMXXXXXX";
    int temp_fd = mkstemp(temp.data());
    if (temp_fd < 0) {
        std::printf("テンポラリファイル名が生成できません\n");
        return 1;
    }
    bool ok = ConvertToTemp(a, temp, temp_fd) && Sort(temp, a.destination);
    unlink(temp.c_str());
    return ok ? 0 : 1;
}
