// CMainFrame: the behaviour of the editor's main window, free of any
// toolkit. It keeps the window list and tabs, the status panes, the scheme
// menus and function-key labels for the held modifier, routes commands and
// keys, runs the window-selection mode, and decides what closing means.
// The port draws what it decides through a FrameHost.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/key_dispatch.h"
#include "frame/menus.h"
#include "frame/pfkey_labels.h"
#include "frame/status_panes.h"
#include "frame/window_list.h"
#include "frame/window_tabs.h"
#include "settings/settings.h"
#include "view/view_host.h"

namespace qz {

class CQzedDoc;
class CQzedView;
class FileCommands;
class GuidanceHost;

class FrameHost {
public:
    using Window = void*;
    virtual ~FrameHost() = default;

    // --- the child windows ---
    // Open windows in the order they were made.
    virtual std::vector<Window> Windows() = 0;
    virtual Window ActiveWindow() = 0;
    // Activates w, restores it when minimised and gives its view the focus.
    virtual void ActivateWindow(Window w) = 0;
    virtual bool IsMinimized(Window w) = 0;
    virtual bool IsMaximized(Window w) = 0;
    virtual void SetMaximized(Window w, bool maximized) = 0;
    virtual CQzedDoc& DocumentOf(Window w) = 0;
    // The window's focused view, and all its panes.
    virtual CQzedView& ViewOf(Window w) = 0;
    virtual std::vector<CQzedView*> ViewsOf(Window w) = 0;
    // Closes one window as its close box does (asking about changes); false
    // when the user kept it.
    virtual bool CloseWindow(Window w) = 0;
    // Every view of every window showing doc lays out again and repaints.
    virtual void RelayoutViews(CQzedDoc& doc) = 0;
    virtual void RepaintAllViews() = 0;
    // A window's own status message (the window-selection prompt); the
    // active window's shows in the message pane. Empty clears it.
    virtual void SetWindowMessage(Window w, const std::string& utf8, uint32_t fore, uint32_t back) = 0;

    // --- the frame's own widgets ---
    virtual void ShowPane(int pane, const PaneLook& look) = 0;
    virtual void ShowPfLabels(const PfLabels& labels) = 0;
    virtual void ShowMenuBar(const std::vector<MenuItem>& items) = 0;
    // The dialog bar's tabs; selected is the active window's tab or -1.
    virtual void ShowTabs(const std::vector<WindowTabs::Tab>& tabs, int selected) = 0;
    // Opens the menu bar's top-level item index (0-based) as a popup.
    virtual void OpenMenuPopup(int index) = 0;
    virtual bool IsFrameMaximized() = 0;
    virtual void SetFrameMaximized(bool maximized) = 0;
    // The frame's close (settings, then the documents' questions): false when
    // a question was cancelled.
    virtual bool CloseFrame() = 0;
    virtual void HideFrame() = 0;
    virtual void Beep() = 0;

    // --- what only the port can do: dialogs, windows, bars ---
    // Runs a command that needs the port's dialogs or widgets (open, the
    // search dialogs, the code tables, the window list, the About box,
    // splitting, arranging, the bars). False when the port has none.
    virtual bool RunPortCommand(int id) = 0;
    // Opens a file as a document, or brings up its window when it is open
    // already; null when it could not be opened (the reason has been shown).
    virtual Window OpenDocument(const std::string& pathUtf8) = 0;
    // Whether a port command can run now (a check mark or an enabled state
    // the port alone knows, such as a bar being shown). Nothing: no opinion.
    virtual int PortCommandState(int id) { (void)id; return -1; }
    // The line feed of an OS command window in the active view: true when
    // that view is one and the line was run.
    virtual bool OsWindowLineFeed() { return false; }
};

// What a menu or tool-bar entry looks like now.
struct CommandState {
    bool enabled = false;
    bool checked = false;
};

class CMainFrame : public KeyActionHost {
public:
    using Window = FrameHost::Window;

    // scheme and asin4Type: "AsinMode" and "Asin4Type" as the frame was made.
    CMainFrame(FrameHost& host, FileCommands& files, int scheme, int asin4Type);

    int Scheme() const { return scheme_; }
    ModifierState Modifiers() const { return modifiers_; }

    // --- creation and the end of the run ---
    // Shows the panes, the labels, the menu and the placeholder tab.
    void Start();
    // The close box: resident, every window closes and the frame hides;
    // otherwise the frame closes.
    void CloseBox(bool resident);
    // Whether the frame lives in the notification area (its icon exists).
    void SetResident(bool resident) { resident_ = resident; }
    bool Resident() const { return resident_; }

