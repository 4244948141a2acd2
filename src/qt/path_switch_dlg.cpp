// The registered-folders dialog: a list of ten and the buttons that edit it.
#include "qt/path_switch_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz {

CPathSwitchDlg::CPathSwitchDlg(const PathHistory& history, const QString& currentFolder,
                               QWidget* parent)
    : QDialog(parent), history_(history), currentFolder_(currentFolder) {
    setWindowTitle(kPathSwitchCaption);
    list_ = new QListWidget(this);
    list_->setObjectName("pathList");
    list_->setMinimumWidth(360);
    readOnly_ = new QCheckBox("読み取り専用ﾌｧｲﾙとして開く(&R)", this);
    readOnly_->setObjectName("readOnlyBox");

    auto button = [this](const char* text, const char* name, void (CPathSwitchDlg::*slot)()) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* side = new QVBoxLayout;
    side->addWidget(button("現在パスを設定(&N)", "setCurrentButton", &CPathSwitchDlg::setCurrentPath));
    side->addWidget(button("参照", "browseButton", &CPathSwitchDlg::browse));
    side->addWidget(button("削除(&K)", "deleteButton", &CPathSwitchDlg::remove));
    side->addWidget(button("上へ移動(&U)", "upButton", &CPathSwitchDlg::moveUp));
    side->addWidget(button("下へ移動(&D)", "downButton", &CPathSwitchDlg::moveDown));
    side->addStretch();
    QPushButton* sw = button("切り換え(&C)", "switchButton", &CPathSwitchDlg::switchToCurrent);
    side->addWidget(sw);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(list_);
    left->addWidget(readOnly_);
    top->addLayout(left, 1);
    top->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(box);

    connect(list_, &QListWidget::currentRowChanged, this, [this] { showEntry(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { switchToCurrent(); });
    connect(readOnly_, &QCheckBox::toggled, this,
            [this](bool on) { history_.SetReadOnly(currentIndex(), on); });
    refresh();
    setCurrentIndex(0);
}

int CPathSwitchDlg::currentIndex() const { return list_->currentRow(); }

void CPathSwitchDlg::setCurrentIndex(int index) { list_->setCurrentRow(index); }

void CPathSwitchDlg::refresh() {
    const int row = list_->currentRow();
    list_->clear();
    for (int i = 0; i < PathHistory::kCount; ++i)
        list_->addItem(QString::fromStdString(history_.ListText(i)));
    list_->setCurrentRow(row);
    showEntry();
}

void CPathSwitchDlg::showEntry() {
    const int i = currentIndex();
    QSignalBlocker block(readOnly_);
    readOnly_->setChecked(history_.Entry(i).readOnly);
    readOnly_->setEnabled(i >= 0);
}

void CPathSwitchDlg::setCurrentPath() {
    if (currentIndex() < 0 || currentFolder_.isEmpty()) return;
    history_.SetPath(currentIndex(), currentFolder_.toStdString());
    refresh();
}

void CPathSwitchDlg::browse() {
    if (currentIndex() < 0) return;
    const std::string& now = history_.Entry(currentIndex()).path;
    QString dir = QFileDialog::getExistingDirectory(
        this, "フォルダを選択してください", now.empty() ? currentFolder_ : QString::fromStdString(now));
    if (dir.isEmpty()) return;
    history_.SetPath(currentIndex(), dir.toStdString());
    refresh();
}

void CPathSwitchDlg::remove() {
    history_.Delete(currentIndex());
    refresh();
}

void CPathSwitchDlg::moveUp() {
    const int to = history_.MoveUp(currentIndex());
    refresh();
    setCurrentIndex(to);
}

void CPathSwitchDlg::moveDown() {
    const int to = history_.MoveDown(currentIndex());
    refresh();
    setCurrentIndex(to);
}

void CPathSwitchDlg::switchToCurrent() {
    if (currentIndex() < 0) return;
    switchIndex_ = currentIndex();
    accept();
}

}  // namespace qz
