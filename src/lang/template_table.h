// The template table of one file type: 36 snippets bound to the keys A-Z and
// 0-9, read from a template file, and their insertion into a document.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

class MessageBox;
class TextAccess;

constexpr int kTemplateSlots = 36;
constexpr size_t kTemplateTitleBytes = 32;
constexpr size_t kTemplatePieceBytes = 4096;
constexpr size_t kTemplateLineBytes = 512;  // a line of this many bytes without its line feed is refused

struct TemplateSlot {
    bool defined = false;
    std::string title;  // Shift-JIS, at most 32 bytes
    std::string text;   // Shift-JIS, lines joined by line feeds, none at the end
    bool operator==(const TemplateSlot&) const = default;
};

struct TemplateTable {
    std::array<TemplateSlot, kTemplateSlots> slots;
    void Clear() { slots.fill(TemplateSlot{}); }
};

// The slot of a key: A-Z and a-z give 0-25, 0-9 give 26-35; -1 for others.
int TemplateSlotOfKey(char key);
// The key letter of a slot ('A'-'Z', '0'-'9').
char TemplateKeyOfSlot(int slot);

// The template dialog: the button of a slot ("&A" to "&Z", "&0" to "&9")
// and the note under the buttons (UTF-8).
std::string TemplateButtonLabel(int slot);
// The titles beside the buttons (UTF-8), empty for undefined slots.
std::array<std::string, kTemplateSlots> TemplateDialogTitles(const TemplateTable& table);
extern const char kTemplateDialogNote[];
extern const char kMsgWriteProtected[];  // "このファイルは書き込み禁止です"

// What went wrong in a template file: the message (UTF-8, line number
// filled in) and the 1-based line. An empty message means success.
struct TemplateError {
    std::string message;
    int line = 0;
    bool ok() const { return message.empty(); }
};

// Reads a template file's bytes (Shift-JIS, CR LF or LF) into the table. At
// the first error every slot is cleared again and the error is returned.
TemplateError ParseTemplateFile(std::string_view bytes, TemplateTable& table);

// Loads a template file from a path (UTF-8). A missing or unreadable file or
// an error in it shows its message box ("テンプレート読み込み") and leaves the
// table empty; returns whether templates were read.
bool LoadTemplateFile(const std::string& path, TemplateTable& table, MessageBox& box);

// Inserts slot k of the table before position p as one insertion. Returns the
// position after the inserted text (where the caret goes), or p when the slot
// is undefined, empty or the text could not be inserted.
uint32_t InsertTemplate(TextAccess& text, uint32_t p, const TemplateTable& table, int k);

}  // namespace qz
