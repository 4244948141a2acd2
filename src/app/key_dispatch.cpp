// Dispatching a key code: the moment-dependent keys first, then the tables;
// view actions run on the view, the rest go to the frame.
#include "app/key_dispatch.h"

#include "app/key_code.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

template <class Row> const Row* FindRow(const Row* rows, size_t n, int scheme, int code) {
    for (size_t i = 0; i < n; ++i)
        for (uint16_t k : rows[i].keys[scheme - 1]) {
            if (k == 0) break;
            if (k == code) return &rows[i];
        }
    return nullptr;
}

bool SelectionExists(const CQzedView& v) { return v.CommandSelectionActive() || v.KeySelection() != kSelNone; }

// Nothing going on in the view that Esc would end.
bool ViewIdle(const CQzedView& v) {
    return !SelectionExists(v) && v.BoxPromptMode() == 0 && v.Highlight() == 0;
}

}  // namespace

bool ViewActionFor(int scheme, int asin4Type, int code, const CQzedView& view, ViewAction* action,
                   int* argument) {
    if (scheme < 1 || scheme > kKeySchemes) return false;
    *argument = 0;
    const int n = code & kKeyNumberMask;
    const int mods = code & (kKeyShift | kKeyCtrl | kKeyAlt);

    // Line drawing takes the Ctrl and Ctrl+Shift arrows in every scheme.
    const int rule = TheSettings().env.RuleLineMode;
    if (rule >= 1 && rule <= 3 && (mods == kKeyCtrl || mods == (kKeyCtrl | kKeyShift))) {
        const int dir = n == kKeyUp ? 1 : n == kKeyDown ? 2 : n == kKeyRight ? 3 : n == kKeyLeft ? 4 : 0;
        if (dir) {
            *action = ViewAction::RuleLine;
            *argument = (mods == kKeyCtrl ? 2 : 1) * 10 + dir;
            return true;
        }
    }
    // Ranges: the help entries and the template keys.
    if (mods == kKeyCtrl && n >= KeyDigit(1) && n <= KeyDigit(9)) {
        *action = ViewAction::HelpEntry;
        *argument = n - kKeyDigit0;
        return true;
    }
    if (mods == kKeyAlt && (n <= KeyDigit(9) || (n >= kKeyLetterA && n <= KeyLetter('Z')))) {
        *action = ViewAction::InsertTemplateKey;
        *argument = n >= kKeyLetterA ? n - kKeyLetterA : 26 + (n - kKeyDigit0);
        return true;
    }
    // Keys whose meaning depends on the moment.
    if (scheme == 4 && code == Ctrl(KeyLetter('C'))) {
        *action = SelectionExists(view) ? ViewAction::Copy : ViewAction::FileEnd;
        return true;
    }
    if (scheme == 4 && asin4Type == 1) {
        if (code == kKeyHome) return *action = ViewAction::WindowSelection, true;
        if (code == Shift(kKeyHome)) return *action = ViewAction::PreviousWindow, true;
        if (code == Ctrl(Shift(kKeyHome))) return false;
    }
    if (scheme == 3 && code == KeyF(6) && view.CommandSelectionActive()) return *action = ViewAction::Cancel, true;
    if (scheme == 3 && code == kKeyEsc && ViewIdle(view)) return *action = ViewAction::SetPrefix, *argument = 3, true;

    size_t count = 0;
    const ViewKeyRow* rows = ViewKeyTable(&count);
    const ViewKeyRow* row = FindRow(rows, count, scheme, code);
    if (!row) return false;
    *action = row->action;
    // A prefix knows its scheme: the second stroke is read by that scheme's rules.
    *argument = row->action == ViewAction::SetPrefix ? scheme : row->argument;
    return true;
}

