// The function list (dialog 107 "関数リスト"): the definitions of one kind in
// a three-column list with sortable headers, a search key, the kind's radio
// buttons, and OK, Cancel and "一覧挿入". It works on a FuncListModel.
#pragma once

#include <QDialog>

#include "lang/func_list_model.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

namespace qz {

class MessageBox;

class CFuncListDlg : public QDialog {
    Q_OBJECT
public:
    // exec() returns this when "一覧挿入" closed the dialog.
    static constexpr int kInsertList = 2;

    CFuncListDlg(QWidget* parent, FuncListModel& model, MessageBox& boxes);

    QTreeWidget* list() const { return list_; }
    QLineEdit* searchKey() const { return key_; }
    QRadioButton* kindButton(int kind) const { return kinds_[kind]; }
    QLabel* titleLabel() const { return title_; }
    QLabel* countLabel() const { return count_; }

public slots:
    void ok();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Fill();
    void ShowSelection();

    FuncListModel& model_;
    MessageBox& boxes_;
    QTreeWidget* list_;
    QLineEdit* key_;
    QRadioButton* kinds_[3];
    QLabel* title_;
    QLabel* count_;
    bool filling_ = false;
    bool widthsSet_ = false;
};

}  // namespace qz
