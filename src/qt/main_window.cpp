#include "qt/main_window.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "app/app_title.h"
#include "platform/paths.h"
#include "qt/document_window.h"
#include "qt/qt_message_box.h"
#include "settings/settings.h"
#include "view/view_host.h"

namespace qz {

QzedMainWindow::QzedMainWindow(Profile& profile, QWidget* parent, MessageBox* boxes)
    : QMainWindow(parent), profile_(profile), mdi_(new QMdiArea(this)) {
    if (!boxes) {
        ownBoxes_ = std::make_unique<QtMessageBox>(this);
        boxes = ownBoxes_.get();
    }
    boxes_ = boxes;
    const int asinMode = profile_.GetProfileInt("Environ", "AsinMode", 4);
    setWindowTitle(QString::fromStdString(FrameTitle(asinMode)));
    setCentralWidget(mdi_);

    QSize desktop(800, 600);
    if (QScreen* screen = QGuiApplication::primaryScreen()) desktop = screen->geometry().size();
    Settings& s = TheSettings();
    LoadAll(s, profile_, desktop.width(), desktop.height());
    const FrameRect& r = s.frameRect;
    move(r.left, r.top);
    resize(std::max(r.right - r.left, 100), std::max(r.bottom - r.top, 100));

    message_ = new QLabel(this);
    row_ = new QLabel(this);
    column_ = new QLabel(this);
    message_->setAutoFillBackground(true);
    statusBar()->addWidget(message_, 1);
    statusBar()->addPermanentWidget(row_);
    statusBar()->addPermanentWidget(column_);

    docs_ = std::make_unique<DocumentManager>(mdi_, *boxes_);
    docs_->onPanes = [this](const QString& rowText, const QString& columnText) {
        row_->setText(rowText);
        column_->setText(columnText);
    };
    docs_->onMessage = [this](const QString& text, int kind) {
        // Prompts black on green, errors red, information plain.
        QPalette pal = statusBar()->palette();
        if (!text.isEmpty() && kind == static_cast<int>(MessageKind::Prompt)) {
            pal.setColor(QPalette::Window, Qt::green);
            pal.setColor(QPalette::WindowText, Qt::black);
        } else if (!text.isEmpty() && kind == static_cast<int>(MessageKind::Error)) {
            pal.setColor(QPalette::WindowText, Qt::red);
        }
        message_->setPalette(pal);
        message_->setText(text);
    };
    BuildMenus();
}

QzedMainWindow::~QzedMainWindow() {
    // The children go before the manager their windows report to. Their save
    // questions were asked by the close, if any: none is asked again here.
    for (QMdiSubWindow* w : mdi_->subWindowList()) delete w;
}

void QzedMainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("新規作成(&N)"), this, &QzedMainWindow::FileNew);
    file->addAction(QStringLiteral("開く(&O).."), this, &QzedMainWindow::FileOpen);
    file->addAction(QStringLiteral("上書き保存(&S)"), this, &QzedMainWindow::FileSave);
    file->addAction(QStringLiteral("閉じる(&C)"), this, &QzedMainWindow::FileClose);
    file->addSeparator();
    file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);
}

void QzedMainWindow::FileNew() { docs_->NewDocument(CurrentDirectory()); }

void QzedMainWindow::FileOpen() {
    const QStringList names = QFileDialog::getOpenFileNames(this, QStringLiteral("開く"),
                                                            QString::fromStdString(CurrentDirectory()));
    for (const QString& n : names) docs_->Open(n.toStdString());
}

void QzedMainWindow::FileSave() { docs_->Save(docs_->Active()); }

void QzedMainWindow::FileClose() {
    if (QMdiSubWindow* w = mdi_->activeSubWindow()) w->close();
}

void QzedMainWindow::closeEvent(QCloseEvent* e) {
    // Every document answers its save question first; a cancel keeps the editor.
    for (CQzedChild* c : docs_->Children()) {
        if (!c->close()) {
            e->ignore();
            return;
        }
    }
    Settings& s = TheSettings();
    const bool minimized = isMinimized(), maximized = isMaximized();
    if (!minimized && !maximized) {
        const QRect g = frameGeometry();
        s.frameRect = {g.top(), g.top() + g.height(), g.left(), g.left() + g.width()};
    }
    SaveAll(s, profile_, minimized, maximized);
    SaveCurrentDirectory(profile_, CurrentDirectory());
    e->accept();
}

}  // namespace qz
