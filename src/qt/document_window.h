// The open documents of the frame: each a CQzedDoc shown in one or more
// CQzedChild windows (MDI children holding up to 2 x 2 views of it), opened,
// saved and closed here.
#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/file_command_host.h"
#include "app/file_commands.h"
#include "app/recovery.h"
#include "app/reopen_list.h"
#include "document/file_io.h"
#include "document/qzed_doc.h"
#include "document/temp_register.h"
#include "document/temp_save.h"
#include "view/key_log.h"

class QKeyEvent;
class QMdiArea;
class QSplitter;

namespace qz {

class MessageBox;
class QzedViewWidget;
class DocumentManager;

class CQzedChild : public QMdiSubWindow {
    Q_OBJECT
public:
    CQzedChild(std::shared_ptr<CQzedDoc> doc, MessageBox& boxes, DocumentManager& manager);
    ~CQzedChild() override;

    CQzedDoc& Doc() { return *doc_; }
    const std::shared_ptr<CQzedDoc>& SharedDoc() const { return doc_; }
    const std::string& Path() const { return doc_->GetPathName(); }
    // The view that last had the focus (the first pane at the start).
    QzedViewWidget* ViewWidget() const { return active_; }
    // Every pane, row by row.
    std::vector<QzedViewWidget*> Views() const;
    void UpdateTitle();
    // The window's own status message, shown while it is the active one.
    struct Message {
        QString text;
        uint32_t fore = 0xFF000012, back = 0xFF00000F;
    };
    void SetMessage(const QString& text, uint32_t fore, uint32_t back) { message_ = {text, fore, back}; }
    const Message& LastMessage() const { return message_; }
    // Split top/bottom and left/right: a second row or column of panes, or,
    // when there is one already, back to one.
    void SplitRows();
    void SplitColumns();
    int Rows() const;
    int Columns() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QzedViewWidget* MakeView();
    QSplitter* MakeRow(int columns);
    void DropView(QzedViewWidget* v);

    std::shared_ptr<CQzedDoc> doc_;
    MessageBox& boxes_;
    DocumentManager& manager_;
    QSplitter* rows_;
    QzedViewWidget* active_ = nullptr;
    Message message_;
};

class DocumentManager : public QObject, public FileCommandHost, public LogPane, public ReopenHost {
    Q_OBJECT
public:
    DocumentManager(QMdiArea* area, MessageBox& boxes, QObject* parent = nullptr);
    ~DocumentManager() override;

    // A new empty document named "TextN.txt" in dir.
    CQzedChild* NewDocument(const std::string& dir);
    // A new OS command window whose work path is workPath.
    CQzedChild* NewOsWindow(const std::string& workPath);
    // Opens path (made canonical); an open document of the same path is
    // activated instead. Null when the file could not be loaded. chosen: a
    // file picked in the open dialog or the recent list (a plain file again,
    // read-only when the dialog's box was ticked).
    CQzedChild* Open(const std::string& path, int explicitCode = 0, bool chosen = false,
                     bool readOnly = false);
    // The files picked together in the open dialog, in turn; stops at the
    // first that fails to open. The number opened.
    size_t OpenChosen(const std::vector<std::string>& paths, int explicitCode, bool readOnly);
    // Another window on the document of child.
    CQzedChild* NewWindow(CQzedChild* child);
    // The save question of a modified document whose last window closes:
    // false when the user cancels or the save fails (the window stays).
    bool QueryClose(CQzedChild& child);
    // The file menu's commands by id (save, save as, close and re-edit ones).
    FileCommands& Commands() { return commands_; }
    // Closing the editor: every modified document answers its question
    // first; then every window closes. False when one refused.
    bool CloseAll();
    CQzedChild* Active() const;
    // Open windows in the area's order.
    std::vector<CQzedChild*> Children() const;
    // The first window of the document of path.
    CQzedChild* Find(const std::string& path) const;
    // Windows and views showing doc.
    std::vector<CQzedChild*> ChildrenOf(const CQzedDoc& doc) const;
    int ViewCount(const CQzedDoc& doc) const;
    int ViewCount(CQzedDoc& doc) override { return ViewCount(static_cast<const CQzedDoc&>(doc)); }
    // Every open document once.
    std::vector<CQzedDoc*> Documents() const;
    // The outside-change check of one document and of all (on activation).
    void CheckExternalChange(CQzedDoc& doc);
    void CheckAllExternalChanges();
    // The 10-second tick of a view of child with that view's timer state;
    // firstPane: the view in the window's first pane.
    void TemporarySaveTick(CQzedChild& child, TempSaveTimer& timer, bool firstPane);
    // Copies a crash left, each opened as a modified document of its
    // original path. The number opened.
    size_t OpenRecovered(const std::vector<RecoveredCopy>& copies);
    // Command 32872 and "-q": the files saved in the latest run.
    void ReopenPreviousRun() { reopen_.Reopen(*this); }
    const TempRegister& Register() const { return register_; }
    // Every view of doc lays out again (the number of views changed).
    void ResetLayout(CQzedDoc& doc);
    FileIo& Io() { return io_; }
    MessageBox& Boxes() { return boxes_; }

