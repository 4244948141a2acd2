// Where the backups of a saved file go and what they are called: the backup
// folder, the generation names, the refusal to save a backup, and the
// rotation as a plan of removes and renames that the saver carries out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The four settings of section "Environ" the backup rules read.
struct BackupSettings {
    int backupMode = 1;    // "BackupMode": 1 or more keeps backups
    int backupCount = 1;   // "BackupCount": generations
    std::string backupDir; // "BackupDir": '/' first is absolute, else below the file's folder
    int recycledMode = 0;  // "RecycledMode": 1 moves the old version to the trash
};

// Whether a save makes a backup at all ("BackupMode" or "RecycledMode").
bool BackupWanted(const BackupSettings& s);

// The backup folder of path, absolute, runs of '/' reduced, with a trailing
// '/'. Relative paths are taken against the current directory.
std::string BackupDirectory(std::string_view path, const BackupSettings& s);

// Generation names 1 to N. One name ("fname.BAK") when "BackupCount" is 1 or
// less or "BackupMode" is 0; else generation 1 is "fname.BAK" (or, with a
// "BackupDir", the file's own name in that folder) and generation i is
// "fname.bk<i>".
std::vector<std::string> BackupNames(std::string_view path, const BackupSettings& s);

// Whether path is itself one of its backup names (the save is refused).
bool IsOwnBackup(std::string_view path, const BackupSettings& s);

struct BackupStep {
    enum Kind {
        Remove,          // remove `from`; a missing file is no failure
        RenameIfExists,  // when `from` exists rename it to `to`; failure fails the save
    };
    Kind kind;
    std::string from, to;
};

struct BackupPlan {
    std::string dir;               // created (one level) when missing
    std::vector<BackupStep> steps; // in order
    std::string target;            // the current file is renamed to this name
    bool trash = false;            // then moved to the trash ("RecycledMode")
    bool removeTarget = false;     // then removed when "BackupMode" is 0
};

// The plan for saving path over an existing file. Call only when
// BackupWanted and not IsOwnBackup.
BackupPlan PlanBackup(std::string_view path, const BackupSettings& s);

}  // namespace qz
