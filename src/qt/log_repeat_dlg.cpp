#include "qt/log_repeat_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "view/key_log.h"

namespace qz {

LogRepeatDialog::LogRepeatDialog(QWidget* parent, bool highSpeed)
    : QDialog(parent), count_(new QSpinBox(this)), highSpeed_(new QCheckBox(this)) {
    setWindowTitle(QStringLiteral("ログの繰り返し実行"));
    auto* grid = new QGridLayout(this);
    auto* prompt = new QLabel(QStringLiteral("ログの繰り返し実行回数を入力して下さい(&I)"), this);
    prompt->setBuddy(count_);
    grid->addWidget(prompt, 0, 0, 1, 2);
    count_->setObjectName(QStringLiteral("countBox"));
    count_->setRange(1, static_cast<int>(kKeyLogMaxRepeat));
    count_->setValue(1);
    grid->addWidget(count_, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("(1-99999)"), this), 1, 1);
    highSpeed_->setObjectName(QStringLiteral("highSpeedBox"));
    highSpeed_->setText(QStringLiteral("画面を更新しないことで処理時間を短縮します(&H)"));
    highSpeed_->setChecked(highSpeed);
    grid->addWidget(highSpeed_, 2, 0, 1, 2);
    auto* run = new QPushButton(QStringLiteral("実行"), this);
    run->setObjectName(QStringLiteral("runButton"));
    run->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    connect(run, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    count_->selectAll();
}

long LogRepeatDialog::Count() const { return count_->value(); }
bool LogRepeatDialog::HighSpeed() const { return highSpeed_->isChecked(); }

}  // namespace qz
