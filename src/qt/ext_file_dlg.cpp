// The kanji-code file dialog on Qt's widget-based QFileDialog.
#include "qt/ext_file_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

namespace qz {

void SetUpOpenDialog(QFileDialog& dialog, const std::vector<FileFilter>& filters, int filterIndex) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    QStringList names;
    for (const std::string& f : QtNameFilters(filters)) names << QString::fromStdString(f);
    dialog.setNameFilters(names);
    int index = ClampFilterIndex(filterIndex, static_cast<int>(names.size()));
    dialog.selectNameFilter(names.value(index - 1));
}

int SelectedFilterIndex(const QFileDialog& dialog) {
    // With the details hidden, selectedNameFilter() gives the shortened text,
    // so the type combo's position is the one reliable answer.
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    const int i = types ? types->currentIndex() : -1;
    return i < 0 ? 1 : i + 1;
}

QGridLayout* FileDialogGrid(QFileDialog& dialog) {
    return qobject_cast<QGridLayout*>(dialog.layout());
}

QComboBox* AddCodeChoice(QFileDialog& dialog, bool open) {
    auto* code = new QComboBox(&dialog);
    code->setObjectName("codeCombo");
    for (const std::string& s : open ? OpenCodeChoices() : SaveCodeChoices())
        code->addItem(QString::fromStdString(s));
    auto* label = new QLabel(open ? "漢字コード(&J):" : "漢字コード/改行(&J):", &dialog);
    label->setBuddy(code);
    QGridLayout* grid = FileDialogGrid(dialog);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(code, row, 1);
    return code;
}

CExtFileDlg::CExtFileDlg(Variant variant, QWidget* parent) : QFileDialog(parent), variant_(variant) {
    const bool open = variant == Variant::Open;
    if (open) {
        setWindowTitle("ファイルを開く");
        SetUpOpenDialog(*this, OpenFilterList(""), 1);
    } else {
        setWindowTitle("名前を付けて保存");
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::HideNameFilterDetails);
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setDefaultSuffix("txt");
        setNameFilter(QString::fromStdString(QtNameFilter(SaveFilter())));
    }

    code_ = AddCodeChoice(*this, open);
    if (open) {
        readOnly_ = new QCheckBox("読み取り専用ﾌｧｲﾙとして開く(&R)", this);
        readOnly_->setObjectName("readOnlyBox");
        QGridLayout* grid = FileDialogGrid(*this);
        grid->addWidget(readOnly_, grid->rowCount(), 1);
    }
}

int CExtFileDlg::codeIndex() const { return code_->currentIndex(); }

void CExtFileDlg::setCodeIndex(int index) {
    code_->setCurrentIndex(index >= 0 && index < code_->count() ? index : 0);
}

bool CExtFileDlg::readOnly() const { return readOnly_ && readOnly_->isChecked(); }

void CExtFileDlg::setReadOnly(bool on) {
    if (readOnly_) readOnly_->setChecked(on);
}

void CExtFileDlg::startAt(const QString& path) {
    if (path.isEmpty()) return;
    QFileInfo info(path);
    if (info.isDir()) {
        setDirectory(info.absoluteFilePath());
        return;
    }
    setDirectory(info.absolutePath());
    selectFile(info.fileName());
}

}  // namespace qz
