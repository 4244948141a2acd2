// Start-up on Qt: the single-instance lock and server, the frame, the command
// line opening documents, and the hand-over from later starts.
#pragma once

#include <QObject>
#include <memory>

#include "app/startup.h"
#include "qt/single_instance.h"

namespace qz {

class QzedMainWindow;

// No signals or slots of its own: the hand-over is connected to a lambda.
class QtStartupHost : public QObject, public StartupHost {
public:
    // instanceName: SingleInstance's name (tests give their own); boxes: the
    // frame's message boxes (null: real ones).
    QtStartupHost(Profile& profile, AppGlobals& globals,
                  QString instanceName = SingleInstance::DefaultName(), MessageBox* boxes = nullptr);
    ~QtStartupHost() override;

    QzedMainWindow* Frame() const { return frame_.get(); }

    bool AcquireStartLock() override;
    void ReleaseStartLock() override;
    HandOver HandOverToRunningInstance(const std::string& dir,
                                       const std::vector<std::string>& args) override;
    bool BecomeRunningInstance() override;
    bool CreateFrame() override;
    void ShowFrame(FrameShow how) override;
    bool StartWorker() override;
    int RecoveryCheck(std::string& reopenPath) override;
    void AddTrayIcon() override;

    bool OpenFromCommandLine(const std::string& fullPath, bool viewMode, uint32_t line) override;
    void ReopenPreviousRun() override;
    MessageBox& Messages() override;

    // A later start's directory and words: opened as its command line, then
    // the frame comes to the front.
    void ReceiveHandOver(const QString& dir, const QStringList& args);

private:

    Profile& profile_;
    AppGlobals& globals_;
    SingleInstance instance_;
    MessageBox* boxes_;
    std::unique_ptr<QzedMainWindow> frame_;
};

}  // namespace qz
