// The file dialog with a kanji-code choice: the open variant (code, read-only
// box, several existing files) and the save variant (code and line end).
#pragma once

#include <QFileDialog>
#include <vector>

#include "app/file_dialog_model.h"

class QCheckBox;
class QComboBox;
class QGridLayout;

namespace qz {

// Settings shared by the open dialogs: Qt's own widget dialog (so that ours
// can be added), the filter list with its details hidden, a 1-based index.
void SetUpOpenDialog(QFileDialog& dialog, const std::vector<FileFilter>& filters, int filterIndex);
// The 1-based index of the filter the dialog has selected.
int SelectedFilterIndex(const QFileDialog& dialog);
// The dialog's grid, where the added rows go below the file-type row.
QGridLayout* FileDialogGrid(QFileDialog& dialog);
// Adds the kanji-code row (the open or the save list) below the others.
QComboBox* AddCodeChoice(QFileDialog& dialog, bool open);

class CExtFileDlg : public QFileDialog {
    Q_OBJECT
public:
    enum class Variant { Open, Save };

    explicit CExtFileDlg(Variant variant, QWidget* parent = nullptr);

    Variant variant() const { return variant_; }
    // The chosen list index: 0..3 when opening, 0..6 when saving.
    int codeIndex() const;
    void setCodeIndex(int index);
    // Whether the read-only box is ticked (always false when saving).
    bool readOnly() const;
    void setReadOnly(bool on);
    // Save variant: start at this path (its folder, its name in the field).
    void startAt(const QString& path);

    QComboBox* codeCombo() const { return code_; }
    QCheckBox* readOnlyBox() const { return readOnly_; }

private:
    Variant variant_;
    QComboBox* code_;
    QCheckBox* readOnly_ = nullptr;
};

}  // namespace qz
