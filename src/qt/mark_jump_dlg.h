// The mark / jump dialog (109 "マーク／ジャンプモード"): the twelve numbered
// marks in a list, the buttons that mark, jump and clear, and the two
// restore switches. It works on a MarkDialogModel; after exec() the view
// finishes with the model and the result.
#pragma once

#include <QDialog>

#include "lang/mark_dialog.h"

class QCheckBox;
class QRadioButton;
class QTreeWidget;

namespace qz {

class CMarkJumpDlg : public QDialog {
    Q_OBJECT
public:
    CMarkJumpDlg(QWidget* parent, MarkDialogModel& model);

    QTreeWidget* list() const { return list_; }
    QCheckBox* reopenBox() const { return reopen_; }
    QRadioButton* restoreYes() const { return yes_; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Act(MarkDialogModel::Outcome outcome);
    void Refresh();

    MarkDialogModel& model_;
    QTreeWidget* list_;
    QCheckBox* reopen_;
    QRadioButton* yes_;
    QRadioButton* no_;
    bool widthsSet_ = false;
};

}  // namespace qz
