// Backup names and the rotation of backup generations made when a file is saved.
#pragma once

#include <string>

#include "settings/settings.h"

namespace qz {

class FileOps;

// Where the previous versions of one file go under the backup settings.
struct BackupPlan {
    bool backupMode = false;  // "BackupMode" read as 0 or 1
    int count = 1;            // "BackupCount", at least 1
    bool ownDir = false;      // "BackupDir" is in force (BackupMode 1, not blank)
    std::string dir;          // absolute, normalised, ending in '/'
    std::string fname, ext;   // of the saved file; ext with its dot

    // Generation i (1 to count) when backupMode, else the one ".BAK" name.
    std::string GenerationName(int i) const;
    // The name the current file is renamed to.
    std::string TargetName() const { return GenerationName(1); }
    // Whether path is one of the names this plan writes.
    bool IsBackupName(const std::string& path) const;
};

// path must be absolute. A "BackupDir" beginning with '/' is absolute; any
// other is taken inside the file's folder.
BackupPlan MakeBackupPlan(const std::string& path, const EnvironSettings& env);

// Creates the backup folder when it does not exist (one level only).
bool EnsureBackupDir(const BackupPlan& plan);

// Frees the generation-1 name: with several generations, generation N is
// removed and N-1 .. 1 move up by one; otherwise the ".BAK" name is removed.
// False when a rename fails.
bool RotateBackups(const BackupPlan& plan, FileOps& ops);

}  // namespace qz
