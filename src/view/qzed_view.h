// CQzedView: the editing view of one document pane. It lays out and paints
// rows, moves the caret and runs the editing commands; the window that hosts
// it is reached only through ViewHost.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/qzed_doc.h"
#include "view/block_convert.h"
#include "view/clipboard.h"
#include "view/delete_ring.h"
#include "view/key_log_recorder.h"
#include "view/view_host.h"

namespace qz {

class MarkDialogModel;
struct FuncListResult;
struct TypeSettings;

// The log code of a command the keystroke log does not replay (what a
// dialog decided is not a key the log could press again).
constexpr int32_t kNotLogged = 0;

constexpr int kNumberCells = 8;       // the line-number area
constexpr int kMaxVisibleColumns = 255;
constexpr int kRowImageMax = 600;     // cells of one built row (tabs expand)
constexpr int kScrollBarMax = 30000;

// The 16-colour palette (0x00BBGGRR).
extern const uint32_t kPalette[16];

// Selection states of the key selection.
enum KeySelect { kSelNone = 0, kSelMade = 1, kSelDragging = 2 };
enum SelKind { kSelStream = 1, kSelBox = 2 };

// Word classes of word motion.
int WordClass(const uint8_t* p, size_t n);

class CQzedView : public LinesObserver {
public:
    CQzedView(CQzedDoc& doc, ViewHost& host);
    ~CQzedView() override;
    CQzedView(const CQzedView&) = delete;
    CQzedView& operator=(const CQzedView&) = delete;

    void SetRecorder(KeyLogRecorder* recorder) { recorder_ = recorder; }
    void SetClipboard(Clipboard* clipboard) { clipboard_ = clipboard; }
    CQzedDoc& Doc() { return doc_; }

    // ---------------------------------------------------------------- geometry
    // viewsOfDoc: how many views show the document (window wrapping only
    // applies to a single one).
    void OnInitialUpdate(int viewsOfDoc = 1);
    void OnSize(int viewsOfDoc = 1);
    void Relayout();
    // After the settings changed (fonts, the type's layout values): the
    // document has taken its type's values already; window wrapping follows
    // "RightTurn" again and the view relayouts on the caret's character.
    void OnSettingsChanged(int viewsOfDoc = 1);
    // fromAnotherWindow: the focus did not come from a pane of the same window.
    void OnSetFocus(bool fromAnotherWindow = true);
    void OnKillFocus();
    int RowHeight() const;
    int CellWidth() const;
    // Where the background erase starts: the rows' opaque output covers the
    // number area and visible columns + 1 cells to the left of it.
    int EraseFromX() const;

    // ---------------------------------------------------------------- painting
    // mode 1 ordinary, 0 without the caret-row colour; rows 1-based screen rows.
    void PaintRows(int mode, int first, int last);
    // The paint handler for an update rectangle's top and bottom (pixels).
    void OnPaint(int top, int bottom);
    // Builds the image of display row r from its text: one char and one
    // attribute per cell. Returns the cell count.
    int BuildRowImage(uint32_t r, const char* text, uint32_t n, char* chars, char* attrs);
    // The finished screen image of screen row s (numbers, cut, padding).
    void ScreenRowImage(int s, std::string* chars, std::string* attrs);
    // Runs of a screen row image with colours and fonts.
    std::vector<PaintRun> MakeRuns(const std::string& chars, const std::string& attrs, int mode,
                                   bool caretRow) const;

    // ---------------------------------------------------------------- caret primitives
    int StepHorizontal(int delta, int mode);
    int StepVertical(int delta);
    int KeepVisibleVertical(int mode);
    int KeepVisibleHorizontal();
    void PlaceCaret();
    void UpdateLogical();
    void UpdateScrollBars();
    void UpdatePanes();
    // Column of byte offset k (1-based) in row text.
    int ColumnOf(const char* text, uint32_t n, uint32_t k) const;

