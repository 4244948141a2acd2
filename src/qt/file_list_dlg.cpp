// The open-files dialog: a report list over the model and its buttons.
#include "qt/file_list_dlg.h"
#include "qt/help_opener.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace qz {

namespace {

const char* const kTitles[FileListModel::kColumns] = {"番号", "編集", "変更", "ｻｲｽﾞ", "ﾌｧｲﾙ日付", "ﾌｧｲﾙ名"};
// Widths in percent of the list's width.
constexpr int kWidths[FileListModel::kColumns] = {7, 7, 7, 10, 20, 100};
constexpr Qt::Alignment kAlign[FileListModel::kColumns] = {
    Qt::AlignRight, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignLeft};

}  // namespace

CFileListDlg::CFileListDlg(QWidget* parent, FileListModel& model) : QDialog(parent), model_(model) {
    setWindowTitle(QString::fromUtf8(FileListModel::kCaption));

    list_ = new QTreeWidget(this);
    list_->setObjectName("fileList");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setColumnCount(FileListModel::kColumns);
    list_->header()->setStretchLastSection(false);
    // Wide enough that the date fits its fifth of the list.
    const int dateWidth = list_->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")) + 16;
    list_->setMinimumSize(std::max(600, dateWidth * 100 / kWidths[4]), 240);
    QTreeWidgetItem* head = list_->headerItem();
    for (int c = 0; c < FileListModel::kColumns; ++c) {
        head->setText(c, QString::fromUtf8(kTitles[c]));
        head->setTextAlignment(c, kAlign[c] | Qt::AlignVCenter);
    }
    for (int row = 0; row < model_.Count(); ++row) {
        auto* item = new QTreeWidgetItem(list_);
        for (int c = 0; c < FileListModel::kColumns; ++c) {
            item->setText(c, QString::fromStdString(model_.CellText(row, c)));
            item->setTextAlignment(c, kAlign[c] | Qt::AlignVCenter);
        }
    }

    total_ = new QLabel(QString::fromStdString(model_.TotalText()), this);
    total_->setObjectName("totalLabel");
    message_ = new QLabel(QString::fromStdString(model_.MessageText()), this);
    message_->setObjectName("messageLabel");

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        return b;
    };
    QPushButton* readOnly = button("編集禁止／解除(&V)", "readOnlyButton");
    QPushButton* modified = button("変更有り／無し(&U)", "modifiedButton");
    QPushButton* okButton = button("OK", "okButton");
    QPushButton* cancel = button("ｷｬﾝｾﾙ", "cancelButton");
    QPushButton* help = button("ﾍﾙﾌﾟ(&H)", "helpButton");
    ConnectHelpButton(help, kHelpFunctionsPage, "filelist");
    okButton->setDefault(true);
    connect(readOnly, &QPushButton::clicked, this, &CFileListDlg::toggleReadOnly);
    connect(modified, &QPushButton::clicked, this, &CFileListDlg::toggleModified);
    connect(okButton, &QPushButton::clicked, this, &CFileListDlg::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CFileListDlg::ok);

    auto* info = new QHBoxLayout;
    info->addWidget(total_);
    info->addSpacing(16);
    info->addWidget(message_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readOnly);
    buttons->addWidget(modified);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* all = new QVBoxLayout(this);
    all->addWidget(list_);
    all->addLayout(info);
    all->addLayout(buttons);

    if (QTreeWidgetItem* chosen = list_->topLevelItem(model_.Chosen())) {
        list_->setCurrentItem(chosen);
        list_->scrollToItem(chosen);
    }
    list_->setFocus();
}

void CFileListDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The widths follow the list's width as it first shows; the path column
    // alone is as wide as the list, so long paths scroll.
    if (widthsSet_) return;
    widthsSet_ = true;
    const int width = list_->viewport()->width();
    for (int c = 0; c < FileListModel::kColumns; ++c) list_->setColumnWidth(c, width * kWidths[c] / 100);
}

int CFileListDlg::selectedRow() const {
    const QList<QTreeWidgetItem*> items = list_->selectedItems();
    return items.isEmpty() ? -1 : list_->indexOfTopLevelItem(items.first());
}

void CFileListDlg::refreshMarks() {
    // Every row: the rows of one document switch together.
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        item->setText(1, QString::fromStdString(model_.CellText(row, 1)));
        item->setText(2, QString::fromStdString(model_.CellText(row, 2)));
    }
}

void CFileListDlg::toggleReadOnly() {
    const int row = selectedRow();
    if (row < 0) return;
    model_.ToggleReadOnly(row);
    refreshMarks();
}

void CFileListDlg::toggleModified() {
    const int row = selectedRow();
    if (row < 0) return;
    model_.ToggleModified(row);
    refreshMarks();
}

void CFileListDlg::ok() {
    model_.SetChosen(selectedRow());
    accept();
}

}  // namespace qz
