#include "qt/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>

#include "app/app_title.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace qz {

QzedMainWindow::QzedMainWindow(Profile& profile, QWidget* parent)
    : QMainWindow(parent), profile_(profile), mdi_(new QMdiArea(this)) {
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
}

void QzedMainWindow::closeEvent(QCloseEvent* e) {
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
