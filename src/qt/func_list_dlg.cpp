// The function list dialog: the model's rows, header clicks that sort, the
// search key that selects, the kinds, and the three ways out.
#include "qt/func_list_dlg.h"
#include "qt/help_opener.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "lang/function_nav.h"
#include "platform/message_box.h"

namespace qz {

namespace {
constexpr int kWidths[FuncListModel::kColumns] = {15, 35, 95};  // percent of the list's width
constexpr Qt::Alignment kAlign[FuncListModel::kColumns] = {Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft};
}  // namespace

CFuncListDlg::CFuncListDlg(QWidget* parent, FuncListModel& model, MessageBox& boxes)
    : QDialog(parent), model_(model), boxes_(boxes) {
    setWindowTitle(QStringLiteral("関数リスト"));
    title_ = new QLabel(this);
    title_->setObjectName("titleLabel");
    count_ = new QLabel(this);
    count_->setObjectName("countLabel");

    list_ = new QTreeWidget(this);
    list_->setObjectName("functionList");
    title_->setBuddy(list_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setColumnCount(FuncListModel::kColumns);
    list_->setMinimumSize(520, 300);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsClickable(true);
    connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        model_.SortBy(column);
        Fill();
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (filling_) return;
        const QList<QTreeWidgetItem*> items = list_->selectedItems();
        model_.Select(items.isEmpty() ? -1 : list_->indexOfTopLevelItem(items.first()));
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CFuncListDlg::ok);

    auto* keyLabel = new QLabel(QStringLiteral("検索キー(&F)："), this);
    key_ = new QLineEdit(this);
    key_->setObjectName("searchKey");
    keyLabel->setBuddy(key_);
    connect(key_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.Search(text.toStdString());
        ShowSelection();
    });

    const char* const kindTexts[3] = {"function(&M)", "#define(&D)", "class/struct/union(&T)"};
    auto* kindRow = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        kinds_[k] = new QRadioButton(QString::fromUtf8(kindTexts[k]), this);
        kinds_[k]->setObjectName(QStringLiteral("kind%1").arg(k));
        kinds_[k]->setChecked(k == model_.Kind());
        connect(kinds_[k], &QRadioButton::clicked, this, [this, k] {
            model_.ShowKind(k);
            Fill();
            list_->setFocus();
        });
        kindRow->addWidget(kinds_[k]);
    }
    kindRow->addStretch();

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        return b;
    };
    QPushButton* okButton = button("OK", "okButton");
    QPushButton* cancel = button("ｷｬﾝｾﾙ", "cancelButton");
    QPushButton* insert = button("一覧挿入(&I)", "insertButton");
    QPushButton* help = button("ﾍﾙﾌﾟ(&H)", "helpButton");
    ConnectHelpButton(help, kHelpFunctionsPage, "funclist");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CFuncListDlg::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(insert, &QPushButton::clicked, this, [this] { done(kInsertList); });

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(keyLabel);
    keyRow->addWidget(key_, 1);
    auto* labels = new QHBoxLayout;
    labels->addWidget(title_, 1);
    labels->addWidget(count_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* all = new QVBoxLayout(this);
    all->addLayout(labels);
    all->addWidget(list_);
    all->addLayout(keyRow);
    all->addLayout(kindRow);
    all->addLayout(buttons);
    Fill();
    list_->setFocus();
}

void CFuncListDlg::Fill() {
    filling_ = true;
    list_->clear();
    for (int c = 0; c < FuncListModel::kColumns; ++c) {
        list_->headerItem()->setText(c, QString::fromStdString(model_.ColumnTitle(c)));
        list_->headerItem()->setTextAlignment(c, kAlign[c] | Qt::AlignVCenter);
    }
    for (int row = 0; row < model_.RowCount(); ++row) {
        auto* item = new QTreeWidgetItem(list_);
        for (int c = 0; c < FuncListModel::kColumns; ++c) {
            item->setText(c, QString::fromStdString(model_.Cell(row, c)));
            item->setTextAlignment(c, kAlign[c] | Qt::AlignVCenter);
        }
    }
    title_->setText(QString::fromStdString(model_.Title()));
    count_->setText(QString::fromStdString(model_.CountText()));
    filling_ = false;
    ShowSelection();
}

void CFuncListDlg::ShowSelection() {
    filling_ = true;
    list_->clearSelection();
    if (QTreeWidgetItem* item = list_->topLevelItem(model_.Selected())) {
        list_->setCurrentItem(item);
        list_->scrollToItem(item);
    }
    filling_ = false;
}

void CFuncListDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (widthsSet_) return;
    widthsSet_ = true;
    const int width = list_->viewport()->width();
    for (int c = 0; c < FuncListModel::kColumns; ++c) list_->setColumnWidth(c, width * kWidths[c] / 100);
    // The list has its real height only now, less the scroll bar the widths
    // bring: the row goes to the middle, clear of both edges.
    if (QTreeWidgetItem* item = list_->topLevelItem(model_.Selected()))
        list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

void CFuncListDlg::ok() {
    if (model_.ChosenLine() > 0) return accept();
    boxes_.Show(kMsgChooseJumpTarget, "関数リスト", MbIcon::Stop, MbButtons::Ok);
}

}  // namespace qz
