// What the function commands decide from a scan: the next and previous
// function, and the function list dialog's selection, order and texts.
#pragma once

#include <string>
#include <vector>

#include "lang/function_scan.h"

namespace qz {

// Guide-line messages of the two jumps (UTF-8).
extern const char kMsgTooManyFunctions[];    // "関数が多すぎて処理できません"
extern const char kMsgNoFunctionAfter[];     // "これより後に関数はありません"
extern const char kMsgNoFunctionBefore[];    // "これより前に関数はありません"
extern const char kMsgChooseJumpTarget[];    // "ジャンプ先を選択してください"

// The outcome of next / previous function: a line to go to, or a message.
struct FunctionJump {
    int32_t line = 0;     // > 0 when there is somewhere to go
    const char* message = nullptr;
};
FunctionJump NextFunction(const FuncListResult& scan, int32_t caretLine);
FunctionJump PreviousFunction(const FuncListResult& scan, int32_t caretLine);

// The entry the list selects on opening: the last entry of the kind, in scan
// order, whose line is not after the caret's; -1 when none.
int FuncListInitialEntry(const FuncListResult& scan, int kind, int32_t caretLine);

// The entries of one kind in the list's order for a sort column (0 line,
// 1 qualifier then name, 2 name then qualifier), as indexes into the scan.
std::vector<int> FuncListRows(const FuncListResult& scan, int kind, int column);

// Dialog texts for a kind.
std::string FuncListColumnTitle(int kind, int column);  // columns 1 and 2
std::string FuncListTitle(int kind, bool full);         // label 106
std::string FuncListCount(int rows, bool full);         // label 108
// The row the search key selects (see the dialog's search box): the first
// name beginning with the key, else the first containing it, else -1.
int FuncListSearch(const FuncListResult& scan, const std::vector<int>& rows, const std::string& key);
// What "一覧挿入" inserts: one line per row in list order.
std::string FuncListInsertText(const FuncListResult& scan, const std::vector<int>& rows, int kind);

}  // namespace qz
