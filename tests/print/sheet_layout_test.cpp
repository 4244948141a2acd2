// Sheet geometry, automatic lines and columns, and their limits.
#include <gtest/gtest.h>

#include "print/print_layout.h"
#include "print/sheet_layout.h"

namespace qz {
namespace {

// A4 at 600 pixels per inch.
const PrintDevice kA4{{0, 0, 4960, 7016}, 600, 600};

TEST(SheetLayout, MarginsAreMillimetresAtTheDeviceResolution) {
    EXPECT_EQ(MillimetresToPixels(10, 600), 236);
    EXPECT_EQ(MillimetresToPixels(25, 300), 295);
    EXPECT_EQ(MillimetresToPixels(0, 1200), 0);
    PrinterForm f;
    f.Left_Space = 5;
    f.Up_Space = 10;
    f.Right_Space = 20;
    f.Down_Space = 30;
    const SheetGeometry g = ComputeSheet(f, {{100, 50, 5060, 7066}, 600, 300}, 40);
    EXPECT_EQ(g.usable, (PrintRect{100 + 118, 50 + 118, 5060 - 472, 7066 - 354}));
}

TEST(SheetLayout, HeaderAndFooterAreasOnlyForTemplates) {
    PrinterForm f;
    SheetGeometry g = ComputeSheet(f, kA4, 100);
    EXPECT_EQ(g.headerHeight, 200);
    EXPECT_EQ(g.footerHeight, 300);
    EXPECT_EQ(g.text, (PrintRect{236, 436, 4724, 6480}));
    f.Header.clear();
    f.Foter.clear();
    g = ComputeSheet(f, kA4, 100);
    EXPECT_EQ(g.text, g.usable);
}

TEST(SheetLayout, PageAreasBySplit) {
    PrinterForm f;
    f.Header.clear();
    f.Foter.clear();
    const PrintRect t = ComputeSheet(f, kA4, 100).text;  // 236..4724 x 236..6780
    EXPECT_EQ(ComputeSheet(f, kA4, 100).areas, std::vector<PrintRect>{t});
    f.Split = 2;
    auto a = ComputeSheet(f, kA4, 100).areas;
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1].left, 236 + 4488 / 2);
    EXPECT_EQ(a[0].right, a[1].left);
    EXPECT_EQ(a[1].right, t.right);
    f.Split = 3;
    a = ComputeSheet(f, kA4, 100).areas;
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[1].left, 236 + 1496);
    EXPECT_EQ(a[2].left, 236 + 2992);
    EXPECT_EQ(a[2].right, t.right);
    f.Split = 4;
    a = ComputeSheet(f, kA4, 100).areas;
    ASSERT_EQ(a.size(), 4u);
    const int midX = 236 + 2244, midY = 236 + 3272;
    EXPECT_EQ(a[0], (PrintRect{t.left, t.top, midX, midY}));
    EXPECT_EQ(a[1], (PrintRect{midX, t.top, t.right, midY}));
    EXPECT_EQ(a[2], (PrintRect{t.left, midY, midX, t.bottom}));
    EXPECT_EQ(a[3], (PrintRect{midX, midY, t.right, t.bottom}));
    // A stored value the layout does not know prints one area.
    for (int bad : {0, 5, -1}) {
        f.Split = bad;
        EXPECT_EQ(ComputeSheet(f, kA4, 100).areas.size(), 1u) << bad;
    }
}

TEST(SheetLayout, FirstLineAndFrameSitHalfACellInside) {
    PrinterForm f;
    f.Max_Line = 10;
    f.Max_Column = 20;
    const SheetGeometry g = ComputeSheet(f, kA4, 60);
    const PrintRect& area = g.areas[0];
    const PrintFontMetrics text{50, 24}, header{60, 20};
    EXPECT_EQ(FirstLineX(area, text), area.left + 12);
    EXPECT_EQ(FirstLineY(area, text), area.top + 25);
    EXPECT_EQ(FrameOf(g, area, f, text, header),
              (PrintRect{area.left + 12 - 10, area.top + 25 - 30, area.left + 12 + 21 * 24 + 10,
                         area.top + 25 + 10 * 50 + 30}));
    // The block has room for a double-byte character ending past the last
    // column; line numbers widen it by their six cells.
    f.Number = 1;
    EXPECT_EQ(FrameOf(g, area, f, text, header).right, area.left + 12 + 27 * 24 + 10);
    // A frame that would cross the margins is drawn on them.
    f.Max_Line = 1000;
    EXPECT_EQ(FrameOf(g, area, f, text, header).bottom, g.usable.bottom);
    EXPECT_EQ(FrameOf(g, area, f, text, {60, 40}).left, g.usable.left);
}

