// Qt tests: acting on a modal dialog while exec() blocks the test.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace qz::fakes {

namespace detail {
inline int& PendingHandlers() {
    static int n = 0;
    return n;
}
}  // namespace detail

// Modal boxes that no handler answered and that the guard had to close.
inline int& UnansweredModals() {
    static int n = 0;
    return n;
}

// While the handled dialog is up, closes any further modal box that no
// WhenModal handler is waiting for (a question the test did not expect), so
// that a test fails on its checks instead of hanging in a nested exec().
inline void GuardNestedModals(QWidget* handled, QWidget* notThis) {
    auto* guard = new QTimer;
    QPointer<QWidget> outer(handled);
    auto seen = std::make_shared<int>(0);
    QObject::connect(guard, &QTimer::timeout, [guard, outer, notThis, seen] {
        if (!outer || !outer->isVisible()) {
            guard->stop();
            guard->deleteLater();
            return;
        }
        QWidget* m = QApplication::activeModalWidget();
        if (!m || m == outer || m == notThis || detail::PendingHandlers() > 0) {
            *seen = 0;
            return;
        }
        if (++*seen < 3) return;  // give a late handler a chance first
        *seen = 0;
        ++UnansweredModals();
        QString what = m->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(m)) what += ": " + box->text();
        qWarning("closing an unanswered modal box (%s)", qPrintable(what));
        if (auto* d = qobject_cast<QDialog*>(m)) d->done(QDialog::Rejected);
        else m->close();
    });
    guard->start(100);
}

// Runs fn on the next modal dialog once it is up (polling: exec() blocks).
inline void WhenModal(std::function<void(QWidget*)> fn, QWidget* notThis = nullptr) {
    auto* timer = new QTimer;
    ++detail::PendingHandlers();
    QObject::connect(timer, &QTimer::timeout, [timer, fn, notThis] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == notThis) return;
        timer->stop();
        timer->deleteLater();
        --detail::PendingHandlers();
        GuardNestedModals(w, notThis);
        QPointer<QWidget> alive(w);
        fn(w);
        // A failed check inside fn must not leave exec() waiting for ever.
        if (auto* d = qobject_cast<QDialog*>(alive.data()); d && d->isVisible())
            QTimer::singleShot(0, d, &QDialog::reject);
    });
    timer->start(20);
}

// Types a name into a file dialog as a user would after the folder has shown:
// a selection the folder model applies late (the start file) must not win
// over the typed name.
inline void TypeFileName(QFileDialog& dialog, const QString& text) {
    for (auto* view : dialog.findChildren<QAbstractItemView*>())
        if (view->selectionModel()) view->clearSelection();
    if (auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit")) edit->setText(text);
}

}  // namespace qz::fakes
