// The list of open files (dialog 108): the model's rows in six columns, the
// two mark switches, OK and Cancel. After exec() returns Accepted the caller
// applies the model and brings up the window it names.
#pragma once

#include <QDialog>

#include "frame/file_list.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace qz {

class CFileListDlg : public QDialog {
    Q_OBJECT
public:
    CFileListDlg(QWidget* parent, FileListModel& model);

    QTreeWidget* list() const { return list_; }
    QLabel* totalLabel() const { return total_; }
    // Where the dialog says that there are no windows or too many.
    QLabel* messageLabel() const { return message_; }

public slots:
    void toggleReadOnly();
    void toggleModified();
    void ok();

protected:
    void showEvent(QShowEvent* e) override;

private:
    int selectedRow() const;
    void refreshMarks();

    FileListModel& model_;
    QTreeWidget* list_;
    QLabel* total_;
    QLabel* message_;
    bool widthsSet_ = false;
};

}  // namespace qz
