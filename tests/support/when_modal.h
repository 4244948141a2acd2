// Qt tests: acting on a modal dialog while exec() blocks the test.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace qz::fakes {

// Runs fn on the next modal dialog once it is up (polling: exec() blocks).
inline void WhenModal(std::function<void(QWidget*)> fn, QWidget* notThis = nullptr) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, fn, notThis] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == notThis) return;
        timer->stop();
        timer->deleteLater();
        fn(w);
        // A failed check inside fn must not leave exec() waiting for ever.
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
            QTimer::singleShot(0, d, &QDialog::reject);
    });
    timer->start(20);
}

}  // namespace qz::fakes
