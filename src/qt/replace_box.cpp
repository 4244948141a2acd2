// The replace box's buttons and placement.
#include "qt/replace_box.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace qz {

ReplaceBox::ReplaceBox(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("置き換え"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    const char* const labels[] = {"置換＆次(&R)", "スキップ(&S)", "以降全て(&A)",
                                  "上候補(&P)", "下候補(&N)", "ｷｬﾝｾﾙ"};
    for (int i = 0; i <= kCancel; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(labels[i]), this);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (onButton) onButton(static_cast<Button>(i));
        });
        row->addWidget(b);
    }
}

void ReplaceBox::ShowAt(const QPoint& global) {
    adjustSize();
    QPoint p = global;
    if (QScreen* s = QGuiApplication::screenAt(global)) {
        const QRect room = s->availableGeometry();
        p.setX(std::clamp(p.x(), room.left(), std::max(room.left(), room.right() - width())));
        p.setY(std::clamp(p.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    }
    move(p);
    show();
}

void ReplaceBox::reject() {
    if (onButton) onButton(kCancel);
}

}  // namespace qz
