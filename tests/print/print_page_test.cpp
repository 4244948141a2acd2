// Printed sheets through a recording surface: which rows land in which area,
// line numbers, tabs, wrapping at the form's columns, header and footer.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "document/qzed_doc.h"
#include "print/print_page.h"

namespace qz {
namespace {

struct Op {
    char kind;  // 'T' text, 'C' cells, 'L' line, 'F' frame
    int x, y;
    std::string text;
    PrintRect rect;
};

class RecordingSurface : public PrintSurface {
public:
    PrintFontMetrics text{50, 25}, header{60, 30};
    std::vector<Op> ops;
    PrintFont selected = PrintFont::Text;

    int DpiX() override { return 600; }
    int DpiY() override { return 600; }
    PrintFontMetrics SelectFont(PrintFont f) override {
        selected = f;
        return f == PrintFont::Text ? text : header;
    }
    int TextWidth(const std::string& s) override { return static_cast<int>(s.size()) * 30; }
    void DrawText(int x, int y, const std::string& s) override {
        EXPECT_EQ(selected, PrintFont::Header);
        ops.push_back({'T', x, y, s, {}});
    }
    void DrawCells(int x, int y, int cellWidth, const std::string& s) override {
        EXPECT_EQ(selected, PrintFont::Text);
        EXPECT_EQ(cellWidth, text.averageWidth);
        ops.push_back({'C', x, y, s, {}});
    }
    void DrawLine(int x1, int y1, int, int) override { ops.push_back({'L', x1, y1, {}, {}}); }
    void DrawFrame(const PrintRect& r) override { ops.push_back({'F', r.left, r.top, {}, r}); }

