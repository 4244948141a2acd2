// The open-files list: collecting the tabs, switching marks, writing back.
#include "frame/file_list.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "document/qzed_doc.h"

namespace qz {

FileListModel::FileListModel(const std::vector<FileListSource>& tabs, int selectedTab) {
    for (size_t i = 0; i < tabs.size(); ++i) {
        const FileListSource& t = tabs[i];
        if (!t.window || !t.doc) continue;
        if (Count() == kMaxEntries) {
            full_ = true;
            break;
        }
        if (static_cast<int>(i) == selectedTab) chosen_ = Count();
        FileListEntry e;
        e.window = t.window;
        e.doc = t.doc;
        e.number = t.tabNumber;
        e.readOnly = t.doc->IsReadOnly();
        e.modified = t.doc->IsModified();
        e.size = t.doc->GetTextLength();
        e.path = t.doc->GetPathName();
        e.date = DateText(e.path);
        entries_.push_back(std::move(e));
    }
}

void FileListModel::SetChosen(int row) { chosen_ = row >= 0 && row < Count() ? row : -1; }

void FileListModel::Toggle(int row, bool FileListEntry::*mark) {
    if (row < 0 || row >= Count()) return;
    const CQzedDoc* doc = entries_[row].doc;
    const bool to = !(entries_[row].*mark);
    for (FileListEntry& e : entries_)
        if (e.doc == doc) e.*mark = to;
}

std::string FileListModel::CellText(int row, int column) const {
    if (row < 0 || row >= Count()) return {};
    const FileListEntry& e = entries_[row];
    char text[16];
    switch (column) {
    case 0: std::snprintf(text, sizeof text, "%02d", e.number); return text;
    case 1: return e.readOnly ? "禁止" : "可能";
    case 2: return e.modified ? "あり" : "なし";
    case 3: return std::to_string(e.size);
    case 4: return e.date;
    case 5: return e.path;
    default: return {};
    }
}

std::string FileListModel::TotalText() const {
    char text[32];
    std::snprintf(text, sizeof text, "総数: %02d", Count());
    return text;
}

std::string FileListModel::MessageText() const {
    if (entries_.empty()) return kNoFiles;
    if (full_) {
        char text[64];
        std::snprintf(text, sizeof text, "%d個以上のファイルは処理出来ません", kMaxEntries);
        return text;
    }
    return {};
}

void* FileListModel::Apply() const {
    for (const FileListEntry& e : entries_) {
        e.doc->SetReadOnly(e.readOnly);
        e.doc->SetModifiedFlag(e.modified);
    }
    return chosen_ >= 0 ? entries_[chosen_].window : nullptr;
}

std::string FileListModel::DateText(const std::string& path) {
    struct stat st;
    struct tm local;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !localtime_r(&st.st_mtime, &local)) return kNewFileDate;
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

}  // namespace qz
