// The function guidance's dialogs: the chooser of the help entries (112)
// and the guidance window over a dictionary file (151), and the port's
// GuidanceHost that runs them.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "frame/guidance_command.h"
#include "lang/guidance_window.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace qz {

class MessageBox;

class CGuidanceChooserDlg : public QDialog {
    Q_OBJECT
public:
    CGuidanceChooserDlg(QWidget* parent, const std::vector<std::string>& titles, int selected,
                        const std::string& keywordSjis);
    int Chosen() const;
    std::string KeywordSjis() const;

private:
    QListWidget* list_;
    QLineEdit* keyword_;
};

class CGuidanceDlg : public QDialog {
    Q_OBJECT
public:
    // model: opened already. The window takes its place and the incremental
    // switch from profile, and writes them back when it closes.
    CGuidanceDlg(QWidget* parent, const std::string& titleUtf8, GuidanceWindow& model, Profile& profile);
    // The first search, run when the window shows; true when found.
    bool FirstSearch();
    void done(int result) override;

    QLineEdit* Word() const { return word_; }
    QLineEdit* Headword() const { return headword_; }
    QPlainTextEdit* Body() const { return body_; }

private:
    void ShowEntry();
    void SearchClicked();
    void Copy();

    GuidanceWindow& model_;
    Profile& profile_;
    QLineEdit* word_;
    QLineEdit* headword_;
    QPlainTextEdit* body_;
    QCheckBox* incremental_;
};

class QtGuidanceHost : public GuidanceHost {
public:
    QtGuidanceHost(QWidget* parent, Profile& profile, MessageBox& boxes)
        : parent_(parent), profile_(profile), boxes_(boxes) {}
    Profile& GuidanceProfile() override { return profile_; }
    int ChooseHelpEntry(const std::vector<std::string>& titles, int selected, std::string& keywordSjis) override;
    void RunGuidanceWindow(const std::string& titleUtf8, const std::string& keywordSjis,
                           const std::string& pathUtf8) override;
    void OpenHelpFile(const std::string& pathUtf8) override;

private:
    QWidget* parent_;
    Profile& profile_;
    MessageBox& boxes_;
};

}  // namespace qz
