// The list of open files (the window list dialog): one entry per window tab
// with its number, write-protect and modified marks, size, file date and
// path. The marks are switched on copies; Apply writes them back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz {

class CQzedDoc;

// One window tab, in tab order. The placeholder tab has no window.
struct FileListSource {
    void* window;
    int tabNumber;
    CQzedDoc* doc;
};

struct FileListEntry {
    void* window = nullptr;
    CQzedDoc* doc = nullptr;
    int number = 0;
    bool readOnly = false;
    bool modified = false;
    uint32_t size = 0;
    std::string date;  // UTF-8
    std::string path;  // UTF-8
};

class FileListModel {
public:
    static constexpr int kMaxEntries = 32;
    static constexpr int kColumns = 6;
    static constexpr const char* kCaption = "ファイルリスト";
    static constexpr const char* kNoFiles = "ファイルはありません";
    static constexpr const char* kNewFileDate = "新規";

    // selectedTab: the index of the tab selected in the dialog bar (-1 for
    // none); its window's row becomes the chosen row.
    FileListModel(const std::vector<FileListSource>& tabs, int selectedTab);

    const std::vector<FileListEntry>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    // More windows than the list can hold: it holds the first 32.
    bool Full() const { return full_; }

    // The row to select in the list, or -1.
    int Chosen() const { return chosen_; }
    void SetChosen(int row);

    // Switch a row's mark. A document shown in several windows has a row
    // for each; they all switch together, or Apply would write the last
    // row's mark over the one the user switched.
    void ToggleReadOnly(int row) { Toggle(row, &FileListEntry::readOnly); }
    void ToggleModified(int row) { Toggle(row, &FileListEntry::modified); }

    // The cell texts (UTF-8) of the six columns.
    std::string CellText(int row, int column) const;
    // "総数: %02d".
    std::string TotalText() const;
    // Why the list is empty or short, for the dialog's message line; empty
    // when there is nothing to say.
    std::string MessageText() const;

    // After OK: every entry's marks go to its document, in order. Returns
    // the chosen row's window (null when no row is chosen).
    void* Apply() const;

    // The file's modification time as "%Y/%m/%d %H:%M:%S" in local time, or
    // "新規" when it cannot be read (a file not yet saved).
    static std::string DateText(const std::string& path);

private:
    void Toggle(int row, bool FileListEntry::*mark);

    std::vector<FileListEntry> entries_;
    bool full_ = false;
    int chosen_ = -1;
};

}  // namespace qz
