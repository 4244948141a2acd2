// The file menu's save, close and re-edit commands over the child frames:
// each works per frame and saves per document (two frames may share one).
#pragma once

#include "app/doc_lifecycle.h"

namespace qz {

namespace cmd {
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 33293;
inline constexpr int kFileSaveAs = 33294;
inline constexpr int kFileRename = 33180;
inline constexpr int kFileWriteOne = 57610;
inline constexpr int kFileWriteChanged = 33187;
inline constexpr int kFileSaveClose = 33186;
inline constexpr int kFileSaveCloseAll = 33185;
inline constexpr int kFileQuit = 33183;
inline constexpr int kFileCloseUnchanged = 33184;
inline constexpr int kFileQuitAll = 33181;
inline constexpr int kFileReEdit = 33182;
// The main frame's command sent by the quit command when no window is open.
inline constexpr int kMainFrameQuit = 33025;
}  // namespace cmd

namespace filecmd_msg {
inline constexpr const char* kRenameCaption = "ファイル名の変更";
inline constexpr const char* kQuitQuestion = "ファイルに変更点がありますが中止していいですか？";
inline constexpr const char* kQuitCaption = "終了確認";
inline constexpr const char* kQuitAllQuestion = "全てのファイルの編集を中止していいですか？";
inline constexpr const char* kQuitAllCaption = "全ファイル中止";
}  // namespace filecmd_msg

class FileCommands {
public:
    FileCommands(MessageBox& box, FileIo& io, FileCommandHost& host);

    DocLifecycle& Lifecycle() { return life_; }

    // Runs one of the commands above other than new, open and close; false
    // for an id it does not handle. What the command did is not reported:
    // its messages have been shown.
    bool Execute(int id);

    // Each command on its own; those on the active window do nothing when no
    // window is open (except Quit). True when the command went through.
    bool Save();              // 33293
    bool SaveAs();            // 33294
    bool Rename();            // 33180
    bool WriteOne();          // 57610
    bool WriteChanged();      // 33187
    bool SaveAndClose();      // 33186
    bool SaveAndCloseAll();   // 33185
    bool Quit();              // 33183
    void CloseUnchanged();    // 33184
    bool QuitAll();           // 33181
    bool ReEdit();            // 33182

private:
    CQzedDoc* ActiveDocument();
    // Saves to the document's path and redraws its views; true on success.
    bool SaveDocument(CQzedDoc& doc);
    // Whether another open frame shows the frame's document.
    bool Shared(FileCommandHost::Frame frame);
    // False (with the message) for the last window of a document running a
    // shell command.
    bool MayClose(FileCommandHost::Frame frame);
    // Closes the frame without a question when it may close.
    bool CloseFrame(FileCommandHost::Frame frame);

    DocLifecycle life_;
    FileCommandHost& host_;
};

}  // namespace qz
