#include "qt/print_preview_dlg.h"

#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qz {

namespace {
constexpr qreal kZoomStep = 1.25;
}

PrintPreviewDialog::PrintPreviewDialog(QWidget* parent, PrintJob& job, QPrinter& printer, int sheetsAtATime)
    : QDialog(parent), job_(job), preview_(new QPrintPreviewWidget(&printer, this)),
      window_(std::max(1, sheetsAtATime)) {
    setWindowTitle(PaperTitleOf(QStringLiteral("印刷プレビュー"), printer));
    preview_->setObjectName("previewWidget");
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) {
        outcome_ = RenderSheets(this, *p, job_, first_, first_ + window_ - 1, true);
    });

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* print = button("印刷(&P)", "printButton");
    QPushButton* previous = button("前頁(&U)", "previousButton");
    QPushButton* next = button("次頁(&D)", "nextButton");
    QPushButton* first = button("先頭(&T)", "firstButton");
    QPushButton* last = button("最終(&B)", "lastButton");
    QPushButton* zoomOut = button("縮小(&X)", "zoomOutButton");
    QPushButton* zoomIn = button("拡大(&Z)", "zoomInButton");
    QPushButton* cancel = button("ｷｬﾝｾﾙ", "cancelButton");
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {print, previous, next, first, last, zoomOut, zoomIn, cancel}) row->addWidget(b);
    row->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(preview_, 1);

    connect(print, &QPushButton::clicked, this, [this] { done(kPrintChosen); });
    connect(previous, &QPushButton::clicked, this, [this] { GoToSheet(CurrentSheet() - 1); });
    connect(next, &QPushButton::clicked, this, [this] { GoToSheet(CurrentSheet() + 1); });
    connect(first, &QPushButton::clicked, this, [this] { GoToSheet(1); });
    connect(last, &QPushButton::clicked, this, [this] { GoToSheet(job_.SheetCount()); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { preview_->zoomOut(kZoomStep); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { preview_->zoomIn(kZoomStep); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(800, 900);
}

int PrintPreviewDialog::CurrentSheet() const { return first_ + std::max(1, preview_->currentPage()) - 1; }

void PrintPreviewDialog::GoToSheet(int sheet) {
    sheet = std::clamp(sheet, 1, job_.SheetCount());
    if (sheet < first_ || sheet >= first_ + window_) {
        // The stretch around the sheet, the sheet itself near its middle.
        first_ = std::clamp(sheet - window_ / 2, 1, std::max(1, job_.SheetCount() - window_ + 1));
        preview_->updatePreview();
    }
    preview_->setCurrentPage(sheet - first_ + 1);
}

}  // namespace qz
