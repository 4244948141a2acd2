// The path-history open dialog on Qt's widget-based QFileDialog.
#include "qt/my_file_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt/ext_file_dlg.h"
#include "qt/path_switch_dlg.h"

namespace qz {

namespace {
constexpr int kButtonTextWidth = 260;
}

CMyFileDlg::CMyFileDlg(Profile& profile, MessageBox& box, bool explorerStyle, QWidget* parent)
    : QFileDialog(parent), profile_(profile), box_(box), explorer_(explorerStyle),
      title_("ファイルを開く") {
    setWindowTitle(title_);
    SetUpOpenDialog(*this, OpenFilterList(""), 1);
    history_.Load(profile_);

    readOnly_ = new QCheckBox("読み取り専用ﾌｧｲﾙとして開く(&R)", this);
    readOnly_->setObjectName("readOnlyBox");

    // Five rows of two: long folder names get room without widening the
    // dialog past a usual screen.
    auto* group = new QGroupBox(this);
    group->setObjectName("pathButtons");
    auto* paths = new QGridLayout(group);
    for (int i = 0; i < PathHistory::kCount; ++i) {
        auto* number = new QLabel(QString::fromStdString(PathHistory::Number(i)), group);
        auto* b = new QPushButton(group);
        b->setObjectName(QString("pathButton%1").arg(i + 1));
        b->setAutoDefault(false);
        b->setMinimumWidth(kButtonTextWidth / 2);
        connect(b, &QPushButton::clicked, this, [this, i] { switchTo(i); });
        buttons_[i] = b;
        const int row = i % 5, col = (i / 5) * 2;
        paths->addWidget(number, row, col);
        paths->addWidget(b, row, col + 1);
    }
    paths->setColumnStretch(1, 1);
    paths->setColumnStretch(3, 1);
    auto* edit = new QPushButton("パス登録(&T)...", group);
    edit->setObjectName("registerButton");
    edit->setAutoDefault(false);
    connect(edit, &QPushButton::clicked, this, &CMyFileDlg::openRegistration);
    paths->addWidget(edit, 5, 3, Qt::AlignRight);

    code_ = AddCodeChoice(*this, true);
    QGridLayout* grid = FileDialogGrid(*this);
    const int row = grid->rowCount();
    grid->addWidget(readOnly_, row, 1);
    grid->addWidget(group, row + 1, 0, 1, grid->columnCount());
    refreshButtons();

    connect(this, &QFileDialog::directoryEntered, this, &CMyFileDlg::updateCaption);
    updateCaption(directory().absolutePath());
}

bool CMyFileDlg::readOnly() const { return readOnly_->isChecked(); }

void CMyFileDlg::setReadOnly(bool on) { readOnly_->setChecked(on); }

int CMyFileDlg::codeIndex() const { return code_->currentIndex(); }

void CMyFileDlg::refreshButtons() {
    for (int i = 0; i < PathHistory::kCount; ++i) {
        QPushButton* b = buttons_[i];
        const QString label = QString::fromStdString(history_.ButtonLabel(i));
        b->setText(b->fontMetrics().elidedText(label, Qt::ElideMiddle, kButtonTextWidth));
        b->setToolTip(history_.IsEmpty(i) ? QString() : label);
        b->setEnabled(!history_.IsEmpty(i));
    }
}

void CMyFileDlg::updateCaption(const QString& folder) {
    if (!explorer_) return;
    setWindowTitle(QString::fromStdString(ExplorerCaption(title_.toStdString(), folder.toStdString())));
}

SwitchResult CMyFileDlg::switchTo(int index) {
    auto isDir = [](const std::string& p) { return QFileInfo(QString::fromStdString(p)).isDir(); };
    SwitchOutcome out = SwitchToEntry(history_, index, isDir, box_);
    if (out.result != SwitchResult::Switched) return out.result;
    // Going to another folder must not lose the name the user has typed.
    auto* name = findChild<QLineEdit*>("fileNameEdit");
    const QString typed = name ? name->text() : QString();
    const QString folder = QString::fromStdString(out.folder);
    setDirectory(folder);
    if (name) {
        name->setText(typed);
        name->selectAll();
    }
    setReadOnly(out.readOnly);
    updateCaption(directory().absolutePath());
    return out.result;
}

void CMyFileDlg::openRegistration() {
    CPathSwitchDlg dlg(history_, directory().absolutePath(), this);
    if (dlg.exec() != QDialog::Accepted) return;
    history_ = dlg.history();
    refreshButtons();
    if (dlg.switchIndex() >= 0) switchTo(dlg.switchIndex());
}

void CMyFileDlg::showEvent(QShowEvent* e) {
    updateCaption(directory().absolutePath());
    QFileDialog::showEvent(e);
}

void CMyFileDlg::done(int result) {
    history_.Save(profile_);
    QFileDialog::done(result);
}

}  // namespace qz
