// Where things go on a printed sheet: margins, header and footer areas, the
// page areas of a split sheet and their frames, in device units; and the
// automatic lines and columns of a form with their limits.
#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

namespace qz {

struct PrintRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PrintRect&) const = default;
};

// A selected font as the layout needs it: line height and the width of one
// cell of the fixed grid.
struct PrintFontMetrics {
    int height = 1;
    int averageWidth = 1;
};

// What a sheet is drawn on: the drawing rectangle and the device's pixels
// per inch, horizontally and vertically.
struct PrintDevice {
    PrintRect draw;
    int dpiX = 600, dpiY = 600;
};

constexpr int kLineNumberCells = 6;  // "%05d "
constexpr int kMinPrintLines = 10;
constexpr int kMinPrintColumns = 20;
constexpr int kMaxPrintColumns = 240;

// The limit messages of the layout (UTF-8).
extern const char kMsgTooFewLines[];
extern const char kMsgTooFewColumns[];
std::string TooManyColumnsMessage();

int MillimetresToPixels(int mm, int dpi);

// Page areas per sheet: 1 to 4; a stored value outside that prints as 1.
int SplitOf(const PrinterForm& form);

struct SheetGeometry {
    PrintRect usable;          // the drawing rectangle less the margins
    int headerHeight = 0;      // two header lines, none without a header template
    int footerHeight = 0;      // three header lines, none without a footer template
    PrintRect text;            // what the header and footer leave
    std::vector<PrintRect> areas;  // upper left, upper right, lower left, lower right
};

SheetGeometry ComputeSheet(const PrinterForm& form, const PrintDevice& device, int headerLineHeight);

// The first line's top left corner in a page area.
int FirstLineX(const PrintRect& area, const PrintFontMetrics& text);
int FirstLineY(const PrintRect& area, const PrintFontMetrics& text);

// The frame around a page area's text block of the form's lines and columns
// (line numbers and the cell a double-byte character may end in included),
// half a header line and half a header cell outside it, kept within the
// usable rectangle.
PrintRect FrameOf(const SheetGeometry& sheet, const PrintRect& area, const PrinterForm& form,
                  const PrintFontMetrics& text, const PrintFontMetrics& header);

struct LayoutLimits {
    int lines = 0, columns = 0;
    std::string message;  // the first limit that was hit, empty when none
};

// Lines at least 10, columns 20 to 240.
LayoutLimits CheckLayoutLimits(int lines, int columns);

// The lines and columns that fill one page area of the sheet, with the limits
// applied.
LayoutLimits ComputeAutoLayout(const PrinterForm& form, const PrintDevice& device,
                               const PrintFontMetrics& text, const PrintFontMetrics& header);

}  // namespace qz
