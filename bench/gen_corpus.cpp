// Builds C source text from a few function, statement and comment shapes,
// mixing Japanese comments and strings in as a Japanese programmer would.
#include "gen_corpus.h"

#include <initializer_list>
#include <random>
#include <string_view>
#include <vector>

#include "platform/cp932.h"

namespace qzbench {

namespace {

const char* const kJapanese[] = {
    "バッファの長さを調べる", "ファイルを開けなかった場合はエラーを返す", "全角文字の先頭バイトか判定",
    "次の行へ進む", "ここで表示を更新する", "設定値を読み込む", "漢字コードを変換する",
    "カーソル位置を保存", "検索文字列が見つかりません", "ｶﾀｶﾅの半角文字も扱う", "行番号を表示",
    "メモリが足りません", "上書きしますか？", "保存しました",
};
const char* const kNames[] = {"count", "len", "buf", "pos", "line", "col", "ptr", "size", "index", "flag"};
const char* const kFuncs[] = {"ReadLine", "WriteBlock", "FindText", "SetCursor", "GetLength",
                              "ConvertCode", "DrawRow", "ScanTokens", "LoadFile", "SaveFile"};

}  // namespace

std::string GenerateSjisCSource(size_t bytes, uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](size_t n) { return static_cast<size_t>(rng() % n); };
    std::vector<std::string> jp;
    for (const char* s : kJapanese) jp.push_back(qz::Utf8ToSjis(s));
    std::string out;
    out.reserve(bytes + 256);
    out += "#include <stdio.h>\n#include <string.h>\n\n";
    // Appending piece by piece keeps the generator cheap next to what it feeds.
    auto add = [&out](std::initializer_list<std::string_view> parts) {
        for (std::string_view part : parts) out.append(part);
    };
    auto jpPick = [&]() -> const std::string& { return jp[pick(jp.size())]; };
    int fn = 0;
    while (out.size() < bytes) {
        const std::string number = std::to_string(fn++);
        add({"/*\n * ", jpPick(), "\n * ", jpPick(), "\n */\n"});
        add({"static int ", kFuncs[pick(10)], number, "(char *buf, int len)\n{\n"});
        add({"\tint ", kNames[pick(10)], " = 0;\n"});
        for (int i = 0, n = 4 + static_cast<int>(pick(14)); i < n; ++i) {
            const char* a = kNames[pick(10)];
            const char* b = kNames[pick(10)];
            const std::string k = std::to_string(pick(1000));
            switch (pick(7)) {
            case 0: add({"\tif (", a, " > ", b, ") {\n\t\t", a, " = ", b, ";\t// ", jpPick(), "\n\t}\n"}); break;
            case 1: add({"\tfor (", a, " = 0; ", a, " < len; ", a, "++)\n\t\tbuf[", a, "] = '\\0';\n"}); break;
            case 2: add({"\tprintf(\"", jpPick(), " %d\\n\", ", a, ");\n"}); break;
            case 3: add({"\t", a, " += ", k, ";  /* ", jpPick(), " */\n"}); break;
            case 4: add({"\t", a, " = strlen(buf) - ", b, ";\n"}); break;
            case 5: add({"\n"}); break;
            default: add({"\twhile (*buf != '\\n' && ", a, "-- > 0)\n\t\tbuf++;\n"}); break;
            }
        }
        add({"\treturn ", kNames[pick(10)], ";\n}\n\n"});
    }
    out.resize(bytes);
    // Never end inside a double-byte character.
    size_t i = 0, lastLead = std::string::npos;
    while (i < out.size()) {
        if (qz::IsSjisLead(static_cast<uint8_t>(out[i]))) {
            lastLead = i;
            i += 2;
        } else {
            ++i;
        }
    }
    if (i > out.size() && lastLead != std::string::npos) out[lastLead] = ' ';
    return out;
}

}  // namespace qzbench
