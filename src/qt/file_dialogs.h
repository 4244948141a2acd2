// What the frame calls to ask for files to open or a name to save under: the
// dialogs only return the choices; opening and saving stay with the caller.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QWidget;

namespace qz {

class MessageBox;
class Profile;

struct OpenDialogChoice {
    QStringList paths;     // absolute, in the order selected; at least one
    int code = 0;          // explicit kanji code for the open, 0 = detect
    bool readOnly = false; // open the documents as read-only views
};

// Shows the open dialog "FileDlgType" asks for, starting in startDir with the
// user pattern wildCard first in the filter list. The filter index is read
// from and, after OK, written to "Current"/"FilterIndex". Empty on cancel.
std::optional<OpenDialogChoice> RunOpenFileDialog(QWidget* parent, Profile& profile,
                                                  MessageBox& box, int fileDlgType,
                                                  const QString& startDir,
                                                  const std::string& wildCard);

struct SaveDialogChoice {
    QString path;
    int codeIndex = 0;  // 0..8 into the save list, for ApplySaveCodeChoice
};

// The save-type code dialog, starting at the document's path; an empty
// caption keeps the dialog's own.
std::optional<SaveDialogChoice> RunSaveTypeDialog(QWidget* parent, const QString& startPath,
                                                  const QString& caption = QString());

}  // namespace qz
