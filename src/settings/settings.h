// The one process-wide settings record: every value the editor keeps in its
// profile, with the profile's section and value names, loaded and saved whole.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace qz {

constexpr int kFileTypes = 6;
constexpr int kRecentFiles = 32;
constexpr int kMarks = 12;
constexpr int kPatternLists = 16;
constexpr int kHistories = 16;
constexpr int kHistorySlot = 256;  // bytes per search or replace slot, NUL included
constexpr int kPrinterForms = 8;
constexpr int kAppVersion = 149;

// A Windows LOGFONT as the profile stores it. The face name holds at most 31
// bytes in its Shift-JIS form.
struct LogFont {
    int32_t lfHeight = -19;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 400;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 1;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 49;
    std::string lfFaceName = "FixedSys";

    bool operator==(const LogFont&) const = default;
};
constexpr int kFaceNameBytes = 31;

// The settings of one file type ("Environ-Type%d").
struct TypeSettings {
    int Columns, Undo, TabSp, TabCr, LineDisp, Indent, WidthLine, WidthColumn, LineType,
        ScrollCount, HLineType, VLineType, PageCount;
    std::string FileTitle, TagsFile1, TagsFile2, TagsFile3;
    int Efect, Tabs, Comment;
    std::string FileExt, Yoyakugo, Template;
    int RightTurn, SpaceDisp, Back_Col, Text_Col, SelBak_Col, SelTxt_Col, Csr_Col, CsrLine_Col,
        Cr_Col, Tab_Col, LineNo_Col, VLine_Col, FSpace_Col, ClickableURL, Com_Col, UsrFunc_Col1,
        UsrFunc_Col2, UsrFunc_Col3, UsrFunc_Col4, URL_Col, EMail_Col;

    bool operator==(const TypeSettings&) const = default;
};

// Global values of section "Environ".
struct EnvironSettings {
    int MoveProhibit, DialogBar, DialogBarStyle, PfkeyBar, DefPrintType, PrtSelValid, FileDlgType,
        Resident, EndMode, BkgndMode, Search, Replace, MarkRestore, Mouse, MouseLSkip, BackupMode,
        RecycledMode, BackupCount, MRUCount, AsinMode, Asin4Type, PasteMode, FepMode,
        RuleLineMode, ExclusiveMode, Func_Sort, Func_DispMode, MouseWheel, ChildWnd_Max,
        ChildWnd_X, ChildWnd_Y, WriteEOF, ReadEND, CharCheck, Autobk_Mode, Autobk_Time,
        Autobk_Len, Current_Mode, Explorer_Update, Netscape_Update;
    std::string EucDrive, BkgndFname, Current_Dir, WildCard, BackupDir, CalcPrg, ExplorerPrg,
        NetscapePrg;

    bool operator==(const EnvironSettings&) const = default;
};

// One numbered mark ("MarkJump").
struct MarkEntry {
    int EfectFlag = 0;
    std::string FileName;
    int LineNumber = 1;
    bool operator==(const MarkEntry&) const = default;
};

// One printer form ("Printer-%d").
struct PrinterForm {
    std::string Title;
    int AutoCal = 1, Split = 1, Number = 0, Frame = 0, DefPrint = 0;
    int Up_Space = 10, Down_Space = 10, Left_Space = 10, Right_Space = 10;
    int Max_Line = 60, Max_Column = 80;
    int Orientation = -1, PaperSize = -1, PaperLength = -1, PaperWidth = -1;
    std::string Header = "&L&N/&F&R&D &T";  // &N and &F joined by the path separator
    std::string Foter = "&C&G - &P";
    LogFont font;
    LogFont headerFont;
    bool operator==(const PrinterForm&) const = default;
};

struct FrameRect {
    int top = 0, bottom = 0, left = 0, right = 0;
    bool operator==(const FrameRect&) const = default;
};

// How the frame was at exit ("WindowSize"/"Status").
enum FrameStatus { kFrameNormal = 0, kFrameMinimized = 1, kFrameMaximized = 2 };

struct UserTool {
    std::string title, name, param, curdir;
    int update = 0, osWin = 0;
    bool operator==(const UserTool&) const = default;
};