void RunViewAction(CQzedView& v, ViewAction action, int argument, KeyActionHost& host) {
    using A = ViewAction;
    switch (action) {
    case A::Backspace: return v.Backspace();
    case A::BracketJump: return v.BracketJump();
    case A::Cancel: return v.CancelCommand();
    case A::Copy: return v.Copy();
    case A::Cut: return v.Cut();
    case A::Delete: return v.DeleteChar();
    case A::DeleteRow: return v.DeleteRow();
    case A::DeleteToLineEnd: return v.DeleteToLineEnd();
    case A::DeleteToRowStart: return v.DeleteToRowStart();
    case A::DeleteWord: return v.DeleteWord();
    case A::DuplicateRow: return v.DuplicateRow();
    case A::RowEnd: return v.RowEnd();
    case A::FileEnd: return v.FileEnd();
    case A::HalfPageDown: return v.HalfPageDown();
    case A::HalfPageUp: return v.HalfPageUp();
    case A::JumpToLine: return v.JumpToLine();
    case A::CharLeft: return v.CharLeft();
    case A::CharRight: return v.CharRight();
    case A::OpenLineAbove: return v.OpenLineAbove();
    case A::OpenLineBelow: return v.OpenLineBelow();
    case A::PageDown: return v.PageDown();
    case A::PageUp: return v.PageUp();
    case A::Paste: return v.Paste();
    case A::RememberLine: return v.RememberLine();
    case A::ReturnToRememberedLine:
        if (v.RememberedLine() != 0) v.GoToLine(v.RememberedLine());
        return;
    case A::RowsDown: return v.RowsDown(1);
    case A::RowsUp: return v.RowsUp(1);
    case A::SearchNext: return v.SearchNext();
    case A::SearchPrevious: return v.SearchPrevious();
    case A::SearchWordAtCaret: return v.SearchStringFromCaret();
    case A::SelectAll: return v.SelectAll();
    case A::RowStart: return v.RowStart();
    case A::StartSelection: return v.StartCommandSelection();
    case A::SelPageDown: return v.SelPageDown();
    case A::SelPageUp: return v.SelPageUp();
    case A::SelFileEnd: return v.SelFileEnd();
    case A::SelFileTop: return v.SelFileTop();
    case A::SelRowEnd: return v.SelRowEnd();
    case A::SelRowStart: return v.SelRowStart();
    case A::SelWordLeft: return v.SelWordLeft();
    case A::SelWordRight: return v.SelWordRight();
    case A::ToggleCase: return v.ToggleCaseAtCaret();
    case A::ToggleInsert: return v.ToggleInsertMode();
    case A::ToggleWidth: return v.ToggleWidthAtCaret();
    case A::FileTop: return v.FileTop();
    case A::TypeLineFeed: return v.OnChar('\r');
    case A::TypeTab: return v.TabKey();
    case A::UndeleteChar: return v.UndeleteChar();
    case A::UndeleteRow: return v.UndeleteRow();
    case A::Undo: return v.UndoCommand();
    case A::WordLeft: return v.WordLeft(0);
    case A::WordLeftSkipping: return v.WordLeft(1);
    case A::WordRight: return v.WordRight(0);
    case A::WordRightSkipping: return v.WordRight(1);
    case A::SetPrefix: return v.SetPrefixPending(true, argument == 3);
    case A::RuleLine: return v.RuleLine(argument / 10, argument % 10);
    default: return host.RunViewAction(action, argument);
    }
}

bool DispatchKey(int scheme, int asin4Type, int code, CQzedView* view, KeyActionHost& host) {
    // A pending prefix takes this key whatever it is.
    if (view && view->PrefixPending()) {
        view->SetPrefixPending(false);
        if (scheme == 1 && code == Ctrl(KeyLetter('Z'))) host.RunFrameAction(FrameAction::ToggleLineNumbers, 0);
        return true;
    }
    if (scheme < 1 || scheme > kKeySchemes) return false;
    size_t count = 0;
    const FrameKeyRow* rows = FrameKeyTable(&count);
    if (const FrameKeyRow* row = FindRow(rows, count, scheme, code)) {
        if (row->action == FrameAction::CycleTabMarks && view) {
            int& marks = TheSettings().Type(view->Doc().GetFileType()).TabCr;
            marks = marks == 0 ? 1 : marks == 1 ? 2 : 0;
        }
        host.RunFrameAction(row->action, row->argument);
        return true;
    }
    if (!view) return false;
    ViewAction action;
    int argument = 0;
    if (!ViewActionFor(scheme, asin4Type, code, *view, &action, &argument)) return false;
    RunViewAction(*view, action, argument, host);
    return true;
}

}  // namespace qz
