// The path-history open dialog: ten buttons for the registered folders, the
// kanji-code list, the read-only box, and a button to edit the registrations.
#pragma once

#include <QFileDialog>
#include <array>

#include "app/path_history.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace qz {

class MessageBox;
class Profile;

class CMyFileDlg : public QFileDialog {
    Q_OBJECT
public:
    // The registered folders are read from profile now and written back when
    // the dialog closes; box reports a folder that cannot be switched to.
    CMyFileDlg(Profile& profile, MessageBox& box, bool explorerStyle, QWidget* parent = nullptr);

    const PathHistory& history() const { return history_; }
    bool readOnly() const;
    void setReadOnly(bool on);
    // The chosen index of the open code list (0..4), as the code dialog has it:
    // whatever the dialog type, a file can be opened with a chosen code.
    int codeIndex() const;
    QComboBox* codeCombo() const { return code_; }
    // Index 0..9, as the path buttons and the registration list number them.
    SwitchResult switchTo(int index);
    // Opens the registration dialog; its changes and switch apply on OK.
    void openRegistration();
    // Where the dialog's caption is built from ("ファイルを開く").
    QString baseTitle() const { return title_; }

    QPushButton* pathButton(int index) const { return buttons_.at(index); }
    QCheckBox* readOnlyBox() const { return readOnly_; }

    void done(int result) override;

protected:
    // A folder set before the dialog shows is not announced as entered.
    void showEvent(QShowEvent* e) override;

private:
    void refreshButtons();
    void updateCaption(const QString& folder);

    Profile& profile_;
    MessageBox& box_;
    bool explorer_;
    QString title_;
    PathHistory history_;
    std::array<QPushButton*, PathHistory::kCount> buttons_{};
    QCheckBox* readOnly_;
    QComboBox* code_;
};

}  // namespace qz
