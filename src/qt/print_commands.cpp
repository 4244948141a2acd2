#include "qt/print_commands.h"

#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>
#include <ctime>

#include "document/qzed_doc.h"
#include "frame/commands.h"
#include "platform/message_box.h"
#include "print/print_layout.h"
#include "qt/print_layout_dlg.h"
#include "qt/print_preview_dlg.h"
#include "qt/print_run.h"

namespace qz {

const char kMsgNoPrinter[] = "プリンタがインストールされていません";
const char kCaptionNoPrinter[] = "デフォルトプリンタ情報の取得";
const char kMsgPrintFailed[] = "印刷できませんでした";

namespace {

std::tm LocalNow() {
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    return now;
}

QString AskPdfFileDialog(QWidget* parent, const QString& suggested) {
    QFileDialog d(parent, QStringLiteral("PDFファイルに印刷"), suggested, QStringLiteral("PDF (*.pdf)"));
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(QStringLiteral("pdf"));
    d.selectFile(suggested);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

// The document's name with ".pdf", beside it (in the home folder for an
// untitled document).
QString SuggestedPdf(const CQzedDoc& doc) {
    const QFileInfo f(QString::fromStdString(doc.GetPathName()));
    if (doc.GetPathName().empty()) return QDir::home().filePath(QStringLiteral("print.pdf"));
    return f.dir().filePath(f.completeBaseName() + QStringLiteral(".pdf"));
}

const PrinterForm& DefaultForm() {
    const Settings& s = TheSettings();
    const int n = s.env.DefPrintType;
    return s.printers[n >= 0 && n < kPrinterForms ? n : 0];
}

// Hides widgets for as long as it lives and shows again those that were shown.
class HiddenWhile {
public:
    explicit HiddenWhile(const std::vector<QWidget*>& widgets) {
        for (QWidget* w : widgets)
            if (w && w->isVisible()) {
                shown_.push_back(w);
                w->hide();
            }
    }
    ~HiddenWhile() {
        for (QWidget* w : shown_) w->show();
    }

private:
    std::vector<QWidget*> shown_;
};

}  // namespace

bool PrintDocument(const PrintContext& ctx, const PrinterForm& form) {
    if (!ctx.doc) return false;
    QPrinter printer(QPrinter::HighResolution);
    const bool installed = UseDefaultPrinter(printer);
    if (!installed) {
        // The message stays what it always was; a PDF file is then offered
        // instead of printing nothing.
        ctx.boxes->Show(kMsgNoPrinter, kCaptionNoPrinter, MbIcon::Stop, MbButtons::Ok);
        const QString suggested = SuggestedPdf(*ctx.doc);
        const QString file = ctx.askPdfFile ? ctx.askPdfFile(suggested) : AskPdfFileDialog(ctx.parent, suggested);
        if (file.isEmpty()) return false;
        printer.setOutputFileName(file);
    }
    ApplyFormToPrinter(form, printer);
    PrintOutcome outcome = PrintOutcome::Cancelled;
    {
        PrintJob job(*ctx.doc, form, LocalNow());
        int first = 1, last = job.SheetCount();
        bool go = true;
        if (installed && form.DefPrint != 1) {
            QPrintDialog dialog(&printer, ctx.parent);
            dialog.setWindowTitle(PaperTitleOf(QStringLiteral("印刷"), printer));
            dialog.setMinMax(1, last);
            go = dialog.exec() == QDialog::Accepted;
            if (printer.printRange() == QPrinter::PageRange) {
                first = printer.fromPage();
                last = printer.toPage();
            }
        }
        if (go) outcome = RenderSheets(ctx.parent, printer, job, first, last, false);
    }
    if (ctx.relayoutViews) ctx.relayoutViews();
    if (outcome == PrintOutcome::Failed) {
        const QString where = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        ctx.boxes->Show(kMsgPrintFailed, where.toStdString(), MbIcon::Stop, MbButtons::Ok);
    }
    return outcome == PrintOutcome::Done;
}

void PreviewDocument(const PrintContext& ctx, const PrinterForm& form) {
    if (!ctx.doc) return;
    QPrinter printer(QPrinter::HighResolution);
    UseDefaultPrinter(printer);
    ApplyFormToPrinter(form, printer);
    bool print = false;
    {
        PrintJob job(*ctx.doc, form, LocalNow());
        HiddenWhile hidden(ctx.hiddenInPreview);
        PrintPreviewDialog preview(ctx.parent, job, printer);
        print = preview.exec() == PrintPreviewDialog::kPrintChosen;
    }
    if (ctx.relayoutViews) ctx.relayoutViews();
    if (print) PrintDocument(ctx, form);
}

void RunPrintCommand(int id, const PrintContext& ctx) {
    if (id == cmdid::kPreview) {
        PreviewDocument(ctx, DefaultForm());
        return;
    }
    PrintLayoutModel model(TheSettings());
    PrintLayoutDialog dialog(ctx.parent, model, ctx.doc != nullptr);
    dialog.exec();
    if (dialog.Chosen() == PrintLayoutDialog::Print) PrintDocument(ctx, model.Form());
    else if (dialog.Chosen() == PrintLayoutDialog::Preview) PreviewDocument(ctx, model.Form());
}

}  // namespace qz
