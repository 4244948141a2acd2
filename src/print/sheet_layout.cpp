#include "print/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qz {

const char kMsgTooFewLines[] = "行数が最低行数を下回ります（用紙をはみ出す恐れがあります）";
const char kMsgTooFewColumns[] = "桁数が最低桁数を下回ります（用紙をはみ出す恐れがあります）";

std::string TooManyColumnsMessage() {
    char buf[128];
    std::snprintf(buf, sizeof buf, "桁数が最高桁数を上回ります（%d桁以上は印字できません）", kMaxPrintColumns);
    return buf;
}

int MillimetresToPixels(int mm, int dpi) {
    return static_cast<int>(mm * 0.03937007933143675 * dpi);
}

int SplitOf(const PrinterForm& form) { return form.Split >= 1 && form.Split <= 4 ? form.Split : 1; }

SheetGeometry ComputeSheet(const PrinterForm& form, const PrintDevice& device, int headerLineHeight) {
    SheetGeometry g;
    const PrintRect& d = device.draw;
    g.usable = {d.left + MillimetresToPixels(form.Left_Space, device.dpiX),
                d.top + MillimetresToPixels(form.Up_Space, device.dpiY),
                d.right - MillimetresToPixels(form.Right_Space, device.dpiX),
                d.bottom - MillimetresToPixels(form.Down_Space, device.dpiY)};
    g.headerHeight = form.Header.empty() ? 0 : 2 * headerLineHeight;
    g.footerHeight = form.Foter.empty() ? 0 : 3 * headerLineHeight;
    g.text = {g.usable.left, g.usable.top + g.headerHeight, g.usable.right,
              g.usable.bottom - g.footerHeight};
    const PrintRect& t = g.text;
    const int w = t.Width();
    switch (SplitOf(form)) {
    case 2:
        g.areas = {{t.left, t.top, t.left + w / 2, t.bottom}, {t.left + w / 2, t.top, t.right, t.bottom}};
        break;
    case 3:
        g.areas = {{t.left, t.top, t.left + w / 3, t.bottom},
                   {t.left + w / 3, t.top, t.left + 2 * w / 3, t.bottom},
                   {t.left + 2 * w / 3, t.top, t.right, t.bottom}};
        break;
    case 4: {
        const int midX = t.left + w / 2, midY = t.top + t.Height() / 2;
        g.areas = {{t.left, t.top, midX, midY},
                   {midX, t.top, t.right, midY},
                   {t.left, midY, midX, t.bottom},
                   {midX, midY, t.right, t.bottom}};
        break;
    }
    default: g.areas = {t}; break;
    }
    return g;
}

int FirstLineX(const PrintRect& area, const PrintFontMetrics& text) { return area.left + text.averageWidth / 2; }
int FirstLineY(const PrintRect& area, const PrintFontMetrics& text) { return area.top + text.height / 2; }

PrintRect FrameOf(const SheetGeometry& sheet, const PrintRect& area, const PrinterForm& form,
                  const PrintFontMetrics& text, const PrintFontMetrics& header) {
    // A double-byte character begun in the last column ends one cell further.
    const int cells = std::max(0, form.Max_Column) + 1 + (form.Number == 1 ? kLineNumberCells : 0);
    const int x = FirstLineX(area, text), y = FirstLineY(area, text);
    const int dx = header.averageWidth / 2, dy = header.height / 2;
    const PrintRect& u = sheet.usable;
    return {std::max(u.left, x - dx), std::max(u.top, y - dy),
            std::min(u.right, x + cells * text.averageWidth + dx),
            std::min(u.bottom, y + std::max(0, form.Max_Line) * text.height + dy)};
}

LayoutLimits CheckLayoutLimits(int lines, int columns) {
    LayoutLimits r{lines, columns, {}};
    auto hit = [&r](const std::string& m) {
        if (r.message.empty()) r.message = m;
    };
    if (r.lines < kMinPrintLines) {
        hit(kMsgTooFewLines);
        r.lines = kMinPrintLines;
    }
    // The columns are kept in range even when the lines were the first
    // complaint: an unchecked value would be saved with the form.
    if (r.columns < kMinPrintColumns) {
        hit(kMsgTooFewColumns);
        r.columns = kMinPrintColumns;
    } else if (r.columns > kMaxPrintColumns) {
        hit(TooManyColumnsMessage());
        r.columns = kMaxPrintColumns;
    }
    return r;
}

LayoutLimits ComputeAutoLayout(const PrinterForm& form, const PrintDevice& device,
                               const PrintFontMetrics& text, const PrintFontMetrics& header) {
    const SheetGeometry g = ComputeSheet(form, device, header.height);
    const PrintRect& area = g.areas.front();
    const int h = std::max(1, text.height), cw = std::max(1, text.averageWidth);
    const int lines = (area.Height() - h) / h;
    // One cell is kept for a double-byte character that begins in the last
    // column, so that it still prints inside the area.
    const int columns = (area.Width() - cw) / cw - 1 - (form.Number == 1 ? kLineNumberCells : 0);
    return CheckLayoutLimits(lines, columns);
}

}  // namespace qz