    // Whether a command of the document's OS window runs.
    std::function<bool(CQzedDoc&)> shellRunning;
    // A key in a view before the view's own handling; true when taken.
    std::function<bool(QzedViewWidget*, QKeyEvent*)> shellKey;

    // FileIoHost
    bool ShellCommandRunning(CQzedDoc& doc) override { return shellRunning && shellRunning(doc); }
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool ReopenDocument(CQzedDoc& doc, const std::string& path) override;
    void ResetViews(CQzedDoc& doc) override;
    void CloseFrames(CQzedDoc& doc) override;
    void AppendReopenListEntry(CQzedDoc& doc, const std::string& path) override;
    // FileCommandHost
    std::vector<Frame> Frames() override;
    Frame ActiveFrame() override { return Active(); }
    CQzedDoc& DocumentOf(Frame frame) override { return static_cast<CQzedChild*>(frame)->Doc(); }
    void CloseFrame(Frame frame) override;
    ViewMetrics FirstViewMetrics(CQzedDoc& doc) override;
    void RelayoutViews(CQzedDoc& doc) override { ResetLayout(doc); }
    void RedrawViews(CQzedDoc& doc) override;
    void UpdateTitles(CQzedDoc& doc) override;
    std::optional<SaveTypeAnswer> AskSaveType(const std::string& caption, const std::string& startPath) override;
    void SendMainFrameCommand(int id) override;
    void FreeRegisterEntry(const std::string& oldPath) override { register_.Free(oldPath); }
    // ReopenHost
    bool OpenForReopen(const std::string& path, int code, uint32_t line) override;
    // LogPane: the status bar's log pane, through onLogPane.
    void SetLogPane(const std::string& text, LogPaneLook look) override;

    // Status bar outputs of the active view.
    std::function<void(const QString& row, const QString& column)> onPanes;
    std::function<void(const QString& text, int kind)> onMessage;
    std::function<void(const QString& text, LogPaneLook look)> onLogPane;
    // A temporary save of the active window begins (true) and is over (false).
    std::function<void(bool running)> onTempSave;
    // After the last document has closed.
    std::function<void()> onLastClosed;
    // A chord of the key tables pressed in a view.
    std::function<void(int code, QzedViewWidget* view)> onCommandKey;
    // A command for the main frame (the quit command with no window open).
    std::function<void(int id)> onFrameCommand;
    // A window was made / closed (before it goes).
    std::function<void(CQzedChild*)> onOpened;
    std::function<void(CQzedChild*)> onClosed;
    // The frame's window-selection mode: whether it runs, and its keys
    // (true when the key was the mode's).
    std::function<bool()> windowSelecting;
    std::function<bool(int code)> frameKey;
    // Scheme 3's second key of a Ctrl+Q pair that belongs to the frame.
    std::function<void(char key)> onPrefixStroke;
    // A view saw Shift (1) or Ctrl (2) go down, or asks for the plain labels (0).
    std::function<void(int modifier)> onModifierLabels;
    // A right click in a view, at this screen position.
    std::function<void(const QPoint& at)> onContextMenu;
    // The key scheme in force, given to each new view.
    std::function<int()> keyScheme;
    // A view's jump to a line of a file (see ViewHost::OpenAtLine).
    std::function<bool(const std::string& path, int32_t line, const void* originView)> onOpenAtLine;

private:
    friend class CQzedChild;
    CQzedChild* Show(std::shared_ptr<CQzedDoc> doc);
    void Closed(CQzedChild* child);

    QMdiArea* area_;
    MessageBox& boxes_;
    FileIo io_;
    FileCommands commands_;
    // Both in the state folder as it was when the frame was made.
    TempRegister register_;
    ReopenList reopen_;
    bool checking_ = false;
    int cascade_ = 0;  // windows placed since the area was last empty
};

}  // namespace qz
