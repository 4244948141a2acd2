// The document's life between the frames and its file: opening, naming,
// the save question on closing, re-editing from disk and the choice of a new
// name and code in the save-type dialog.
#pragma once

#include <string>

#include "app/file_command_host.h"

namespace qz {

class CQzedDoc;
class FileIo;
class MessageBox;

namespace lifecycle_msg {
inline constexpr const char* kShellRunning = "シェルコマンド実行中のため終了できません";
inline constexpr const char* kSaveQuestion = "ファイルの内容が変更されていますが保存しますか？";
inline constexpr const char* kReEditQuestion = "このファイルに変更点がありますが再編集してよろしいですか？";
inline constexpr const char* kReEditFailed = "ファイルの再編集に失敗しました（元ファイルに影響はありません）";
}  // namespace lifecycle_msg

class DocLifecycle {
public:
    DocLifecycle(MessageBox& box, FileIo& io, FileCommandHost& host);

    // A new empty document named "TextN.txt" in dir (a name neither on disk
    // nor open in a frame), typed from that name. Returns its path.
    std::string NewDocument(CQzedDoc& doc, const std::string& dir);
    // The open step: the old text given up, canonical path, file type from
    // it, load (explicitCode 1-3, or 0 to detect), then the path with a
    // recent-file entry. False when the load failed; the caller drops the
    // document. Also the reload after an outside change (ReopenDocument).
    bool OpenDocument(CQzedDoc& doc, const std::string& path, int explicitCode = 0);
    // A file chosen in the open dialog or the recent-file list: a plain file
    // again, made read-only when the dialog's read-only box was ticked.
    bool OpenChosenFile(CQzedDoc& doc, const std::string& path, int explicitCode, bool readOnlyBox);

    // A temporary copy a crash left, opened as the document of docPath: the
    // copy's text (its code told by its bytes), the path and file type of docPath
    // without a recent-file entry, modified, so that closing asks to save it
    // back. Its register entry stays until the document goes. False when the
    // copy could not be read.
    bool OpenRecovered(CQzedDoc& doc, const std::string& copy, const std::string& docPath);

    // The document's text is given up (its last frame closes): its
    // temporary-save entry goes, the store, the undo history and the lock
    // are released.
    void DeleteContents(CQzedDoc& doc);

    // Gives the document a path: canonical; the lock moves to it when the
    // file exists (else no lock); the file time is taken from it; the old
    // path's temporary-save entry is freed; the title is rebuilt. With
    // addToRecent the path goes to the top of the recent-file list.
    void SetPathName(CQzedDoc& doc, const std::string& path, bool addToRecent);

    // Whether the document may be closed: refused while a shell command runs
    // in it; a modified one asks whether to save (Yes saves and answers false
    // when that fails, No answers true, Cancel false).
    bool SaveModified(CQzedDoc& doc);
    // The closing of one frame: asks only when it is the document's last.
    bool CanCloseFrame(FileCommandHost::Frame frame);
    // Closing the main frame: SaveModified for every document once, in frame
    // order; false at the first that refuses (nothing is closed here).
    bool SaveAllModified();

    // Reads the file again, dropping the changes after a question. On
    // failure every frame of the document is closed. True when reloaded.
    bool ReEdit(CQzedDoc& doc);

    // The save-type dialog for the document; on OK the code choice, the new
    // path and a new file type are applied (not saved). False when cancelled.
    bool ChooseNameAndCode(CQzedDoc& doc, const std::string& caption);
    // After a new path: the file type chosen again; when it changed the
    // layout follows it ("RightTurn" wraps a lone view at its width).
    void ApplyFileTypeOfPath(CQzedDoc& doc);

    // The wrap column window wrapping takes for a view of this width in this
    // file type.
    static int WindowWrapColumn(const ViewMetrics& m, int fileType);

    FileIo& Io() { return io_; }
    FileCommandHost& Host() { return host_; }
    MessageBox& Box() { return box_; }

private:
    MessageBox& box_;
    FileIo& io_;
    FileCommandHost& host_;
};

}  // namespace qz
