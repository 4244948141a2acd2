// Decisions of the function list and the function jumps.
#include "lang/function_nav.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace qz {

const char kMsgTooManyFunctions[] = "関数が多すぎて処理できません";
const char kMsgNoFunctionAfter[] = "これより後に関数はありません";
const char kMsgNoFunctionBefore[] = "これより前に関数はありません";
const char kMsgChooseJumpTarget[] = "ジャンプ先を選択してください";

FunctionJump NextFunction(const FuncListResult& scan, int32_t caretLine) {
    for (int i = 0; i < scan.count; ++i) {
        const FuncListEntry& e = scan.entries[i];
        if (e.kind == kFuncFunction && e.line > caretLine) return {e.line, nullptr};
    }
    return {0, scan.full ? kMsgTooManyFunctions : kMsgNoFunctionAfter};
}

FunctionJump PreviousFunction(const FuncListResult& scan, int32_t caretLine) {
    const FuncListEntry* passed = nullptr;
    int i = 0;
    for (; i < scan.count; ++i) {
        const FuncListEntry& e = scan.entries[i];
        if (e.kind != kFuncFunction) continue;
        if (e.line >= caretLine) break;
        passed = &e;
    }
    if (i == scan.count && scan.full) return {0, kMsgTooManyFunctions};
    if (passed) return {passed->line, nullptr};
    return {0, kMsgNoFunctionBefore};
}

int FuncListInitialEntry(const FuncListResult& scan, int kind, int32_t caretLine) {
    int found = -1;
    for (int i = 0; i < scan.count; ++i) {
        if (scan.entries[i].kind == kind && scan.entries[i].line <= caretLine) found = i;
    }
    return found;
}

std::vector<int> FuncListRows(const FuncListResult& scan, int kind, int column) {
    std::vector<int> order(scan.count);
    for (int i = 0; i < scan.count; ++i) order[i] = i;
    auto cmp = [&](int a, int b) {
        const FuncListEntry& x = scan.entries[a];
        const FuncListEntry& y = scan.entries[b];
        if (column == 1) {
            if (int c = std::strcmp(x.qualifier, y.qualifier)) return c < 0;
            return std::strcmp(x.name, y.name) < 0;
        }
        if (column == 2) {
            if (int c = std::strcmp(x.name, y.name)) return c < 0;
            return std::strcmp(x.qualifier, y.qualifier) < 0;
        }
        return x.line < y.line;
    };
    // Stable, so that equal keys keep the scan order on every platform.
    std::stable_sort(order.begin(), order.end(), cmp);
    std::vector<int> rows;
    for (int i : order)
        if (scan.entries[i].kind == kind) rows.push_back(i);
    return rows;
}

std::string FuncListColumnTitle(int kind, int column) {
    static const char* const titles[3][2] = {
        {"ｸﾗｽ名", "関数名"}, {"値", "定義名"}, {"基本ｸﾗｽ名", "定義名"}};
    if (kind < 0 || kind > 2 || column < 1 || column > 2) return "行番号";
    return titles[kind][column - 1];
}

std::string FuncListTitle(int kind, bool full) {
    if (full) return "これ以上は処理出来ません";
    switch (kind) {
        case kFuncDefine: return "#define定義一覧(&L)";
        case kFuncType: return "class/struct/union定義一覧(&L)";
        default: return "関数一覧(&L)";
    }
}

std::string FuncListCount(int rows, bool full) {
    char buf[32];
    std::snprintf(buf, sizeof buf, full ? "限界: %03d" : "総数: %03d", rows);
    return buf;
}

namespace {
std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}
}  // namespace

int FuncListSearch(const FuncListResult& scan, const std::vector<int>& rows, const std::string& key) {
    const std::string k = Upper(key);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (Upper(scan.entries[rows[r]].name).starts_with(k)) return static_cast<int>(r);
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        if (Upper(scan.entries[rows[r]].name).find(k) != std::string::npos) return static_cast<int>(r);
    }
    return -1;
}

std::string FuncListInsertText(const FuncListResult& scan, const std::vector<int>& rows, int kind) {
    static const char* const formats[3] = {"%7ld : %s()\n", "%7ld : #define %s\n", "%7ld : %s{}\n"};
    const char* format = formats[kind >= 0 && kind <= 2 ? kind : 0];
    std::string out;
    char buf[128];
    for (int i : rows) {
        const FuncListEntry& e = scan.entries[i];
        std::snprintf(buf, sizeof buf, format, static_cast<long>(e.line), e.name);
        out += buf;
    }
    return out;
}

}  // namespace qz
