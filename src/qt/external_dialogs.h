// The dialogs of the external programs: grep (159), tag generation (178)
// with their folder pickers, and the choice of a user tool (165).
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "settings/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace qz {

class MessageBox;

// The current directory shown (label 313), its folders (list 146; Enter or a
// double click goes into one) and the drive box of places (combo 312). It
// changes the process's current directory, as the commands run there.
class FolderPicker : public QWidget {
    Q_OBJECT
public:
    FolderPicker(MessageBox& boxes, QWidget* parent);
    void Refresh();
    QListWidget* Folders() const { return folders_; }
    QComboBox* Places() const { return places_; }
    QLabel* Directory() const { return dir_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Enter(const QString& name);
    void ChoosePlace(int index);

    MessageBox& boxes_;
    QLabel* dir_;
    QListWidget* folders_;
    QComboBox* places_;
};

// Dialog 159. OK leaves the histories and settings to the caller.
class GrepDialog : public QDialog {
    Q_OBJECT
public:
    // proposal: the selection's text, shown instead of the newest pattern.
    GrepDialog(QWidget* parent, MessageBox& boxes, const Settings& s, const std::string& proposal);
    std::string Pattern() const;
    std::string Files() const;
    unsigned Mode() const;
    std::string Option() const;
    void accept() override;

private:
    MessageBox& boxes_;
    QComboBox* pattern_;
    QComboBox* files_;
    std::array<QCheckBox*, 7> bits_{};
    QLineEdit* option_;
};

// Dialog 178.
class QztagsDialog : public QDialog {
    Q_OBJECT
public:
    QztagsDialog(QWidget* parent, MessageBox& boxes, const Settings& s);
    std::string Targets() const;
    unsigned Mode() const;
    void accept() override;

private:
    MessageBox& boxes_;
    QComboBox* targets_;
    QCheckBox* recurse_;
    QCheckBox* fullPath_;
};

// Dialog 165: the tools' titles, the first selected. Chosen() is the index.
class UserToolDialog : public QDialog {
    Q_OBJECT
public:
    UserToolDialog(QWidget* parent, const std::vector<UserTool>& tools);
    int Chosen() const;

private:
    QListWidget* list_;
};

}  // namespace qz
