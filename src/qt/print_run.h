// Printing a job with Qt's printer support: the printer set up from a form,
// the title naming its paper, and the sheets drawn with a progress box that
// can stop a long run.
#pragma once

#include <QString>

#include "print/print_page.h"

class QPrinter;
class QWidget;

namespace qz {

// Points the printer at the system's default printer (the first installed
// one when none is the default); false when no printer is installed, and the
// printer then writes a PDF file.
bool UseDefaultPrinter(QPrinter& printer);

// Paper and orientation of the form onto the printer (-1: the printer's
// own), and the printer's whole printable area as the drawing rectangle.
void ApplyFormToPrinter(const PrinterForm& form, QPrinter& printer);
// The printer's paper and orientation back into the form, after the printer
// setup dialog.
void StoreFormPaper(PrinterForm& form, const QPrinter& printer);
// "印刷 (紙： A4 210 × 297 mm  印刷方向： 縦)" for the printer's paper.
QString PaperTitleOf(const QString& base, const QPrinter& printer);
// The drawing rectangle and resolution sheets are laid out on.
PrintDevice DeviceOf(const QPrinter& printer);

enum class PrintOutcome { Done, Cancelled, Failed };

// Draws sheets first to last (from 1) of the job, one printer page each. A
// progress box shows once the run takes longer than progressDelayMs; its
// cancel stops the run, aborts the print job and removes a partly written
// file. For the preview the pages are only recorded (preview true).
PrintOutcome RenderSheets(QWidget* parent, QPrinter& printer, PrintJob& job, int first, int last,
                          bool preview, int progressDelayMs = 800);

}  // namespace qz
