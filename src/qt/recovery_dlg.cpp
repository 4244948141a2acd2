#include "qt/recovery_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz {

RecoveryDialog::RecoveryDialog(QWidget* parent, const RecoveryDialogData& data)
    : QDialog(parent), rows_(new QListWidget(this)), total_(new QLabel(this)), folder_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("復旧"));
    auto* box = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral(
        "前回の編集で、正しく閉じられなかったファイルがあります。\n"
        "定期バックアップにより、それらのある時点までの内容が一時ファイルに残っています。\n"
        "「復旧リスト作成」は、一時ファイルと元のファイルの対応表を作成します。手動で復旧する際に使用して下さい。\n"
        "「削除」は、一時ファイルを削除してエディタを起動します。\n"
        "「開く」は、一時ファイルの内容を元のファイル名の変更ありファイルとして開きます。"), this);
    text->setWordWrap(true);
    box->addWidget(text);
    rows_->setObjectName(QStringLiteral("rows"));
    for (const std::string& row : data.rows) rows_->addItem(QString::fromStdString(row));
    box->addWidget(rows_);
    total_->setObjectName(QStringLiteral("total"));
    total_->setText(QString::fromStdString(data.total));
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setText(QString::fromStdString(data.folder));
    box->addWidget(total_);
    box->addWidget(folder_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto add = [&](int id, const char* label) {
        auto* b = new QPushButton(QString::fromUtf8(label), this);
        b->setObjectName(QStringLiteral("button%1").arg(id));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, id] { done(id); });
        buttons->addWidget(b);
        return b;
    };
    add(kOpen, "開く");
    add(kMakeList, "復旧リスト作成");
    add(kDelete, "削除");
    // The mildest answer is the one Enter gives.
    add(kCancel, "ｷｬﾝｾﾙ")->setDefault(true);
    box->addLayout(buttons);
    resize(560, 360);
}

QPushButton* RecoveryDialog::Button(int id) const {
    return findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
}

RecoveryChoice RecoveryDialog::Choice() const {
    switch (result()) {
    case kDelete: return RecoveryChoice::Delete;
    case kMakeList: return RecoveryChoice::MakeList;
    case kOpen: return RecoveryChoice::Open;
    default: return RecoveryChoice::Cancel;
    }
}

RecoveryChoice QtRecoveryUi::Ask(const RecoveryDialogData& data) {
    RecoveryDialog d(parent_, data);
    d.exec();
    return d.Choice();
}

}  // namespace qz
