// The function list dialog's model: the selection it opens with and keeps
// across sorting, a kind change, the search key, OK and the insert list.
#include <gtest/gtest.h>

#include "lang/func_list_model.h"
#include "lang_fakes.h"

namespace qz {
namespace {

using testing::ScanCText;

const char kFile[] =
    "#define ZMAX 9\n"         // 1
    "int zeta(void)\n"         // 2
    "{\n"                      // 3
    "}\n"                      // 4
    "int Alpha::run(void)\n"   // 5
    "int beta(void)\n"         // 6
    "struct Item {\n";         // 7

std::vector<std::string> Column(const FuncListModel& m, int column) {
    std::vector<std::string> out;
    for (int r = 0; r < m.RowCount(); ++r) out.push_back(m.Cell(r, column));
    return out;
}

TEST(FuncListModelTest, OpensOnTheFunctionAtTheCaretAndKeepsItWhileSorting) {
    const FuncListResult scan = ScanCText(kFile);
    FuncListModel m(scan, 5, kFuncFunction);
    EXPECT_EQ(Column(m, 0), (std::vector<std::string>{"2", "5", "6"}));
    EXPECT_EQ(m.Selected(), 1);  // run, whose head is the caret's line
    EXPECT_EQ(m.ColumnTitle(0), "行番号");
    EXPECT_EQ(m.ColumnTitle(1), "ｸﾗｽ名");
    EXPECT_EQ(m.Title(), "関数一覧(&L)");
    EXPECT_EQ(m.CountText(), "総数: 003");
    m.SortBy(2);
    EXPECT_EQ(Column(m, 2), (std::vector<std::string>{"beta", "run", "zeta"}));
    EXPECT_EQ(m.Cell(m.Selected(), 2), "run");
    m.SortBy(1);
    EXPECT_EQ(Column(m, 1), (std::vector<std::string>{"", "", "Alpha"}));
    EXPECT_EQ(m.ChosenLine(), 5);
    // Before any function nothing is selected, and OK has no line.
    FuncListModel early(scan, 1, kFuncFunction);
    EXPECT_EQ(early.Selected(), -1);
    EXPECT_EQ(early.ChosenLine(), 0);
}

TEST(FuncListModelTest, AnotherKindShowsItsRowsUnselectedInTheSameOrder) {
    const FuncListResult scan = ScanCText(kFile);
    FuncListModel m(scan, 7, kFuncFunction);
    m.SortBy(2);
    m.ShowKind(kFuncDefine);
    EXPECT_EQ(m.SortColumn(), 2);
    EXPECT_EQ(m.Selected(), -1);
    EXPECT_EQ(Column(m, 1), std::vector<std::string>{"9"});
    EXPECT_EQ(m.ColumnTitle(1), "値");
    EXPECT_EQ(m.Title(), "#define定義一覧(&L)");
    EXPECT_EQ(m.InsertText(), "      1 : #define ZMAX\n");
    m.ShowKind(kFuncType);
    EXPECT_EQ(Column(m, 2), std::vector<std::string>{"struct Item"});
    EXPECT_EQ(m.CountText(), "総数: 001");
    // An out-of-range kind from the settings shows a real one.
    FuncListModel odd(scan, 7, 9);
    EXPECT_EQ(odd.Kind(), kFuncType);
}

TEST(FuncListModelTest, TheSearchKeyPrefersABeginningAndKeepsTheSelectionOtherwise) {
    const FuncListResult scan = ScanCText(kFile);
    FuncListModel m(scan, 2, kFuncFunction);
    m.Search("R");
    EXPECT_EQ(m.Cell(m.Selected(), 2), "run");
    m.Search("eta");  // no name begins with it: the first that contains it
    EXPECT_EQ(m.Cell(m.Selected(), 2), "zeta");
    m.Search("qq");
    EXPECT_EQ(m.Cell(m.Selected(), 2), "zeta");
    m.SortBy(2);
    m.Search("eta");
    EXPECT_EQ(m.Cell(m.Selected(), 2), "beta");  // the list's order counts
}

TEST(FuncListModelTest, TheInsertListFollowsTheListOrderAndAFullScanSaysSo) {
    const FuncListResult scan = ScanCText(kFile);
    FuncListModel m(scan, 2, kFuncFunction);
    m.SortBy(2);
    EXPECT_EQ(m.InsertText(), "      6 : beta()\n      5 : run()\n      2 : zeta()\n");
    std::string many;
    for (int i = 0; i < 300; ++i) many += "int f" + std::to_string(i) + "(void)\n";
    const FuncListResult full = ScanCText(many);
    FuncListModel limit(full, 1, kFuncFunction);
    EXPECT_EQ(limit.RowCount(), 256);
    EXPECT_EQ(limit.Title(), "これ以上は処理出来ません");
    EXPECT_EQ(limit.CountText(), "限界: 256");
}

}  // namespace
}  // namespace qz
