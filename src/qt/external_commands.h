// The external programs' commands in the Qt port: grep, tag generation, user
// tools, browsers, the calculator, the command interpreter, the associated
// program, and the OS command windows with their worker.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "external/shell_worker.h"

class QKeyEvent;

namespace qz {

class CQzedChild;
class CQzedDoc;
class DocumentManager;
class MessageBox;
class Profile;
class QzedMainWindow;
class QzedViewWidget;

// Texts of the OS window that are the port's own.
inline constexpr const char* kShellRunningPrompt = "コマンド実行中  <ESC>:中止";
inline constexpr const char* kShellStillRunning = "ＯＳ窓のコマンドが実行中です  <ESC>:中止";
inline constexpr const char* kShellStopped = "コマンドを中止しました";

class ExternalCommands : public QObject {
    Q_OBJECT
public:
    ExternalCommands(QzedMainWindow& window, DocumentManager& docs, MessageBox& boxes, Profile& profile);
    ~ExternalCommands() override;

    // Runs command id when it is one of the external programs'; false for
    // any other id.
    bool Run(int id);
    // A key in a view: in an OS window Enter runs the caret line; while the
    // window's command runs, typing is ignored and Esc stops the command.
    // True when the key was taken.
    bool ViewKey(QzedViewWidget* v, QKeyEvent* e);
    // Enter in an OS window (also the line-feed key of scheme 3); false when
    // the view's document is no OS window.
    bool OsWindowEnter(QzedViewWidget* v);
    // Whether a command of this document's window runs.
    bool Running(const CQzedDoc& doc) const;
    // The end of the run: a running command is ended and its output lands
    // in its window before the windows close.
    void EndOfRun();
    // Opens an OS window (32832) in dir; null when it could not be opened.
    CQzedChild* OpenOsWindow(const std::string& dir);
    ShellWorker& Worker() { return *worker_; }

private:
    Q_INVOKABLE void ShellDone();
    bool Execute(QzedViewWidget* v, ShellErrors errors, const std::string& commandUtf8);
    CQzedChild* OsWindowFor(const std::string& dir);
    void SetWorkDirectory(CQzedDoc& doc, const std::string& dir);
    void Grep();
    void Qztags();
    void UserTool();
    void Browser(int which);
    void CommandInterpreter();
    void OpenAssociated();
    void Calculator();
    void SaveBeforeRun(int update);
    void GuideError(QzedViewWidget* v, const std::string& text);

    QzedMainWindow& window_;
    DocumentManager& docs_;
    MessageBox& boxes_;
    Profile& profile_;
    std::unique_ptr<ShellWorker> worker_;
    QPointer<QzedViewWidget> busyView_;  // the view the running command reports to
    const CQzedDoc* busyDoc_ = nullptr;
};

}  // namespace qz