struct HelpEntry {
    std::string title, file;
    bool operator==(const HelpEntry&) const = default;
};
constexpr int kMaxHelpEntries = 9;

struct Settings {
    // Indexed by file type 1 to 6; entry 0 is unused.
    std::array<TypeSettings, kFileTypes + 1> type{};
    EnvironSettings env{};
    LogFont displayFont;
    // "%d %s" entries, most recent first; empty strings past the end.
    std::array<std::string, kRecentFiles> recentFiles;
    std::array<MarkEntry, kMarks> marks;
    int grepMode = 96;
    std::string grepOption;
    std::array<std::string, kPatternLists> grepSearchPtn, grepFilePtn;
    int qztagsMode = 0;
    std::array<std::string, kPatternLists> qztagsFilePtn;
    // Search and replace texts are document text (Shift-JIS), each at most
    // 255 bytes so that it fits its 256-byte slot.
    std::string searchKey;
    std::array<std::string, kHistories> searchHistory;
    std::string replaceSKey, replaceRKey;
    std::array<std::string, kHistories> replaceSHistory, replaceRHistory;
    bool replaceKeyGiven = false;  // "SKey" was non-empty at load
    std::array<PrinterForm, kPrinterForms> printers;
    int windowStatus = kFrameNormal;
    FrameRect frameRect;

    Settings();  // every default; the frame rectangle for an 800 x 600 desktop
    TypeSettings& Type(int fileType) { return type.at(fileType); }
    const TypeSettings& Type(int fileType) const { return type.at(fileType); }

    bool operator==(const Settings&) const = default;
};

// The process-wide record.
Settings& TheSettings();

// A value of a file type ("Environ-Type%d") or of "Environ" by its profile
// name; null when the record has no such value of that kind.
int* TypeInt(TypeSettings& t, std::string_view name);
std::string* TypeText(TypeSettings& t, std::string_view name);
int* EnvironInt(EnvironSettings& e, std::string_view name);
std::string* EnvironText(EnvironSettings& e, std::string_view name);
// Every profile name of the two kinds of section, in profile order.
std::vector<std::string> TypeValueNames();
std::vector<std::string> EnvironValueNames();

// The centred default frame rectangle for a desktop of the given size.
FrameRect DefaultFrameRect(int desktopWidth, int desktopHeight);

// Load-all, in the documented order. Writes the default user tools when
// "ExecTitle1" is empty. desktop size gives the default frame rectangle.
void LoadAll(Settings& s, Profile& p, int desktopWidth, int desktopHeight);

// Save-all, in the documented order, up to and including the printer forms
// ("ToolBerState" and "Current"/"Directory" are written by the frame after it).
// minimized/maximized describe the frame as it is at the call.
void SaveAll(const Settings& s, Profile& p, bool minimized, bool maximized);

// Writes "Current"/"Directory" (at most 255 bytes of its Shift-JIS form).
void SaveCurrentDirectory(Profile& p, const std::string& dir);

// Recent-file list: the entry with the same path (or the 32nd) is removed,
// the rest move down and "code path" becomes entry 1.
void AddRecentFile(Settings& s, int kanjiCode, const std::string& path);
// Splits a "%d %s" entry. Returns false for an empty or malformed entry.
bool ParseRecentFile(const std::string& entry, int& kanjiCode, std::string& path);

// Histories: 16 entries, newest first, a repeated entry moving to the front.
// Entries are cut to fit their slot (255 bytes, never half a character).
void PushHistory(std::array<std::string, kHistories>& list, const std::string& sjis);

// The numbered lists, read on demand up to the first empty title and written
// so that the list ends at its first empty title.
std::vector<UserTool> LoadUserTools(Profile& p);
void SaveUserTools(Profile& p, const std::vector<UserTool>& tools);
std::vector<HelpEntry> LoadHelpEntries(Profile& p);
void SaveHelpEntries(Profile& p, const std::vector<HelpEntry>& entries);
// The two tools a first start writes.
std::vector<UserTool> DefaultUserTools();

}  // namespace qz
