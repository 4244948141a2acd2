// The box text as the calculation reads it: full-width characters made
// half-width, box-drawing characters as separators, pieces and lines summed.
#include <gtest/gtest.h>

#include <optional>

#include "calc/box_sum.h"
#include "platform/cp932.h"

namespace qz {
namespace {

std::string Sj(const std::string& utf8) { return Utf8ToSjis(utf8); }

std::optional<double> Sum(const std::string& utf8) {
    double total = -1;
    if (SumCalcBox(Sj(utf8), &total) != 0) return std::nullopt;
    return total;
}

TEST(BoxSum, FullWidthFormsBecomeHalfWidth) {
    using P = std::vector<std::string>;
    EXPECT_EQ(CalcPieces(Sj("０１２３４５６７８９")), P{"0123456789"});
    EXPECT_EQ(CalcPieces(Sj("ＡＺａｚ")), P{"AZaz"});
    EXPECT_EQ(CalcPieces(Sj("　（）＊＋－．，／＜＝＞＾｜％＆＄")), P{" ()*+-.,/<=>^|%&$"});
    EXPECT_EQ(CalcPieces(Sj("￣￥")), P{"~\\"});
    EXPECT_EQ(CalcPieces(Sj("×÷")), P{"*/"});
    // Other double-byte characters drop out; single bytes stay as they are.
    EXPECT_EQ(CalcPieces(Sj("１００円")), P{"100"});
    EXPECT_EQ(CalcPieces(Sj("約5ｶ所")), P{"5\xB6"});
}

TEST(BoxSum, BoxDrawingCharactersSeparate) {
    using P = std::vector<std::string>;
    EXPECT_EQ(CalcPieces(Sj("１│２┃３")), (P{"1", "2", "3"}));
    EXPECT_EQ(CalcPieces(Sj("─┼╂")), (P{"", "", "", ""}));
    EXPECT_EQ(CalcPieces(""), P{""});
    // 0x849F and 0x84BE are the first and last separators; their neighbours
    // 0x849E and 0x84BF are no characters and drop out.
    EXPECT_EQ(CalcPieces("1\x84\x9F" "2\x84\xBE" "3\x84\x9E\x84\xBF"), (P{"1", "2", "3"}));
}

TEST(BoxSum, AColumnOfMixedWidthNumbers) {
    EXPECT_EQ(Sum("10\r\n20\r\n３０\r\n"), 60);
    EXPECT_EQ(Sum("１２×３\r\n"), 36);
    EXPECT_EQ(Sum("１２÷３\r\n"), 4);
}

TEST(BoxSum, ATableWithSeparatorsAddsEveryCell) {
    const std::string table =
        "┃　１０┃　２０┃\r\n"
        "┠───╂───┨\r\n"
        "┃　　３┃　　　┃\r\n"
        "┃１，０００┃（１＋１）＊３┃\r\n";
    EXPECT_EQ(Sum(table), 10 + 20 + 3 + 1000 + 6);
}

TEST(BoxSum, EmptyAndBlankLinesCountNothing) {
    EXPECT_EQ(Sum(""), 0);
    EXPECT_EQ(Sum("\r\n\r\n"), 0);
    EXPECT_EQ(Sum("  \t\r\n5\r\n　　\r\n"), 5);
    EXPECT_EQ(Sum("5"), 5);          // a last line without a line end
    EXPECT_EQ(Sum("1\n2\n"), 3);     // bare line feeds too
}

TEST(BoxSum, AnyWrongPieceFailsTheWhole) {
    EXPECT_EQ(Sum("10\r\n1 2\r\n30\r\n"), std::nullopt);
    EXPECT_EQ(Sum("１０│ｘ\r\n"), std::nullopt);
    EXPECT_EQ(Sum("1/0\r\n"), std::nullopt);
    EXPECT_EQ(Sum("1e308\r\n1e308\r\n"), std::nullopt);  // the sum overflows
    EXPECT_EQ(Sum("1e308\r\n-1e308\r\n"), 0);
}

TEST(BoxSum, AnEqualsSignEndsAPiece) {
    EXPECT_EQ(Sum("1+2=3\r\n"), 3);
    EXPECT_EQ(Sum("１＋２＝３│4\r\n"), 7);
}

}  // namespace
}  // namespace qz
