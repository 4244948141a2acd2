#include "qt/print_preview_dlg.h"

#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz {

namespace {
constexpr qreal kZoomStep = 1.25;
}

PrintPreviewDialog::PrintPreviewDialog(QWidget* parent, PrintJob& job, QPrinter& printer)
    : QDialog(parent), job_(job), preview_(new QPrintPreviewWidget(&printer, this)) {
    setWindowTitle(PaperTitleOf(QStringLiteral("印刷プレビュー"), printer));
    preview_->setObjectName("previewWidget");
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) {
        outcome_ = RenderSheets(this, *p, job_, 1, job_.SheetCount(), true);
    });

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* print = button("印刷(&P)", "printButton");
    // Paging past either end does nothing (the preview keeps its page).
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
    connect(previous, &QPushButton::clicked, this, [this] { preview_->setCurrentPage(preview_->currentPage() - 1); });
    connect(next, &QPushButton::clicked, this, [this] { preview_->setCurrentPage(preview_->currentPage() + 1); });
    connect(first, &QPushButton::clicked, this, [this] { preview_->setCurrentPage(1); });
    connect(last, &QPushButton::clicked, this, [this] { preview_->setCurrentPage(preview_->pageCount()); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { preview_->zoomOut(kZoomStep); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { preview_->zoomIn(kZoomStep); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(800, 900);
}

}  // namespace qz
