// The print preview: Qt's preview of the printed sheets with the buttons to
// page, zoom, print and cancel.
#pragma once

#include <QDialog>

#include "qt/print_run.h"

class QPrintPreviewWidget;

namespace qz {

class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // exec() returns this when the print button closed the preview.
    static constexpr int kPrintChosen = 2;
    // Sheets drawn at a time: a long document is previewed a stretch at a
    // time instead of keeping every sheet of it in memory.
    static constexpr int kSheetsAtATime = 100;

    PrintPreviewDialog(QWidget* parent, PrintJob& job, QPrinter& printer, int sheetsAtATime = kSheetsAtATime);

    QPrintPreviewWidget* Preview() const { return preview_; }
    // The sheet shown, from 1 over the whole document.
    int CurrentSheet() const;
    void GoToSheet(int sheet);
    // How the last drawing of the sheets ended (a cancel shows fewer pages).
    PrintOutcome LastOutcome() const { return outcome_; }

private:
    PrintJob& job_;
    QPrintPreviewWidget* preview_;
    const int window_;
    int first_ = 1;  // the sheet the preview's page 1 shows
    PrintOutcome outcome_ = PrintOutcome::Done;
};

}  // namespace qz
