// What the settings sheet CEnvSheet knows apart from its widgets: its pages,
// the table that binds every control to its setting, the copies it works on,
// the rules that enable controls, the limits of the number fields, and the
// two registration lists of page 4.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace qz {

// Pages in tab order.
enum EnvPage {
    kPageEdit = 1,   // CEnvPage1 "編集機能" (per file type)
    kPageDisplay,    // CEnvPage2 "画面表示" (per file type)
    kPageFile,       // CEnvPage7 "ファイル"
    kPageRegister,   // CEnvPage3 "ファイル登録"
    kPageOther1,     // CEnvPage5 "その他１"
    kPageOther2,     // CEnvPage6 "その他２"
};
constexpr int kEnvPages = 6;

struct EnvPageInfo {
    int page;
    const char* className;
    int dialog;
    const char* title;
};
const EnvPageInfo& EnvPageOf(int page);

constexpr const char* kEnvSheetCaption = "環境設定";
constexpr const char* kEnvHelpPage = "environ.htm";
constexpr int kTypeListControl = 303;   // the file-type list of pages 1 and 2
constexpr int kEfectControl = 329;

// How a control shows its setting.
enum class Bind {
    Check,     // ticked while the value is not 0
    NotOne,    // ticked while the value is not 1
    Radio,     // chosen while the value is `value`
    Bit,       // ticked while the bits `value` are set
    Number,    // a number field, `value` to `max`
    Text,      // a text field
    FileList,  // a text field offering the program folder's files matching `pattern`
    Colour,    // one of the 16 palette colours
    Title,     // a button that edits the text in a dialog of its own
    Font,      // a button that chooses the display font
};

// One control of one page. Pages 1 and 2 edit the file type chosen in their
// type list; "Display_Font" is the one setting they share by all types.
struct Binding {
    int page;
    int control;
    const char* setting;  // the profile value name
    Bind kind;
    int value = 0;        // Radio: the value; Bit: the bits; Number: the least
    int max = 0;          // Number: the most
    const char* label = "";    // the control's text (UTF-8)
    const char* group = "";    // the frame it sits in, empty for none
    const char* pattern = "";  // FileList: the names offered
};

// Every control bound to a setting, page by page in the order they are laid out.
const std::vector<Binding>& EnvBindings();
const Binding* FindBinding(int page, int control);
bool IsPerTypePage(int page);

// A "参照" button that fills a text field from a file dialog.
struct BrowseButton {
    int page;
    int button;
    int field;           // the control it fills
    const char* title;   // the file dialog's title
    const char* filter;  // "name|patterns|...||"
};
const std::vector<BrowseButton>& EnvBrowseButtons();

// The copies the sheet works on: the whole per-type and "Environ" record,
// the display font, and the two lists of page 4.
struct SheetData {
    std::array<TypeSettings, kFileTypes + 1> type{};
    EnvironSettings env{};
    LogFont displayFont;
    std::vector<HelpEntry> helps;
    std::vector<UserTool> tools;
    bool operator==(const SheetData&) const = default;
};

// Step 1 of running the sheet: the record, and the lists as the profile has them.
SheetData CopyIntoSheet(const Settings& s, Profile& p);
// OK: the copies go back into the record and the lists to the profile.
void CopyBackFromSheet(const SheetData& d, Settings& s, Profile& p);

// What a control shows: Check, NotOne, Radio and Bit 0 or 1 in `number`;
// Number and Colour the number (Number also as `text`); Text, FileList and
// Title the text; Font the font.
struct ControlValue {
    int number = 0;
    std::string text;
    LogFont font;
};

// fileType: the type shown on pages 1 and 2 (ignored on the others).
ControlValue ReadControl(const SheetData& d, const Binding& b, int fileType);
// Takes a control's value back. A number field's text outside its limits is
// refused with the message to show, and nothing changes; an unchosen radio
// and an unknown colour leave the value as it is.
std::optional<std::string> WriteControl(SheetData& d, const Binding& b, int fileType, const ControlValue& v);

// Takes every control of a page back: the boxes and choices first, since
// they decide which fields can be edited, then the fields that can. Stops at
// the first refused field, with it and its message; fields that are disabled
// or read-only are left as they are.
struct Refusal {
    const Binding* binding;
    std::string message;
};
std::optional<Refusal> WritePage(SheetData& d, int page, int fileType,
                                 const std::function<ControlValue(const Binding&)>& read);

// The message of a refused number field.
std::string RangeMessage(int least, int most);
extern const char kMsgNotANumber[];  // "整数を入力してください。"

// Whether a control can be used now, from the values the sheet holds.
struct ControlState {
    bool enabled = true;
    bool readOnly = false;
};
ControlState StateOfControl(const SheetData& d, int page, int control, int fileType);

// Chosen in page 5: the key scheme of 140, which warns.
constexpr int kOldSchemeRadio = 140;
extern const char kMsgOldScheme[];
extern const char kCaptionOldScheme[];  // "注意"

// The registration lists of page 4: what each button does to a list and
// which row is chosen afterwards (-1 none). The help list holds at most
// kMaxHelpEntries entries.
template <class T>
struct EntryList {
    std::vector<T>& rows;
    size_t limit;
    bool CanAdd() const { return rows.size() < limit; }
    // "追加": after the last row.
    int Add(T entry) {
        if (!CanAdd()) return -1;
        rows.push_back(std::move(entry));
        return static_cast<int>(rows.size()) - 1;
    }
    // "変更".
    int Change(int row, T entry) {
        if (!Valid(row)) return -1;
        rows[static_cast<size_t>(row)] = std::move(entry);
        return row;
    }
    // "削除": the row that takes its place, else the one before.
    int Delete(int row) {
        if (!Valid(row)) return -1;
        rows.erase(rows.begin() + row);
        return rows.empty() ? -1 : std::min(row, static_cast<int>(rows.size()) - 1);
    }
    // "上へ移動" / "下へ移動": the row moves and stays chosen.
    int MoveUp(int row) {
        if (!Valid(row) || row == 0) return row;
        std::swap(rows[static_cast<size_t>(row)], rows[static_cast<size_t>(row) - 1]);
        return row - 1;
    }
    int MoveDown(int row) {
        if (!Valid(row) || row + 1 >= static_cast<int>(rows.size())) return row;
        std::swap(rows[static_cast<size_t>(row)], rows[static_cast<size_t>(row) + 1]);
        return row + 1;
    }
    bool Valid(int row) const { return row >= 0 && row < static_cast<int>(rows.size()); }
};

// An entry editor's OK: a title is required, since a list read back stops
// at its first empty title. The message, or nothing when it may close.
std::optional<std::string> CheckEntryTitle(const std::string& title);
extern const char kMsgNoTitle[];

// The names in dir matching a pattern such as "*.TBL", sorted; the
// extension is compared without regard to case, as the files of the
// program folder are written in lower case here.
std::vector<std::string> FilesMatching(const std::string& dir, std::string_view pattern);

// The names of the 16 palette colours, for the colour lists.
extern const char* const kColourNames[16];

}  // namespace qz