    // ---------------------------------------------------------------- motion commands
    void CharLeft();                       // 57
    void CharRight();                      // 56
    void RowsUp(int n);                    // 54
    void RowsDown(int n);                  // 55
    void RowStart();                       // 63
    void RowEnd();                         // 62
    void PageUp();                         // 22
    void PageDown();                       // 21
    void HalfPageUp();                     // 25
    void HalfPageDown();                   // 24
    void FileTop();                        // 19
    void FileEnd();                        // 18
    void SelectAll();                      // 1
    void SelCharLeft();                    // 61
    void SelCharRight();                   // 60
    void SelRowsUp(int n);                 // 58
    void SelRowsDown(int n);               // 59
    void SelPageUp();                      // 36
    void SelPageDown();                    // 35
    void SelRowStart();                    // 33
    void SelRowEnd();                      // 34
    void SelFileTop();                     // 32
    void SelFileEnd();                     // 31
    void SelWordLeft();                    // 86
    void SelWordRight();                   // 85
    void BoxCharLeft();                    // 84
    void BoxCharRight();                   // 83
    void BoxRowsUp(int n);                 // 81
    void BoxRowsDown(int n);               // 82
    void ToggleInsertMode();               // 29
    // Arrow keys: key 1 left, 2 up, 3 right, 4 down; scheme 1 to 4.
    void OnArrowKey(int key, bool shift, bool ctrl, bool alt, bool repeat, int scheme);
    // Shift or Ctrl pressed alone: the frame shows that set of function-key labels.
    void OnModifierKey(bool shift, bool ctrl, bool repeat);

    // ---------------------------------------------------------------- mouse and bars
    void OnLButtonDown(int x, int y, bool shift, bool ctrl, bool alt);
    void OnMouseMove(int x, int y, bool left, bool otherButtons, bool ctrl, bool alt);
    void OnLButtonUp(int x, int y);
    void OnLButtonDblClk(int x, int y);
    void OnMouseWheel(int delta, bool shift);
    // Scroll bar actions.
    enum ScrollAction { kLineUp, kLineDown, kPageUp, kPageDown, kThumbTrack, kTop, kBottom };
    void OnVScroll(ScrollAction action, int thumb);
    void OnHScroll(ScrollAction action, int thumb);
    // Row, column (1-based display) and byte offset under a client point.
    bool HitTest(int x, int y, uint32_t* row, int* column, uint32_t* offset);

    // ---------------------------------------------------------------- document calls
    void NotifyLinesChanged(uint32_t row, int32_t delta) override;
    void Reset();
    void GoToLine(uint32_t line);

    // ---------------------------------------------------------------- editing
    void OnChar(uint8_t c);
    void OnImeResult(const std::string& sjis);
    void TabKey();                         // 53 with "TabSp" 1, else a typed tab
    void DeleteChar();                     // 13
    void Backspace();                      // 3
    void UndeleteChar();                   // 27
    void DeleteRow();                      // 15
    void UndeleteRow();                    // 28
    void DeleteToLineEnd();                // 16
    void DeleteToRowStart();               // 14
    void DeleteWord();                     // 17
    void DuplicateRow();                   // 8
    void OpenLineBelow();                  // 38
    void OpenLineAbove();                  // 42
    void ToggleCaseAtCaret();              // 5
    void ToggleWidthAtCaret();             // 6
    // op 2 draw, 1 erase; direction 1 up, 2 down, 3 right, 4 left.
    void RuleLine(int op, int direction);  // 44 / 26
    // The same in a given style (1 thin, 2 thick, 3 single-byte), whatever
    // "RuleLineMode" is now: a replayed log draws as it was recorded.
    void RuleLineAs(int op, int style, int direction);
    void JumpLastEdit();                   // 79
    void EditProhibit();                   // 80
    void RememberLine();                   // 40
    void WordLeft(int arg);                // 47
    void WordRight(int arg);               // 48
    // firstDigit: scheme 3's Ctrl+Q and a digit, which starts the number.
    void JumpToLine(int firstDigit = -1);
    void InsertFile();
    // Reads a file as the insert-file command does, into the text at the caret.
    bool InsertFileAt(const std::string& pathUtf8);

    // ---------------------------------------------------------------- block conversions
    // The conversions of the stream key selection (69 to 78).
    void ConvertSelection(BlockConversion c);

    // ---------------------------------------------------------------- language commands
    void InsertTemplateKey(int slot);      // 30, argument the slot 0 to 35
    // Whether the template dialog may open (a write-protected document says why not).
    bool TemplateDialogAllowed();
    void NextFunction();                   // 37
    void PreviousFunction();               // 39
    // The function list's start: false while the view blocks commands,
    // else the selection ends and the document is scanned into scan.
    bool ScanFunctions(FuncListResult& scan);
    // Text a dialog inserts at the caret as one edit, not recorded.
    void InsertDialogText(const std::string& sjis);
    void TagJump();                        // 41, argument 1
    // The function guidance's keyword (Shift-JIS, at most 128 bytes): a
    // stream selection's text, else the word at the caret. The selection
    // ends. False while the window selection or a running mode forbids it.
    bool GuidanceKeyword(std::string* keyword);
    void DefinitionJump();                 // 41, argument 2
    void OnePointMark();                   // 2, argument 1
    void OnePointJump();                   // 2, argument 2
    void MarkNext();                       // 2, argument 3: the next free numbered mark
    // The mark / jump dialog: whether it may open, and what follows its close.
    bool BeginMarkDialog();
    void FinishMarkDialog(const MarkDialogModel& model, bool ok);
    uint32_t OnePointLine() const { return onePointLine_; }

