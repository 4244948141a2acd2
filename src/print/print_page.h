// Drawing one printed sheet of a document: header, footer, page areas, frames
// and the rows of text on a fixed grid, onto any surface that can draw text
// and lines in device units.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "print/sheet_layout.h"
#include "settings/settings.h"

namespace qz {

class CQzedDoc;

enum class PrintFont { Text, Header };

// A printer page, a preview page or a test's recorder. Coordinates are device
// units; y is the top of the text cell.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    virtual int DpiX() = 0;
    virtual int DpiY() = 0;
    // Selects the font for the calls that follow and returns its metrics.
    virtual PrintFontMetrics SelectFont(PrintFont font) = 0;
    // Width of a UTF-8 text in the selected font.
    virtual int TextWidth(const std::string& utf8) = 0;
    virtual void DrawText(int x, int y, const std::string& utf8) = 0;
    // Shift-JIS text of single-byte cells and double-byte two-cell characters,
    // blanks included, each cell cellWidth wide whatever the font's advances.
    virtual void DrawCells(int x, int y, int cellWidth, const std::string& sjis) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void DrawFrame(const PrintRect& r) = 0;
};

// A document being printed with one form. While the job lives the document's
// rows are wrapped at the form's columns, so that a printed row never splits
// a double-byte character and the rows are the store's own; the caller lays
// out the document's views again after the job.
class PrintJob {
public:
    PrintJob(CQzedDoc& doc, const PrinterForm& form, const std::tm& now);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    CQzedDoc& Doc() { return doc_; }
    const PrinterForm& Form() const { return form_; }
    const std::tm& Now() const { return now_; }
    // Rows that print: the empty row after a final line feed does not.
    uint32_t Rows() const { return rows_; }
    int SheetCount() const;

private:
    CQzedDoc& doc_;
    PrinterForm form_;
    std::tm now_;
    int wrapMode_;
    uint32_t rows_ = 0;
};

// Draws sheet pageNumber (from 1) of pageCount into drawRect.
void PrintPage(PrintJob& job, PrintSurface& dc, int pageNumber, int pageCount, const PrintRect& drawRect);

// A row of text as it prints: tabs expanded to blanks up to the next multiple
// of tabWidth, the line feed dropped, control bytes and a lone lead byte as
// blanks.
std::string PrintCells(const char* row, uint32_t n, int tabWidth);

}  // namespace qz
