// The file menu's save, close and re-edit commands.
#include "app/file_commands.h"

#include <sys/stat.h>

#include <set>

#include "document/file_io.h"
#include "document/qzed_doc.h"
#include "platform/message_box.h"

namespace qz {

using Frame = FileCommandHost::Frame;

FileCommands::FileCommands(MessageBox& box, FileIo& io, FileCommandHost& host)
    : life_(box, io, host), host_(host) {}

bool FileCommands::Execute(int id) {
    switch (id) {
    case cmd::kFileSave: Save(); return true;
    case cmd::kFileSaveAs: SaveAs(); return true;
    case cmd::kFileRename: Rename(); return true;
    case cmd::kFileWriteOne: WriteOne(); return true;
    case cmd::kFileWriteChanged: WriteChanged(); return true;
    case cmd::kFileSaveClose: SaveAndClose(); return true;
    case cmd::kFileSaveCloseAll: SaveAndCloseAll(); return true;
    case cmd::kFileQuit: Quit(); return true;
    case cmd::kFileCloseUnchanged: CloseUnchanged(); return true;
    case cmd::kFileQuitAll: QuitAll(); return true;
    case cmd::kFileReEdit: ReEdit(); return true;
    default: return false;
    }
}

CQzedDoc* FileCommands::ActiveDocument() {
    const Frame frame = host_.ActiveFrame();
    return frame ? &host_.DocumentOf(frame) : nullptr;
}

bool FileCommands::SaveDocument(CQzedDoc& doc) {
    const bool ok = life_.Io().Save(doc, doc.GetPathName()) == 1;
    host_.RedrawViews(doc);
    return ok;
}

bool FileCommands::Shared(Frame frame) {
    CQzedDoc& doc = host_.DocumentOf(frame);
    for (Frame other : host_.Frames())
        if (other != frame && &host_.DocumentOf(other) == &doc) return true;
    return false;
}

bool FileCommands::MayClose(Frame frame) {
    // The last window of the OS command window may not go while its command
    // runs, as closing it through the save question would refuse too.
    CQzedDoc& doc = host_.DocumentOf(frame);
    if (doc.File().special && !Shared(frame) && host_.ShellCommandRunning(doc)) {
        life_.Box().Show(lifecycle_msg::kShellRunning, doc.GetPathName(), MbIcon::Stop, MbButtons::Ok);
        return false;
    }
    return true;
}

bool FileCommands::CloseFrame(Frame frame) {
    if (!MayClose(frame)) return false;
    host_.CloseFrame(frame);
    return true;
}

bool FileCommands::Save() {
    CQzedDoc* doc = ActiveDocument();
    if (!doc) return false;
    struct stat st {};
    if (::stat(doc->GetPathName().c_str(), &st) != 0) return SaveAs();
    return SaveDocument(*doc);
}

bool FileCommands::SaveAs() {
    CQzedDoc* doc = ActiveDocument();
    if (!doc || !life_.ChooseNameAndCode(*doc, "")) return false;
    return SaveDocument(*doc);
}

bool FileCommands::Rename() {
    CQzedDoc* doc = ActiveDocument();
    if (!doc || !life_.ChooseNameAndCode(*doc, filecmd_msg::kRenameCaption)) return false;
    doc->SetReadOnly(false);
    doc->SetModifiedFlag(true);
    host_.RedrawViews(*doc);
    return true;
}

bool FileCommands::WriteOne() {
    CQzedDoc* doc = ActiveDocument();
    return doc && SaveDocument(*doc);
}

bool FileCommands::WriteChanged() {
    for (Frame frame : host_.Frames()) {
        CQzedDoc& doc = host_.DocumentOf(frame);
        if (!doc.IsModified() || doc.File().special) continue;
        if (!SaveDocument(doc)) return false;
    }
    return true;
}

bool FileCommands::SaveAndClose() {
    const Frame frame = host_.ActiveFrame();
    if (!frame || !SaveDocument(host_.DocumentOf(frame))) return false;
    return CloseFrame(frame);
}

bool FileCommands::SaveAndCloseAll() {
    // Pointers only: a document may be gone once its last frame closed.
    std::set<const CQzedDoc*> listed;
    std::set<Frame> closed;
    while (const Frame frame = host_.ActiveFrame()) {
        // A frame that stayed open would be visited for ever.
        if (!closed.insert(frame).second) return false;
        CQzedDoc& doc = host_.DocumentOf(frame);
        if (doc.IsModified()) {
            if (!SaveDocument(doc)) return false;
            listed.insert(&doc);  // the save made its reopen-list entry
        } else if (listed.insert(&doc).second) {
            host_.AppendReopenListEntry(doc, doc.GetPathName());
        }
        if (!CloseFrame(frame)) return false;
    }
    return true;
}

bool FileCommands::Quit() {
    const Frame frame = host_.ActiveFrame();
    if (!frame) {
        host_.SendMainFrameCommand(cmd::kMainFrameQuit);
        return true;
    }
    if (!MayClose(frame)) return false;
    CQzedDoc& doc = host_.DocumentOf(frame);
    // Closing one of several windows of a document abandons nothing: the
    // changes stay in the others, and so does their flag.
    if (doc.IsModified() && !Shared(frame)) {
        if (life_.Box().Show(filecmd_msg::kQuitQuestion, filecmd_msg::kQuitCaption, MbIcon::Question,
                             MbButtons::YesNoCancel) != MbResult::Yes)
            return false;
        doc.SetModifiedFlag(false);
    }
    host_.CloseFrame(frame);
    return true;
}

void FileCommands::CloseUnchanged() {
    for (Frame frame : host_.Frames())
        if (!host_.DocumentOf(frame).IsModified()) CloseFrame(frame);
}

bool FileCommands::QuitAll() {
    if (life_.Box().Show(filecmd_msg::kQuitAllQuestion, filecmd_msg::kQuitAllCaption, MbIcon::Question,
                         MbButtons::YesNoCancel) != MbResult::Yes)
        return false;
    const std::vector<Frame> frames = host_.Frames();
    for (Frame frame : frames) host_.DocumentOf(frame).SetModifiedFlag(false);
    bool all = true;
    for (Frame frame : frames) all = CloseFrame(frame) && all;
    return all;
}

bool FileCommands::ReEdit() {
    CQzedDoc* doc = ActiveDocument();
    return doc && life_.ReEdit(*doc);
}

}  // namespace qz
