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

    PrintPreviewDialog(QWidget* parent, PrintJob& job, QPrinter& printer);

    QPrintPreviewWidget* Preview() const { return preview_; }
    // How the last drawing of the sheets ended (a cancel shows fewer pages).
    PrintOutcome LastOutcome() const { return outcome_; }

private:
    PrintJob& job_;
    QPrintPreviewWidget* preview_;
    PrintOutcome outcome_ = PrintOutcome::Done;
};

}  // namespace qz
