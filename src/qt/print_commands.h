// The print, preview and layout commands: the layout dialog, the preview,
// and printing to the printer or, where none is installed, to a PDF file.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "settings/settings.h"

class QWidget;

namespace qz {

class CQzedDoc;
class MessageBox;

struct PrintContext {
    QWidget* parent = nullptr;
    MessageBox* boxes = nullptr;
    CQzedDoc* doc = nullptr;  // the active document; null without one
    // Lays the document's views out again once its rows are its own again.
    std::function<void()> relayoutViews;
    // Hidden while the preview shows, then shown as they were.
    std::vector<QWidget*> hiddenInPreview;
    // Where no printer is installed: asks for the PDF file to print to
    // (empty: nothing prints). Null: a file dialog.
    std::function<QString(const QString& suggested)> askPdfFile;
};

// Messages (UTF-8).
extern const char kMsgNoPrinter[];         // "プリンタがインストールされていません"
extern const char kCaptionNoPrinter[];     // "デフォルトプリンタ情報の取得"
extern const char kMsgPrintFailed[];

// cmdid::kPrint, kPrintLayout or kPreview.
void RunPrintCommand(int id, const PrintContext& ctx);
// Prints the document with the form; false when nothing was printed.
bool PrintDocument(const PrintContext& ctx, const PrinterForm& form);
// Shows the preview; its print button prints with the same form.
void PreviewDocument(const PrintContext& ctx, const PrinterForm& form);

}  // namespace qz
