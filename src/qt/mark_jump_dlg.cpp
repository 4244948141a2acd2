// The mark / jump dialog: rows from the model, buttons and letters acting on
// the selected row, the restore bits of "MarkRestore".
#include "qt/mark_jump_dlg.h"
#include "qt/help_opener.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qz {

namespace {
const char* const kTitles[3] = {"番号", "行番号", "ﾌｧｲﾙ名"};
constexpr int kWidths[3] = {7, 10, 100};  // percent of the list's width
constexpr Qt::Alignment kAlign[3] = {Qt::AlignRight, Qt::AlignRight, Qt::AlignLeft};
}  // namespace

CMarkJumpDlg::CMarkJumpDlg(QWidget* parent, MarkDialogModel& model) : QDialog(parent), model_(model) {
    setWindowTitle(QStringLiteral("マーク／ジャンプモード"));
    list_ = new QTreeWidget(this);
    list_->setObjectName("markList");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setColumnCount(3);
    list_->header()->setStretchLastSection(false);
    list_->setMinimumSize(560, 260);
    for (int c = 0; c < 3; ++c) {
        list_->headerItem()->setText(c, QString::fromUtf8(kTitles[c]));
        list_->headerItem()->setTextAlignment(c, kAlign[c] | Qt::AlignVCenter);
    }
    for (int row = 0; row < kNumberedMarks; ++row) {
        auto* item = new QTreeWidgetItem(list_);
        for (int c = 0; c < 3; ++c) item->setTextAlignment(c, kAlign[c] | Qt::AlignVCenter);
    }
    Refresh();
    list_->installEventFilter(this);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> items = list_->selectedItems();
        model_.selected = items.isEmpty() ? -1 : list_->indexOfTopLevelItem(items.first());
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { Act(model_.DoubleClick()); });

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* mark = button("MARK(&M)", "markButton");
    QPushButton* jump = button("JUMP(&J)", "jumpButton");
    QPushButton* automatic = button("自動決定(&E)", "autoButton");
    QPushButton* allClear = button("ALL-CLEAR(&A)", "allClearButton");
    QPushButton* clear = button("CLEAR(&C)", "clearButton");
    QPushButton* close = button("閉じる", "closeButton");
    QPushButton* help = button("ﾍﾙﾌﾟ(&H)", "helpButton");
    ConnectHelpButton(help, kHelpFunctionsPage, "marks");
    automatic->setDefault(true);
    connect(mark, &QPushButton::clicked, this, [this] { Act(model_.Mark()); });
    connect(jump, &QPushButton::clicked, this, [this] { Act(model_.Jump()); });
    connect(automatic, &QPushButton::clicked, this, [this] { Act(model_.Default()); });
    connect(clear, &QPushButton::clicked, this, [this] {
        model_.Clear();
        Refresh();
    });
    connect(allClear, &QPushButton::clicked, this, [this] {
        model_.ClearAll();
        Refresh();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    reopen_ = new QCheckBox(QStringLiteral("『前回編集したファイルを開く』の際にマーク情報も復元する。(&R)"), this);
    reopen_->setObjectName("reopenBox");
    reopen_->setChecked(model_.markRestore & 2);
    connect(reopen_, &QCheckBox::toggled, this,
            [this](bool on) { model_.markRestore = on ? model_.markRestore | 2 : model_.markRestore & ~2; });
    auto* restore = new QGroupBox(QStringLiteral("次回の起動時にマーク情報を復元"), this);
    yes_ = new QRadioButton(QStringLiteral("する(&Y)"), restore);
    yes_->setObjectName("restoreYes");
    no_ = new QRadioButton(QStringLiteral("しない(&N)"), restore);
    no_->setObjectName("restoreNo");
    (model_.markRestore & 1 ? yes_ : no_)->setChecked(true);
    connect(yes_, &QRadioButton::toggled, this,
            [this](bool on) { model_.markRestore = on ? model_.markRestore | 1 : model_.markRestore & ~1; });
    auto* restoreRow = new QHBoxLayout(restore);
    restoreRow->addWidget(yes_);
    restoreRow->addWidget(no_);
    restoreRow->addStretch();

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {mark, jump, automatic, allClear, clear, close, help}) side->addWidget(b);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(reopen_);
    all->addWidget(restore);

    if (QTreeWidgetItem* item = list_->topLevelItem(model_.selected)) list_->setCurrentItem(item);
    list_->setFocus();
}

void CMarkJumpDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (widthsSet_) return;
    widthsSet_ = true;
    const int width = list_->viewport()->width();
    for (int c = 0; c < 3; ++c) list_->setColumnWidth(c, width * kWidths[c] / 100);
    if (QTreeWidgetItem* item = list_->currentItem()) list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

void CMarkJumpDlg::Refresh() {
    for (int row = 0; row < kNumberedMarks; ++row) {
        const MarkDialogModel::Row r = model_.RowText(row);
        QTreeWidgetItem* item = list_->topLevelItem(row);
        item->setText(0, QString::fromStdString(r.number));
        item->setText(1, QString::fromStdString(r.line));
        item->setText(2, QString::fromStdString(r.fileName));
    }
}

void CMarkJumpDlg::Act(MarkDialogModel::Outcome outcome) {
    if (outcome == MarkDialogModel::kCloseOk) accept();
}

// The letters act on the list as the buttons do while it has the focus.
bool CMarkJumpDlg::eventFilter(QObject* watched, QEvent* e) {
    if (watched == list_ && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        const QString text = key->text();
        if (text.size() == 1 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const char c = text.at(0).toLatin1();
            if (std::string("AaCcJjMm").find(c) != std::string::npos) {
                Act(model_.Key(c));
                Refresh();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace qz