    // --- windows ---
    void WindowOpened(Window w);
    void WindowClosed(Window w);
    // Activation changed (w may be null): tabs, panes and the list follow.
    void WindowActivated(Window w);
    // A tab was chosen: its window comes up and goes to the front.
    void TabChosen(int index);
    // The document of w changed its modified state or path: its tab.
    void WindowChanged(Window w);
    // After the last window closed: the idle panes, then "EndMode".
    // startedWithFiles: the start-up flag of files named on a command line.
    void LastWindowClosed(bool startedWithFiles);
    const WindowList& List() const { return list_; }
    const WindowTabs& Tabs() const { return tabs_; }

    // --- panes (the active view writes them through the port) ---
    void SetPane(int pane, const PaneLook& look);
    const StatusPanes& Panes() const { return panes_; }
    // The modified pane of the active document.
    void ShowModified(bool modified);
    // The prefix-key pane: lit while the active view waits for a second key.
    void ShowPrefix(bool pending);
    // The temporary-save pane: lit while a temporary save of the active
    // window runs, grey again afterwards.
    void ShowTempSave(bool running);

    // --- modifiers: the menu bar and the function-key labels follow ---
    void SetModifiers(ModifierState state);

    // --- commands ---
    CommandState StateOf(int id);
    // Runs a command from a menu, a tool bar or a key; false when it did not
    // run (unknown, or not possible now: the reason is in the
    // message area).
    bool Execute(int id);
    // A key code from the accelerator chords or a function-key button.
    bool DispatchKey(int code);
    // A function-key button clicked with the modifiers held at that moment.
    bool PfKeyClicked(int index, bool shift, bool ctrl, bool alt);
    // Scheme 3: the second key of a Ctrl+Q pair that the view hands on.
    void PrefixSecondStroke(char key);

    // --- window selection (arrows, Enter and Esc go here while it runs) ---
    bool WindowSelectActive() const { return selecting_; }
    // True when the key was the mode's.
    bool WindowSelectKey(int code);

    // --- jumps ---
    // Brings up a place in a file: originView, when it still shows the file,
    // else the file's window (opened when it is not open). False when the
    // file could not be opened.
    bool OpenAtLine(const std::string& pathUtf8, int32_t line, const void* originView);

    // The port's side of the function guidance (null: none).
    void SetGuidanceHost(GuidanceHost* host) { guidance_ = host; }

    // KeyActionHost
    void RunViewAction(ViewAction action, int argument) override;
    void RunFrameAction(FrameAction action, int argument) override;

    // The recent files as menu entries (ids 33261 on), "MRUCount" of them.
    static std::vector<MenuItem> RecentFileItems();
    // Replaces the recent-file placeholder in items (and their popups).
    static void ExpandRecent(std::vector<MenuItem>& items);
    // The menu bar in force, with the recent files expanded.
    std::vector<MenuItem> CurrentMenu() const;

    // Texts of the frame.
    static constexpr const char* kWindowSelectPrompt =
        "ウインドウを選択して下さい  <ESC>:取消  <改行>:確定  <↑><↓>:切り換え";

private:
    CQzedView* ActiveView();
    CQzedDoc* ActiveDocument();
    void ShowAllPanes();
    void RefreshTabs();
    bool Skip(Window w);
    void StepWindow(bool next);
    void StartWindowSelection();
    void EndWindowSelection(bool confirm);
    void MaximizeRestore();
    bool RunOwn(int id);
    // The language commands (lang_commands.cpp): false for other ids.
    bool RunLanguageCommand(int id);
    void JumpBack();
    void OpenLanguageFile(int id);
    // The function guidance with help entry n, 0 to choose (guidance_command.cpp).
    void RunGuidance(int n);
    // Flips a per-type 0/1 setting of the active document's type.
    void ToggleTypeSetting(int TypeSettings::*field);

    FrameHost& host_;
    FileCommands& files_;
    int scheme_;
    int asin4Type_;
    ModifierState modifiers_ = ModifierState::None;
    WindowList list_;
    WindowTabs tabs_;
    StatusPanes panes_;
    bool selecting_ = false;
    bool resident_ = false;
    Window selectStart_ = nullptr;
    GuidanceHost* guidance_ = nullptr;
};

}  // namespace qz