    std::vector<Op> Of(char kind) const {
        std::vector<Op> out;
        for (const Op& o : ops)
            if (o.kind == kind) out.push_back(o);
        return out;
    }
    std::vector<std::string> Cells() const {
        std::vector<std::string> out;
        for (const Op& o : Of('C')) out.push_back(o.text);
        return out;
    }
};

const PrintRect kDraw{0, 0, 4960, 7016};

std::unique_ptr<CQzedDoc> Doc(const std::string& text, const std::string& path = "/work/a.c") {
    auto d = std::make_unique<CQzedDoc>(1);
    d->LoadBegin(text.size());
    d->LoadAppend(text.data(), static_cast<uint32_t>(text.size()));
    d->LoadEnd();
    d->SetPathString(path);
    return d;
}

std::string Lines(int from, int to) {
    std::string s;
    char buf[32];
    for (int i = from; i <= to; ++i) {
        std::snprintf(buf, sizeof buf, "line %d\n", i);
        s += buf;
    }
    return s;
}

std::tm Now() {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 7;
    t.tm_sec = 2;
    return t;
}

TEST(PrintPage, SplitTwoSheetTwoCarriesLines101To200) {
    auto doc = Doc(Lines(1, 250));
    PrinterForm f;
    f.Split = 2;
    f.Max_Line = 50;
    PrintJob job(*doc, f, Now());
    EXPECT_EQ(job.Rows(), 250u);
    EXPECT_EQ(job.SheetCount(), 3);
    RecordingSurface dc;
    PrintPage(job, dc, 2, 3, kDraw);
    const auto cells = dc.Of('C');
    ASSERT_EQ(cells.size(), 100u);
    EXPECT_EQ(cells.front().text, "line 101");
    EXPECT_EQ(cells[49].text, "line 150");
    EXPECT_EQ(cells[50].text, "line 151");
    EXPECT_EQ(cells.back().text, "line 200");
    // The second area starts at half the usable width, one line under another.
    const SheetGeometry g = ComputeSheet(f, {kDraw, 600, 600}, 60);
    EXPECT_EQ(cells[0].x, g.areas[0].left + 12);
    EXPECT_EQ(cells[50].x, g.areas[1].left + 12);
    EXPECT_EQ(cells[0].y, g.text.top + 25);
    EXPECT_EQ(cells[1].y, cells[0].y + 50);
    EXPECT_EQ(cells[50].y, cells[0].y);
    // The last sheet stops at the end of the document.
    RecordingSurface last;
    PrintPage(job, last, 3, 3, kDraw);
    EXPECT_EQ(last.Cells().size(), 50u);
    EXPECT_EQ(last.Cells().back(), "line 250");
}

TEST(PrintPage, TwoByTwoAreasInReadingOrder) {
    auto doc = Doc(Lines(1, 30));
    PrinterForm f;
    f.Split = 4;
    f.Max_Line = 10;
    PrintJob job(*doc, f, Now());
    EXPECT_EQ(job.SheetCount(), 1);
    RecordingSurface dc;
    PrintPage(job, dc, 1, 1, kDraw);
    const auto cells = dc.Of('C');
    ASSERT_EQ(cells.size(), 30u);
    EXPECT_EQ(cells[10].text, "line 11");
    EXPECT_GT(cells[10].x, cells[0].x);
    EXPECT_EQ(cells[10].y, cells[0].y);
    EXPECT_EQ(cells[20].text, "line 21");
    EXPECT_EQ(cells[20].x, cells[0].x);
    EXPECT_GT(cells[20].y, cells[9].y);
}

TEST(PrintPage, FinalLineFeedAddsNoSheetAndAnEmptyTextOneSheet) {
    auto doc = Doc(Lines(1, 100));
    PrinterForm f;
    f.Max_Line = 50;
    {
        PrintJob job(*doc, f, Now());
        EXPECT_EQ(job.Rows(), 100u);
        EXPECT_EQ(job.SheetCount(), 2);
    }
    auto open = Doc(Lines(1, 100) + "tail");
    EXPECT_EQ(PrintJob(*open, f, Now()).SheetCount(), 3);
    auto empty = Doc("");
    PrintJob job(*empty, f, Now());
    EXPECT_EQ(job.Rows(), 0u);
    EXPECT_EQ(job.SheetCount(), 1);
    RecordingSurface dc;
    PrintPage(job, dc, 1, 1, kDraw);
    EXPECT_TRUE(dc.Of('C').empty());
    EXPECT_EQ(dc.Of('T').size(), 3u);  // path, date and time, page numbers
}

TEST(PrintPage, LineNumbersTabsAndControlBytes) {
    std::string text = Lines(1, 11) + "\tx\ty\n" + "a\x01" "b\x7f\n";
    auto doc = Doc(text);
    ASSERT_EQ(doc->GetTabWidth(), 4);
    PrinterForm f;
    f.Number = 1;
    PrintJob job(*doc, f, Now());
    RecordingSurface dc;
    PrintPage(job, dc, 1, 1, kDraw);
    const auto cells = dc.Cells();
    ASSERT_EQ(cells.size(), 13u);
    EXPECT_EQ(cells[0], "00001 line 1");
    EXPECT_EQ(cells[11], "00012     x   y");
    EXPECT_EQ(cells[12], "00013 a b ");
}

TEST(PrintPage, RowsWrapAtTheFormsColumnsWithoutSplittingCharacters) {
    // 19 cells and a double-byte character on the edge of 20 columns, then
    // a line of 45 cells.
    const std::string kanji = "\x82\xa0";  // あ
    auto doc = Doc(std::string(19, 'a') + kanji + "b\n" + std::string(45, 'c') + "\nend\n");
    doc->SetWrapMode(kWrapWindow);
    doc->SetWrapColumn(100);
    const uint32_t rowsBefore = doc->Store().GetRowCount();
    PrinterForm f;
    f.Max_Column = 20;
    f.Number = 1;
    {
        PrintJob job(*doc, f, Now());
        EXPECT_EQ(doc->GetWrapWidth(), 20);
        RecordingSurface dc;
        PrintPage(job, dc, 1, 1, kDraw);
        // A continued row carries the number of its line.
        EXPECT_EQ(dc.Cells(), (std::vector<std::string>{
                                  "00001 " + std::string(19, 'a') + kanji, "00001 b",
                                  "00002 " + std::string(20, 'c'), "00002 " + std::string(20, 'c'),
                                  "00002 ccccc", "00003 end"}));
    }
    // The document's own layout is back after the job.
    EXPECT_EQ(doc->GetWrapMode(), kWrapWindow);
    EXPECT_EQ(doc->GetWrapWidth(), 100);
    EXPECT_EQ(doc->Store().GetRowCount(), rowsBefore);
}

TEST(PrintPage, HeaderAndFooterPlacedOnTheUsableWidth) {
    auto doc = Doc("x\n", "/src/main.c");
    PrinterForm f;
    PrintJob job(*doc, f, Now());
    RecordingSurface dc;
    PrintPage(job, dc, 2, 7, kDraw);
    const SheetGeometry g = ComputeSheet(f, {kDraw, 600, 600}, 60);
    const PrintRect& u = g.usable;
    const auto texts = dc.Of('T');
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "/src/main.c");
    EXPECT_EQ(texts[0].x, u.left);
    EXPECT_EQ(texts[0].y, u.top);
    EXPECT_EQ(texts[1].text, "24/03/05 09:07:02");
    EXPECT_EQ(texts[1].x, u.right - 17 * 30);
    EXPECT_EQ(texts[2].text, "7 - 2");
    EXPECT_EQ(texts[2].x, u.left + (u.Width() - 5 * 30) / 2);
    EXPECT_EQ(texts[2].y, u.bottom - 60);
    // A rule under the header and one above the footer, both clear of the text.
    const auto rules = dc.Of('L');
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_GT(rules[0].y, u.top + 60);
    EXPECT_LT(rules[0].y, g.text.top);
    EXPECT_LT(rules[1].y, u.bottom - 60);
    EXPECT_GT(rules[1].y, g.text.bottom);
    EXPECT_TRUE(dc.Of('F').empty());
}

TEST(PrintPage, FramesAroundEveryAreaAndNothingForEmptyTemplates) {
    auto doc = Doc(Lines(1, 5));
    PrinterForm f;
    f.Frame = 1;
    f.Split = 3;
    f.Header.clear();
    f.Foter.clear();
    PrintJob job(*doc, f, Now());
    RecordingSurface dc;
    PrintPage(job, dc, 1, 1, kDraw);
    EXPECT_EQ(dc.Of('F').size(), 3u);
    EXPECT_TRUE(dc.Of('T').empty());
    EXPECT_TRUE(dc.Of('L').empty());
    // Every area's frame is drawn, even those the text does not reach.
    EXPECT_EQ(dc.Cells().size(), 5u);
}

}  // namespace
}  // namespace qz
