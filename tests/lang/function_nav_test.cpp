// Next and previous function, and the function list's selection, order,
// search and insertion text.
#include <gtest/gtest.h>

#include "lang/function_nav.h"
#include "lang_fakes.h"

namespace qz {
namespace {

using testing::ScanCText;

const char kFile[] =
    "#define A 1\n"          // 1
    "#define B 2\n"          // 2
    "int zeta(void)\n"       // 3
    "{\n"                    // 4
    "}\n"                    // 5
    "struct Item {\n"        // 6
    "};\n"                   // 7
    "int Alpha::run(void)\n" // 8
    "int beta(void)\n";      // 9

TEST(FunctionJumps, NextAndPrevious) {
    FuncListResult r = ScanCText(kFile);
    EXPECT_EQ(NextFunction(r, 1).line, 3);
    EXPECT_EQ(NextFunction(r, 3).line, 8);
    FunctionJump end = NextFunction(r, 9);
    EXPECT_EQ(end.line, 0);
    EXPECT_STREQ(end.message, "これより後に関数はありません");
    EXPECT_EQ(PreviousFunction(r, 9).line, 8);
    EXPECT_EQ(PreviousFunction(r, 8).line, 3);
    EXPECT_EQ(PreviousFunction(r, 100).line, 9);
    // Defines before the first function are not functions.
    FunctionJump before = PreviousFunction(r, 2);
    EXPECT_EQ(before.line, 0);
    EXPECT_STREQ(before.message, "これより前に関数はありません");
}

TEST(FunctionJumps, FullScansReportTooMany) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "int f" + std::to_string(i) + "(void)\n";
    FuncListResult r = ScanCText(text);
    ASSERT_TRUE(r.full);
    EXPECT_EQ(NextFunction(r, 100).line, 101);
    EXPECT_STREQ(NextFunction(r, 256).message, "関数が多すぎて処理できません");
    EXPECT_EQ(PreviousFunction(r, 100).line, 99);
    // Walking off the end of a full scan: too many.
    EXPECT_STREQ(PreviousFunction(r, 280).message, "関数が多すぎて処理できません");
}

TEST(FunctionList, SelectionOrderTextsAndSearch) {
    FuncListResult r = ScanCText(kFile);
    EXPECT_EQ(FuncListInitialEntry(r, kFuncFunction, 7), 2);   // zeta
    EXPECT_EQ(FuncListInitialEntry(r, kFuncFunction, 2), -1);
    EXPECT_EQ(FuncListInitialEntry(r, kFuncDefine, 50), 1);
    auto names = [&](const std::vector<int>& rows) {
        std::string s;
        for (int i : rows) s += std::string(r.entries[i].name) + ",";
        return s;
    };
    EXPECT_EQ(names(FuncListRows(r, kFuncFunction, 0)), "zeta,run,beta,");
    EXPECT_EQ(names(FuncListRows(r, kFuncFunction, 1)), "beta,zeta,run,");  // "" < "Alpha", ties by name
    EXPECT_EQ(names(FuncListRows(r, kFuncFunction, 2)), "beta,run,zeta,");
    EXPECT_EQ(names(FuncListRows(r, kFuncType, 0)), "struct Item,");

    EXPECT_EQ(FuncListColumnTitle(kFuncFunction, 1), "ｸﾗｽ名");
    EXPECT_EQ(FuncListColumnTitle(kFuncDefine, 2), "定義名");
    EXPECT_EQ(FuncListColumnTitle(kFuncType, 1), "基本ｸﾗｽ名");
    EXPECT_EQ(FuncListTitle(kFuncDefine, false), "#define定義一覧(&L)");
    EXPECT_EQ(FuncListTitle(kFuncFunction, true), "これ以上は処理出来ません");
    EXPECT_EQ(FuncListCount(3, false), "総数: 003");
    EXPECT_EQ(FuncListCount(256, true), "限界: 256");
    EXPECT_EQ(FuncListCount(0, false), "総数: 000");

    auto rows = FuncListRows(r, kFuncFunction, 0);
    EXPECT_EQ(FuncListSearch(r, rows, "ru"), 1);   // begins with
    EXPECT_EQ(FuncListSearch(r, rows, "ET"), 0);   // contains: zeta before beta
    EXPECT_EQ(FuncListSearch(r, rows, "q"), -1);

    EXPECT_EQ(FuncListInsertText(r, rows, kFuncFunction),
              "      3 : zeta()\n      8 : run()\n      9 : beta()\n");
    EXPECT_EQ(FuncListInsertText(r, FuncListRows(r, kFuncDefine, 0), kFuncDefine),
              "      1 : #define A\n      2 : #define B\n");
    EXPECT_EQ(FuncListInsertText(r, FuncListRows(r, kFuncType, 0), kFuncType), "      6 : struct Item{}\n");
}

}  // namespace
}  // namespace qz