    // ---------------------------------------------------------------- external programs (view_shell.cpp)
    // The caret's logical line without its line end, and the caret's byte
    // column in it (0-based).
    std::string CaretLine(int* column = nullptr);
    // The first maxBytes of a stream selection (empty without one); any
    // selection ends.
    std::string TakeSelectionText(uint32_t maxBytes);
    // The word at the caret by the word classes of word motion, at most
    // maxBytes; empty when the caret is not on a word.
    std::string CaretWord(uint32_t maxBytes = kRowImageMax);
    // Text added at the end of the document as one edit, whatever the caret
    // or a running mode; the caret ends after it (the OS window's output).
    void AppendAtEnd(const std::string& sjis);

    // ---------------------------------------------------------------- undo, selection, clipboard
    void UndoCommand();                    // 20
    void RedoCommand();                    // 68
    void StartCommandSelection();          // 12
    void CancelCommand();                  // 4
    void Cut();                            // 10
    void Copy();                           // 11
    void Paste();                          // 9
    void BoxCut();                         // 64
    void BoxYank();                        // 65
    void BoxPaste();                       // 66
    void BoxInsert();                      // 67
    void BoxPromptEnter();                 // 52
    void SelectionCharSearch(uint8_t c);   // 51
    // Two-point prompts: mode 16 box cut, 32 box yank, 64 the calculation;
    // the first Enter adds 1. The calculation hands its second point to
    // the handler set here.
    void StartBoxPrompt(int mode, const char* promptUtf8);
    void SetBoxPromptHandler(int mode, void (*handler)(CQzedView&, uint32_t r1, int c1, uint32_t r2, int c2));
    bool CommandSelectionActive() const { return cmdSel_; }
    int BoxPromptMode() const { return boxMode_; }
    // The box between two corners as clipboard text (rows with CR LF).
    std::string BoxText(uint32_t r1, int c1, uint32_t r2, int c2);

    // ---------------------------------------------------------------- calculations
    void OnRectCalc();                     // 43
    void OnRadixDisplay();                 // 7
    void OnCodeDisplay();                  // 49

    // ---------------------------------------------------------------- search
    void SearchNext();                     // 45
    void SearchPrevious();                 // 46
    // The word under the caret becomes the search string; no search runs.
    void SearchStringFromCaret();          // 23
    void BracketJump();                    // 50
    // A search from a dialog: the string becomes the current one first.
    // True when found.
    bool SearchFor(const std::string& sjis, bool upward, unsigned options);
    // Replace-all from start (1 from the dialog: the whole text, and the
    // caret goes to the end afterwards). Returns the number replaced. Key
    // messages queued during the run are discarded through the host.
    long ReplaceAllFrom(const std::string& fromSjis, const std::string& toSjis, unsigned options,
                        uint32_t start, bool interruptible);

    // ---------------------------------------------------------------- interactive modes
    // 0 off, 1 upward, 2 downward. The search mode starts after a dialog
    // search with option bit 16 clear; Up, Down and Enter search in it.
    int SearchMode() const { return searchMode_; }
    int ReplaceMode() const { return replaceMode_; }
    // The replace dialog's 上に置換 / 下に置換: interactive replace from the
    // first match from the caret (a match at the caret counts downward).
    // True when the mode runs.
    bool StartReplace(const std::string& fromSjis, const std::string& toSjis, unsigned options, bool upward);
    // The replace box's buttons: each does what its key does in the mode,
    // recorded in the keystroke log as that key.
    void ReplaceBoxReplace();   // 置換＆次 (R)
    void ReplaceBoxSkip();      // スキップ (S)
    void ReplaceBoxAll();       // 以降全て (A)
    void ReplaceBoxPrevious();  // 上候補 (P)
    void ReplaceBoxNext();      // 下候補 (N)
    void ReplaceBoxCancel();    // ｷｬﾝｾﾙ (Esc)
    // Where the current match of interactive replace lies (1-based, bytes).
    uint32_t ReplaceMatchPos() const;
    uint32_t ReplaceMatchLength() const;

