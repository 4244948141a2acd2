// The order of start-up: single instance, frame, show state, recovery,
// working directory and command line. Platform services come from the host.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/profile.h"

namespace qz {

enum class FrameShow { Normal, Maximized, Hidden };

class StartupHost : public CommandLineHost {
public:
    // Serialises concurrent starts; held until start-up ends.
    virtual bool AcquireStartLock() = 0;
    virtual void ReleaseStartLock() = 0;
    // Hands dir and args to a running instance. Unreachable: an instance is
    // alive but never took them; this start must not become a second editor.
    enum class HandOver { Done, NoInstance, Unreachable };
    virtual HandOver HandOverToRunningInstance(const std::string& dir,
                                               const std::vector<std::string>& args) = 0;
    // Becomes the running instance that later starts hand over to.
    virtual bool BecomeRunningInstance() = 0;
    // Creates the main frame; its creation loads the whole settings record.
    virtual bool CreateFrame() = 0;
    virtual void ShowFrame(FrameShow how) = 0;
    // Whether the process was asked to start minimised or maximised.
    virtual bool StartedIconicOrMaximized() { return false; }
    // Starts the OS command window's worker.
    virtual bool StartWorker() = 0;
    // The crash-recovery check: -1 abort, 1 reopenPath names a file to reopen,
    // anything else nothing to reopen.
    virtual int RecoveryCheck(std::string& reopenPath) = 0;
    virtual void AddTrayIcon() = 0;
};

// Values start-up leaves for the rest of the run.
struct AppGlobals {
    StartState state;
    std::string startDirectory;    // the open dialogs' first folder
    std::string osWindowWorkPath;  // current directory + "/$SHELWIN"
    bool resident = false;
};

enum class StartResult { Started, HandedOver, Failed };

// The OS command window's work path for a directory.
std::string OsWindowWorkPath(const std::string& dir);

StartResult RunStartup(StartupHost& host, Profile& profile, const std::vector<std::string>& args,
                       AppGlobals& globals);

}  // namespace qz
