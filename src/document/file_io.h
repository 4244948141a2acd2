// Moving a document's text between its file and the store: load, save with
// backups, the file lock, and the check for changes made by other programs.
#pragma once

#include <cstddef>
#include <string>

namespace qz {

class CQzedDoc;
class FileOps;
class MessageBox;
class Trash;

// What the document lifecycle and the views provide to the file steps.
class FileIoHost {
public:
    virtual ~FileIoHost() = default;
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
    // Whether a view of this special document is running a shell command.
    virtual bool ShellCommandRunning(CQzedDoc&) { return false; }
    // Opens the document again from path as the open command does; true on
    // success. Used by the reload after an outside change.
    virtual bool ReopenDocument(CQzedDoc& doc, const std::string& path) = 0;
    // Every view of the document goes back to the start and redraws.
    virtual void ResetViews(CQzedDoc& doc) = 0;
    // Closes every frame showing the document.
    virtual void CloseFrames(CQzedDoc& doc) = 0;
    // The document was saved to path: the reopen list of the run gets it.
    virtual void AppendReopenListEntry(CQzedDoc& doc, const std::string& path) {
        (void)doc;
        (void)path;
    }
};

// The file steps of one process. Settings come from TheSettings().
class FileIo {
public:
    // Without a host there is no wait cursor, and a reload is a plain Load of
    // the same path with no views to reset.
    explicit FileIo(MessageBox& box, FileIoHost* host = nullptr);

    void SetTrash(Trash* trash) { trash_ = trash; }
    void SetFileOps(FileOps* ops) { ops_ = ops; }
    // Whether a save flushes the new file and its folder to the disk before it
    // counts as done (default on; the benchmark measures both).
    void SetSyncOnSave(bool sync) { sync_ = sync; }
    // Bytes a load asks of the system at once (tests cut characters and line
    // ends at every place with small blocks).
    void SetReadBlock(size_t bytes) { readBlock_ = bytes; }

    // 0 on success; -1 on failure (a message has been shown, except for a
    // folder or a file whose status cannot be read). explicitCode 1-3 is the
    // code chosen in the open dialog or stored in a recent-file entry, 0 none.
    int Load(CQzedDoc& doc, const std::string& path, int explicitCode = 0);
    // 1 on success; 0 on failure or refusal, with the file's content, the
    // text, the modified flag and the undo history as they were (older backup
    // generations may have moved on). Only a file in a folder that takes no
    // new files is written in place, and may then be left short.
    int Save(CQzedDoc& doc, const std::string& path);
    // 0 when the lock is as asked (mode 0 releases), -1 when it cannot be
    // taken (a message has been shown).
    int SetLock(CQzedDoc& doc, const std::string& path, int mode);
    // Asks once per outside change whether to reload, and reloads on Yes.
    void CheckExternalChange(CQzedDoc& doc, const std::string& path);

private:
    class WaitCursor;
    void Error(const std::string& text, const std::string& path);
    FileOps& Ops() const;
    Trash& TrashCan() const;

    MessageBox& box_;
    FileIoHost* host_;
    Trash* trash_ = nullptr;
    FileOps* ops_ = nullptr;
    bool sync_ = true;
    size_t readBlock_ = 256 * 1024;
};

// Messages of the file steps that more than one step shows.
namespace file_msg {
inline constexpr const char* kWriteProhibited = "このファイルは他のプログラムによって現在書き込みが禁止されています";
inline constexpr const char* kCannotOpen = "このファイルは他のプログラムが使用中等の理由により開けません";
inline constexpr const char* kBackupFailed = "バックアップファイルを作成できません";
}  // namespace file_msg

}  // namespace qz
