// Paper-size labels in the print titles.
#include <gtest/gtest.h>

#include "print/paper_label.h"

namespace qz {
namespace {

TEST(PaperLabel, KnownCodesAndTheirNeighbours) {
    EXPECT_EQ(PaperSizeLabel(1, 0, 0), "Letter 8 1/2 × 11 ｲﾝﾁ");
    EXPECT_EQ(PaperSizeLabel(9, 0, 0), "A4 210 × 297 mm");
    EXPECT_EQ(PaperSizeLabel(10, 0, 0), "A4 210 × 297 mm");
    EXPECT_EQ(PaperSizeLabel(13, 0, 0), "B5 182 × 257 mm");
    EXPECT_EQ(PaperSizeLabel(41, 0, 0), "German Legal Fanfold 8 1/2 × 13 ｲﾝﾁ");
}

TEST(PaperLabel, AnyOtherCodeIsUserDefined) {
    EXPECT_EQ(PaperSizeLabel(42, 100, 148), "ﾕｰｻﾞｰ定義ｻｲｽﾞ (100.0 × 148.0 mm)");
    EXPECT_EQ(PaperSizeLabel(0, 99.25, 210), "ﾕｰｻﾞｰ定義ｻｲｽﾞ (99.2 × 210.0 mm)");
    EXPECT_EQ(PaperSizeLabel(-1, 1, 2), "ﾕｰｻﾞｰ定義ｻｲｽﾞ (1.0 × 2.0 mm)");
}

TEST(PaperLabel, TitlesNamePaperAndOrientation) {
    EXPECT_EQ(PaperTitle("印刷", 9, 210, 297, false), "印刷 (紙： A4 210 × 297 mm  印刷方向： 縦)");
    EXPECT_EQ(PaperTitle("印刷プレビュー", 8, 297, 420, true),
              "印刷プレビュー (紙： A3 297 × 420 mm  印刷方向： 横)");
}

}  // namespace
}  // namespace qz
