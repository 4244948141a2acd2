#include "qt/busy_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace qz {

namespace {

int pollDepth = 0;

// A retry interval, not a zero timer: a zero timer posted inside a poll may
// be taken by the next poll of the same run, again and again.
constexpr int kRetryMs = 50;

class BusyInputFilter : public QObject {
public:
    BusyInputFilter(bool* esc, bool* space) : esc_(esc), space_(space) {}
    bool eventFilter(QObject* target, QEvent* e) override {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* k = static_cast<QKeyEvent*>(e);
            const bool down = e->type() == QEvent::KeyPress;
            if (k->key() == Qt::Key_Escape) *esc_ = down;
            if (k->key() == Qt::Key_Space) *space_ = down;
            return true;
        }
        case QEvent::ShortcutOverride: case QEvent::Shortcut: case QEvent::InputMethod:
        case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: case QEvent::Wheel:
            return true;
        case QEvent::Close:
            // A window closed under the running command would take its text
            // with it: close it when the command is over.
            if (auto* w = qobject_cast<QWidget*>(target)) {
                e->ignore();
                RunWhenIdle(w, [p = QPointer<QWidget>(w)] {
                    if (p) p->close();
                });
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    bool* esc_;
    bool* space_;
};

}  // namespace

void PollBusyInput(bool* esc, bool* space) {
    BusyInputFilter filter(esc, space);
    qApp->installEventFilter(&filter);
    ++pollDepth;
    QApplication::processEvents();
    --pollDepth;
    qApp->removeEventFilter(&filter);
}

bool InBusyPoll() { return pollDepth > 0; }

void RunWhenIdle(QObject* context, std::function<void()> fn) {
    if (!InBusyPoll()) {
        fn();
        return;
    }
    QTimer::singleShot(kRetryMs, context, [context, fn = std::move(fn)]() mutable {
        RunWhenIdle(context, std::move(fn));
    });
}

}  // namespace qz
