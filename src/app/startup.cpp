#include "app/startup.h"

#include "platform/cp932.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace qz {

std::string OsWindowWorkPath(const std::string& dir) {
    std::string path = Utf8PrefixBySjisBytes(dir, 239);
    if (path.empty() || path.back() != '/') path += '/';
    return path + "$SHELWIN";
}

StartResult RunStartup(StartupHost& host, Profile& profile, const std::vector<std::string>& args,
                       AppGlobals& g) {
    if (!host.AcquireStartLock()) return StartResult::Failed;
    auto fail = [&] {
        host.ReleaseStartLock();
        return StartResult::Failed;
    };
    switch (host.HandOverToRunningInstance(CurrentDirectory(), args)) {
    case StartupHost::HandOver::Done: host.ReleaseStartLock(); return StartResult::HandedOver;
    case StartupHost::HandOver::Unreachable: return fail();
    case StartupHost::HandOver::NoInstance: break;
    }
    if (!host.CreateFrame() || !host.BecomeRunningInstance()) return fail();

    g.resident = TheSettings().env.Resident == 1;
    FrameShow show = profile.GetProfileInt("WindowSize", "Status", kFrameNormal) == kFrameMaximized
                         ? FrameShow::Maximized
                         : FrameShow::Normal;
    if (g.resident && host.StartedIconicOrMaximized()) show = FrameShow::Hidden;
    host.ShowFrame(show);

    if (!host.StartWorker()) return fail();

    g.state.startedWithFiles = false;
    std::string reopen;
    const int recovery = host.RecoveryCheck(reopen);
    if (recovery == -1) return fail();
    if (recovery == 1 && !reopen.empty()) {
        const std::string folder = FolderOf(reopen);
        SetCurrentDirectory(folder.empty() ? std::string(".") : folder);
        ParseCommandLine(CurrentDirectory(), {reopen}, nullptr, g.state, host);
    } else {
        std::string chosen = profile.GetProfileInt("Environ", "Current_Mode", 1) == 1
                                 ? profile.GetProfileString("Current", "Directory", "")
                                 : profile.GetProfileString("Environ", "Current_Dir", "");
        if (!args.empty()) ParseCommandLine(CurrentDirectory(), args, &chosen, g.state, host);
        if (!chosen.empty()) SetCurrentDirectory(chosen);
    }

    const std::string cwd = CurrentDirectory();
    g.startDirectory = Utf8PrefixBySjisBytes(cwd, 255);
    g.osWindowWorkPath = OsWindowWorkPath(cwd);
    host.ReleaseStartLock();
    if (g.resident) host.AddTrayIcon();
    return StartResult::Started;
}

}  // namespace qz
