#include "print/print_page.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp932.h"
#include "document/qzed_doc.h"
#include "print/header_footer.h"

namespace qz {

PrintJob::PrintJob(CQzedDoc& doc, const PrinterForm& form, const std::tm& now)
    : doc_(doc), form_(form), now_(now), wrapMode_(doc.GetWrapMode()) {
    form_.Split = SplitOf(form);
    form_.Max_Line = std::max(1, form.Max_Line);
    doc_.SetWrapMode(wrapMode_ | kWrapPrint);
    doc_.SetPrintColumns(form.Max_Column);
    TextStore& st = doc_.Store();
    rows_ = st.GetRowCount();
    char row[kRowTextMax];
    if (st.GetRowText(rows_ + 1, row) > 0) ++rows_;
}

PrintJob::~PrintJob() { doc_.SetWrapMode(wrapMode_); }

int PrintJob::SheetCount() const {
    const uint64_t perSheet = static_cast<uint64_t>(form_.Max_Line) * form_.Split;
    return static_cast<int>(std::max<uint64_t>(1, (rows_ + perSheet - 1) / perSheet));
}

std::string PrintCells(const char* row, uint32_t n, int tabWidth) {
    const int tab = std::max(1, tabWidth);
    std::string out;
    out.reserve(n + 16);
    for (uint32_t i = 0; i < n; ++i) {
        const auto b = static_cast<uint8_t>(row[i]);
        if (b == '\n') break;
        if (b == '\t') {
            out.append(tab - out.size() % tab, ' ');
        } else if (IsSjisLead(b)) {
            if (i + 1 < n && row[i + 1] != '\n') {
                out += row[i];
                out += row[++i];
            } else {
                out += ' ';
            }
        } else {
            out += b < 0x20 || b == 0x7F ? ' ' : row[i];
        }
    }
    return out;
}

namespace {

void DrawHeaderLine(PrintSurface& dc, const HeaderFooterTexts& t, const PrintRect& u, int y) {
    if (!t.left.empty()) dc.DrawText(u.left, y, t.left);
    if (!t.centre.empty()) dc.DrawText(u.left + (u.Width() - dc.TextWidth(t.centre)) / 2, y, t.centre);
    if (!t.right.empty()) dc.DrawText(u.right - dc.TextWidth(t.right), y, t.right);
}

// One logical page (from 0) into its area.
void PrintArea(PrintJob& job, PrintSurface& dc, uint64_t page, const PrintRect& area,
               const PrintFontMetrics& text) {
    const PrinterForm& f = job.Form();
    const uint64_t first = page * f.Max_Line + 1;
    if (first > job.Rows()) return;
    const uint32_t last = static_cast<uint32_t>(std::min<uint64_t>(job.Rows(), first + f.Max_Line - 1));
    TextStore& st = job.Doc().Store();
    const int tab = job.Doc().GetTabWidth();
    uint32_t line = st.RowToLine(static_cast<uint32_t>(first));
    const int x = FirstLineX(area, text);
    int y = FirstLineY(area, text);
    char row[kRowTextMax];
    for (auto r = static_cast<uint32_t>(first); r <= last; ++r, y += text.height) {
        const uint32_t n = st.GetRowText(r, row);
        std::string cells;
        if (f.Number == 1) {
            char number[24];
            std::snprintf(number, sizeof number, "%05u ", line);
            cells = number;
        }
        cells += PrintCells(row, n, tab);
        if (!cells.empty()) dc.DrawCells(x, y, text.averageWidth, cells);
        if (n > 0 && row[n - 1] == '\n') ++line;
    }
}

}  // namespace

void PrintPage(PrintJob& job, PrintSurface& dc, int pageNumber, int pageCount, const PrintRect& drawRect) {
    const PrinterForm& f = job.Form();
    const PrintFontMetrics text = dc.SelectFont(PrintFont::Text);
    const PrintFontMetrics header = dc.SelectFont(PrintFont::Header);
    const SheetGeometry g = ComputeSheet(f, {drawRect, dc.DpiX(), dc.DpiY()}, header.height);
    const PrintRect& u = g.usable;
    const std::string& path = job.Doc().GetPathName();
    if (g.headerHeight > 0) {
        DrawHeaderLine(dc, ExpandHeaderFooter(f.Header, pageNumber, pageCount, path, job.Now()), u, u.top);
        const int rule = u.top + header.height + header.height / 2;
        dc.DrawLine(u.left, rule, u.right, rule);
    }
    if (g.footerHeight > 0) {
        DrawHeaderLine(dc, ExpandHeaderFooter(f.Foter, pageNumber, pageCount, path, job.Now()), u,
                       u.bottom - header.height);
        const int rule = u.bottom - header.height - header.height / 2;
        dc.DrawLine(u.left, rule, u.right, rule);
    }
    if (f.Frame == 1)
        for (const PrintRect& area : g.areas) dc.DrawFrame(FrameOf(g, area, f, text, header));
    dc.SelectFont(PrintFont::Text);
    const uint64_t firstPage = static_cast<uint64_t>(std::max(1, pageNumber) - 1) * f.Split;
    for (size_t a = 0; a < g.areas.size(); ++a) PrintArea(job, dc, firstPage + a, g.areas[a], text);
}

}  // namespace qz
