// The printed sheet drawn with a QPainter on a printer or a preview page.
#pragma once

#include <QFont>
#include <QHash>

#include "print/print_page.h"

class QPainter;

namespace qz {

// Fonts of a form at a device resolution; sizes scale from the 96 dots per
// inch the stored heights are measured in.
struct PrintFonts {
    PrintFonts(const PrinterForm& form, int dpi);
    QFont text, latin, header;
    PrintFontMetrics textMetrics, headerMetrics;
};

class QtPrintSurface : public PrintSurface {
public:
    QtPrintSurface(QPainter& painter, const PrinterForm& form, int dpiX, int dpiY);

    int DpiX() override { return dpiX_; }
    int DpiY() override { return dpiY_; }
    PrintFontMetrics SelectFont(PrintFont font) override;
    int TextWidth(const std::string& utf8) override;
    void DrawText(int x, int y, const std::string& utf8) override;
    void DrawCells(int x, int y, int cellWidth, const std::string& sjis) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawFrame(const PrintRect& r) override;

private:
    void DrawRun(const QFont& font, int x, int y, int cells, int cellWidth, const QString& text);

    QPainter& p_;
    int dpiX_, dpiY_;
    PrintFonts fonts_;
    PrintFont selected_ = PrintFont::Text;
    QHash<char16_t, qreal> latinAdvances_, textAdvances_;
};

}  // namespace qz
