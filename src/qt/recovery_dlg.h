// Dialog 183 "復旧": the temporary copies a crash left, and what to do with
// them before the editor starts.
#pragma once

#include <QDialog>

#include "app/recovery.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qz {

class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    // The button ids: ｷｬﾝｾﾙ 2, 削除 6, 復旧リスト作成 7, and 開く.
    enum : int { kCancel = 2, kDelete = 6, kMakeList = 7, kOpen = 8 };

    RecoveryDialog(QWidget* parent, const RecoveryDialogData& data);
    // What the closing button chose; closing otherwise is Cancel.
    RecoveryChoice Choice() const;

    QListWidget* Rows() const { return rows_; }
    QLabel* Total() const { return total_; }
    QLabel* Folder() const { return folder_; }
    QPushButton* Button(int id) const;

private:
    QListWidget* rows_;
    QLabel* total_;
    QLabel* folder_;
};

// The check's question put as this dialog, owned by parent.
class QtRecoveryUi : public RecoveryUi {
public:
    explicit QtRecoveryUi(QWidget* parent) : parent_(parent) {}
    RecoveryChoice Ask(const RecoveryDialogData& data) override;

private:
    QWidget* parent_;
};

}  // namespace qz
