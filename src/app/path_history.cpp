// The path-history dialog's registered folders and their switch rule.
#include "app/path_history.h"

#include <filesystem>
#include <utility>

#include "platform/message_box.h"
#include "platform/profile.h"

namespace qz {

namespace {
constexpr const char* kSection = "FileDialog";
std::string Key(const char* name, int index) { return name + std::to_string(index + 1); }
}  // namespace

void PathHistory::Load(Profile& profile) {
    for (int i = 0; i < kCount; ++i) {
        entries_[i].path = profile.GetProfileString(kSection, Key("Path", i), "");
        entries_[i].readOnly = profile.GetProfileInt(kSection, Key("Flag", i), 0) != 0;
    }
}

void PathHistory::Save(Profile& profile) const {
    for (int i = 0; i < kCount; ++i) {
        profile.WriteProfileString(kSection, Key("Path", i), entries_[i].path);
        profile.WriteProfileInt(kSection, Key("Flag", i), entries_[i].readOnly ? 1 : 0);
    }
}

const PathEntry& PathHistory::Entry(int index) const {
    static const PathEntry empty;
    return Valid(index) ? entries_[index] : empty;
}

std::string PathHistory::ButtonLabel(int index) const {
    return IsEmpty(index) ? "未登録" : Entry(index).path;
}

std::string PathHistory::Number(int index) { return std::to_string((index + 1) % 10); }

std::string PathHistory::ListText(int index) const { return Number(index) + "  " + ButtonLabel(index); }

void PathHistory::SetPath(int index, std::string path) {
    if (Valid(index)) entries_[index].path = std::move(path);
}

void PathHistory::SetReadOnly(int index, bool readOnly) {
    if (Valid(index)) entries_[index].readOnly = readOnly;
}

void PathHistory::Delete(int index) {
    if (Valid(index)) entries_[index] = PathEntry{};
}

int PathHistory::MoveUp(int index) {
    if (!Valid(index) || index == 0) return index;
    std::swap(entries_[index], entries_[index - 1]);
    return index - 1;
}

int PathHistory::MoveDown(int index) {
    if (!Valid(index) || index == kCount - 1) return index;
    std::swap(entries_[index], entries_[index + 1]);
    return index + 1;
}

bool IsExistingDirectory(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

SwitchOutcome SwitchToEntry(const PathHistory& history, int index, const DirectoryCheck& isDir,
                            MessageBox& box) {
    SwitchOutcome out;
    const PathEntry& entry = history.Entry(index);
    if (entry.path.empty()) return out;
    if (!isDir(entry.path)) {
        box.Show("このパスは無効です\n" + entry.path, kPathSwitchCaption, MbIcon::Stop, MbButtons::Ok);
        out.result = SwitchResult::Invalid;
        return out;
    }
    out.result = SwitchResult::Switched;
    out.folder = entry.path;
    out.readOnly = entry.readOnly;
    return out;
}

std::string ExplorerCaption(const std::string& title, const std::string& folder) {
    return title + " - \"" + folder + "\"";
}

}  // namespace qz
