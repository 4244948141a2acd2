// Backup folder and generation names of a saved file, and the rotation plan.
#include "document/backup_names.h"

#include "platform/paths.h"

namespace qz {

namespace {
bool Keeping(const BackupSettings& s) { return s.backupMode >= 1; }

std::string_view Trim(std::string_view v) {
    const size_t b = v.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return v.substr(b, v.find_last_not_of(" \t") - b + 1);
}

bool HasBackupDir(const BackupSettings& s) { return Keeping(s) && !Trim(s.backupDir).empty(); }

// "BackupCount" below 1 is not offered by the settings page; read it as 1.
int Generations(const BackupSettings& s) {
    return Keeping(s) && s.backupCount > 1 ? s.backupCount : 1;
}
}  // namespace

bool BackupWanted(const BackupSettings& s) { return Keeping(s) || s.recycledMode == 1; }

std::string BackupDirectory(std::string_view path, const BackupSettings& s) {
    const PathParts parts = SplitPath(path);
    std::string dir = parts.dir;
    if (HasBackupDir(s)) {
        const std::string_view b = Trim(s.backupDir);
        dir = b[0] == '/' ? std::string(b) : parts.dir + std::string(b);
    }
    std::string full = FullPath(CurrentDirectory(), dir.empty() ? "." : dir);
    if (full.back() != '/') full += '/';
    return full;
}

std::vector<std::string> BackupNames(std::string_view path, const BackupSettings& s) {
    const PathParts parts = SplitPath(path);
    const std::string dir = BackupDirectory(path, s);
    const int n = Generations(s);
    std::vector<std::string> names;
    if (n == 1) {
        names.push_back(dir + parts.stem + ".BAK");
        return names;
    }
    names.push_back(dir + parts.stem + (HasBackupDir(s) ? parts.ext : std::string(".BAK")));
    for (int i = 2; i <= n; ++i) names.push_back(dir + parts.stem + ".bk" + std::to_string(i));
    return names;
}

bool IsOwnBackup(std::string_view path, const BackupSettings& s) {
    for (const std::string& name : BackupNames(path, s))
        if (SamePath(path, name)) return true;
    return false;
}

BackupPlan PlanBackup(std::string_view path, const BackupSettings& s) {
    BackupPlan plan;
    plan.dir = BackupDirectory(path, s);
    const std::vector<std::string> names = BackupNames(path, s);
    for (size_t i = names.size(); i >= 2; --i) {
        plan.steps.push_back({BackupStep::Remove, names[i - 1], {}});
        plan.steps.push_back({BackupStep::RenameIfExists, names[i - 2], names[i - 1]});
    }
    if (names.size() == 1) plan.steps.push_back({BackupStep::Remove, names[0], {}});
    plan.target = names[0];
    plan.trash = s.recycledMode == 1;
    plan.removeTarget = !Keeping(s);
    return plan;
}

}  // namespace qz
