// The editor's commands by id: what a menu item, a tool-bar button or a key
// reaches. Each has its menu label, its status-bar prompt and its tool-tip
// text; the key hint of the scheme in force is derived from the key tables,
// so menus and tips always name the key that really reaches the command.
#pragma once

#include <string>
#include <vector>

#include "app/file_commands.h"
#include "app/key_dispatch.h"

namespace qz {

namespace cmdid {
// Files
inline constexpr int kReopenLast = 32872;
inline constexpr int kNew = cmd::kFileNew;
inline constexpr int kOpen = cmd::kFileOpen;
inline constexpr int kClose = cmd::kFileClose;
inline constexpr int kCloseWindow = 32862;  // the tool bar's close
inline constexpr int kSave = cmd::kFileSave;
inline constexpr int kSaveAs = cmd::kFileSaveAs;
inline constexpr int kRename = cmd::kFileRename;
inline constexpr int kWriteOne = cmd::kFileWriteOne;
inline constexpr int kWriteChanged = cmd::kFileWriteChanged;
inline constexpr int kSaveClose = cmd::kFileSaveClose;
inline constexpr int kSaveCloseAll = cmd::kFileSaveCloseAll;
inline constexpr int kQuit = cmd::kFileQuit;
inline constexpr int kCloseUnchanged = cmd::kFileCloseUnchanged;
inline constexpr int kQuitAll = cmd::kFileQuitAll;
inline constexpr int kReEdit = cmd::kFileReEdit;
inline constexpr int kInsertFile = 33188;
inline constexpr int kRecentFirst = 33261;  // to 33292: recent file 1 to 32
inline constexpr int kRecentLast = 33292;
inline constexpr int kAppExit = cmd::kMainFrameQuit;
inline constexpr int kEndResidence = 57665;
// Editing
inline constexpr int kCut = 32989;
inline constexpr int kCopy = 32990;
inline constexpr int kPaste = 32991;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kSelectAll = 57642;
inline constexpr int kStartSelection = 34001;
inline constexpr int kBoxCut = 34002;
inline constexpr int kBoxYank = 34003;
inline constexpr int kBoxPaste = 34004;
inline constexpr int kBoxInsert = 34005;
inline constexpr int kLogRecord = 34006;
inline constexpr int kLogReplay = 34007;
inline constexpr int kLogRepeat = 34008;
inline constexpr int kToggleInsert = 34009;
inline constexpr int kToggleCase = 34010;
inline constexpr int kToggleWidth = 34011;
inline constexpr int kDuplicateRow = 34012;
inline constexpr int kDeleteRow = 34013;
inline constexpr int kUndeleteRow = 34014;
inline constexpr int kLowerCase = 33040;
inline constexpr int kUpperCase = 33041;
inline constexpr int kToFullWidth = 33102;
inline constexpr int kToHalfWidth = 33103;
inline constexpr int kToKatakana = 33205;
inline constexpr int kToHiragana = 33206;
inline constexpr int kIndent = 33208;
inline constexpr int kUnindent = 33209;
inline constexpr int kTabsToSpaces = 33210;
inline constexpr int kSpacesToTabs = 33211;
inline constexpr int kTemplateDialog = 33201;
inline constexpr int kOpenKeywordFile = 32917;
inline constexpr int kOpenTemplateFile = 33204;
// Search and jumps
inline constexpr int kSearch = 33042;
inline constexpr int kSearchUpDialog = 33047;
inline constexpr int kSearchNext = 33107;
inline constexpr int kSearchPrevious = 33109;
inline constexpr int kReplace = 32779;
inline constexpr int kReplaceAll = 32780;
inline constexpr int kSearchWord = 34015;
inline constexpr int kGrep = 33032;
inline constexpr int kJumpToLine = 32772;
inline constexpr int kFileTop = 33165;
inline constexpr int kFileEnd = 33163;
inline constexpr int kLastEdit = 33164;
inline constexpr int kBracketJump = 34016;
inline constexpr int kRememberLine = 34017;
inline constexpr int kReturnToLine = 34018;
inline constexpr int kNextFunction = 33097;
inline constexpr int kPreviousFunction = 33098;
inline constexpr int kFunctionList = 32851;
inline constexpr int kTagJump = 32992;
inline constexpr int kDefinitionJump = 32987;
inline constexpr int kJumpBack = 32830;
inline constexpr int kOnePointMark = 32882;
inline constexpr int kOnePointJump = 32881;
inline constexpr int kMarkJump = 32986;
inline constexpr int kOpenAssociated = 33113;
inline constexpr int kOpenAtCaret = 34019;
// Windows
inline constexpr int kNewWindow = 57648;
inline constexpr int kCascade = 57650;
inline constexpr int kTile = 57651;
inline constexpr int kSplitRows = 32838;
inline constexpr int kSplitColumns = 32839;
inline constexpr int kWindowList = 32984;
inline constexpr int kWindowSelection = 34020;
inline constexpr int kNextWindow = 34021;
inline constexpr int kPreviousWindow = 34022;
inline constexpr int kMaximizeRestore = 34023;
inline constexpr int kRepaintAll = 32835;
inline constexpr int kKeyboardSize = 32837;
inline constexpr int kKeyboardMove = 33026;
inline constexpr int kToggleDialogBar = 33029;
inline constexpr int kToggleToolBars = 59392;
inline constexpr int kToggleStatusBar = 59393;
inline constexpr int kTogglePfKeyBar = 34024;
// Display toggles
inline constexpr int kTabMarks = 32905;
inline constexpr int kRightWrap = 33038;
inline constexpr int kEditProhibit = 33065;
inline constexpr int kLineNumbers = 32850;
// Tools
inline constexpr int kAsciiTable = 32847;
inline constexpr int kKanjiTable = 32848;
inline constexpr int kQztags = 33039;
inline constexpr int kUserTool = 33027;
inline constexpr int kCalculator = 32996;
inline constexpr int kBrowser1 = 33248;
inline constexpr int kBrowser2 = 33249;
inline constexpr int kShell = 32833;
inline constexpr int kOsWindow = 32832;
inline constexpr int kBoxCalculation = 33197;
inline constexpr int kRadix = 33192;
inline constexpr int kCodeDisplay = 32995;
inline constexpr int kPrint = 33036;
inline constexpr int kPrintLayout = 33024;
inline constexpr int kPreview = 33037;
inline constexpr int kSettings = 32858;
inline constexpr int kGuidance = 33190;
inline constexpr int kHelpButton1 = 33251;  // to 33255: guidance with help entry 1 to 5
inline constexpr int kHelpIndex = 34025;
inline constexpr int kAbout = 57664;
}  // namespace cmdid

// What a command needs at the moment it runs.
enum class Needs { Nothing, Window, Document };

struct CommandInfo {
    int id;
    const char* label;   // menu text (UTF-8), with its mnemonic
    const char* prompt;  // status-bar prompt
    const char* tip;     // tool-tip text without the key hint
    Needs needs;
};

// Every command the menus, bars and keys reach, in one table.
const std::vector<CommandInfo>& CommandTable();
// The command's row, or null.
const CommandInfo* FindCommand(int id);

// The command a key action reaches (0: none; such actions are the view's own
// editing and motion, which have no menu entry of their own).
int CommandOfViewAction(ViewAction action, int argument);
int CommandOfFrameAction(FrameAction action, int argument);

// A key code as the hints write it: "F7", "Shift+ESC", "Ctrl+Shift+N".
std::string KeyName(int code);
// The key that reaches the command in the scheme, as a hint ("Ctrl+N",
// "Ctrl+Q・R"); empty when no key does.
std::string KeyHint(int id, int scheme);
// The tool tip: the tip text and, when a key reaches the command, its hint
// in parentheses (for the help buttons the registry's help title first).
std::string ToolTip(int id, int scheme, const std::string& helpTitle = {});

}  // namespace qz
