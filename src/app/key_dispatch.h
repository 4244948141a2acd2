// The key assignment schemes: which key code does what, first for the main
// frame (window-level actions), then for the active view. The tables are
// data, one row per action with the keys of each scheme.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qz {

class CQzedView;

// Everything a key can do in a view. The view runs most of them itself;
// the rest go to the frame through KeyActionHost.
enum class ViewAction {
    Backspace, BracketJump, Cancel, CharCodeDisplay, Copy, Cut, RadixConversion, Delete, DeleteRow,
    DeleteToLineEnd, DeleteToRowStart, DeleteWord, DrTagJump, DuplicateRow, RowEnd, FileEnd,
    FunctionGuidance, FunctionList, HalfPageDown, HalfPageUp, HelpEntry, InsertTemplateKey,
    JumpToLine, LogRecord, LogReplay, MarkJumpDialog, NextFunction, NextWindow, CharLeft, CharRight,
    OnePointMark, OpenLineAbove, OpenLineBelow, OpenFileAtCaret, OpenAssociated, PageDown, PageUp,
    Paste, PreviousFunction, PreviousWindow, Print, BoxCalculation, RememberLine, Replace,
    ReturnToRememberedLine, RowsDown, RowsUp, SearchDialog, SearchNext, SearchPrevious,
    SearchWordAtCaret, SelectAll, RowStart, StartSelection, SelPageDown, SelPageUp, SelFileEnd,
    SelFileTop, SelRowEnd, SelRowStart, SelWordLeft, SelWordRight, TemplateDialog, ToggleCase,
    ToggleInsert, ToggleWidth, FileTop, TypeLineFeed, TypeTab, UndeleteChar, UndeleteRow, Undo,
    WindowSelection, WordLeft, WordLeftSkipping, WordRight, WordRightSkipping, AsciiTable, SetPrefix,
    ShellLineFeed,  // a line feed in an OS command window, open line below elsewhere
    RuleLine,       // argument: operation * 10 + direction (2 draw, 1 erase; 1 up, 2 down, 3 right, 4 left)
};

// Window-level actions of the frame dispatcher.
enum class FrameAction {
    MenuPopup,        // argument: the popup 1 to 4 of the menu bar
    ShiftMenuPopup,   // argument: the popup 1 to 3 of the Shift menu
    SettingsSheet, UserTool, MaximizeRestore, NewWindow, StartCalculator, WindowList,
    CycleTabMarks,    // done by the dispatcher; the host repaints every view
    Browser,          // argument: 1 or 2
    ScrollAllViews,   // argument: -1 up, 1 down
    SplitRows, HelpIndex, FileNew, FileOpen, FileSave,
    MenuMnemonic,     // argument: the letter
    ToggleLineNumbers,
};

// What the frame does for the keys: the actions the view does not run
// itself, with an argument where the action needs one (the help entry or
// template key number, the popup, the browser, the scroll direction).
class KeyActionHost {
public:
    virtual ~KeyActionHost() = default;
    // A view action the frame carries out (its subsystem lives outside the
    // view: dialogs, lists, windows, the keystroke log of the view).
    virtual void RunViewAction(ViewAction action, int argument) = 0;
    virtual void RunFrameAction(FrameAction action, int argument) = 0;
};

constexpr int kKeySchemes = 4;
constexpr int kKeysPerCell = 4;

struct ViewKeyRow {
    ViewAction action;
    int argument;
    // The keys of schemes 1 to 4; 0 ends a list (plain 0 is typing, never a command).
    uint16_t keys[kKeySchemes][kKeysPerCell];
};

struct FrameKeyRow {
    FrameAction action;
    int argument;
    uint16_t keys[kKeySchemes][kKeysPerCell];
};

const ViewKeyRow* ViewKeyTable(size_t* count);
const FrameKeyRow* FrameKeyTable(size_t* count);

// What a key does in a view for a scheme (1 to 4), with the rules that
// depend on the moment: selection, "Asin4Type", "RuleLineMode". False when
// the key has no action there. argument is set for actions that take one.
bool ViewActionFor(int scheme, int asin4Type, int code, const CQzedView& view, ViewAction* action,
                   int* argument);

// Runs an action in the view, or hands it to the host.
void RunViewAction(CQzedView& view, ViewAction action, int argument, KeyActionHost& host);

// The dispatch of one key code: the frame's table first, then the active
// view's (null when no view is active: then only the frame acts). A scheme
// outside 1-4 makes the frame do nothing. True when something took the key.
bool DispatchKey(int scheme, int asin4Type, int code, CQzedView* view, KeyActionHost& host);

}  // namespace qz
