// What the document lifecycle and the file commands need of the frames: the
// child windows, their views, the save-type dialog and the main frame.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/file_io.h"

namespace qz {

class CQzedDoc;

// The answer of the save-type dialog: the chosen path and the index of the
// code list (0 "自動識別", 1 to 6 code and line end).
struct SaveTypeAnswer {
    std::string path;
    int codeIndex = 0;
};

// Sizes of the first view of a document, in pixels.
struct ViewMetrics {
    int clientWidth = 0;
    int charWidth = 0;  // the display font's average character width
};

// Implemented by the port's document manager. A frame is a child window; two
// frames may show one document. Frames are named by an opaque handle that the
// host hands out and takes back; it stays valid until the frame is closed.
class FileCommandHost : public FileIoHost {
public:
    using Frame = void*;

    // Every open child frame once, the active one first, then in next-window
    // order. Empty when no child frame is open.
    virtual std::vector<Frame> Frames() = 0;
    // Null when no child frame is open.
    virtual Frame ActiveFrame() = 0;
    virtual CQzedDoc& DocumentOf(Frame frame) = 0;
    // Closes the frame at once without asking anything; the document goes
    // with its last frame. Afterwards the frame is no longer among Frames()
    // and another frame (if any) is active.
    virtual void CloseFrame(Frame frame) = 0;

    // Views of the document over all its frames.
    virtual int ViewCount(CQzedDoc& doc) = 0;
    virtual ViewMetrics FirstViewMetrics(CQzedDoc& doc) = 0;
    // After the document's layout changed: every view recomputes its rows
    // and caret.
    virtual void RelayoutViews(CQzedDoc& doc) = 0;
    virtual void RedrawViews(CQzedDoc& doc) = 0;
    // The document's path, code or line end changed: the frames rebuild the
    // window title (which depends on their minimised state).
    virtual void UpdateTitles(CQzedDoc& doc) = 0;

    // The save-type dialog (code list, default extension "txt", overwrite
    // prompt) starting at startPath; an empty caption keeps the dialog's own.
    // Nothing when cancelled.
    virtual std::optional<SaveTypeAnswer> AskSaveType(const std::string& caption,
                                                      const std::string& startPath) = 0;
    // Sends a command to the main frame (the quit command with no window open).
    virtual void SendMainFrameCommand(int id) = 0;

    // The temporary-save register lets go of a path the document no longer
    // has (its temporary file goes with it).
    virtual void FreeRegisterEntry(const std::string& oldPath) { (void)oldPath; }
};

}  // namespace qz