TEST(SheetLayout, LimitsOfLinesAndColumns) {
    EXPECT_EQ(CheckLayoutLimits(60, 80).message, "");
    LayoutLimits r = CheckLayoutLimits(9, 80);
    EXPECT_EQ(r.lines, 10);
    EXPECT_EQ(r.message, "行数が最低行数を下回ります（用紙をはみ出す恐れがあります）");
    r = CheckLayoutLimits(10, 19);
    EXPECT_EQ(r.columns, 20);
    EXPECT_EQ(r.message, "桁数が最低桁数を下回ります（用紙をはみ出す恐れがあります）");
    r = CheckLayoutLimits(10, 241);
    EXPECT_EQ(r.columns, 240);
    EXPECT_EQ(r.message, "桁数が最高桁数を上回ります（240桁以上は印字できません）");
    EXPECT_EQ(CheckLayoutLimits(10, 240).message, "");
    EXPECT_EQ(CheckLayoutLimits(10, 20).message, "");
    // Both out of range: the lines are named, and the columns are still kept
    // in range so that no unusable value is stored.
    r = CheckLayoutLimits(3, 500);
    EXPECT_EQ(r.message, "行数が最低行数を下回ります（用紙をはみ出す恐れがあります）");
    EXPECT_EQ(r.lines, 10);
    EXPECT_EQ(r.columns, 240);
}

TEST(SheetLayout, AutomaticLinesAndColumnsFillOneArea) {
    PrinterForm f;  // margins 10 mm, header and footer
    const PrintFontMetrics text{100, 50}, header{80, 40};
    // Usable 4488 x 6544; text height 6544 - 160 - 240 = 6144.
    LayoutLimits r = ComputeAutoLayout(f, kA4, text, header);
    EXPECT_EQ(r.lines, (6144 - 100) / 100);
    EXPECT_EQ(r.columns, (4488 - 50) / 50 - 1);
    EXPECT_EQ(r.message, "");
    f.Number = 1;
    EXPECT_EQ(ComputeAutoLayout(f, kA4, text, header).columns, (4488 - 50) / 50 - 1 - 6);
    f.Split = 2;
    EXPECT_EQ(ComputeAutoLayout(f, kA4, text, header).columns, (2244 - 50) / 50 - 1 - 6);
    // Two by two halves the height as well.
    f.Split = 4;
    EXPECT_EQ(ComputeAutoLayout(f, kA4, text, header).lines, (3072 - 100) / 100);
    // A font too large for the paper meets the limits.
    r = ComputeAutoLayout(f, kA4, {800, 400}, header);
    EXPECT_EQ(r.lines, 10);
    EXPECT_EQ(r.message, "行数が最低行数を下回ります（用紙をはみ出す恐れがあります）");
    f.Split = 1;
    f.Number = 0;
    r = ComputeAutoLayout(f, kA4, {100, 10}, header);
    EXPECT_EQ(r.columns, 240);
    EXPECT_EQ(r.message, "桁数が最高桁数を上回ります（240桁以上は印字できません）");
}

TEST(PrintLayoutModel, FormsSelectionAndSaving) {
    Settings s;
    s.env.DefPrintType = 2;
    PrintLayoutModel m(s);
    EXPECT_EQ(m.Selected(), 2);
    EXPECT_EQ(m.Titles().size(), 8u);
    EXPECT_EQ(m.Titles()[7], "設定-8");
    m.Form().Title = "横長";
    m.Form().Max_Line = 5;
    EXPECT_EQ(m.ApplyLimits(), "行数が最低行数を下回ります（用紙をはみ出す恐れがあります）");
    EXPECT_EQ(m.Form().Max_Line, 10);
    // Edits survive choosing another form and coming back, but reach the
    // record only when saved.
    m.Select(0);
    EXPECT_EQ(m.Form().Title, "設定-1");
    m.Select(2);
    EXPECT_EQ(m.Form().Title, "横長");
    EXPECT_EQ(s.printers[2].Title, "設定-3");
    m.Save(s);
    EXPECT_EQ(s.printers[2].Title, "横長");
    EXPECT_EQ(s.printers[2].Max_Line, 10);
    EXPECT_EQ(s.env.DefPrintType, 2);
    // An out-of-range default chooses the first form.
    s.env.DefPrintType = 9;
    EXPECT_EQ(PrintLayoutModel(s).Selected(), 0);
}

TEST(PrintLayoutModel, AutomaticLayoutOnlyWhenAsked) {
    Settings s;
    PrintLayoutModel m(s);
    m.Form().AutoCal = 0;
    m.Form().Max_Line = 33;
    m.Form().Max_Column = 300;
    EXPECT_EQ(m.ApplyAutoLayout(kA4, {100, 50}, {80, 40}),
              "桁数が最高桁数を上回ります（240桁以上は印字できません）");
    EXPECT_EQ(m.Form().Max_Line, 33);
    EXPECT_EQ(m.Form().Max_Column, 240);
    m.Form().AutoCal = 1;
    EXPECT_EQ(m.ApplyAutoLayout(kA4, {100, 50}, {80, 40}), "");
    EXPECT_EQ(m.Form().Max_Line, 60);
    EXPECT_EQ(m.Form().Max_Column, 87);
}

TEST(PrintLayoutModel, CodeListsInsertTheirCodes) {
    const auto& items = HeaderFooterCodeItems();
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0], "&&N\t=ＰＡＴＨ名");
    EXPECT_EQ(items[10], "&&R\t=右端揃え");
    EXPECT_EQ(CodeOfItem(items[0]), "&N");
    EXPECT_EQ(CodeOfItem(items[7]), "&P");
}

}  // namespace
}  // namespace qz