    // ---------------------------------------------------------------- state
    uint32_t TopRow() const { return top_; }
    int LeftColumn() const { return left_; }
    uint32_t CaretRow() const { return caretRow_; }
    int CaretColumn() const { return caretCol_; }
    uint32_t CaretOffset() const { return caretOff_; }
    int DesiredColumn() const { return desiredCol_; }
    uint32_t LogicalLine() const { return logLine_; }
    uint32_t LogicalColumn() const { return logCol_; }
    uint32_t AbsoluteOffset() const { return absOff_; }
    int VisibleRows() const { return visRows_; }
    int VisibleColumns() const { return visCols_; }
    int VerticalMargin() const { return vMargin_; }
    int HorizontalMargin() const { return hMargin_; }
    bool InsertMode() const { return insertMode_ != 0; }
    int KeySelection() const { return keySel_; }
    int SelectionKind() const { return selKind_; }
    uint32_t AnchorRow() const { return anchorRow_; }
    int AnchorColumn() const { return anchorCol_; }
    uint32_t AnchorOffset() const { return anchorOff_; }
    uint32_t RememberedLine() const { return rememberedLine_; }
    size_t CharBufferSize() const { return charRing_.Size(); }
    size_t LineBufferSize() const { return lineRing_.Size(); }
    bool CaretShown() const { return caretShown_; }

    // Puts the caret at a row and byte offset (normalised), no repaint.
    void SetCaret(uint32_t row, uint32_t offset);
    // Puts the caret at an absolute 1-based text position.
    void SetFromAbsolute(uint32_t abs);
    void SetHighlight(int length) { highlightLen_ = length; }
    int Highlight() const { return highlightLen_; }
    void SetNoScreenUpdate(bool on) { noUpdate_ = on; }
    bool NoScreenUpdate() const { return noUpdate_; }
    // characterStroke: the prefix of scheme 3, whose second stroke may be a
    // typed character; in the others the next key only clears the flag.
    void SetPrefixPending(bool on, bool characterStroke = false) {
        prefixPending_ = on;
        prefixTakesCharacter_ = on && characterStroke;
    }
    bool PrefixPending() const { return prefixPending_; }
    // Interactive search or replace, a command selection or a box prompt:
    // editing stops silently while one runs.
    bool RunningMode() const { return cmdSel_ || boxMode_ != 0 || searchMode_ != 0 || replaceMode_ != 0; }
    void CancelSelection();
    void NormaliseCaret();

private:
    const TypeSettings& T() const;
    uint32_t RowCount() const { return doc_.Store().GetRowCount(); }  // N
    uint32_t RowText(uint32_t r, char* buf) const;
    uint32_t LastOffset(uint32_t r) const;   // offset of the row's end position
    void Record(int32_t code, int32_t arg = 0);
    void ComputeGeometry();
    void WrapAtWindow();
    void MakeCaret();
    void MoveGuideLines(bool draw);
    GuideLines CurrentGuides() const;
    bool SelectionActive() const;
    void ErrorMessage(const char* utf8);

    // Motion frame pieces.
    bool BeginMotion(int32_t code, int32_t arg, bool selecting);
    void FinishMotion(uint32_t oldRow, uint32_t oldTop, int oldLeft);
    void StartKeySelection(int kind);
    void ScrollBy(int rows);
    void ScrollTopTo(uint32_t top);
    void MoveRowsKeepDesired(int n);
    void PageMove(int rows);
    void WordMove(int dir, int arg);
    int RepeatRows(int dir, bool repeat) const;

