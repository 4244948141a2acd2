// The dialog of "ログの繰り返し実行": how many passes, and whether the screen
// stays still while they run.
#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace qz {

class LogRepeatDialog : public QDialog {
    Q_OBJECT
public:
    LogRepeatDialog(QWidget* parent, bool highSpeed);
    long Count() const;
    bool HighSpeed() const;
    QSpinBox* CountBox() const { return count_; }
    QCheckBox* HighSpeedBox() const { return highSpeed_; }

private:
    QSpinBox* count_;
    QCheckBox* highSpeed_;
};

}  // namespace qz
