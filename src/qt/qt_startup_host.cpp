// The Qt side of start-up and of a later start's hand-over.
// Before any Qt header: the template table has a member named like Qt's
// "slots" keyword macro.
#include "lang/language_data.h"

#include "qt/qt_startup_host.h"

#include <QTimer>
#include <cstdio>

#include "qt/busy_input.h"
#include "qt/document_window.h"
#include "qt/external_commands.h"
#include "qt/main_window.h"
#include "qt/recovery_dlg.h"
#include "qt/view_widget.h"
#include "settings/settings.h"

namespace qz {

QtStartupHost::QtStartupHost(Profile& profile, AppGlobals& globals, QString instanceName,
                             MessageBox* boxes)
    : profile_(profile), globals_(globals), instance_(std::move(instanceName)), boxes_(boxes) {
    connect(&instance_, &SingleInstance::handOverReceived, this,
            [this](const QString& dir, const QStringList& args) {
                // Files handed over during a long command open after it.
                RunWhenIdle(this, [this, dir, args] { ReceiveHandOver(dir, args); });
            });
}

QtStartupHost::~QtStartupHost() = default;

bool QtStartupHost::AcquireStartLock() { return instance_.AcquireStartLock(); }
void QtStartupHost::ReleaseStartLock() { instance_.ReleaseStartLock(); }

StartupHost::HandOver QtStartupHost::HandOverToRunningInstance(
    const std::string& dir, const std::vector<std::string>& args) {
    QStringList words;
    for (const std::string& a : args) words << QString::fromStdString(a);
    switch (instance_.HandOver(QString::fromStdString(dir), words)) {
    case SingleInstance::HandOverResult::Done: return HandOver::Done;
    case SingleInstance::HandOverResult::NoInstance: return HandOver::NoInstance;
    case SingleInstance::HandOverResult::Unreachable: break;
    }
    std::fprintf(stderr, "qzed32: the running editor does not answer (%s); this start ends\n",
                 qPrintable(instance_.ServerName()));
    return HandOver::Unreachable;
}

bool QtStartupHost::BecomeRunningInstance() { return instance_.Listen(); }

bool QtStartupHost::CreateFrame() {
    frame_ = std::make_unique<QzedMainWindow>(profile_, nullptr, boxes_);
    // The keyword and template tables follow the settings the frame loaded.
    LoadLanguageData(frame_->Boxes());
    // The frame ends the work after the last window by "EndMode".
    frame_->startedWithFiles = [this] { return globals_.state.startedWithFiles; };
    return true;
}

void QtStartupHost::ShowFrame(FrameShow how) {
    switch (how) {
    case FrameShow::Maximized: frame_->showMaximized(); break;
    case FrameShow::Normal: frame_->show(); break;
    case FrameShow::Hidden: break;
    }
}

bool QtStartupHost::StartWorker() {
    frame_->External().Worker().Start();
    return true;
}

int QtStartupHost::RecoveryCheck(std::string& reopenPath) {
    reopenPath.clear();
    DocumentManager& docs = frame_->Documents();
    QtRecoveryUi ui(frame_.get());
    std::vector<RecoveredCopy> copies;
    const int result = RecoveryAtStart(docs.Register(), ui, frame_->Boxes(), reopenPath, copies);
    docs.OpenRecovered(copies);
    return result;
}

void QtStartupHost::AddTrayIcon() { frame_->AddTrayIcon(); }

bool QtStartupHost::OpenFromCommandLine(const std::string& fullPath, bool viewMode, uint32_t line) {
    CQzedChild* child = frame_->Documents().Open(fullPath);
    if (!child || !child->ViewWidget()) return false;
    if (viewMode) child->Doc().SetReadOnly(true);
    if (line > 0) child->ViewWidget()->View().GoToLine(line);
    return true;
}

void QtStartupHost::ReopenPreviousRun() { frame_->Documents().ReopenPreviousRun(); }

MessageBox& QtStartupHost::Messages() { return frame_->Boxes(); }

void QtStartupHost::ReceiveHandOver(const QString& dir, const QStringList& args) {
    if (!frame_) return;
    std::vector<std::string> words;
    for (const QString& a : args) words.push_back(a.toStdString());
    ParseCommandLine(dir.toStdString(), words, nullptr, globals_.state, *this);
    if (frame_->isMinimized()) frame_->showNormal();
    frame_->show();
    frame_->raise();
    frame_->activateWindow();
}


}  // namespace qz
