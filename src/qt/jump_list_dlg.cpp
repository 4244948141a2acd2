// The jump list dialog: a list box of the candidates, their count and the
// limit note; OK takes the row last selected.
#include "qt/jump_list_dlg.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz {

CJumpListDlg::CJumpListDlg(QWidget* parent, const std::vector<DefinitionCandidate>& candidates)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("ジャンプリスト"));
    list_ = new QListWidget(this);
    list_->setObjectName("jumpList");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(420, 200);
    // Rows line up on the fixed-width line numbers.
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const DefinitionCandidate& c : candidates) list_->addItem(QString::fromStdString(JumpListRow(c)));
    const int n = static_cast<int>(candidates.size());
    count_ = new QLabel(QString::fromStdString(JumpListCountLabel(n)), this);
    count_->setObjectName("countLabel");
    note_ = new QLabel(QString::fromStdString(JumpListNote(n)), this);
    note_->setObjectName("noteLabel");

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName("cancelButton");
    connect(okButton, &QPushButton::clicked, this, &CJumpListDlg::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // The selection, not the focus frame that Qt puts on the first row.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> items = list_->selectedItems();
        if (!items.isEmpty()) remembered_ = list_->row(items.first());
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        remembered_ = list_->row(item);
        ok();
    });

    auto* info = new QHBoxLayout;
    info->addWidget(count_);
    info->addSpacing(16);
    info->addWidget(note_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(list_);
    all->addLayout(info);
    all->addLayout(buttons);
    // No row is chosen for the user: OK without one keeps the list open.
    list_->setFocus();
}

void CJumpListDlg::ok() {
    const int row = JumpListChoice(remembered_, list_->count());
    if (row < 0) return;
    chosen_ = row;
    accept();
}

}  // namespace qz
