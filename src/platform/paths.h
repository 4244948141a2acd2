// Path helpers for POSIX paths ('/' separator, no drives, case-sensitive).
// Every path here is a native (UTF-8) string.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

struct PathParts {
    std::string dir;   // up to and including the last '/', empty when none
    std::string stem;  // file name without the extension
    std::string ext;   // extension with its leading '.', empty when none
};

PathParts SplitPath(std::string_view path);

// The folder of a path: everything before its last '/' ("/" for a file in
// the root, empty for a bare name).
std::string FolderOf(std::string_view path);
// The last component.
std::string FileNameOf(std::string_view path);

// Removes "." components, resolves ".." lexically and reduces runs of '/'.
std::string NormalizePath(std::string_view path);

// name made absolute against base (names beginning with '/' stand as they
// are), then normalised.
std::string FullPath(std::string_view base, std::string_view name);

// The one spelling of a file: symbolic links resolved for the part of the path
// that exists, the rest normalised. Relative paths are taken against the
// current directory.
std::string CanonicalPath(std::string_view path);

// Whether two paths name the same file. The one place that decides how paths
// compare: case-sensitively, after canonicalisation.
bool SamePath(std::string_view a, std::string_view b);

// Whether a file name matches a pattern with '*' (any run) and '?' (one
// UTF-8 character). Case-sensitive, as names are on POSIX.
bool MatchWildcard(std::string_view pattern, std::string_view name);

// The entries of a folder ("." for an empty name) without "." and "..",
// sorted by name so that output never depends on the file system's order.
// False when the folder cannot be read (names is then empty).
bool ListFolder(const std::string& dir, std::vector<std::string>& names);

std::string CurrentDirectory();
bool SetCurrentDirectory(const std::string& dir);

// The program folder: $QZED_HOME when set, else the executable's folder.
std::string ProgramFolder();

// Where the read-only data (keyword and template files, help pages, icons) is
// read from: $QZED_HOME when set; else the executable's folder when it holds
// the data (a build tree, a program folder copied as a whole); else
// ../share/qzed32 beside it (an installed copy).
std::string DataFolder();
// Where the editor writes what it keeps between runs (SAVE.DAT, regbk.dat,
// TEMP, CORE.QZ, the OS window's result files): $QZED_HOME when set; else
// the executable's folder when it holds the data and may be written; else
// $XDG_STATE_HOME/qzed32 (~/.local/state/qzed32). The folder may not exist
// yet: writers make it with MakeFolders.
std::string StateFolder();
// Where the user's own copies of data files go and are read from first:
// $QZED_HOME when set, else $XDG_DATA_HOME/qzed32 (~/.local/share/qzed32).
std::string UserDataFolder();

// What the three folders are chosen from, and the choice itself.
struct FolderFacts {
    std::string qzedHome;      // $QZED_HOME, empty when unset
    std::string exeFolder;     // the executable's folder, links resolved
    std::string home;          // $HOME, else the user's home from the system
    std::string xdgStateHome;  // $XDG_STATE_HOME, empty when unset or relative
    std::string xdgDataHome;   // $XDG_DATA_HOME, the same
    bool exeHoldsData = false; // the keyword files lie beside the executable
    bool exeWritable = false;
    static FolderFacts OfThisProcess();
};
struct ProgramFolders {
    std::string data, state, userData;
};
ProgramFolders ChooseFolders(const FolderFacts& facts);

// Makes a folder and any missing parents, new ones readable by the user
// alone; true when the folder exists afterwards.
bool MakeFolders(const std::string& path);

}  // namespace qz
