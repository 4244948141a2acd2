// The file dialogs' filter and code lists, and how their answers are read.
#include "app/file_dialog_model.h"

#include <algorithm>

namespace qz {

namespace {

std::vector<std::string> SplitPatterns(std::string_view pattern) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find(';', start);
        if (end == std::string_view::npos) end = pattern.size();
        std::string_view item = pattern.substr(start, end - start);
        // Blanks around an item are the user's typing, not part of a name.
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        if (!item.empty()) out.emplace_back(item);
        start = end + 1;
    }
    return out;
}

}  // namespace

std::vector<FileFilter> OpenFilterList(std::string_view wildCard) {
    std::vector<FileFilter> list;
    if (wildCard.empty()) {
        list.push_back({"ユーザー指定", ""});
    } else {
        std::string shown(wildCard);
        std::replace(shown.begin(), shown.end(), ';', ' ');
        list.push_back({"ユーザー指定(" + shown + ")", std::string(wildCard)});
    }
    list.push_back({"ｿｰｽﾌｧｲﾙ(*.c *.cpp *.h *.asm *.s *.inc *.rc *.bas *.frm)",
                    "*.c;*.h;*.cpp;*.asm;*.s;*.inc;*.rc;*.bas;*.frm"});
    list.push_back({"C++ﾌｧｲﾙ(*.c *.cpp *.cxx *.h *.rc)", "*.c;*.cpp;*.cxx;*.h;*.rc"});
    list.push_back({"VisualBasicﾌｧｲﾙ(*.frm *.bas)", "*.frm;*.bas"});
    list.push_back({"ｱｾﾝﾌﾞﾗﾌｧｲﾙ(*.asm *.s *.inc)", "*.asm;*.s;*.inc"});
    list.push_back({"HTMLﾌｧｲﾙ(*.html *.htm)", "*.html;*.htm"});
    list.push_back({"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", "*.txt"});
    list.push_back({"全てのﾌｧｲﾙ(*.*)", "*.*"});
    return list;
}

FileFilter SaveFilter() { return {"全てのﾌｧｲﾙ(*.*)", "*.*"}; }

std::string QtPatterns(std::string_view pattern) {
    std::string out;
    for (const std::string& item : SplitPatterns(pattern)) {
        if (!out.empty()) out += ' ';
        out += item == "*.*" ? "*" : item;
    }
    return out.empty() ? "*" : out;
}

std::string QtNameFilter(const FileFilter& filter) {
    return filter.display + " (" + QtPatterns(filter.pattern) + ")";
}

std::vector<std::string> QtNameFilters(const std::vector<FileFilter>& filters) {
    std::vector<std::string> out;
    out.reserve(filters.size());
    for (const FileFilter& f : filters) out.push_back(QtNameFilter(f));
    return out;
}

int ClampFilterIndex(int index, int count) { return index >= 1 && index <= count ? index : 1; }

const std::vector<std::string>& OpenCodeChoices() {
    static const std::vector<std::string> list{"自動識別", "SHIFT-JIS", "EUC", "JIS", "UTF-8"};
    return list;
}

const std::vector<std::string>& SaveCodeChoices() {
    static const std::vector<std::string> list{"自動識別",   "SHIFT-JIS(CR/LF)", "SHIFT-JIS(LF)",
                                               "EUC(CR/LF)", "EUC(LF)",          "JIS(CR/LF)",
                                               "JIS(LF)",    "UTF-8(CR/LF)",     "UTF-8(LF)"};
    return list;
}

int OpenCodeFromChoice(int index) { return index >= 1 && index <= 4 ? index : 0; }

CodeAndLineEnd ApplySaveCodeChoice(int index, CodeAndLineEnd current) {
    if (index < 1 || index > 8) return current;
    return {(index + 1) / 2, (index + 1) % 2};
}

OpenDialogKind OpenDialogKindFor(int fileDlgType) {
    return fileDlgType == 2 || fileDlgType == 4 ? OpenDialogKind::ExtCode
                                                : OpenDialogKind::PathHistory;
}

bool OpenDialogExplorerStyle(int fileDlgType) { return fileDlgType == 1 || fileDlgType == 2; }

}  // namespace qz
