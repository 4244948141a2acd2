// Backup folder and names: the old file keeps its directory entry under the
// backup name, so nothing is ever copied.
#include "document/backup.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "document/file_ops.h"
#include "platform/paths.h"

namespace qz {

namespace {

std::string TrimBlanks(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::string AsFolder(const std::string& dir) {
    std::string full = FullPath(CurrentDirectory(), dir);
    if (full.empty() || full.back() != '/') full += '/';
    return full;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string BackupPlan::GenerationName(int i) const {
    if (!backupMode || count <= 1) return dir + fname + ".BAK";
    if (i > 1) return dir + fname + ".bk" + std::to_string(i);
    return ownDir ? dir + fname + ext : dir + fname + ".BAK";
}

bool BackupPlan::IsBackupName(const std::string& path) const {
    const int last = backupMode ? count : 1;
    for (int i = 1; i <= last; ++i)
        if (SamePath(path, GenerationName(i))) return true;
    return false;
}

BackupPlan MakeBackupPlan(const std::string& path, const EnvironSettings& env) {
    BackupPlan plan;
    plan.backupMode = env.BackupMode >= 1;
    plan.count = env.BackupCount < 1 ? 1 : env.BackupCount;
    const PathParts parts = SplitPath(path);
    plan.fname = parts.stem;
    plan.ext = parts.ext;
    const std::string setting = TrimBlanks(env.BackupDir);
    if (plan.backupMode && !setting.empty()) {
        plan.ownDir = true;
        plan.dir = AsFolder(setting[0] == '/' ? setting : parts.dir + setting);
    } else {
        plan.dir = AsFolder(parts.dir.empty() ? "." : parts.dir);
    }
    return plan;
}

bool EnsureBackupDir(const BackupPlan& plan) {
    struct stat st {};
    if (::stat(plan.dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    return ::mkdir(plan.dir.c_str(), 0777) == 0 || errno == EEXIST;
}

bool RotateBackups(const BackupPlan& plan, FileOps& ops) {
    if (plan.backupMode && plan.count >= 2) {
        for (int i = plan.count; i >= 2; --i) {
            ops.Remove(plan.GenerationName(i));
            const std::string older = plan.GenerationName(i - 1);
            if (Exists(older) && ops.Rename(older, plan.GenerationName(i)) != 0) return false;
        }
        return true;
    }
    ops.Remove(plan.GenerationName(1));
    return true;
}

}  // namespace qz