    // Editing frame pieces.
    bool BeginEdit(int32_t code, int32_t arg, bool kind1 = false, bool typing = false);
    bool BeginEditFrame(int32_t code, int32_t arg, bool kind1 = false);
    bool TakeSelection(bool typing);
    void FinishEdit(uint32_t rowBefore, uint32_t rowsBefore, int comNextBefore, bool rowEndBefore,
                    uint32_t topBefore, int leftBefore);
    bool DeleteStreamSelection(uint32_t piece);
    void TypeByte(uint8_t c);
    void PrefixStroke(uint8_t c);
    void InsertAtCaret(const char* bytes, uint32_t n);
    uint32_t Abs() const;  // absolute offset of the caret
    void EditDone(uint32_t topBefore, int leftBefore, uint32_t rowBefore, bool full);
    void RuleLineDouble(int op, int style, int direction);
    void RuleLineSingle(int op, int direction);
    void MoveAfterRule(int direction, int cells);
    void MakeCellSingle(uint32_t* abs);
    void RedrawAll();
    void EndMarking();
    // Interactive modes.
    void ModeKey(uint8_t c);
    void SearchModeKey(uint8_t c);
    void ReplaceModeKey(uint8_t c);
    void ModeSearch(bool upward);
    void ShowSearchModeStatus();
    void EndSearchMode(bool showStatus);
    void EndReplaceMode();
    void EndInteractiveModes();
    // A motion in interactive search ends the mode; in replace it is refused.
    bool MotionAllowedInMode();
    bool ReplaceFind(bool upward, uint32_t start);
    void ReplaceCurrent();
    void ReplaceStep(bool upward);
    void ReplaceRestFromMatch();
    void ShowReplaceStatus();
    void ReplaceBoxKey(uint8_t c);
    void StopReplay();
    bool StreamRange(uint32_t* a, uint32_t* b);
    // Language command pieces.
    void InsertAsEdit(const std::string& sjis);
    std::string CaretLineText(int* column);
    std::string WordAtCaret();
    std::string StreamSelectionText(uint32_t maxBytes);
    void EndAnySelection();
    void GoToFunction(int32_t line, const char* message);
    void StreamToClipboard(bool cut);
    void BoxToClipboard(bool cut, uint32_t r1, int c1, uint32_t r2, int c2);
    void BoxFromClipboard(bool overwrite, const char* caption);
    bool OpenClipboard(const char* caption);
    void ReportReplacedCharacters(long replaced);
    bool AdmitClipboardForms();
    void ClipboardFailure(const char* text, const char* caption);
    void CalculateBox(uint32_t r1, int c1, uint32_t r2, int c2);
    struct BoxPiece { uint32_t abs, length; };
    std::vector<BoxPiece> BoxPieces(uint32_t r1, int c1, uint32_t r2, int c2);

    CQzedDoc& doc_;
    ViewHost& host_;
    KeyLogRecorder* recorder_ = nullptr;
    Clipboard* clipboard_ = nullptr;

    // command selection and two-point prompts
    bool cmdSel_ = false;
    int boxMode_ = 0;
    uint32_t firstRow_ = 1, firstOff_ = 1;
    int firstCol_ = 1;
    void (*calcHandler_)(CQzedView&, uint32_t, int, uint32_t, int) = nullptr;

    // geometry and position
    uint32_t top_ = 1;
    int left_ = 1;
    uint32_t caretRow_ = 1;
    int caretCol_ = 1;
    uint32_t caretOff_ = 1;
    int desiredCol_ = 1;
    uint32_t lastRow_ = 1;
    int lastCol_ = 1;
    uint32_t logLine_ = 1, logCol_ = 1, absOff_ = 1;
    int layoutWrap_ = 0;  // the wrap width the caret's row and offset were derived with
    int visRows_ = 1, visCols_ = 1;
    int vMargin_ = 0, hMargin_ = 0;
    bool caretShown_ = false;
    bool focused_ = false;
    bool editing_ = false;   // own change under way: the store's callback is ours
    bool leadTyped_ = false; // a lead byte was typed; its trail byte belongs to the same edit
    bool guidesDrawn_ = false;
    GuideLines guides_{};

    // modes
    int insertMode_ = 1;
    int keySel_ = kSelNone;
    int selKind_ = kSelStream;
    uint32_t anchorRow_ = 1;
    int anchorCol_ = 1;
    uint32_t anchorOff_ = 1;
    bool skipNextClick_ = false;
    bool prefixPending_ = false;
    bool prefixTakesCharacter_ = false;
    bool noUpdate_ = false;
    int searchMode_ = 0;
    unsigned searchModeOptions_ = 0;
    int replaceMode_ = 0;
    bool modeLead_ = false;  // a lead byte was typed in a mode: its trail byte is no key
    struct ReplaceSession;
    std::unique_ptr<ReplaceSession> replace_;
    bool dragBox_ = false;
    int highlightLen_ = 0;
    uint32_t rememberedLine_ = 0;
    uint32_t onePointLine_ = 0;

    DeleteRing<uint16_t> charRing_{kCharRing};
    DeleteRing<std::string> lineRing_{kLineRing};

    mutable char rowBuf_[kRowTextMax];
    uint8_t cellKind_[kRowImageMax] = {};  // per cell of the last built row: single, lead, control, trail
};

}  // namespace qz
