// The print layout dialog: the named forms with their lines, columns, split,
// line numbers, frame, header, footer, margins, fonts and paper, and the way
// on to printing or the preview.
#pragma once

#include <QDialog>
#include <memory>

#include "print/print_layout.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace qz {

class PrintLayoutDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { Closed, Print, Preview };

    // canPrint: a document is there to print or preview.
    PrintLayoutDialog(QWidget* parent, PrintLayoutModel& model, bool canPrint);
    ~PrintLayoutDialog() override;

    Choice Chosen() const { return chosen_; }

private:
    QLineEdit* NumberEdit(const char* name, int max);
    void SelectForm(int index);
    void Load();
    void Store();
    void Recompute();
    void EditTitle();
    void ChooseFont(bool header);
    void PrinterSetup();
    void ShowCodes(QLineEdit* edit, QPushButton* button);
    void Finish(Choice c);

    PrintLayoutModel& model_;
    // The form's paper set on the printer: the title and the automatic layout.
    std::unique_ptr<QPrinter> printer_;
    Choice chosen_ = Closed;
    bool loading_ = false;
    QComboBox* forms_;
    QLineEdit *lines_, *columns_, *header_, *footer_;
    QLineEdit *left_, *top_, *right_, *bottom_;
    QCheckBox* auto_;
    QRadioButton* split_[3];
    QRadioButton *numberOff_, *numberOn_, *frameOff_, *frameOn_;
    QLabel* message_;
};

}  // namespace qz
