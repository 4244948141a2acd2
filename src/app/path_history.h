// The ten registered folders of the path-history open dialog, each with the
// read-only choice its files open with, and the rules of switching to one.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace qz {

class Profile;
class MessageBox;

struct PathEntry {
    std::string path;
    bool readOnly = false;
    bool operator==(const PathEntry&) const = default;
};

class PathHistory {
public:
    static constexpr int kCount = 10;

    // "FileDialog"/"Path1".."Path10" and "Flag1".."Flag10".
    void Load(Profile& profile);
    void Save(Profile& profile) const;

    // Entries are indexed 0..9; an index outside that range is ignored by the
    // changing operations and reads as an empty entry.
    const PathEntry& Entry(int index) const;
    bool IsEmpty(int index) const { return Entry(index).path.empty(); }

    // The label of a path button: its folder, or "未登録" when none.
    std::string ButtonLabel(int index) const;
    // The number shown beside an entry: "1".."9", then "0" for the tenth.
    static std::string Number(int index);
    // A line of the registration list: the number, two blanks and the label.
    std::string ListText(int index) const;

    void SetPath(int index, std::string path);
    void SetReadOnly(int index, bool readOnly);
    void Delete(int index);
    // Swap an entry with its neighbour; returns where the entry now stands
    // (unchanged at either end).
    int MoveUp(int index);
    int MoveDown(int index);

private:
    static bool Valid(int index) { return index >= 0 && index < kCount; }
    std::array<PathEntry, kCount> entries_;
};

// What pressing a path button leads to.
enum class SwitchResult { Nothing, Invalid, Switched };
struct SwitchOutcome {
    SwitchResult result = SwitchResult::Nothing;
    std::string folder;
    bool readOnly = false;
};

using DirectoryCheck = std::function<bool(const std::string&)>;
// Whether the path names an existing directory (symbolic links followed).
bool IsExistingDirectory(const std::string& path);

// An empty entry does nothing; a folder that is not an existing directory is
// reported in a stop box and nothing changes; otherwise the caller goes there
// and sets the read-only box to the entry's flag.
SwitchOutcome SwitchToEntry(const PathHistory& history, int index, const DirectoryCheck& isDir,
                            MessageBox& box);

constexpr const char* kPathSwitchCaption = "パス切り換え";

// The explorer-style caption: the title, " - " and the folder in quotes.
std::string ExplorerCaption(const std::string& title, const std::string& folder);

}  // namespace qz
