// Runs the open and save-type dialogs and reads back what was chosen.
#include "qt/file_dialogs.h"

#include "app/file_dialog_model.h"
#include "platform/profile.h"
#include "qt/ext_file_dlg.h"
#include "qt/my_file_dlg.h"

namespace qz {

namespace {

constexpr const char* kCurrent = "Current";
constexpr const char* kFilterIndex = "FilterIndex";

// The names the dialog accepted, as it announced them when it accepted: read
// back later, the folder view may have applied a late selection meanwhile.
class AcceptedNames {
public:
    explicit AcceptedNames(QFileDialog& dialog) : dialog_(dialog) {
        QObject::connect(&dialog, &QFileDialog::filesSelected,
                         [this](const QStringList& files) { files_ = files; });
    }
    QStringList Files() const { return files_.isEmpty() ? dialog_.selectedFiles() : files_; }

private:
    QFileDialog& dialog_;
    QStringList files_;
};

std::optional<OpenDialogChoice> Finish(QFileDialog& dialog, const AcceptedNames& names,
                                       Profile& profile, int code, bool readOnly) {
    QStringList files = names.Files();
    if (files.isEmpty()) return std::nullopt;
    profile.WriteProfileInt(kCurrent, kFilterIndex, SelectedFilterIndex(dialog));
    return OpenDialogChoice{files, code, readOnly};
}

}  // namespace

std::optional<OpenDialogChoice> RunOpenFileDialog(QWidget* parent, Profile& profile,
                                                  MessageBox& box, int fileDlgType,
                                                  const QString& startDir,
                                                  const std::string& wildCard) {
    const int index = profile.GetProfileInt(kCurrent, kFilterIndex, 1);
    const auto filters = OpenFilterList(wildCard);
    if (OpenDialogKindFor(fileDlgType) == OpenDialogKind::ExtCode) {
        CExtFileDlg dialog(CExtFileDlg::Variant::Open, parent);
        SetUpOpenDialog(dialog, filters, index);
        if (!startDir.isEmpty()) dialog.setDirectory(startDir);
        AcceptedNames names(dialog);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return Finish(dialog, names, profile, OpenCodeFromChoice(dialog.codeIndex()), dialog.readOnly());
    }
    CMyFileDlg dialog(profile, box, OpenDialogExplorerStyle(fileDlgType), parent);
    SetUpOpenDialog(dialog, filters, index);
    if (!startDir.isEmpty()) dialog.setDirectory(startDir);
    AcceptedNames names(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return Finish(dialog, names, profile, OpenCodeFromChoice(dialog.codeIndex()), dialog.readOnly());
}

std::optional<SaveDialogChoice> RunSaveTypeDialog(QWidget* parent, const QString& startPath,
                                                  const QString& caption) {
    CExtFileDlg dialog(CExtFileDlg::Variant::Save, parent);
    if (!caption.isEmpty()) dialog.setWindowTitle(caption);
    dialog.startAt(startPath);
    AcceptedNames names(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = names.Files();
    if (files.isEmpty()) return std::nullopt;
    return SaveDialogChoice{files.first(), dialog.codeIndex()};
}

}  // namespace qz
