// The registration dialog of the path-history open dialog: edits the ten
// registered folders and may pick one to switch to.
#pragma once

#include <QDialog>

#include "app/path_history.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace qz {

class CPathSwitchDlg : public QDialog {
    Q_OBJECT
public:
    // currentFolder is what "現在パスを設定" takes.
    CPathSwitchDlg(const PathHistory& history, const QString& currentFolder,
                   QWidget* parent = nullptr);

    const PathHistory& history() const { return history_; }
    // The entry "切り換え" chose, or -1 when the dialog closed otherwise.
    int switchIndex() const { return switchIndex_; }
    int currentIndex() const;
    void setCurrentIndex(int index);

    QListWidget* list() const { return list_; }
    QCheckBox* readOnlyBox() const { return readOnly_; }

public slots:
    void setCurrentPath();
    void browse();
    void remove();
    void moveUp();
    void moveDown();
    void switchToCurrent();

private:
    void refresh();
    void showEntry();

    PathHistory history_;
    QString currentFolder_;
    int switchIndex_ = -1;
    QListWidget* list_;
    QCheckBox* readOnly_;
};

}  // namespace qz
