#include "qt/print_surface.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <algorithm>

#include "platform/cp932.h"
#include "qt/log_font.h"

namespace qz {

namespace {
PrintFontMetrics MetricsOf(const QFont& f, bool grid) {
    const QFontMetrics fm(f);
    // The text's cell is the view's: the advance of an 'M'.
    return {std::max(1, fm.height()), std::max(1, grid ? fm.horizontalAdvance(QChar('M')) : fm.averageCharWidth())};
}
}  // namespace

PrintFonts::PrintFonts(const PrinterForm& form, int dpi)
    : text(FontFromLogFont(form.font, dpi / 96.0)), header(FontFromLogFont(form.headerFont, dpi / 96.0)),
      textMetrics(MetricsOf(text, true)), headerMetrics(MetricsOf(header, false)) {
    text.setKerning(false);
    latin = LatinCompanion(form.font, text, textMetrics.averageWidth, true);
    latin.setKerning(false);
}

QtPrintSurface::QtPrintSurface(QPainter& painter, const PrinterForm& form, int dpiX, int dpiY)
    : p_(painter), dpiX_(dpiX), dpiY_(dpiY), fonts_(form, dpiY) {
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, dpiX / 100));  // a quarter of a millimetre
    p_.setPen(pen);
}

PrintFontMetrics QtPrintSurface::SelectFont(PrintFont font) {
    selected_ = font;
    return font == PrintFont::Text ? fonts_.textMetrics : fonts_.headerMetrics;
}

int QtPrintSurface::TextWidth(const std::string& utf8) {
    return QFontMetrics(selected_ == PrintFont::Text ? fonts_.text : fonts_.header)
        .horizontalAdvance(QString::fromStdString(utf8));
}

void QtPrintSurface::DrawText(int x, int y, const std::string& utf8) {
    const QFont& f = selected_ == PrintFont::Text ? fonts_.text : fonts_.header;
    p_.setFont(f);
    p_.drawText(x, y + QFontMetrics(f).ascent(), QString::fromStdString(utf8));
}

// One drawText per run of characters of one face; letter spacing spreads the
// run over exactly its cells, so that a monospaced face sits on the grid
// character by character and any other face still fills its cells.
void QtPrintSurface::DrawRun(const QFont& font, int x, int y, int cells, int cellWidth, const QString& text) {
    if (text.trimmed().isEmpty()) return;
    QFont f = font;
    // Advances per character, remembered: measuring whole runs costs as
    // much as drawing them.
    QHash<char16_t, qreal>& known = &font == &fonts_.latin ? latinAdvances_ : textAdvances_;
    const QFontMetricsF fm(font);
    qreal natural = 0;
    for (QChar c : text) {
        auto it = known.find(c.unicode());
        if (it == known.end()) it = known.insert(c.unicode(), fm.horizontalAdvance(c));
        natural += *it;
    }
    f.setLetterSpacing(QFont::AbsoluteSpacing, (cells * cellWidth - natural) / text.size());
    p_.setFont(f);
    // Baselines follow the text face, whichever face draws the run.
    p_.drawText(QPointF(x, y + QFontMetrics(fonts_.text).ascent()), text);
}

void QtPrintSurface::DrawCells(int x, int y, int cellWidth, const std::string& sjis) {
    size_t i = 0;
    while (i < sjis.size()) {
        // ASCII runs take the Latin face, everything else the text face; a
        // Shift-JIS byte is one cell, so bytes count cells.
        const bool ascii = static_cast<uint8_t>(sjis[i]) < 0x80;
        size_t j = i;
        while (j < sjis.size() && (static_cast<uint8_t>(sjis[j]) < 0x80) == ascii)
            j += !ascii && IsSjisLead(static_cast<uint8_t>(sjis[j])) && j + 1 < sjis.size() ? 2 : 1;
        const std::string run = sjis.substr(i, j - i);
        DrawRun(ascii ? fonts_.latin : fonts_.text, x + static_cast<int>(i) * cellWidth, y,
                static_cast<int>(run.size()), cellWidth,
                ascii ? QString::fromLatin1(run.data(), static_cast<int>(run.size()))
                      : QString::fromStdString(SjisToUtf8(run)));
        i = j;
    }
}

void QtPrintSurface::DrawLine(int x1, int y1, int x2, int y2) { p_.drawLine(x1, y1, x2, y2); }

void QtPrintSurface::DrawFrame(const PrintRect& r) {
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
}

}  // namespace qz
