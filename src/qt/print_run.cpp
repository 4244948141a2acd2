#include "qt/print_run.h"

#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include "print/paper_label.h"
#include "qt/print_surface.h"

namespace qz {

namespace {
constexpr int kUserPaper = 256;  // the driver's code of a user-defined size
constexpr int kPortrait = 1, kLandscape = 2;
}  // namespace

bool UseDefaultPrinter(QPrinter& printer) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            return false;
        }
        info = all.first();
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(info.printerName());
    return true;
}

void ApplyFormToPrinter(const PrinterForm& form, QPrinter& printer) {
    printer.setFullPage(false);
    if (form.PaperSize > 0) {
        const QPageSize::PageSizeId id = QPageSize::id(form.PaperSize);
        if (form.PaperSize != kUserPaper && id != QPageSize::Custom)
            printer.setPageSize(QPageSize(id));
        else if (form.PaperWidth > 0 && form.PaperLength > 0)
            printer.setPageSize(QPageSize(QSizeF(form.PaperWidth / 10.0, form.PaperLength / 10.0),
                                          QPageSize::Millimeter));
    }
    if (form.Orientation == kPortrait) printer.setPageOrientation(QPageLayout::Portrait);
    else if (form.Orientation == kLandscape) printer.setPageOrientation(QPageLayout::Landscape);
    // The form's margins are laid out inside; only the device's own stay.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void StoreFormPaper(PrinterForm& form, const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const QPageSize size = layout.pageSize();
    const int code = size.windowsId();
    form.PaperSize = code > 0 && size.id() != QPageSize::Custom ? code : kUserPaper;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    form.PaperWidth = static_cast<int>(mm.width() * 10 + 0.5);
    form.PaperLength = static_cast<int>(mm.height() * 10 + 0.5);
    form.Orientation = layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
}

QString PaperTitleOf(const QString& base, const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const QPageSize size = layout.pageSize();
    const QSizeF mm = size.size(QPageSize::Millimeter);
    const int code = size.id() == QPageSize::Custom ? kUserPaper : size.windowsId();
    return QString::fromStdString(PaperTitle(base.toStdString(), code, mm.width(), mm.height(),
                                             layout.orientation() == QPageLayout::Landscape));
}

PrintDevice DeviceOf(const QPrinter& printer) {
    const int dpi = printer.resolution();
    const QRect r = printer.pageLayout().paintRectPixels(dpi);
    return {{0, 0, r.width(), r.height()}, dpi, dpi};
}

PrintOutcome RenderSheets(QWidget* parent, QPrinter& printer, PrintJob& job, int first, int last,
                          bool preview, int progressDelayMs) {
    const int count = job.SheetCount();
    first = std::clamp(first, 1, count);
    last = std::clamp(last, first, count);
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::Failed;
    const PrintDevice device = DeviceOf(printer);
    QtPrintSurface dc(painter, job.Form(), device.dpiX, device.dpiY);
    QProgressDialog progress(parent);
    progress.setWindowTitle(preview ? QStringLiteral("印刷プレビュー") : QStringLiteral("印刷"));
    progress.setCancelButtonText(QStringLiteral("ｷｬﾝｾﾙ"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setRange(0, last - first + 1);
    progress.setMinimumDuration(progressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    bool cancelled = false;
    for (int sheet = first; sheet <= last; ++sheet) {
        progress.setLabelText(QStringLiteral("%1 / %2 ページ").arg(sheet).arg(last));
        progress.setValue(sheet - first);
        if (progress.wasCanceled()) {
            cancelled = true;
            break;
        }
        if (sheet > first && !printer.newPage()) {
            painter.end();
            return PrintOutcome::Failed;
        }
        PrintPage(job, dc, sheet, count, device.draw);
    }
    if (cancelled && !preview) printer.abort();
    painter.end();
    if (cancelled && !preview && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
    return cancelled ? PrintOutcome::Cancelled : PrintOutcome::Done;
}

}  // namespace qz
