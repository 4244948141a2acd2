// What an editing view needs from the window that shows it: the grid's size,
// drawing finished rows, the caret, scroll bars, panes, messages and input state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lang/tag_search.h"

namespace qz {

class MessageBox;

// The three fonts a row is drawn with.
enum class FontKind { Display, Underline, Mark };

// One run of cells of equal attribute, ready to draw: text bytes (Shift-JIS,
// one byte per cell), colour indexes into the 16-colour palette, the font.
struct PaintRun {
    int cell = 0;  // first cell of the run, 0-based from the left edge
    std::string text;
    int fore = 0, back = 1;
    FontKind font = FontKind::Display;
    bool operator==(const PaintRun&) const = default;
};

// Message area kinds: prompts black on green, errors red on the button face
// (the view beeps itself), information in the button text colour.
enum class MessageKind { Prompt, Error, Info };

enum class PointerShape { Default, Hand };
enum class AsyncKey { Escape, Space };

// Where the caret guide lines go, in pixels; style 0 none, 1 dotted, else solid.
struct GuideLines {
    int x = 0, y = 0, right = 0, bottom = 0;
    int vStyle = 0, hStyle = 0;
    int backColour = 1, lineColour = 0;
    bool operator==(const GuideLines&) const = default;
};

class ViewHost {
public:
    virtual ~ViewHost() = default;

    // --- geometry ---
    virtual int ClientWidth() = 0;
    virtual int ClientHeight() = 0;
    // The display font's tmAveCharWidth and tmHeight.
    virtual int CharWidth() = 0;
    virtual int CharHeight() = 0;

    // --- painting ---
    // Draws screen row s (1-based) at y = (s - 1) x row height with its runs;
    // cell x = run cell x cell width.
    virtual void DrawRow(int screenRow, const std::vector<PaintRun>& runs) = 0;
    // Moves the window's pixels by whole rows: positive moves the picture up
    // (the view scrolled down). The view repaints the exposed rows itself.
    virtual void ScrollRows(int rows) = 0;
    // Everything to be painted again through the view's paint handler.
    virtual void InvalidateAll() = 0;

    // --- caret and guide lines ---
    virtual void CreateCaret(int width, int height) = 0;
    virtual void DestroyCaret() = 0;
    virtual void ShowCaret() = 0;
    virtual void HideCaret() = 0;
    virtual void SetCaretPos(int x, int y) = 0;
    virtual void SetCompositionWindow(int x, int y) = 0;
    // The composition font follows the display font.
    virtual void SetCompositionFont() = 0;
    virtual void SetInputMethodOpen(bool open) = 0;
    // XOR drawing: drawing the same lines again removes them.
    virtual void XorGuideLines(const GuideLines& lines) = 0;

    // --- bars and panes ---
    virtual void SetScrollBar(bool vertical, int min, int max, int page, int pos) = 0;
    // Row and column panes of the status bar (only for the active view).
    virtual void SetPositionPanes(const std::string& row, const std::string& column) = 0;
    virtual bool IsActiveView() = 0;
    // UTF-8 text in the message area; an empty text clears it.
    virtual void ShowMessage(const std::string& utf8, MessageKind kind) = 0;
    virtual void Beep() = 0;
    virtual MessageBox& Boxes() = 0;

    // --- input state and services ---
    virtual bool IsKeyDown(AsyncKey key) = 0;
    virtual void SetTimer(int id, int milliseconds) = 0;
    virtual void KillTimer(int id) = 0;
    virtual void CaptureMouse(bool capture) = 0;
    virtual void SetPointer(PointerShape shape) = 0;
    // Puts the pointer at its own place again so that move messages keep
    // coming while the button is held still during a drag.
    virtual void RepeatPointerPosition() = 0;
    virtual void Sleep(int milliseconds) = 0;
    // The frame's window-selection prompt (arrows select windows then).
    virtual bool WindowSelectActive() = 0;
    // Opens a link with the shell's "open" verb; the result follows
    // ShellExecute (below 32 is a failure).
    virtual int ShellOpen(const std::string& target) = 0;
    // Open-file dialog of "insert another file": title and filter as given,
    // the read-only box hidden, existing files only. False on cancel.
    virtual bool AskOpenFile(const std::string& titleUtf8, const std::string& filterUtf8,
                             std::string* pathUtf8) = 0;
    // The jump-to-line dialog, its number field starting with initial (a
    // first digit typed before it opened): false on cancel.
    virtual bool AskLineNumber(const std::string& titleUtf8, const std::string& promptUtf8,
                               const std::string& initial, long* line) = 0;
    // The second stroke of a scheme-3 Ctrl+Q pair that belongs to the frame
    // or to other commands ("." "@" "B" "F" "U" "[" "]" and the digits,
    // upper-cased).
    virtual void PrefixSecondStroke(char key) { (void)key; }
    // Shift (1) or Ctrl (2) pressed alone: the frame swaps the PF-key labels.
    virtual void ShowModifierLabels(int modifier) { (void)modifier; }
    // Whether this document is the one that runs shell commands.
    virtual bool IsShellDocument() { return false; }
    // The small replace box of interactive replace, placed below the match:
    // matchX, matchY are the client pixels of the match's first cell, the
    // box goes rowHeight below that. Called again for every new match (the
    // box moves). False when the box could not be made.
    virtual bool ShowReplaceBox(int matchX, int matchY, int rowHeight) {
        (void)matchX, (void)matchY, (void)rowHeight;
        return true;
    }
    virtual void HideReplaceBox() {}
    // Drops the key messages that arrived while a replace-all ran, so that
    // they do not edit the text afterwards.
    virtual void DiscardQueuedKeys() {}
    // Opens a file, or brings up its open document, with the caret at the
    // start of a line. originView: the view a stored place was taken in,
    // which shows it again when it still shows that file (null: none).
    // False when the file could not be opened; a host without documents
    // opens nothing.
    virtual bool OpenAtLine(const std::string& pathUtf8, int32_t line, const void* originView) {
        (void)pathUtf8, (void)line, (void)originView;
        return false;
    }
    // The jump list of a definition found in several places: the row the
    // user chose, or -1 when the list was cancelled.
    virtual int ChooseJumpTarget(const std::vector<DefinitionCandidate>& candidates) {
        (void)candidates;
        return -1;
    }
};

}  // namespace qz
